#pragma once

#include "BrowserPane.h"
#include "PaneSource.h"

#include <QPointer>
#include <QStringList>
#include <QVBoxLayout>

// A browser pane that only remembers where it was sent, and a source that
// hands them out, so window tests run without the web engine.
class RecordingPane final : public BrowserPane {
public:
    using BrowserPane::BrowserPane;

    void Navigate(const QString& address) override { addresses.append(address); }

    QStringList addresses;
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

    // Where the newest pane was sent; empty once that pane is gone.
    QStringList Addresses() const { return latest ? latest->addresses : QStringList(); }

    int created = 0;
    QPointer<RecordingPane> latest;
};
