// The skin fetcher with the real browser pane, against a skin server of the
// test's own on 127.0.0.1: what the server is asked for, and what the user
// then sees. Runs on a real display (Xvfb).
#include "CjkFonts.h"
#include "EngineFixture.h"
#include "LocalBases.h"
#include "PaneScreen.h"
#include "RecordingHost.h"
#include "WindowInput.h"
#include "skin.h"

#include <QLineEdit>
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

    void fetchAsksForExactlyTheSkinAndShowsIt();
    void skinmeCapeAsksItsOwnPath();
    void backAndReentryStartBlank();

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

void TestSkinPane::fetchAsksForExactlyTheSkinAndShowsIt() {
    // Blank until the first fetch: nothing asked, nothing shown.
    QTest::qWait(200);
    QCOMPARE(engine_.server.Requests(), QList<QByteArray>());
    QCOMPARE(SkinPixels(), 0);

    Fetch();
    QTRY_VERIFY_WITH_TIMEOUT(SkinPixels() >= 64 * 32, kLoadTimeout);
    QCOMPARE(engine_.server.Requests(), QList<QByteArray>{"/MinecraftSkins/Creeper.png"});
}

void TestSkinPane::skinmeCapeAsksItsOwnPath() {
    Click(Control("Option4"), QPoint(5, 5));
    Fetch();
    QTRY_VERIFY_WITH_TIMEOUT(SkinPixels() >= 64 * 32, kLoadTimeout);
    QCOMPARE(skinme_.Requests(), QList<QByteArray>{"/MinecraftCloaks/Creeper.png"});
    QCOMPARE(engine_.server.Requests(), QList<QByteArray>());
}

void TestSkinPane::backAndReentryStartBlank() {
    Fetch();
    QTRY_VERIFY_WITH_TIMEOUT(SkinPixels() >= 64 * 32, kLoadTimeout);
    window_->Unload();
    DestroyUnloadedWidgets();
    window_->Show();
    QVERIFY(QTest::qWaitForWindowExposed(window_->Surface()));
    QTest::qWait(300);
    QCOMPARE(SkinPixels(), 0);
    QCOMPARE(engine_.server.Requests().size(), 1);
}

QTEST_MAIN(TestSkinPane)
#include "tst_skinpane.moc"
