#pragma once

#include "BrowserPane.h"
#include "PaneSource.h"

#include <QPointer>
#include <QStringList>
#include <QVBoxLayout>

#include <functional>

// A browser pane that only remembers where it was sent, and a source that
// hands them out, so window tests run without the web engine.
class RecordingPane final : public BrowserPane {
public:
    using BrowserPane::BrowserPane;

    void Navigate(const QString& address) override {
        addresses.append(address);
        if (onNavigate) {
            onNavigate(address);
        }
    }

    QStringList addresses;
    // Runs after each Navigate, for tests that change the window meanwhile.
    std::function<void(const QString&)> onNavigate;
};

class RecordingPaneSource final : public PaneSource {
public:
    BrowserPane& CreatePane(QWidget& holder) override {
        auto* pane = new RecordingPane(&holder);
        auto* layout = new QVBoxLayout(&holder);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(pane);
        created += 1;
        latest = pane;
        return *pane;
    }

    void Prepare() override { prepared += 1; }

    // Where the newest pane was sent; empty once that pane is gone.
    QStringList Addresses() const { return latest ? latest->addresses : QStringList(); }

    int created = 0;
    int prepared = 0;
    QPointer<RecordingPane> latest;
};
