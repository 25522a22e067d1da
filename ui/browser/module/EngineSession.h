#pragma once

#include "BrowserPaneModule.h"

#include <memory>

class DownloadStarter;
class QWebEngineProfile;

// What the engine keeps for the whole run: the one profile every page uses,
// and the downloads started through it. Started with the first pane; ended by
// the application's own shutdown, after the windows and before the engine.
class EngineSession final {
public:
    // The running session, started on first use. `chooser` is asked where
    // each download goes.
    static EngineSession& Get(const BrowserPaneModule::SaveLocationChooser& chooser);
    // The running session, or null before the first pane.
    static EngineSession* Running();

    QWebEngineProfile& Profile() { return *profile_; }
    DownloadStarter& Downloads() { return *downloads_; }

    ~EngineSession();

private:
    explicit EngineSession(const BrowserPaneModule::SaveLocationChooser& chooser);
    static void End();

    std::unique_ptr<QWebEngineProfile> profile_;
    std::unique_ptr<DownloadStarter> downloads_;
};
