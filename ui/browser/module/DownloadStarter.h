#pragma once

#include "BrowserPaneModule.h"
#include "DownloadAsks.h"
#include "DownloadExpectation.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class DownloadJob;
class DownloadWindow;
class EngineDownload;
class QWebEngineDownloadRequest;
class QWebEngineProfile;
class QWidget;

// Answers the profile's download requests: asks where to save, starts a job
// that has the engine write beside that place under a name of its own, and
// opens a window that shows the job. The windows belong to no tool window,
// so a download goes on when the window it started from is unloaded.
class DownloadStarter final : public QObject {
    Q_OBJECT

public:
    DownloadStarter(QWebEngineProfile& profile, BrowserPaneModule::SaveLocationChooser chooser);
    ~DownloadStarter() override;

    // Drops the downloads still running, with their partial files, and
    // closes every download window.
    void AbandonAll();

    // Runs `end` at once when no download is running; otherwise once the
    // last download window has been closed, each download going on to its
    // end meanwhile.
    void EndWhenDone(std::function<void()> end);

    // Files a download that `pane` is about to start, to be checked against
    // `expected` and saved under `expected.fileName` as suggested. Returns
    // the name to start it under (QWebEnginePage::download): that is how its
    // request is known when it comes, neither by page nor by address (the
    // engine names a download by the address it ended at, and the mirror
    // sends its files on to other hosts).
    QString Expect(QWidget& pane, const DownloadExpectation& expected);
    // What `pane` asked for is not wanted any more: a request for it that
    // comes later is cancelled without a word.
    void Forget(const QWidget& pane);

private:
    void Start(QWebEngineDownloadRequest* request);
    void Open(QWebEngineDownloadRequest& request, const QString& chosen,
              const DownloadExpectation& expected);
    void OnWindowGone();

    BrowserPaneModule::SaveLocationChooser chooser_;
    QList<QPointer<DownloadWindow>> windows_;
    // The engine's downloads by their id, to follow a request sent again.
    struct Followed {
        QPointer<EngineDownload> writer;
        QPointer<DownloadJob> job;
    };
    QHash<quint32, Followed> followed_;
    DownloadAsks asks_;
    std::function<void()> endWhenDone_;
};
