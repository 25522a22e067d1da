// The version file downloader with the real browser pane, against a file
// server of the test's own on 127.0.0.1: what the server is asked for, the
// name the file is offered under, what ends up on disk, and the window after.
// What the pane and its download window do with any file is tst_browserpane's;
// pages that fail to load are tst_panefaults'. Also the pane's place in the
// tab order. Runs on a real display (Xvfb).
#include "BrowserPane.h"
#include "CjkFonts.h"
#include "EngineFixture.h"
#include "LocalBases.h"
#include "PaneDownloads.h"
#include "PaneScreen.h"
#include "RecordingHost.h"
#include "TestTable.h"
#include "WindowInput.h"
#include "download.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
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
    void tabReachesThePaneInItsPlace();

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
    TEST_COLUMNS(qint64, dropAfter, QString, outcome);
    QTest::newRow("saved whole") << qint64(-1) << QStringLiteral("下载完成");
    // What the download window then says is the pane's own (tst_browserpane).
    QTest::newRow("cut short") << qint64(2 * 1024 * 1024) << QStringLiteral("下载失败：");
}

// The store's server jar: only its address is asked, it is offered under
// the name in the address, and whatever becomes of the download, the
// window is unharmed and can go on.
void TestDownloadPane::serverJarFromTheStore() {
    TEST_FETCH(qint64, dropAfter, QString, outcome);
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

// From the control that has the focus when the window opens, Tab goes by
// the tab indexes all the way round, into the pane between Picture2 and
// Picture1 and on out of it, one stop for one Tab; also once the engine has
// given the view a new inner widget, as it does for each new site.
void TestDownloadPane::tabReachesThePaneInItsPlace() {
    auto* pane = Control("WebBrowser1")->findChild<BrowserPane*>();
    QWidget* view = ViewOf(*pane);
    const QPointer<QWidget> inner = view->focusProxy();
    engine_.server.Serve("/a.png", Routes::Png(qRgb(1, 2, 3), 8, 8));
    for (const char* host : {"127.0.0.1", "localhost"}) {
        QSignalSpy loaded(view, SIGNAL(loadFinished(bool)));
        pane->Navigate(engine_.server.Address("/a.png").replace("127.0.0.1", host));
        QVERIFY(loaded.wait(kLoadTimeout));
    }
    QVERIFY(view->focusProxy() != inner);

    window_->Surface()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_->Surface()));
    const auto focused = [pane] {
        QWidget* focus = QApplication::focusWidget();
        return pane->isAncestorOf(focus) ? QStringLiteral("pane") : focus->objectName();
    };
    QStringList order{focused()};
    for (int step = 0; step < 8; ++step) {
        const QWidget* before = QApplication::focusWidget();
        QTest::keyClick(window_->Surface()->windowHandle(), Qt::Key_Tab);
        // Out of the page only once the engine has let the focus go.
        QTRY_VERIFY_WITH_TIMEOUT(QApplication::focusWidget() != before, kLoadTimeout);
        order << focused();
        if (pane->isAncestorOf(before) && order.last() != "pane") {
            // A second hand-off out of the page, after the first: the key
            // the page did not use, sent again to the view's parent.
            QKeyEvent late(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(view->parentWidget(), &late);
            QCOMPARE(focused(), order.last());
        }
    }
    QCOMPARE(order, (QStringList{"Option3", "Text1", "Option5", "picclose", "Picture2", "pane",
                                 "Picture1", "Command1", "Option3"}));
}

QTEST_MAIN(TestDownloadPane)
#include "tst_downloadpane.moc"
