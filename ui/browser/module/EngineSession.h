#pragma once

#include "BrowserPaneModule.h"

#include <memory>

class DownloadStarter;
class Fetcher;
class PlayerIds;
class QTemporaryDir;
class QWebEngineProfile;
class QWebEngineView;
class ToolkitPages;

// What the pane keeps for the whole run: the one profile every page uses,
// the downloads started through it, and what resolving old addresses asks
// and remembers. Started with the first pane; ended by
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
    Fetcher& Network() { return *network_; }
    PlayerIds& KnownPlayers() { return *knownPlayers_; }
    ToolkitPages& Pages() { return *pages_; }

    // The first page of a run costs more than any later one: the engine
    // sets up, once, what every page and view shares. A view of the
    // session's own, loaded blank, shown off the screen and dropped, pays for
    // that ahead of the first pane. Does nothing once done.
    void SetUpFirstPage();

    ~EngineSession();

private:
    explicit EngineSession(const BrowserPaneModule::SaveLocationChooser& chooser);
    static void End();

    // First, so that it goes last: checks that downloads wait for ask through it.
    std::unique_ptr<Fetcher> network_;
    std::unique_ptr<PlayerIds> knownPlayers_;
    // Outlives the profile that serves from it.
    std::unique_ptr<ToolkitPages> pages_;
    // Where the engine makes what folders it makes for the run; removed
    // after the profile has gone.
    std::unique_ptr<QTemporaryDir> engineFolders_;
    std::unique_ptr<QWebEngineProfile> profile_;
    std::unique_ptr<DownloadStarter> downloads_;
    // A page of the profile: goes before it.
    std::unique_ptr<QWebEngineView> firstPage_;
    bool firstPageSetUp_ = false;
};
