// The skin fetcher with the real browser pane, against a skin server of the
// test's own on 127.0.0.1: what the server is asked for, and what the user
// then sees. Runs on a real display (Xvfb).
#include "CjkFonts.h"
#include "LocalHttpServer.h"
#include "ModulePaneSource.h"
#include "PaneScreen.h"
#include "RecordingHost.h"
#include "WindowInput.h"
#include "skin.h"

#include <QLineEdit>
#include <QTest>

using namespace WindowInput;

namespace {

constexpr int kLoadTimeout = 30000;
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
    void unknownNameShowsAnErrorPage();
    void backAndReentryStartBlank();

private:
    void Fetch() { Click(Control("Label6"), QPoint(10, 10)); }
    QWidget* Control(const char* name) const {
        return window_->Surface()->findChild<QWidget*>(QString::fromLatin1(name));
    }
    int SkinPixels() const { return CountColour(Screenshot(*window_->Surface()), kSkinColour); }

    LocalHttpServer server_;
    ModulePaneSource panes_;
    RecordingHost host_;
    std::unique_ptr<skin> window_;
};

void TestSkinPane::initTestCase() {
    InstallCjkFontFallbacks();
    QVERIFY(server_.Listen());
    HttpRoute png;
    png.contentType = "image/png";
    png.body = SolidPng(kSkinColour, 64, 32);
    server_.Serve("/MinecraftSkins/Creeper.png", png);
    server_.Serve("/MinecraftCloaks/Creeper.png", png);
}

void TestSkinPane::init() {
    const QString official = server_.Address(QString());
    // The second source on the same server by another name for the host.
    const QString skinme = QStringLiteral("http://localhost:%1").arg(server_.Port());
    window_ = std::make_unique<skin>(
        host_, panes_,
        SkinBases{(official + "/MinecraftSkins/").toStdString(),
                  (official + "/MinecraftCloaks/").toStdString(),
                  (skinme + "/MinecraftSkins/").toStdString(),
                  (skinme + "/MinecraftCloaks/").toStdString()});
    window_->Show();
    QVERIFY(QTest::qWaitForWindowExposed(window_->Surface()));
    server_.ClearRequests();
}

void TestSkinPane::cleanup() {
    window_.reset();
    DestroyUnloadedWidgets();
}

void TestSkinPane::fetchAsksForExactlyTheSkinAndShowsIt() {
    // Blank until the first fetch: nothing asked, nothing shown.
    QTest::qWait(200);
    QCOMPARE(server_.Requests(), QList<QByteArray>());
    QCOMPARE(SkinPixels(), 0);

    Fetch();
    QTRY_VERIFY_WITH_TIMEOUT(SkinPixels() >= 64 * 32, kLoadTimeout);
    QCOMPARE(server_.Requests(), QList<QByteArray>{"/MinecraftSkins/Creeper.png"});
}

void TestSkinPane::skinmeCapeAsksItsOwnPath() {
    Click(Control("Option4"), QPoint(5, 5));
    Fetch();
    QTRY_VERIFY_WITH_TIMEOUT(SkinPixels() >= 64 * 32, kLoadTimeout);
    QCOMPARE(server_.Requests(), QList<QByteArray>{"/MinecraftCloaks/Creeper.png"});
}

void TestSkinPane::unknownNameShowsAnErrorPage() {
    Fetch();
    QTRY_VERIFY_WITH_TIMEOUT(SkinPixels() >= 64 * 32, kLoadTimeout);

    // A name the server does not know: the image goes, an error page comes.
    auto* name = static_cast<QLineEdit*>(Control("Text1"));
    name->setText(QStringLiteral("苦力怕 x"));
    Fetch();
    QTRY_COMPARE_WITH_TIMEOUT(SkinPixels(), 0, kLoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(ShowsTextOnWhite(Screenshot(*Control("WebBrowser1")), 20), kLoadTimeout);
    // The engine sends the name as UTF-8, percent-encoded on the wire.
    QCOMPARE(server_.Requests().last(),
             QByteArray("/MinecraftSkins/%E8%8B%A6%E5%8A%9B%E6%80%95%20x.png"));
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
    QCOMPARE(server_.Requests().size(), 1);
}

QTEST_MAIN(TestSkinPane)
#include "tst_skinpane.moc"
