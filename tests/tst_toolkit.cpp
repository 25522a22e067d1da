// The whole toolbox through the real registry: the main menu's tiles reach
// all three tool windows, the tiles of the windows with a pane get panes
// ready when approached, their Back controls come back, the downloader sends
// its pane to the configured hosts, and a close anywhere ends the run. Back
// and close are checked here for every tool window.
#include "CjkFonts.h"
#include "ConfiguredHosts.h"
#include "RecordingPane.h"
#include "TestTable.h"
#include "ToolkitWindows.h"
#include "WindowInput.h"
#include "WindowRegistry.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace WindowInput;

class TestToolkit final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void tilesAndBackControls_data();
    void tilesAndBackControls();
    void approachingATilePreparesPanesOnlyForItsWindow_data();
    void approachingATilePreparesPanesOnlyForItsWindow();
    void downloaderUsesTheConfiguredStore();
    void closingAToolWindowEndsTheRun_data();
    void closingAToolWindowEndsTheRun();

private:
    QWidget* Find(WindowName window, const QString& control) const {
        return Named(registry_->Instance(window), control);
    }

    RecordingPaneSource* panes_ = nullptr;
    WindowRegistry* registry_ = nullptr;
};

void TestToolkit::initTestCase() {
    InstallCjkFontFallbacks();
}

void TestToolkit::init() {
    panes_ = new RecordingPaneSource;
    registry_ = new WindowRegistry;
    RegisterToolkitWindows(*registry_, *panes_);
    registry_->Start();
}

void TestToolkit::cleanup() {
    delete registry_;
    delete panes_;
    DestroyUnloadedWidgets();
}

void TestToolkit::tilesAndBackControls_data() {
    TEST_COLUMNS(QString, tile, int, target, QString, back, QPoint, where);
    const QPoint arrow(8, 8);
    const QPoint besideTheArrow(21, 8);
    QTest::newRow("skin picture, back by arrow")
        << "Image1" << int(WindowName::skin) << "Label5" << arrow;
    QTest::newRow("skin picture, back by the box beside the arrow")
        << "Image1" << int(WindowName::skin) << "Picture1" << besideTheArrow;
    QTest::newRow("effect caption, back by arrow")
        << "Label3" << int(WindowName::effect) << "Label5" << arrow;
    QTest::newRow("effect tile, back by the box beside the arrow")
        << "Picture1" << int(WindowName::effect) << "Picture2" << besideTheArrow;
    QTest::newRow("downloader caption, back by arrow")
        << "Label4" << int(WindowName::download) << "Label5" << arrow;
    QTest::newRow("downloader tile, back by the box beside the arrow")
        << "Picture2" << int(WindowName::download) << "Picture2" << besideTheArrow;
}

// Each tile opens its tool window and each of its Back controls brings the
// menu back, sending the pane nowhere, the second time round as the first.
void TestToolkit::tilesAndBackControls() {
    TEST_FETCH(QString, tile, int, target, QString, back, QPoint, where);
    const auto tool = WindowName(target);
    const bool hasPane = tool == WindowName::skin || tool == WindowName::download;
    for (int round = 0; round < 2; ++round) {
        Click(Find(WindowName::Form1, tile), QPoint(5, 5));
        DestroyUnloadedWidgets();
        QCOMPARE(registry_->LoadedCount(), 1);
        QVERIFY(!registry_->Instance(WindowName::Form1)->IsLoaded());
        FramedWindow* window = registry_->Instance(tool);
        QVERIFY(window->IsLoaded());
        QVERIFY(window->Surface()->isVisible());

        QStringList sent;
        if (hasPane) {
            if (tool == WindowName::download) {
                // A route chosen: a Download now would send the pane somewhere.
                Click(Find(tool, QStringLiteral("Option5")), QPoint(5, 5));
            }
            panes_->latest->onNavigate = [&sent](const QString& address) { sent << address; };
        }
        QWidget* control = Find(tool, back);
        QCOMPARE(window->Surface()->childAt(control->mapTo(window->Surface(), where)), control);
        Click(control, where);
        DestroyUnloadedWidgets();
        QCOMPARE(registry_->LoadedCount(), 1);
        QVERIFY(!window->IsLoaded());
        QVERIFY(registry_->Instance(WindowName::Form1)->IsLoaded());
        QCOMPARE(sent, QStringList());
    }
    // One instance for the run; the windows with a pane got a fresh one each time.
    QCOMPARE(panes_->created, hasPane ? 2 : 0);
}

