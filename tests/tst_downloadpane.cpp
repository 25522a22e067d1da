// The version file downloader with the real browser pane, against a file
// server of the test's own on 127.0.0.1: what the server is asked for, the
// name the file is offered under, what ends up on disk, and the window after.
// What the pane and its download window do with any file is tst_browserpane's;
// pages that fail to load are tst_panefaults'. Runs on a real display (Xvfb).
#include "CjkFonts.h"
#include "EngineFixture.h"
#include "LocalBases.h"
#include "PaneDownloads.h"
#include "RecordingHost.h"
#include "WindowInput.h"
#include "download.h"

#include <QLineEdit>
#include <QTest>

using namespace PaneDownloads;
using namespace WindowInput;

namespace {

const QByteArray kServerJar = "/Minecraft.Download/1.7.2/minecraft_server.1.7.2.jar";

} // namespace

class TestDownloadPane final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void serverJarFromTheStore_data();
    void serverJarFromTheStore();

private:
    QWidget* Control(const char* name) const { return Named(window_.get(), name); }
    void Choose(const char* option) { Click(Control(option), QPoint(5, 5)); }
    void Download() { Click(Control("Label4"), QPoint(10, 10)); }

    EngineFixture engine_;
    RecordingHost host_;
    std::unique_ptr<download> window_;
};

void TestDownloadPane::initTestCase() {
    InstallCjkFontFallbacks();
    QVERIFY(engine_.Start());
}

void TestDownloadPane::init() {
    window_ = std::make_unique<download>(host_, engine_.panes,
                                         VersionFileBasesAt(engine_.server.Address(QString())));
    window_->Show();
    QVERIFY(QTest::qWaitForWindowExposed(window_->Surface()));
}

void TestDownloadPane::cleanup() {
    window_.reset();
    engine_.Reset();
}

void TestDownloadPane::serverJarFromTheStore_data() {
    QTest::addColumn<qint64>("dropAfter");
    QTest::addColumn<QString>("outcome");
    QTest::newRow("saved whole") << qint64(-1) << QStringLiteral("下载完成");
    // What the download window then says is the pane's own (tst_browserpane).
    QTest::newRow("cut short") << qint64(2 * 1024 * 1024) << QStringLiteral("下载失败：");
}

// The store's server jar: only its address is asked, it is offered under
// the name in the address, and whatever becomes of the download, the
// window is unharmed and can go on.
void TestDownloadPane::serverJarFromTheStore() {
    QFETCH(qint64, dropAfter);
    QFETCH(QString, outcome);
    HttpRoute jar = Routes::Jar(5 * 1024 * 1024 + 13);
    jar.dropAfter = dropAfter;
    engine_.server.Serve(kServerJar, jar);
    engine_.saveAs = engine_.SavePath(QStringLiteral("服务端.jar"));

    Choose("Option5");
    Download();
    QWidget* progress = AwaitDownloadWindow();
    QVERIFY(progress != nullptr);
    QCOMPARE(engine_.suggestions.size(), 1);
    QCOMPARE(QFileInfo(engine_.suggestions.first()).fileName(),
             QStringLiteral("minecraft_server.1.7.2.jar"));
    QTRY_VERIFY_WITH_TIMEOUT(LabelText(progress, "stateLabel").startsWith(outcome), kLoadTimeout);
    // The jar's address and no other; once only, unless the engine asks
    // again for what was cut short.
    const QList<QByteArray> requests = engine_.server.Requests();
    QVERIFY(!requests.isEmpty());
    QCOMPARE(requests.count(kServerJar), requests.size());
    if (dropAfter < 0) {
        QCOMPARE(requests.size(), 1);
        QCOMPARE(FilesIn(engine_.Folder()), QStringList{QStringLiteral("服务端.jar")});
        QVERIFY(HoldsGeneratedBody(engine_.saveAs, jar.generatedSize));
    }
    QVERIFY(window_->IsLoaded());
    QCOMPARE(static_cast<QLineEdit*>(Control("Text1"))->text(), QStringLiteral("1.7.2"));
}

QTEST_MAIN(TestDownloadPane)
#include "tst_downloadpane.moc"
