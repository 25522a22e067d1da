// The version file downloader with the real browser pane, against a file
// server of the test's own on 127.0.0.1: what the server is asked for, and
// what ends up on disk. Runs on a real display (Xvfb).
#include "BrowserPaneModule.h"
#include "CjkFonts.h"
#include "LocalHttpServer.h"
#include "ModulePaneSource.h"
#include "PaneDownloads.h"
#include "PaneScreen.h"
#include "RecordingHost.h"
#include "WindowInput.h"
#include "download.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace PaneDownloads;
using namespace WindowInput;

namespace {

constexpr int kLoadTimeout = 30000;
const QByteArray kServerJar = "/Minecraft.Download/1.7.2/minecraft_server.1.7.2.jar";
const QByteArray kMirrorJson = "/versions/1.7.2/1.7.2.json";

HttpRoute Jar(qint64 size) {
    HttpRoute route;
    route.contentType = "application/java-archive";
    route.generatedSize = size;
    return route;
}

} // namespace

class TestDownloadPane final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void startAddressAsksNothing();
    void serverJarFromTheStoreIsSavedWhole();
    void versionJsonFromTheMirrorIsSavedWhole();
    void wrongVersionShowsAnErrorPage_data();
    void wrongVersionShowsAnErrorPage();
    void droppedJarFailsAndLeavesNothing();

private:
    QWidget* Control(const char* name) const {
        return window_->Surface()->findChild<QWidget*>(QString::fromLatin1(name));
    }
    void Choose(const char* option) { Click(Control(option), QPoint(5, 5)); }
    void Download() { Click(Control("Label4"), QPoint(10, 10)); }
    // The one download window that a click opened, or null.
    QWidget* AwaitDownloadWindow();

    LocalHttpServer server_;
    ModulePaneSource panes_;
    RecordingHost host_;
    std::unique_ptr<download> window_;
    QTemporaryDir directory_;
    QString saveAs_;
    QStringList suggestions_;
};

void TestDownloadPane::initTestCase() {
    InstallCjkFontFallbacks();
    QVERIFY(server_.Listen());
    QVERIFY(directory_.isValid());
    panes_.Module().SetSaveLocationChooser([this](QWidget*, const QString& suggestedPath) {
        suggestions_.append(suggestedPath);
        return saveAs_;
    });
}

void TestDownloadPane::init() {
    const QString root = server_.Address(QString());
    window_ =
        std::make_unique<download>(host_, panes_,
                                   VersionFileBases{(root + "/versions/").toStdString(),
                                                    (root + "/Minecraft.Download/").toStdString()});
    window_->Show();
    QVERIFY(QTest::qWaitForWindowExposed(window_->Surface()));
}

void TestDownloadPane::cleanup() {
    qDeleteAll(DownloadWindows());
    window_.reset();
    DestroyUnloadedWidgets();
    server_.ClearRequests();
    suggestions_.clear();
    for (const QString& name : FilesIn(directory_.path())) {
        QFile::remove(directory_.filePath(name));
    }
}

QWidget* TestDownloadPane::AwaitDownloadWindow() {
    if (!QTest::qWaitFor([] { return !DownloadWindows().isEmpty(); }, kLoadTimeout)) {
        return nullptr;
    }
    const QList<QWidget*> windows = DownloadWindows();
    return windows.size() == 1 ? windows.first() : nullptr;
}

