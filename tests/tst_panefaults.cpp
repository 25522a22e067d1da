// What the toolbox does when a page its panes load fails: missing files,
// refused and unanswered connections, redirect loops, oversized names; and
// what leaving the downloader does to a download still running. The
// downloads themselves, and what the engine asks for an address, are
// tst_browserpane's. The whole toolbox runs through its registry with the
// real pane module, against servers of the test's own on 127.0.0.1. Runs on
// a real display (Xvfb).
#include "BrowserPane.h"
#include "CjkFonts.h"
#include "EngineFixture.h"
#include "LocalBases.h"
#include "PaneDownloads.h"
#include "PaneScreen.h"
#include "TestTable.h"
#include "ToolkitWindows.h"
#include "WindowInput.h"
#include "WindowRegistry.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace PaneDownloads;
using namespace WindowInput;

namespace {

constexpr QRgb kSkinColour = 0xff2e8b57;
const QByteArray kServerJar = "/Minecraft.Download/1.7.2/minecraft_server.1.7.2.jar";

enum class Fault { NotFound, Refused, RedirectLoop };

} // namespace

class TestPaneFaults final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void faultShowsAnErrorPage_data();
    void faultShowsAnErrorPage();
    void unansweredAddressLeavesTheWindowResponsive_data();
    void unansweredAddressLeavesTheWindowResponsive();
    void oversizedAddressShowsAnErrorPage_data();
    void oversizedAddressShowsAnErrorPage();

    void leavingTheDownloaderKeepsItsDownload_data();
    void leavingTheDownloaderKeepsItsDownload();

private:
    // The toolbox as the program assembles it, with every server address
    // under `root`.
    void StartToolkit(const QString& root);
    // Clicks the main menu's tile for `window` and returns its loaded surface.
    QWidget* Enter(WindowName window);
    QWidget* Control(WindowName window, const char* name) const;
    void Choose(const char* option) { Click(Control(WindowName::download, option), QPoint(5, 5)); }
    void SetText(WindowName window, const QString& text) {
        static_cast<QLineEdit*>(Control(window, "Text1"))->setText(text);
    }
    // Starts the server jar of 1.7.2 from the store and returns its download window.
    QWidget* StartServerJarDownload();

    EngineFixture engine_;
    std::unique_ptr<WindowRegistry> registry_;
};

void TestPaneFaults::initTestCase() {
    InstallCjkFontFallbacks();
    QVERIFY(engine_.Start());
    engine_.server.Serve("/MinecraftSkins/Creeper.png", Routes::Png(kSkinColour, 64, 32));
    engine_.server.Serve("/MinecraftSkins/Loop.png", Routes::Redirect("/MinecraftSkins/Loop.png"));
    engine_.server.Serve("/versions/loop/loop.json", Routes::Redirect("/versions/loop/loop.json"));
}

void TestPaneFaults::cleanup() {
    registry_.reset();
    engine_.Reset();
}

void TestPaneFaults::StartToolkit(const QString& root) {
    registry_ = std::make_unique<WindowRegistry>();
    RegisterToolkitWindows(*registry_, engine_.panes, SkinBasesAt(root), VersionFileBasesAt(root));
    registry_->Start();
}

QWidget* TestPaneFaults::Enter(WindowName window) {
    const char* tile = window == WindowName::skin ? "Image1" : "Picture2";
    Click(Control(WindowName::Form1, tile), QPoint(5, 5));
    DestroyUnloadedWidgets();
    QWidget* surface = registry_->Instance(window)->Surface();
    if (surface == nullptr || !QTest::qWaitForWindowExposed(surface)) {
        return nullptr;
    }
    return surface;
}

QWidget* TestPaneFaults::Control(WindowName window, const char* name) const {
    return Named(registry_->Instance(window), name);
}

QWidget* TestPaneFaults::StartServerJarDownload() {
    StartToolkit(engine_.server.Address(QString()));
    if (Enter(WindowName::download) == nullptr) {
        return nullptr;
    }
    Choose("Option3");
    Choose("Option5");
    Click(Control(WindowName::download, "Label4"), QPoint(10, 10));
    return AwaitDownloadWindow();
}

