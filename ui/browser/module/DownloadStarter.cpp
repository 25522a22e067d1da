#include "DownloadStarter.h"

#include "DownloadWindow.h"
#include "PartFile.h"

#include <QDir>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

DownloadStarter::DownloadStarter(QWebEngineProfile& profile,
                                 BrowserPaneModule::SaveLocationChooser chooser)
    : chooser_(std::move(chooser)) {
    connect(&profile, &QWebEngineProfile::downloadRequested, this, &DownloadStarter::Start);
}

DownloadStarter::~DownloadStarter() {
    AbandonAll();
}

void DownloadStarter::AbandonAll() {
    for (const QPointer<DownloadWindow>& window : std::as_const(windows_)) {
        delete window.data();
    }
    windows_.clear();
}

// Runs while the engine waits for the answer: this engine version takes an
// accept only before this returns, and cancels whatever is left unaccepted.
void DownloadStarter::Start(QWebEngineDownloadRequest* request) {
    if (request->state() != QWebEngineDownloadRequest::DownloadRequested) {
        return;
    }
    QString name = request->suggestedFileName();
    if (name.isEmpty()) {
        name = request->downloadFileName();
    }
    QWidget* parent = request->page() != nullptr ? QWebEngineView::forPage(request->page())
                                                 : nullptr;

    // The save dialog runs an event loop, in which anything may go.
    const QPointer<QWebEngineDownloadRequest> guard(request);
    const QString chosen = chooser_(parent, QDir(request->downloadDirectory()).filePath(name));
    if (chosen.isEmpty() || guard.isNull() ||
        request->state() != QWebEngineDownloadRequest::DownloadRequested) {
        return;
    }

    const PartFile part(chosen);
    // The directory first: setting it renames the file unless a name was set.
    request->setDownloadDirectory(part.Directory());
    request->setDownloadFileName(part.FileName());
    request->accept();

    auto* window = new DownloadWindow(*request, part);
    windows_.removeAll(nullptr);
    windows_.append(window);
    window->show();
}
