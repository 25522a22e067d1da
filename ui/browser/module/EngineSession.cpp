#include "EngineSession.h"

#include "DownloadStarter.h"
#include "LegacyEndpoints.h"
#include "NetworkFetcher.h"
#include "PlayerIds.h"
#include "ToolkitPages.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {
EngineSession* running = nullptr;
}

EngineSession& EngineSession::Get(const BrowserPaneModule::SaveLocationChooser& chooser) {
    if (running == nullptr) {
        // The engine describes its GL set-up at length when it starts; a
        // desktop program keeps that off the terminal (QT_LOGGING_RULES can
        // still bring it back).
        QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
        // The engine starts with the session's profile, and takes no scheme
        // after that. Nothing in the program makes anything of the engine
        // before this: the module is loaded for the first pane, or ahead of
        // it, and its first act is this.
        ToolkitPages::Register();
        running = new EngineSession(chooser);
        // Clean-up routines run last registered first, and the engine registered
        // its own when the profile above started it: so this one runs before the
        // engine shuts down, and after main() has destroyed the windows.
        qAddPostRoutine(&EngineSession::End);
    }
    return *running;
}

EngineSession* EngineSession::Running() {
    return running;
}

// A profile made without a storage name is off the record: cache and cookies
// stay in memory.
EngineSession::EngineSession(const BrowserPaneModule::SaveLocationChooser& chooser)
    : network_(std::make_unique<NetworkFetcher>(ConfiguredLegacyEndpoints().timeoutMs))
    , knownPlayers_(std::make_unique<PlayerIds>())
    , pages_(std::make_unique<ToolkitPages>())
    , engineFolders_(std::make_unique<QTemporaryDir>())
    , profile_(std::make_unique<QWebEngineProfile>())
    , downloads_(std::make_unique<DownloadStarter>(*profile_, chooser)) {
    // The views draw with OpenGL, and Qt would keep the compiled shaders in
    // the user's cache folder; the toolbox keeps no files.
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    // Off the record, the engine still makes (empty) folders under the
    // profile's data path for a page that uses local storage, by default in
    // the user's data folder. They go in a folder of the run's own instead.
    if (engineFolders_->isValid()) {
        profile_->setPersistentStoragePath(engineFolders_->path());
    }
    profile_->installUrlSchemeHandler(ToolkitPages::kScheme, pages_.get());
    // The pane shows no icons, so it asks servers for none: an address is
    // the one request a navigation makes.
    profile_->settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    // Downloads still running when the program is made to end all the same
    // (a run-time error) are dropped, with their partial files, before the
    // windows go.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, downloads_.get(),
                     &DownloadStarter::AbandonAll);
    // A widget must not outlive the application.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, profile_.get(),
                     [this] { firstPage_.reset(); });
}

void EngineSession::SetUpFirstPage() {
    if (firstPageSetUp_) {
        return;
    }
    firstPageSetUp_ = true;
    firstPage_ = std::make_unique<QWebEngineView>(profile_.get());
    // Dropped on a later turn of the event loop, not inside its own signal.
    QObject::connect(firstPage_.get(), &QWebEngineView::loadFinished, profile_.get(), [this] {
        QTimer::singleShot(0, profile_.get(), [this] { firstPage_.reset(); });
    });
    firstPage_->load(QUrl(QStringLiteral("about:blank")));
    // Shown, but never put on the screen: the first view shown also sets up
    // the drawing every later one shares.
    firstPage_->setAttribute(Qt::WA_DontShowOnScreen);
    firstPage_->resize(64, 64);
    firstPage_->show();
}

EngineSession::~EngineSession() {
    // The downloads hold requests the profile owns.
    downloads_.reset();
    firstPage_.reset();
    profile_.reset();
}

void EngineSession::End() {
    delete running;
    running = nullptr;
}