void TestPaneFaults::faultShowsAnErrorPage_data() {
    TEST_COLUMNS(int, window);
    // The downloader's file and route.
    TEST_COLUMNS(QByteArray, kind, QByteArray, route, int, fault);
    // What the server says with its 404; nothing when empty.
    TEST_COLUMNS(QByteArray, page);
    const std::pair<const char*, Fault> faults[] = {{"404", Fault::NotFound},
                                                    {"connection refused", Fault::Refused},
                                                    {"redirect loop", Fault::RedirectLoop}};
    for (const auto& [faultName, fault] : faults) {
        QTest::addRow("skin, %s", faultName)
            << int(WindowName::skin) << QByteArray() << QByteArray() << int(fault) << QByteArray();
    }
    for (const auto& [faultName, fault] : faults) {
        QTest::addRow("version json, %s", faultName)
            << int(WindowName::download) << QByteArray("Option2") << QByteArray("Option4")
            << int(fault) << QByteArray();
    }
    QTest::newRow("version json, 404 with a page")
        << int(WindowName::download) << QByteArray("Option2") << QByteArray("Option4")
        << int(Fault::NotFound) << QByteArray("<h1>No such version</h1>");
    QTest::newRow("server jar, 404")
        << int(WindowName::download) << QByteArray("Option3") << QByteArray("Option5")
        << int(Fault::NotFound) << QByteArray();
}

// The pane ends the load as a failure and shows an error page in place of
// what it showed before; the downloader offers nothing to save; the window
// goes on working.
void TestPaneFaults::faultShowsAnErrorPage() {
    TEST_FETCH(int, window, QByteArray, kind, QByteArray, route, int, fault, QByteArray, page);
    const auto tool = WindowName(window);
    // Nothing listens where the refusing server was a moment ago.
    LocalHttpServer refusing;
    QVERIFY(refusing.Listen());
    const QString root = Fault(fault) == Fault::Refused ? refusing.Address(QString())
                                                        : engine_.server.Address(QString());
    refusing.Close();
    StartToolkit(root);
    QVERIFY(Enter(tool) != nullptr);
    QWidget* pane = Control(tool, "WebBrowser1");
    QWidget* view = ViewOf(*pane);
    QVERIFY(view != nullptr);
    const auto title = [view] { return view->property("title").toString(); };
    QSignalSpy finished(view, SIGNAL(loadFinished(bool)));
    // What shows before: the downloader's start address, or the skin.
    const bool imageFirst = tool == WindowName::skin && Fault(fault) != Fault::Refused;
    if (tool == WindowName::download) {
        QVERIFY(finished.wait(kLoadTimeout));
    } else if (imageFirst) {
        Click(Control(tool, "Label6"), QPoint(10, 10));
        QVERIFY(finished.wait(kLoadTimeout));
        QTRY_VERIFY_WITH_TIMEOUT(CountColour(Screenshot(*pane), kSkinColour) > 0, kLoadTimeout);
    }
    finished.clear();
    engine_.server.ClearRequests();
    const QString titleBefore = title();
    engine_.saveAs = engine_.SavePath(QStringLiteral("saved"));

    QString name = Fault(fault) == Fault::RedirectLoop ? QStringLiteral("Loop")
                   : Fault(fault) == Fault::Refused    ? QStringLiteral("Creeper")
                   : page.isEmpty()                    ? QStringLiteral("Nobody")
                                                       : QStringLiteral("Gone");
    QString expected;
    if (tool == WindowName::skin) {
        expected = root + QStringLiteral("/MinecraftSkins/%1.png").arg(name);
    } else {
        name = name.toLower();
        expected = root + (kind == "Option2"
                               ? QStringLiteral("/versions/%1/%1.json")
                               : QStringLiteral("/Minecraft.Download/%1/minecraft_server.%1.jar"))
                              .arg(name);
    }
    const QByteArray target = QUrl(expected).path().toUtf8();
    if (!page.isEmpty()) {
        HttpRoute missing;
        missing.status = 404;
        missing.body = page;
        engine_.server.Serve(target, missing);
    }
    SetText(tool, name);
    if (tool == WindowName::skin) {
        Click(Control(tool, "Label6"), QPoint(10, 10));
    } else {
        Choose(kind.constData());
        Choose(route.constData());
        Click(Control(tool, "Label4"), QPoint(10, 10));
    }

    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), kLoadTimeout);
    QCOMPARE(finished.first().first().toBool(), false);
    QCOMPARE(view->property("url").toUrl(), QUrl(expected));
    QTRY_COMPARE_WITH_TIMEOUT(CountColour(Screenshot(*pane), kSkinColour), 0, kLoadTimeout);
    // Dark text on white, where the skin showed on a dark ground; the
    // engine's own page where the server sent no body.
    QTRY_VERIFY_WITH_TIMEOUT(ShowsTextOnWhite(Screenshot(*pane), 300), kLoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!title().isEmpty() && title() != titleBefore, kLoadTimeout);
    QCOMPARE(finished.size(), 1);
    // Whatever the pane still had to ask for the fault, it asks before this.
    const QList<QByteArray> requests =
        RequestsBeforeFence(*pane->findChild<BrowserPane*>(), engine_.server);
    QVERIFY(engine_.suggestions.isEmpty());
    QVERIFY(DownloadWindows().isEmpty());
    QCOMPARE(FilesIn(engine_.Folder()), QStringList());

    switch (Fault(fault)) {
    case Fault::NotFound:
        QCOMPARE(requests, QList<QByteArray>{target});
        break;
    case Fault::Refused:
        QCOMPARE(requests, QList<QByteArray>());
        break;
    case Fault::RedirectLoop:
        // The engine gives up after a bounded number of hops.
        QVERIFY2(requests.size() > 1 && requests.size() <= 25,
                 qPrintable(QString::number(requests.size())));
        QCOMPARE(requests.count(target), requests.size());
        break;
    }

    Click(Control(tool, "Label5"), QPoint(3, 3));
    DestroyUnloadedWidgets();
    QCOMPARE(registry_->LoadedCount(), 1);
    QVERIFY(registry_->Instance(WindowName::Form1)->IsLoaded());
}

