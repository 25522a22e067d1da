#pragma once

#include "LocalHttpServer.h"
#include "ModulePaneSource.h"

#include <QRgb>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class BrowserPane;
class PaneSource;
class QWidget;

// What the suites that run the real pane share.

// How long the engine may take over anything a test asks of it (a load, a
// drawing, a download) before the test gives up.
inline constexpr int kLoadTimeout = 30000;

// Lets the event loop turn `turns` times, counted by a chain of zero-time
// timers, each started by the one before: whatever the program has posted,
// or put on zero-time timers, fewer steps deep than that has run by then,
// however slow the machine. For a check that something did not happen;
// false if the turns were not done within the load time limit.
bool TurnTheEventLoop(int turns = 10);

// Sends `pane` to an address of `server` no test serves, and waits for the
// server to see it: what the pane was still to ask for before is asked
// ahead of it. Returns the requests before it; one naming the fence if it
// never came.
QList<QByteArray> RequestsBeforeFence(BrowserPane& pane, const LocalHttpServer& server);

// Answers the tests' servers give.
namespace Routes {
// image/png, of one colour.
HttpRoute Png(QRgb colour, int width, int height);
HttpRoute Json(const QByteArray& body, int status = 200);
// application/java-archive: `size` bytes of LocalHttpServer::GeneratedBody.
HttpRoute Jar(qint64 size);
// A download the server names itself: application/octet-stream, sent as an
// attachment called `fileName`; the body is left to the caller.
HttpRoute Attachment(const QByteArray& fileName);
// 302 to `location`.
HttpRoute Redirect(const QByteArray& location);
} // namespace Routes

// A shown window of its own holding a fresh pane, and the engine's view in it.
struct PaneHolder {
    std::unique_ptr<QWidget> window;
    BrowserPane* pane = nullptr;
    QWidget* view = nullptr;

    // Navigates and waits for the engine to finish loading; false on timeout.
    bool Load(const QString& address);
    // Right-clicks the view at `at` (in the window) and picks the item
    // called `item` from the engine's menu; false when there is none.
    bool PickFromMenu(const QPoint& at, const QString& item);
};
PaneHolder OpenPane(PaneSource& panes);

// The pane module, a file server of the test's own on 127.0.0.1, a fresh
// folder to save into for every test, and the save question answered with
// `saveAs` (empty declines), each suggestion noted.
class EngineFixture {
public:
    // The module where the program finds it.
    EngineFixture() = default;
    explicit EngineFixture(const QString& modulePath)
        : panes(modulePath) {}

    // For initTestCase: false when the server cannot listen or the folder
    // cannot be made.
    bool Start();
    // For cleanup: no download window and no unloaded widget left, stalled
    // answers let go, and nothing remembered: requests, suggestions, the
    // answer, and the folder with what was saved in it.
    void Reset();
    // Takes the save question back from a chooser a test set itself.
    void AnswerSaveQuestions();

    // Sends `pane` to `target` on the server, with the save question
    // answered `saveAs`, and returns the download's window; null when no
    // one window opened within the load time limit.
    QWidget* Download(BrowserPane& pane, const QByteArray& target, const QString& saveAs);
    // The same with an address of any server.
    QWidget* DownloadFrom(BrowserPane& pane, const QString& address, const QString& saveAs);
    // Waits up to the load time limit for `window`'s state to read `outcome`
    // (or, with `whole` false, to begin with it); false, with the failure
    // logged as a comparison's, when it does not.
    [[nodiscard]] static bool ExpectOutcome(QWidget* window, const QString& outcome,
                                            bool whole = true);
    // Waits until the engine has done every file operation it had queued,
    // such as the part file a cancelled download's file thread still makes:
    // the engine does all downloads' file work on one sequence, so once a
    // download of the fixture's own, started now, is whole, whatever came
    // before it has landed. The fence's window, file and question are gone
    // again after; false when it did not finish.
    [[nodiscard]] bool AwaitQueuedFileWork();

    QString Folder() const { return folder_->path(); }
    QString SavePath(const QString& name) const { return folder_->filePath(name); }

    LocalHttpServer server;
    ModulePaneSource panes;
    QString saveAs;
    QStringList suggestions;

private:
    std::unique_ptr<QTemporaryDir> folder_;
};
