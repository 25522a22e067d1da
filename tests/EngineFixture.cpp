#include "EngineFixture.h"

#include "BrowserPane.h"
#include "BrowserPaneModule.h"
#include "PaneDownloads.h"
#include "PaneScreen.h"
#include "PaneSource.h"
#include "WindowInput.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>

namespace {

const QByteArray kFenceTarget = "/engine-fixture/fence.bin";

} // namespace

bool TurnTheEventLoop(int turns) {
    int left = turns;
    QObject chain;
    std::function<void()> step = [&] {
        if (--left > 0) {
            QTimer::singleShot(0, &chain, step);
        }
    };
    QTimer::singleShot(0, &chain, step);
    return QTest::qWaitFor([&left] { return left == 0; }, kLoadTimeout);
}

QList<QByteArray> RequestsBeforeFence(BrowserPane& pane, const LocalHttpServer& server) {
    static int fences = 0;
    const QByteArray fence = "/fence/" + QByteArray::number(++fences);
    pane.Navigate(server.Address(QString::fromLatin1(fence)));
    if (!QTest::qWaitFor([&] { return server.Requests().contains(fence); }, kLoadTimeout)) {
        return {fence + " never asked"};
    }
    const QList<QByteArray> requests = server.Requests();
    return requests.mid(0, requests.indexOf(fence));
}

namespace Routes {

HttpRoute Png(QRgb colour, int width, int height) {
    HttpRoute route;
    route.contentType = "image/png";
    route.body = SolidPng(colour, width, height);
    return route;
}

HttpRoute Json(const QByteArray& body, int status) {
    HttpRoute route;
    route.status = status;
    route.contentType = "application/json";
    route.body = body;
    return route;
}

HttpRoute Jar(qint64 size) {
    HttpRoute route;
    route.contentType = "application/java-archive";
    route.generatedSize = size;
    return route;
}

HttpRoute Attachment(const QByteArray& fileName) {
    HttpRoute route;
    route.contentType = "application/octet-stream";
    route.contentDisposition = "attachment; filename=\"" + fileName + '"';
    return route;
}

HttpRoute Redirect(const QByteArray& location) {
    HttpRoute route;
    route.status = 302;
    route.extraHeaders = "Location: " + location + "\r\n";
    return route;
}

} // namespace Routes

bool PaneHolder::Load(const QString& address) {
    QSignalSpy finished(view, SIGNAL(loadFinished(bool)));
    pane->Navigate(address);
    return finished.wait(kLoadTimeout);
}

bool PaneHolder::PickFromMenu(const QPoint& at, const QString& item) {
    // Where the engine takes input.
    QWidget* surface = view->focusProxy();
    QTest::mouseClick(surface, Qt::RightButton, {}, surface->mapFrom(window.get(), at));
    QMenu* menu = nullptr;
    if (!QTest::qWaitFor(
            [&menu] {
                return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr;
            },
            kLoadTimeout)) {
        return false;
    }
    const QList<QAction*> actions = menu->actions();
    const auto picked = std::find_if(actions.cbegin(), actions.cend(),
                                     [&item](QAction* action) { return action->text() == item; });
    if (picked != actions.cend()) {
        (*picked)->trigger();
    }
    menu->close();
    return picked != actions.cend();
}

PaneHolder OpenPane(PaneSource& panes) {
    PaneHolder holder;
    holder.window = std::make_unique<QWidget>();
    holder.window->resize(480, 360);
    holder.window->show();
    holder.pane = &panes.CreatePane(*holder.window);
    holder.view = ViewOf(*holder.pane);
    return holder;
}

bool EngineFixture::Start() {
    AnswerSaveQuestions();
    folder_ = std::make_unique<QTemporaryDir>();
    HttpRoute fence = Routes::Attachment("fence.bin");
    fence.body = "fence";
    server.Serve(kFenceTarget, fence);
    return server.Listen() && folder_->isValid();
}

void EngineFixture::Reset() {
    qDeleteAll(PaneDownloads::DownloadWindows());
    WindowInput::DestroyUnloadedWidgets();
    server.StopStalling();
    server.AllowStalling();
    server.ClearRequests();
    suggestions.clear();
    saveAs.clear();
    AnswerSaveQuestions();
    // A new folder: whatever the engine still writes goes to the old one,
    // which is gone.
    folder_ = std::make_unique<QTemporaryDir>();
}

void EngineFixture::AnswerSaveQuestions() {
    panes.Module().SetSaveLocationChooser([this](QWidget*, const QString& suggestedPath) {
        suggestions.append(suggestedPath);
        return saveAs;
    });
}

QWidget* EngineFixture::Download(BrowserPane& pane, const QByteArray& target,
                                 const QString& saveAs) {
    return DownloadFrom(pane, server.Address(QString::fromLatin1(target)), saveAs);
}

QWidget* EngineFixture::DownloadFrom(BrowserPane& pane, const QString& address,
                                     const QString& saveAs) {
    this->saveAs = saveAs;
    pane.Navigate(address);
    return PaneDownloads::AwaitDownloadWindow();
}

bool EngineFixture::ExpectOutcome(QWidget* window, const QString& outcome, bool whole) {
    const auto state = [window] { return PaneDownloads::LabelText(window, "stateLabel"); };
    const auto reached = [&] { return whole ? state() == outcome : state().startsWith(outcome); };
    if (window == nullptr) {
        return QTest::qVerify(false, "window != nullptr", "no download window", __FILE__, __LINE__);
    }
    // Past the time limit, what the label shows is compared all the same.
    static_cast<void>(QTest::qWaitFor(reached, kLoadTimeout));
    const QString shown = state();
    if (whole) {
        return QTest::qCompare(shown, outcome, "state", "outcome", __FILE__, __LINE__);
    }
    return QTest::qVerify(shown.startsWith(outcome), "state starts with outcome",
                          qPrintable(shown + QStringLiteral(" does not begin with ") + outcome),
                          __FILE__, __LINE__);
}

bool EngineFixture::AwaitQueuedFileWork() {
    const QList<QWidget*> before = PaneDownloads::DownloadWindows();
    const QString answer = saveAs;
    const QStringList asked = suggestions;
    QTemporaryDir fenceFolder;
    saveAs = fenceFolder.filePath(QStringLiteral("fence.bin"));
    PaneHolder holder = OpenPane(panes);
    holder.pane->Navigate(server.Address(QString::fromLatin1(kFenceTarget)));
    QWidget* window = nullptr;
    const bool done = QTest::qWaitFor(
        [&] {
            for (QWidget* opened : PaneDownloads::DownloadWindows()) {
                window = before.contains(opened) ? window : opened;
            }
            return window != nullptr &&
                   PaneDownloads::LabelText(window, "stateLabel") == QStringLiteral("下载完成");
        },
        kLoadTimeout);
    for (QWidget* opened : PaneDownloads::DownloadWindows()) {
        if (!before.contains(opened)) {
            delete opened;
        }
    }
    saveAs = answer;
    suggestions = asked;
    return done;
}