void TestPaneFaults::unansweredAddressLeavesTheWindowResponsive_data() {
    TEST_COLUMNS(int, window, QByteArray, kind);
    QTest::newRow("skin image") << int(WindowName::skin) << QByteArray();
    QTest::newRow("version json") << int(WindowName::download) << QByteArray("Option2");
    QTest::newRow("server jar") << int(WindowName::download) << QByteArray("Option3");
}

// A server that takes the connection and never answers: the window goes on
// taking input, Back unloads it with its pane mid-load, and the engine lets
// the connection go and goes on working.
void TestPaneFaults::unansweredAddressLeavesTheWindowResponsive() {
    TEST_FETCH(int, window, QByteArray, kind);
    const auto tool = WindowName(window);
    // Takes every connection and never answers.
    LocalHttpServer silent;
    HttpRoute unanswered;
    unanswered.holdHead = true;
    silent.ServeAnyOther(unanswered);
    QVERIFY(silent.Listen());
    StartToolkit(silent.Address(QString()));
    QVERIFY(Enter(tool) != nullptr);
    if (tool == WindowName::skin) {
        Click(Control(tool, "Label6"), QPoint(10, 10));
    } else {
        Choose(kind.constData());
        Choose("Option4");
        Click(Control(tool, "Label4"), QPoint(10, 10));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!silent.Requests().isEmpty(), kLoadTimeout);

    // The event loop keeps turning and the window takes typing, while the
    // server still holds the answer back.
    QVERIFY(TurnTheEventLoop(50));
    auto* text = static_cast<QLineEdit*>(Control(tool, "Text1"));
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("x"));
    QVERIFY(TurnTheEventLoop(50));
    QVERIFY(text->text().endsWith(QLatin1Char('x')));
    QCOMPARE(silent.OpenConnections(), 1);

    const QPointer<QWidget> pane = Control(tool, "WebBrowser1");
    Click(Control(tool, "Label5"), QPoint(3, 3));
    DestroyUnloadedWidgets();
    QVERIFY(pane.isNull());
    QCOMPARE(registry_->LoadedCount(), 1);
    QVERIFY(registry_->Instance(WindowName::Form1)->IsLoaded());
    QTRY_COMPARE_WITH_TIMEOUT(silent.OpenConnections(), 0, kLoadTimeout);
    QVERIFY(DownloadWindows().isEmpty());
    QVERIFY(engine_.suggestions.isEmpty());

    // The engine is not stuck: a fresh pane shows an image.
    QWidget holder;
    holder.resize(200, 100);
    holder.show();
    QVERIFY(QTest::qWaitForWindowExposed(&holder));
    engine_.panes.CreatePane(holder).Navigate(
        engine_.server.Address(QStringLiteral("/MinecraftSkins/Creeper.png")));
    QTRY_VERIFY_WITH_TIMEOUT(CountColour(Screenshot(holder), kSkinColour) > 0, kLoadTimeout);
}

void TestPaneFaults::leavingTheDownloaderKeepsItsDownload_data() {
    TEST_COLUMNS(QByteArray, control, bool, running);
    QTest::newRow("closed, download running") << QByteArray("picclose") << true;
    QTest::newRow("closed, download finished") << QByteArray("picclose") << false;
    QTest::newRow("Back, download running") << QByteArray("Label5") << true;
}

