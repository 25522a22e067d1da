#pragma once

#include "BrowserPaneModule.h"

#include <QObject>

class EngineSession;

// The module's entry point. Every pane it hands out shows its pages through
// one off-the-record profile that lives from the first pane to the end of the
// run, so nothing a page loads or sets is kept on disk.
class PaneModule final : public QObject, public BrowserPaneModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID CT_BROWSER_PANE_MODULE_IID)
    Q_INTERFACES(BrowserPaneModule)

public:
    PaneModule();

    BrowserPane* CreatePane(QWidget& holder) override;
    void Prepare() override;
    void SetSaveLocationChooser(SaveLocationChooser chooser) override;
    void EndWhenDownloadsDone(std::function<void()> end) override;

private:
    EngineSession& Session();

    SaveLocationChooser chooser_;
    bool paneMade_ = false;
};
