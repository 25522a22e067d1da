// The skin fetcher with the real browser pane, against skin servers of the
// test's own on 127.0.0.1: what each source is asked for, and what the user
// then sees. Pages that fail to load are tst_panefaults'. Runs on a real
// display (Xvfb).
#include "BrowserPane.h"
#include "CjkFonts.h"
#include "EngineFixture.h"
#include "LocalBases.h"
#include "PaneScreen.h"
#include "RecordingHost.h"
#include "TestTable.h"
#include "WindowInput.h"
#include "skin.h"

#include <QTest>

using namespace WindowInput;

namespace {

constexpr QRgb kSkinColour = 0xff3aa83a;

} // namespace

class TestSkinPane final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void eachSourceAsksExactlyItsAddressAndShowsIt_data();
    void eachSourceAsksExactlyItsAddressAndShowsIt();
    void paneStartsBlankAndAsksNothing_data();
    void paneStartsBlankAndAsksNothing();

private:
    void Fetch() { Click(Control("Label6"), QPoint(10, 10)); }
    QWidget* Control(const char* name) const { return Named(window_.get(), name); }
    int SkinPixels() const { return CountColour(Screenshot(*window_->Surface()), kSkinColour); }

    // The official skins and capes on the fixture's server, Skinme's on one of its own.
    EngineFixture engine_;
    LocalHttpServer skinme_;
    RecordingHost host_;
    std::unique_ptr<skin> window_;
};

void TestSkinPane::initTestCase() {
    InstallCjkFontFallbacks();
    QVERIFY(engine_.Start());
    QVERIFY(skinme_.Listen());
    const HttpRoute png = Routes::Png(kSkinColour, 64, 32);
    for (LocalHttpServer* server : {&engine_.server, &skinme_}) {
        server->Serve("/MinecraftSkins/Creeper.png", png);
        server->Serve("/MinecraftCloaks/Creeper.png", png);
    }
}

void TestSkinPane::init() {
    window_ = std::make_unique<skin>(
        host_, engine_.panes,
        SkinBasesAt(engine_.server.Address(QString()), skinme_.Address(QString())));
    window_->Show();
    QVERIFY(QTest::qWaitForWindowExposed(window_->Surface()));
}

void TestSkinPane::cleanup() {
    window_.reset();
    engine_.Reset();
    skinme_.ClearRequests();
}

void TestSkinPane::eachSourceAsksExactlyItsAddressAndShowsIt_data() {
    TEST_COLUMNS(QByteArray, option, bool, skinme, QByteArray, target);
    QTest::newRow("official skin")
        << QByteArray("Option1") << false << QByteArray("/MinecraftSkins/Creeper.png");
    QTest::newRow("Skinme cape") << QByteArray("Option4") << true
                                 << QByteArray("/MinecraftCloaks/Creeper.png");
}

void TestSkinPane::eachSourceAsksExactlyItsAddressAndShowsIt() {
    TEST_FETCH(QByteArray, option, bool, skinme, QByteArray, target);
    Click(Control(option.constData()), QPoint(5, 5));
    Fetch();
    QTRY_VERIFY_WITH_TIMEOUT(SkinPixels() >= 64 * 32, kLoadTimeout);
    const LocalHttpServer& asked = skinme ? skinme_ : engine_.server;
    const LocalHttpServer& other = skinme ? engine_.server : skinme_;
    QCOMPARE(asked.Requests(), QList<QByteArray>{target});
    QCOMPARE(other.Requests(), QList<QByteArray>());
}

void TestSkinPane::paneStartsBlankAndAsksNothing_data() {
    TEST_COLUMNS(bool, comingBack);
    QTest::newRow("first time") << false;
    QTest::newRow("coming back after a fetch") << true;
}

// Until the fetch: nothing asked, nothing shown, whatever was shown before
// the window was left.
void TestSkinPane::paneStartsBlankAndAsksNothing() {
    TEST_FETCH(bool, comingBack);
    if (comingBack) {
        Fetch();
        QTRY_VERIFY_WITH_TIMEOUT(SkinPixels() >= 64 * 32, kLoadTimeout);
        window_->Unload();
        DestroyUnloadedWidgets();
        window_->Show();
        QVERIFY(QTest::qWaitForWindowExposed(window_->Surface()));
    }
    QCOMPARE(SkinPixels(), 0);
    // Nothing could show without being asked for, and whatever the pane was
    // to ask, it asks before the fence.
    auto* pane = Control("WebBrowser1")->findChild<BrowserPane*>();
    QVERIFY(pane != nullptr);
    QCOMPARE(RequestsBeforeFence(*pane, engine_.server).size(), comingBack ? 1 : 0);
    QCOMPARE(skinme_.Requests(), QList<QByteArray>());
}

QTEST_MAIN(TestSkinPane)
#include "tst_skinpane.moc"