void TestDownloadPane::startAddressAsksNothing() {
    QWidget* view = ViewOf(*Control("WebBrowser1"));
    QVERIFY(view != nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(view->property("url").toUrl(), QUrl(QStringLiteral("about:blank")),
                              kLoadTimeout);
    QTest::qWait(500);
    // Blank, and nobody asked: the start address names no server.
    QVERIFY(!ShowsSomething(Screenshot(*view)));
    QCOMPARE(server_.Requests(), QList<QByteArray>());
    // No route chosen yet: a click still asks nothing.
    Download();
    QTest::qWait(500);
    QCOMPARE(server_.Requests(), QList<QByteArray>());
    QVERIFY(DownloadWindows().isEmpty());
}

void TestDownloadPane::serverJarFromTheStoreIsSavedWhole() {
    const HttpRoute jar = Jar(5 * 1024 * 1024 + 13);
    server_.Serve(kServerJar, jar);
    saveAs_ = directory_.filePath(QStringLiteral("服务端.jar"));

    Choose("Option5");
    Download();
    QWidget* progress = AwaitDownloadWindow();
    QVERIFY(progress != nullptr);
    QCOMPARE(server_.Requests(), QList<QByteArray>{kServerJar});
    QCOMPARE(suggestions_.size(), 1);
    QCOMPARE(QFileInfo(suggestions_.first()).fileName(),
             QStringLiteral("minecraft_server.1.7.2.jar"));
    QTRY_COMPARE_WITH_TIMEOUT(LabelText(progress, "stateLabel"), QStringLiteral("下载完成"),
                              kLoadTimeout);
    QCOMPARE(FilesIn(directory_.path()), QStringList{QStringLiteral("服务端.jar")});
    // Compared with QVERIFY so a failure does not print megabytes.
    const QByteArray saved = ReadFile(saveAs_);
    QCOMPARE(saved.size(), jar.generatedSize);
    QVERIFY(saved == LocalHttpServer::GeneratedBody(jar.generatedSize));
}

void TestDownloadPane::versionJsonFromTheMirrorIsSavedWhole() {
    HttpRoute json;
    json.contentType = "application/json";
    json.body = "{\"id\": \"1.7.2\", \"type\": \"release\",\r\n \"mainClass\": "
                "\"net.minecraft.client.main.Main\", \"note\": \"\xe7\x89\x88\\u0000\"}\n";
    server_.Serve(kMirrorJson, json);
    saveAs_ = directory_.filePath(QStringLiteral("1.7.2.json"));

    Choose("Option2");
    Choose("Option4");
    Download();
    QWidget* progress = AwaitDownloadWindow();
    QVERIFY(progress != nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(LabelText(progress, "stateLabel"), QStringLiteral("下载完成"),
                              kLoadTimeout);
    // Loaded in the pane, then fetched as the file: that address and no other.
    const QList<QByteArray> requests = server_.Requests();
    QVERIFY(!requests.isEmpty());
    QCOMPARE(requests.count(kMirrorJson), requests.size());
    QCOMPARE(suggestions_.size(), 1);
    QCOMPARE(QFileInfo(suggestions_.first()).fileName(), QStringLiteral("1.7.2.json"));
    QCOMPARE(FilesIn(directory_.path()), QStringList{QStringLiteral("1.7.2.json")});
    QCOMPARE(ReadFile(saveAs_), json.body);
}

void TestDownloadPane::wrongVersionShowsAnErrorPage_data() {
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QByteArray>("route");
    QTest::addColumn<QByteArray>("target");
    QTest::newRow("json, mirror") << QByteArray("Option2") << QByteArray("Option4")
                                  << QByteArray("/versions/9.9.9/9.9.9.json");
    QTest::newRow("server jar, store")
        << QByteArray("Option3") << QByteArray("Option5")
        << QByteArray("/Minecraft.Download/9.9.9/minecraft_server.9.9.9.jar");
}

void TestDownloadPane::wrongVersionShowsAnErrorPage() {
    QFETCH(QByteArray, kind);
    QFETCH(QByteArray, route);
    QFETCH(QByteArray, target);
    Choose(kind.constData());
    Choose(route.constData());
    static_cast<QLineEdit*>(Control("Text1"))->setText(QStringLiteral("9.9.9"));
    Download();
    // As the frame's caption tells the user: an error page means a wrong
    // version or route. Nothing is offered for saving.
    QWidget* pane = Control("WebBrowser1");
    QTRY_VERIFY_WITH_TIMEOUT(ShowsTextOnWhite(Screenshot(*pane), 20), kLoadTimeout);
    QTest::qWait(500);
    QCOMPARE(server_.Requests(), QList<QByteArray>{target});
    QVERIFY(suggestions_.isEmpty());
    QVERIFY(DownloadWindows().isEmpty());
}

void TestDownloadPane::droppedJarFailsAndLeavesNothing() {
    HttpRoute jar = Jar(4 * 1024 * 1024);
    jar.dropAfter = 2 * 1024 * 1024;
    server_.Serve(kServerJar, jar);
    saveAs_ = directory_.filePath(QStringLiteral("minecraft_server.1.7.2.jar"));

    Choose("Option5");
    Download();
    QWidget* progress = AwaitDownloadWindow();
    QVERIFY(progress != nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(
        LabelText(progress, "stateLabel").startsWith(QStringLiteral("下载失败：")), kLoadTimeout);
    QCOMPARE(progress->findChild<QPushButton*>("actionButton")->text(), QStringLiteral("关闭"));
    QCOMPARE(FilesIn(directory_.path()), QStringList());
    QTest::qWait(1000);
    QCOMPARE(FilesIn(directory_.path()), QStringList());
    // The window is unharmed and can go on.
    QVERIFY(window_->IsLoaded());
    QCOMPARE(static_cast<QLineEdit*>(Control("Text1"))->text(), QStringLiteral("1.7.2"));
}

QTEST_MAIN(TestDownloadPane)
#include "tst_downloadpane.moc"
