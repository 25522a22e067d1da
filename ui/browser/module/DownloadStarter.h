#pragma once

#include "BrowserPaneModule.h"
#include "DownloadAsks.h"
#include "DownloadExpectation.h"
#include "PageDownloadLimit.h"

#include <QElapsedTimer>
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
// so a download goes on when the window it started from is unloaded. The
// save dialog is offered a plain file name in the download folder, whatever
// the server suggests; pages get one dialog at a time and a few a minute,
// while what the user saves from the pane's menu is never counted.
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

    // Files a download of `file` that `pane` is about to start, to be checked
    // against `expected` and saved under `expected.fileName` as suggested.
    // Returns the name to start it under (QWebEnginePage::download): that is
    // how its request is known when it comes, neither by page nor by address
    // (the engine names a download by the address it ended at, and the
    // mirror sends its files on to other hosts). A request that has not come
    // within `answerWithinMs` is given up (AskFailed).
    QString Expect(QWidget& pane, const QUrl& file, const DownloadExpectation& expected,
                   int answerWithinMs);
    // A save the user asked for from a pane's menu (MenuSaves), to offer
    // under `name`: never counted against the page's limit, and not tied to
    // the pane, so it goes on when the user moves on. Returns the name to
    // start it under.
    QString ExpectOwnSave(const QString& name);
    // `pane` loads `file` to show before it offers it (Expect): a download
    // the engine makes of that load itself, whatever the server's headers,
    // is the pane's, checked against `expected`. Until LoadEnded.
    void ExpectLoad(QWidget& pane, const QUrl& file, const DownloadExpectation& expected) {
        asks_.AddLoad(pane, file, expected);
    }
    void LoadEnded(const QWidget& pane) { asks_.LoadEnded(pane); }
    // What `pane` asked for is not wanted any more: a request for it that
    // comes later is cancelled without a word.
    void Forget(const QWidget& pane);
    // The user sent `pane` to another address: downloads its page starts
    // count afresh against the page's limit, and it is told of those refused.
    void UserNavigated(QWidget& pane);

Q_SIGNALS:
    // A download `asker` asked for failed before any dialog: `why`, in
    // words. Emitted inside the engine's request, so connect it queued.
    void AskFailed(QObject* asker, const QString& why);
    // A download `asker` asked for is now fetched from elsewhere, after
    // `refusal`; its window goes on.
    void AskRerouted(QObject* asker, const QString& refusal);
    // A download the page in `pane` started got no dialog: `why`, in words.
    // Emitted inside the engine's request, so connect it queued.
    void PageDownloadRefused(QObject* pane, const QString& why);

private:
    void Start(QWebEngineDownloadRequest* request);
    void Open(QWebEngineDownloadRequest& request, const QString& chosen,
              const DownloadAsks::Ask& ask);
    void OnWindowGone();

    QWebEngineProfile& profile_;
    BrowserPaneModule::SaveLocationChooser chooser_;
    // A save dialog is open.
    bool choosing_ = false;
    PageDownloadLimit pageDownloads_;
    // The pane whose page the limit counts for: the one last navigated; and
    // whether that page has been refused past the limit since.
    QPointer<QWidget> pagePane_;
    bool pageRefused_ = false;
    QElapsedTimer clock_;
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
