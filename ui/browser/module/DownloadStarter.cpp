#include "DownloadStarter.h"

#include "DownloadJob.h"
#include "DownloadMessages.h"
#include "DownloadWindow.h"
#include "EngineDownload.h"
#include "EngineQuirks.h"
#include "HostName.h"
#include "InterruptWords.h"
#include "PartFile.h"
#include "SaveName.h"

#include <QApplication>
#include <QDir>
#include <QScopedValueRollback>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

// The name the save dialog offers: the one the pane asked for, else the
// engine's, made a plain file name either way. A download the pane asked for
// suggests the pane's own name for it, which is no name for a file. The
// engine passes a server's Content-Disposition name on as it came.
QString NameToOffer(const QWebEngineDownloadRequest& request, const DownloadAsks::Match match,
                    const DownloadExpectation& expected) {
    if (!expected.fileName.isEmpty()) {
        return PlainFileName(expected.fileName);
    }
    if (match == DownloadAsks::Match::Asked) {
        return PlainFileName({});
    }
    return PlainFileName(request.suggestedFileName().isEmpty() ? request.downloadFileName()
                                                               : request.suggestedFileName());
}

} // namespace

DownloadStarter::DownloadStarter(QWebEngineProfile& profile,
                                 BrowserPaneModule::SaveLocationChooser chooser)
    : profile_(profile)
    , chooser_(std::move(chooser)) {
    clock_.start();
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

QString DownloadStarter::Expect(QWidget& pane, const QUrl& file,
                                const DownloadExpectation& expected, int answerWithinMs) {
    const QString name = asks_.Add(pane, expected);
    // Still open then: the server took the connection and never answered.
    const int limitMs = answerWithinMs + EngineQuirks::kDownloadStartMs;
    QTimer::singleShot(limitMs, this, [this, name, file, limitMs] {
        DownloadAsks::Ask ask;
        if (asks_.Take(name, &ask) == DownloadAsks::Match::Asked) {
            Q_EMIT AskFailed(ask.asker.data(), Say(DownloadText::NotStarted, HostName(file),
                                                   QStringLiteral("%1").arg(limitMs / 1000.0)));
        }
    });
    return name;
}

QString DownloadStarter::ExpectOwnSave(const QString& name) {
    DownloadExpectation expected;
    expected.fileName = name;
    // Filed by the starter itself, which no pane withdraws; no time limit,
    // as the engine's own download had none.
    return asks_.Add(*this, expected);
}

void DownloadStarter::Forget(const QWidget& pane) {
    asks_.Withdraw(pane);
}

void DownloadStarter::UserNavigated(QWidget& pane) {
    pageDownloads_ = {};
    pageRefused_ = false;
    pagePane_ = &pane;
}

void DownloadStarter::EndWhenDone(std::function<void()> end) {
    windows_.removeAll(nullptr);
    const bool running =
        std::any_of(windows_.cbegin(), windows_.cend(), [](const QPointer<DownloadWindow>& window) {
            return window != nullptr && window->Job().IsRunning();
        });
    if (!running) {
        end();
        return;
    }
    endWhenDone_ = std::move(end);
}

// Queued: a window is still half there while it is being destroyed.
void DownloadStarter::OnWindowGone() {
    windows_.removeAll(nullptr);
    followed_.removeIf([](const auto entry) { return entry.value().job == nullptr; });
    if (windows_.isEmpty() && endWhenDone_) {
        std::exchange(endWhenDone_, nullptr)();
    }
}

// Runs while the engine waits for the answer (see EngineQuirks::AcceptInto).
void DownloadStarter::Start(QWebEngineDownloadRequest* request) {
    const QString askedName = EngineQuirks::AskedName(*request);
    if (request->state() != QWebEngineDownloadRequest::DownloadRequested) {
        // A download that failed at once uses up its ask, and whoever asked
        // is told why.
        DownloadAsks::Ask ask;
        if (asks_.Take(askedName, &ask) == DownloadAsks::Match::Asked) {
            Q_EMIT AskFailed(ask.asker.data(), InterruptWords(*request));
        }
        return;
    }
    // The first answer stands for a request sent again (see EngineDownload):
    // same file, same window, unless its job has ended or fetches the file
    // itself now; then the request is left unaccepted, which cancels it.
    if (const auto found = followed_.constFind(request->id()); found != followed_.cend()) {
        if (found->job != nullptr && found->job->IsRunning() && found->writer != nullptr &&
            found->job->Follows(*found->writer)) {
            found->writer->Follow(*request);
        }
        return;
    }

    // Taken before the dialog, so a declined download uses it up too. One the
    // engine made of a file a pane loads is the pane's, not the page's.
    DownloadAsks::Ask ask;
    DownloadAsks::Match match = asks_.Take(askedName, &ask);
    if (match == DownloadAsks::Match::NotAsked && !request->isSavePageDownload() &&
        asks_.TakeLoad(request->url(), &ask)) {
        match = DownloadAsks::Match::Asked;
    }
    if (match == DownloadAsks::Match::Withdrawn) {
        return;
    }
    // A page gets no dialog over another, and only a few a minute: left
    // unaccepted, its request is cancelled. Past the limit the pane shows why
    // in the page's place, and what that page had still under way gets no
    // dialog either. A saved page is the user's own: only the engine's menu
    // starts one.
    if (match == DownloadAsks::Match::NotAsked && !request->isSavePageDownload()) {
        if (choosing_ || pageRefused_) {
            return;
        }
        if (!pageDownloads_.Admit(clock_.elapsed())) {
            pageRefused_ = true;
            Q_EMIT PageDownloadRefused(
                pagePane_.data(),
                Say(DownloadText::PageTooMany, QString::number(PageDownloadLimit::kPerMinute)));
            return;
        }
    }
    const QString name = NameToOffer(*request, match, ask.expected);
    auto* pane = qobject_cast<QWidget*>(ask.asker.data());
    QWidget* parent = pane != nullptr ? pane : QApplication::activeWindow();

    // The save dialog runs an event loop, in which anything may go.
    const QPointer<QWebEngineDownloadRequest> guard(request);
    // The user's download folder, never the request's own, which a server's
    // name can move; where there is none, the dialog starts at home rather
    // than wherever the program was started.
    QString folder = profile_.downloadPath();
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    QString chosen;
    {
        const QScopedValueRollback<bool> choosing(choosing_, true);
        chosen = chooser_(parent, QDir(folder).filePath(name));
    }
    if (chosen.isEmpty() || guard.isNull() ||
        request->state() != QWebEngineDownloadRequest::DownloadRequested) {
        return;
    }
    Open(*request, chosen, ask);
}

void DownloadStarter::Open(QWebEngineDownloadRequest& request, const QString& chosen,
                           const DownloadAsks::Ask& ask) {
    // Made as the dialog closes: whatever is under the chosen name now is
    // what the user agreed to replace, and nothing else will be.
    const PartFile part(chosen);
    auto writer = std::make_unique<EngineDownload>(request, part);
    EngineDownload* followedWriter = writer.get();
    auto job = std::make_unique<DownloadJob>(part, ask.expected, std::move(writer));
    connect(job.get(), &DownloadJob::Rerouted, this,
            [this, asker = ask.asker](const QString& refusal) {
                if (asker != nullptr) {
                    Q_EMIT AskRerouted(asker.data(), refusal);
                }
            });
    followed_.insert(request.id(), {followedWriter, job.get()});
    auto* window = new DownloadWindow(std::move(job));
    windows_.removeAll(nullptr);
    windows_.append(window);
    connect(window, &QObject::destroyed, this, &DownloadStarter::OnWindowGone,
            Qt::QueuedConnection);
    window->show();
    window->raise();
    window->activateWindow();
}