// "╳" with a download still running leaves its window to go on; the program
// ends once that window is closed. With none running it ends at once. Back
// shows the menu and leaves the download to go on as well.
void TestPaneFaults::leavingTheDownloaderKeepsItsDownload() {
    TEST_FETCH(QByteArray, control, bool, running);
    const bool back = control == "Label5";
    constexpr qint64 kSize = 2 * 1024 * 1024 + 7;
    constexpr qint64 kStep = 64 * 1024;
    HttpRoute jar = Routes::Jar(kSize);
    jar.stallEvery = kStep;
    engine_.server.Serve(kServerJar, jar);
    // While a running download is wanted, the server holds the first step
    // until the window has been left; then it sends the rest at once.
    if (!running) {
        engine_.server.StopStalling();
    }
    engine_.saveAs = engine_.SavePath(QStringLiteral("minecraft_server.1.7.2.jar"));
    QWidget* window = StartServerJarDownload();
    QVERIFY(window != nullptr);
    const QPointer<QWidget> progress = window;
    QSignalSpy ending(registry_.get(), &WindowRegistry::applicationEnding);
    if (!running) {
        QTRY_COMPARE_WITH_TIMEOUT(LabelText(window, "stateLabel"), QStringLiteral("下载完成"),
                                  kLoadTimeout);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(ProgressBar(window)->value() >= 3, kLoadTimeout);
        QCOMPARE(LabelText(window, "stateLabel"), QStringLiteral("正在下载…"));
    }

    Click(Control(WindowName::download, control.constData()), QPoint(3, 3));
    engine_.server.StopStalling();
    DestroyUnloadedWidgets();
    QCOMPARE(registry_->LoadedCount(), back ? 1 : 0);
    QCOMPARE(registry_->Instance(WindowName::Form1)->IsLoaded(), back);
    if (!running) {
        QCOMPARE(ending.size(), 1);
        return;
    }
    QCOMPARE(ending.size(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(LabelText(window, "stateLabel"), QStringLiteral("下载完成"),
                              kLoadTimeout);
    QVERIFY(HoldsGeneratedBody(engine_.saveAs, kSize));
    QVERIFY(TurnTheEventLoop());
    QCOMPARE(ending.size(), 0);
    window->close();
    QTRY_VERIFY(progress.isNull());
    if (back) {
        // The window's going is noted on a later turn.
        QVERIFY(TurnTheEventLoop());
        QCOMPARE(ending.size(), 0);
        QVERIFY(registry_->Instance(WindowName::Form1)->IsLoaded());
    } else {
        QTRY_COMPARE(ending.size(), 1);
    }
}

void TestPaneFaults::oversizedAddressShowsAnErrorPage_data() {
    TEST_COLUMNS(int, window);
    QTest::newRow("skin name") << int(WindowName::skin);
    // The version goes into the address twice.
    QTest::newRow("version") << int(WindowName::download);
}

// An address longer than the engine takes (2 MiB): the engine drops it
// without a word, so the pane itself says why nothing came, in place of what
// it showed before, and asks nobody.
void TestPaneFaults::oversizedAddressShowsAnErrorPage() {
    TEST_FETCH(int, window);
    const auto tool = WindowName(window);
    StartToolkit(engine_.server.Address(QString()));
    QVERIFY(Enter(tool) != nullptr);
    QWidget* pane = Control(tool, "WebBrowser1");
    if (tool == WindowName::skin) {
        Click(Control(tool, "Label6"), QPoint(10, 10));
        QTRY_VERIFY_WITH_TIMEOUT(CountColour(Screenshot(*pane), kSkinColour) > 0, kLoadTimeout);
        SetText(tool, QString(2200 * 1024, QLatin1Char('n')));
        Click(Control(tool, "Label6"), QPoint(10, 10));
    } else {
        Choose("Option2");
        Choose("Option4");
        SetText(tool, QString(1100 * 1024, QLatin1Char('v')));
        Click(Control(tool, "Label4"), QPoint(10, 10));
    }
    QTRY_COMPARE_WITH_TIMEOUT(CountColour(Screenshot(*pane), kSkinColour), 0, kLoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(ShowsTextOnWhite(Screenshot(*pane), 20), kLoadTimeout);
    QCOMPARE(RequestsBeforeFence(*pane->findChild<BrowserPane*>(), engine_.server).size(),
             tool == WindowName::skin ? 1 : 0);
    QVERIFY(DownloadWindows().isEmpty());
    QVERIFY(engine_.suggestions.isEmpty());
}

QTEST_MAIN(TestPaneFaults)
#include "tst_panefaults.moc"
