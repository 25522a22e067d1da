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

void DownloadStarter::Expect(const QWebEnginePage& page, const DownloadExpectation& expected) {
    Forget(page);
    expected_.append({&page, expected});
}

void DownloadStarter::Forget(const QWebEnginePage& page) {
    expected_.removeIf(
        [&page](const Expected& entry) { return entry.page == nullptr || entry.page == &page; });
}

DownloadExpectation DownloadStarter::TakeExpectation(const QWebEngineDownloadRequest& request) {
    for (qsizetype i = 0; i < expected_.size(); ++i) {
        const Expected& entry = expected_.at(i);
        if (entry.page != nullptr && entry.page == request.page()) {
            return expected_.takeAt(i).expectation;
        }
    }
    return {};
}

DownloadWindow* DownloadStarter::WindowFor(quint32 downloadId) const {
    for (const QPointer<DownloadWindow>& window : windows_) {
        if (window != nullptr && window->DownloadId() == downloadId) {
            return window;
        }
    }
    return nullptr;
}

// Runs while the engine waits for the answer: this engine version takes an
// accept only before this returns, and cancels whatever is left unaccepted.
void DownloadStarter::Start(QWebEngineDownloadRequest* request) {
    if (request->state() != QWebEngineDownloadRequest::DownloadRequested) {
        // A download that failed at once still answers its page's expectation.
        TakeExpectation(*request);
        return;
    }
    // When a connection breaks, this engine version starts the download over
    // and asks again with a new request under the same id. The first answer
    // stands: same file, same window.
    if (DownloadWindow* window = WindowFor(request->id())) {
        window->Follow(*request);
        return;
    }

    // Taken before the dialog, so a declined download uses it up too.
    const DownloadExpectation expected = TakeExpectation(*request);

    QString name = expected.fileName;
    if (name.isEmpty()) {
        name = request->suggestedFileName();
    }
    if (name.isEmpty()) {
        name = request->downloadFileName();
    }
    QWidget* parent =
        request->page() != nullptr ? QWebEngineView::forPage(request->page()) : nullptr;

    // The save dialog runs an event loop, in which anything may go.
    const QPointer<QWebEngineDownloadRequest> guard(request);
    // The engine suggests the user's download folder; where there is none,
    // the dialog starts at home rather than wherever the program was started.
    QString folder = request->downloadDirectory();
    if (!QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    const QString chosen = chooser_(parent, QDir(folder).filePath(name));
    if (chosen.isEmpty() || guard.isNull() ||
        request->state() != QWebEngineDownloadRequest::DownloadRequested) {
        return;
    }

    auto* window = new DownloadWindow(PartFile(chosen), expected);
    window->Follow(*request);
    windows_.removeAll(nullptr);
    windows_.append(window);
    window->show();
    window->raise();
    window->activateWindow();
}
