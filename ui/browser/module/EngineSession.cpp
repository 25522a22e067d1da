#include "EngineSession.h"

#include "DownloadStarter.h"

#include <QCoreApplication>
#include <QWebEngineProfile>

namespace {
EngineSession* running = nullptr;
}

EngineSession& EngineSession::Get(const BrowserPaneModule::SaveLocationChooser& chooser) {
    if (running == nullptr) {
        running = new EngineSession(chooser);
        // Clean-up routines run last registered first, and the engine registered
        // its own when the profile above started it: so this one runs before the
        // engine shuts down, and after main() has destroyed the windows.
        qAddPostRoutine(&EngineSession::End);
    }
    return *running;
}

// A profile made without a storage name is off the record: cache and cookies
// stay in memory.
EngineSession::EngineSession(const BrowserPaneModule::SaveLocationChooser& chooser)
    : profile_(std::make_unique<QWebEngineProfile>())
    , downloads_(std::make_unique<DownloadStarter>(*profile_, chooser)) {
    // Downloads still running when the program is told to end are dropped,
    // with their partial files, before the windows go.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     downloads_.get(), &DownloadStarter::AbandonAll);
}

EngineSession::~EngineSession() {
    // The downloads hold requests the profile owns.
    downloads_.reset();
    profile_.reset();
}

void EngineSession::End() {
    delete running;
    running = nullptr;
}
