#pragma once

#include "DragMath.h"
#include "OptionButton.h"
#include "RunTimeError.h"
#include "WindowHost.h"

#include <QComboBox>
#include <QObject>
#include <QPointer>

#include <cstdint>

class FrameSurface;
class QWidget;

// One window of the toolbox. The instance lives for the whole run and keeps
// the drag state; loading builds the native window and its controls from the
// stored layout, unloading destroys them again.
class FramedWindow : public QObject {
    Q_OBJECT
public:
    explicit FramedWindow(WindowHost& host);
    ~FramedWindow() override;

    // Loads the window first if it is not loaded, then shows it modeless.
    void Show();
    // Destroys the native window and every control; the instance stays.
    void Unload();
    bool IsLoaded() const;
    // The loaded native window, or nullptr.
    QWidget* Surface() const;
    const DragState& Drag() const { return drag_; }

    // Mouse events of the window background, positions in twips.
    void Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void Form_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);

    // The frame controls every window has.
    virtual void picclose_Click();
    virtual void labclose_Click();
    virtual void labsmall_Click();

protected:
    // Builds the controls from the window's stored layout onto a fresh native
    // window, and binds the window's own handlers.
    virtual void BuildLayout(QWidget& surface) = 0;

    WindowHost& Host() const { return host_; }
    void Minimize();

    // Binds a control's Click to a handler of this window.
    template <class Control, class Window>
    void OnClick(Control* control, void (Window::*handler)()) {
        Bind(control, &Control::clicked, handler);
    }
    // An option button's Click is its becoming selected.
    template <class Window> void OnClick(OptionButton* control, void (Window::*handler)()) {
        Bind(control, &OptionButton::chosen, handler);
    }
    // A list's Click is the user's choosing an item in it.
    template <class Window> void OnClick(QComboBox* control, void (Window::*handler)()) {
        Bind(control, &QComboBox::activated, handler);
    }

    // Asks the host to get `target` ready when the pointer enters `control`
    // or the keyboard focus reaches it, so that a click on it is answered
    // sooner.
    void PrepareOnApproach(QWidget* control, WindowName target);

private:
    template <class Control, class Signal, class Window>
    void Bind(Control* control, Signal signal, void (Window::*handler)()) {
        auto* window = static_cast<Window*>(this);
        connect(control, signal, this,
                [window, handler] { RunHandler([window, handler] { (window->*handler)(); }); });
    }

    void Load();
    void BindFrameControls(QWidget& surface);

    WindowHost& host_;
    QPointer<FrameSurface> surface_;
    DragState drag_;
};