void TestToolkit::approachingATilePreparesPanesOnlyForItsWindow_data() {
    TEST_COLUMNS(QString, control);
    // Tab presses from the first control, or none to bring the pointer instead.
    TEST_COLUMNS(int, tabs, bool, prepares);
    QTest::newRow("pointer on the skin picture") << "Image1" << 0 << true;
    QTest::newRow("pointer on the downloader tile") << "Picture2" << 0 << true;
    QTest::newRow("pointer on the downloader caption") << "Label4" << 0 << true;
    QTest::newRow("pointer on the effect tile") << "Picture1" << 0 << false;
    QTest::newRow("pointer on the effect caption") << "Label3" << 0 << false;
    QTest::newRow("pointer on the welcome line") << "Label1" << 0 << false;
    QTest::newRow("focus on the effect tile") << "Picture1" << 2 << false;
    QTest::newRow("focus on the downloader tile") << "Picture2" << 3 << true;
}

// Nothing is prepared at start, nor by a tile whose window has no pane; and
// preparing opens nothing.
void TestToolkit::approachingATilePreparesPanesOnlyForItsWindow() {
    TEST_FETCH(QString, control, int, tabs, bool, prepares);
    QWidget* menu = registry_->Instance(WindowName::Form1)->Surface();
    QVERIFY(QTest::qWaitForWindowActive(menu));
    QWidget* target = Find(WindowName::Form1, control);
    QVERIFY(target != nullptr);
    MoveTo(menu, QPoint(2, menu->height() - 2));
    QCOMPARE(panes_->prepared, 0);

    if (tabs == 0) {
        MoveTo(target, QPoint(5, 5));
        QCOMPARE(menu->childAt(target->mapTo(menu, QPoint(5, 5))), target);
    } else {
        for (int tab = 0; tab < tabs; ++tab) {
            QTest::keyClick(menu->focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(menu->focusWidget(), target);
    }
    QCOMPARE(panes_->prepared > 0, prepares);
    QCOMPARE(panes_->created, 0);
    QCOMPARE(registry_->LoadedCount(), 1);
    QVERIFY(registry_->Instance(WindowName::Form1)->IsLoaded());
}

void TestToolkit::downloaderUsesTheConfiguredStore() {
    Click(Find(WindowName::Form1, QStringLiteral("Picture2")), QPoint(5, 5));
    DestroyUnloadedWidgets();
    Click(Find(WindowName::download, QStringLiteral("Option5")), QPoint(5, 5));
    Click(Find(WindowName::download, QStringLiteral("Label4")), QPoint(10, 10));
    const QString store = QString::fromUtf8(kStoreHost.data(), qsizetype(kStoreHost.size()));
    QCOMPARE(panes_->Addresses(),
             (QStringList{"http:///", "http://" + store +
                                          "/Minecraft.Download/1.7.2/minecraft_server.1.7.2.jar"}));
}

void TestToolkit::closingAToolWindowEndsTheRun_data() {
    TEST_COLUMNS(QString, tile, int, target, QString, close);
    QTest::newRow("skin cross") << "Image1" << int(WindowName::skin) << "labclose";
    QTest::newRow("effect box") << "Label3" << int(WindowName::effect) << "picclose";
    QTest::newRow("downloader cross") << "Picture2" << int(WindowName::download) << "labclose";
}

void TestToolkit::closingAToolWindowEndsTheRun() {
    TEST_FETCH(QString, tile, int, target, QString, close);
    Click(Find(WindowName::Form1, tile), QPoint(5, 5));
    QSignalSpy ended(registry_, &WindowRegistry::lastWindowUnloaded);
    QWidget* control = Find(WindowName(target), close);
    Click(control, QPoint(control->width() - 2, 2));
    QCOMPARE(ended.size(), 1);
    QCOMPARE(registry_->LoadedCount(), 0);
    QVERIFY(!registry_->Instance(WindowName::Form1)->IsLoaded());
}

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
