#pragma once

#include "CjkFonts.h"
#include "Layout.h"
#include "RecordingHost.h"
#include "RecordingPane.h"
#include "WindowInput.h"

#include <QTest>

#include <memory>

// What the suites of one toolbox window share: a host and a pane source
// that record, fresh for every test, and the window under test, made of
// them and shown. A suite derives from it beside QObject and calls Open()
// from init() and Close() from cleanup().
template <class Window> class WindowSuite {
protected:
    // Makes the window anew, from the host and then `arguments`, and shows
    // it; false when it did not become active.
    template <class... Arguments> [[nodiscard]] bool Open(Arguments&&... arguments) {
        window_.reset();
        window_ = std::make_unique<Window>(*host_, std::forward<Arguments>(arguments)...);
        window_->Show();
        return QTest::qWaitForWindowActive(window_->Surface());
    }
    // Ends the window, and gives the next test a fresh host and pane source.
    void Close() {
        window_.reset();
        WindowInput::DestroyUnloadedWidgets();
        host_ = std::make_unique<RecordingHost>();
        panes_ = std::make_unique<RecordingPaneSource>();
    }

    template <class T = QWidget> T* Control(const QString& name) const {
        return WindowInput::Named<T>(window_.get(), name);
    }
    // What the control called `name` shows in `grab` (of the window) where
    // no child of it covers it.
    QColor ShownAt(const QImage& grab, const char* name) const {
        QWidget* control = Control(name);
        return grab.pixelColor(control->mapTo(window_->Surface(), Layout::BarePoint(control)));
    }
    QColor TextColourOf(const char* name) const {
        return Control(name)->palette().color(QPalette::WindowText);
    }

    std::unique_ptr<RecordingHost> host_ = std::make_unique<RecordingHost>();
    std::unique_ptr<RecordingPaneSource> panes_ = std::make_unique<RecordingPaneSource>();
    std::unique_ptr<Window> window_;
};
