#pragma once

#include "BrowserPane.h"
#include "PaneSource.h"

#include <QVBoxLayout>

// The baseline's pane: takes an address and does nothing with it, so a run
// measures the windows and the registry alone.
class NullPane final : public BrowserPane {
public:
    using BrowserPane::BrowserPane;
    void Navigate(const QString&) override {}
};

class NullPaneSource final : public PaneSource {
public:
    BrowserPane& CreatePane(QWidget& holder) override {
        auto* pane = new NullPane(&holder);
        auto* layout = new QVBoxLayout(&holder);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(pane);
        return *pane;
    }
};
