// The pane with the old official addresses the windows build, resolved
// through stand-ins of today's services: a pane module built for this test
// takes the old hosts and the services from the environment, where this test
// names its servers on 127.0.0.1 (on ports the system picks), over plain http
// and with a short time limit. Runs on a real display (Xvfb).
#include "BrowserPane.h"
#include "EngineFixture.h"
#include "PaneDownloads.h"
#include "PaneScreen.h"
#include "PngChunks.h"
#include "SampleAnswers.h"
#include "TestTable.h"
#include "WindowInput.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <sys/resource.h>

using namespace PaneDownloads;
using WindowInput::Named;

namespace {

constexpr QRgb kSkinColour = 0xff12c45a;
constexpr QRgb kCapeColour = 0xffc4125a;

// A skin or cape of one colour, as the pane shows it: drawn worn, and the
// texture beside it. A figure is 352 texture pixels, each 2x2; the skin is
// shown at its size, 64x64. Slim arms are a column narrower, in both
// figures. A cape's outer face is 10x16, each 4x4, its texture twice its
// size, 128x64.
constexpr int kWornSkin = 2 * 352 * 4 + 64 * 64;
constexpr int kWornSlimSkin = kWornSkin - 2 * 2 * 12 * 4;
constexpr int kWornCape = 10 * 16 * 16 + 128 * 64;

// Where the test module looks for the mirror's stand-in, "127.0.0.1:<port>".
const char kMirrorHost[] = "CT_MIRROR_HOST";

QString Host(const char* variable) {
    return qEnvironmentVariable(variable);
}

const QByteArray kManifestPath = "/mc/game/version_manifest_v2.json";

using namespace Routes;

QByteArray Sha1(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

QByteArray IdOf(const QByteArray& name) {
    return Sha1(name.toLower()).left(32);
}

QByteArray LookupAnswer(const QByteArray& name) {
    return SampleAnswer("lookup.json", {{"id", IdOf(name)}, {"name", name}});
}

// The most this process has held in memory so far.
qint64 PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

Q_DECLARE_METATYPE(HttpRoute)

class TestLegacyPane final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void officialImageShownForAName_data();
    void officialImageShownForAName();
    void nameIsLookedUpOncePerRun();
    void unknownNameShowsWhy_data();
    void unknownNameShowsWhy();
    void stalledLookupEndsInAPage();
    void skinmeImageComesFromTheSkinSite_data();
    void skinmeImageComesFromTheSkinSite();
    void skinSiteRefusalsShowWhy_data();
    void skinSiteRefusalsShowWhy();
    void newerAddressCancelsAPendingLookup();
    void textureIsSavedAsServedUnderThePlayersName_data();
    void textureIsSavedAsServedUnderThePlayersName();
    void textureThatIsNoSkinIsShownForWhatItIs_data();
    void textureThatIsNoSkinIsShownForWhatItIs();

    void serverJarIsDownloadedAndVerified_data();
    void serverJarIsDownloadedAndVerified();
    void corruptedJarIsRejectedAndRemoved_data();
    void corruptedJarIsRejectedAndRemoved();
    void officialJsonIsOfferedAndVerified();
    void fileLeftBeforeItsAnswerIsDropped_data();
    void fileLeftBeforeItsAnswerIsDropped();
    void addressThatLeadsNowhereShowsWhy_data();
    void addressThatLeadsNowhereShowsWhy();

    void mirrorAddressIsRewrittenAndNamed_data();
    void mirrorAddressIsRewrittenAndNamed();
    void mirrorFileWithoutACheckIsOfferedUnverified_data();
    void mirrorFileWithoutACheckIsOfferedUnverified();
    void mirrorFileIsOfferedAtOnceWhileOfficialHostsStall();
    void mirrorJarTheOfficialWordDisownsComesFromTheStore();
    void refusingMirrorHandsTheFileToTheStore_data();
    void refusingMirrorHandsTheFileToTheStore();
    void fileOnNeitherRouteIsOneError();
    void jarPastItsSizeIsStopped_data();
    void jarPastItsSizeIsStopped();

private:
    void ListenAndNameTheServers();
    QString SkinAddress(const QString& folder, const QString& name) const;
    QString StoreAddress(const QString& version, const QString& file) const;
    QString MirrorAddress(const QString& version, const QString& file) const;
    void ServePlayer(const QByteArray& name, bool withCape);
    // Serves the manifest and version JSON of `version`, whose server jar has
    // the SHA-1 (none when empty) and size given; the manifest not before
    // ResumeStalled() when `holdManifest`. Returns the version JSON.
    QByteArray ServeVersion(const QByteArray& version, const QByteArray& serverJarSha1,
                            qint64 serverJarSize, bool holdManifest = false);
    QString Title() const { return holder_.view->property("title").toString(); }
    int Pixels(QRgb colour) const { return CountColour(Screenshot(*holder_.window), colour); }

    // The old hosts and the services, each named in the environment where
    // the module reads it.
    LocalHttpServer skins_, store_, mirror_, lookup_, fallback_, session_, manifest_, skinme_,
        site_;
    const std::pair<LocalHttpServer*, const char*> standIns_[9] = {
        {&skins_, "CT_OFFICIAL_SKIN_HOST"},
        {&store_, "CT_STORE_HOST"},
        {&mirror_, kMirrorHost},
        {&lookup_, "CT_LOOKUP_HOST"},
        {&fallback_, "CT_FALLBACK_LOOKUP_HOST"},
        {&session_, "CT_SESSION_HOST"},
        {&manifest_, "CT_MANIFEST_HOST"},
        {&skinme_, "CT_SKINME_HOST"},
        {&site_, "CT_SKIN_SITE_HOST"}};
    // Its server is where today's answers point: images, version JSONs and jars.
    EngineFixture engine_{QStringLiteral(CT_LEGACY_PANE_MODULE)};
    LocalHttpServer& files_ = engine_.server;
    PaneHolder holder_;
};

QString TestLegacyPane::SkinAddress(const QString& folder, const QString& name) const {
    return skins_.Address(QStringLiteral("/%1/%2.png").arg(folder, name));
}

QString TestLegacyPane::StoreAddress(const QString& version, const QString& file) const {
    return store_.Address(QStringLiteral("/Minecraft.Download/%1/%2").arg(version, file));
}

QString TestLegacyPane::MirrorAddress(const QString& version, const QString& file) const {
    // By the host the module was told of: a test may have closed the server.
    return QStringLiteral("http://") + Host(kMirrorHost) +
           QStringLiteral("/versions/%1/%2").arg(version, file);
}

void TestLegacyPane::ServePlayer(const QByteArray& name, bool withCape) {
    const QByteArray id = IdOf(name);
    lookup_.Serve("/minecraft/profile/lookup/name/" + name, Json(LookupAnswer(name)));
    QByteArray textures =
        "{\"SKIN\":{\"url\":\"" + files_.Address("/texture/skin-" + name).toUtf8() + "\"}";
    if (withCape) {
        textures +=
            ",\"CAPE\":{\"url\":\"" + files_.Address("/texture/cape-" + name).toUtf8() + "\"}";
    }
    session_.Serve("/session/minecraft/profile/" + id,
                   Json(SampleProfile(id, name, textures + "}")));
    files_.Serve("/texture/skin-" + name, Png(kSkinColour, 64, 64));
    files_.Serve("/texture/cape-" + name, Png(kCapeColour, 64, 32));
}

QByteArray TestLegacyPane::ServeVersion(const QByteArray& version, const QByteArray& serverJarSha1,
                                        qint64 serverJarSize, bool holdManifest) {
    // Versions such as "1.8 pre" stand in the addresses encoded.
    const QByteArray key = QUrl::toPercentEncoding(QString::fromUtf8(version));
    HttpRoute client = Jar(0);
    client.generatedSize = -1;
    client.body = "client " + version;
    files_.Serve("/objects/client-" + key, client);
    QByteArray versionJson = SampleAnswer(
        "version.json", {{"version", version},
                         {"client_sha1", Sha1(client.body)},
                         {"client_size", QByteArray::number(client.body.size())},
                         {"client_url", files_.Address("/objects/client-" + key).toUtf8()},
                         {"server_sha1", serverJarSha1},
                         {"server_size", QByteArray::number(serverJarSize)},
                         {"server_url", files_.Address("/objects/server-" + key).toUtf8()}});
    versionJson.replace("\"sha1\":\"\",", "");
    const QByteArray jsonPath = "/v1/packages/" + Sha1(versionJson) + "/" + key + ".json";
    files_.Serve(jsonPath, Json(versionJson));
    HttpRoute manifest = Json(SampleAnswer(
        "manifest.json", {{"version", version},
                          {"url", files_.Address(QString::fromLatin1(jsonPath)).toUtf8()},
                          {"sha1", Sha1(versionJson)}}));
    manifest.holdHead = holdManifest;
    manifest_.Serve(kManifestPath, manifest);
    return versionJson;
}

void TestLegacyPane::initTestCase() {
    QVERIFY(engine_.Start());
    ListenAndNameTheServers();
}

// Each server that is not listening (a test may close one) on a free port,
// named where the module reads it; a pane made after this reads the names.
void TestLegacyPane::ListenAndNameTheServers() {
    for (const auto& [server, variable] : standIns_) {
        if (!server->IsListening()) {
            QVERIFY(server->Listen());
            qputenv(variable, "127.0.0.1:" + QByteArray::number(server->Port()));
        }
    }
}

void TestLegacyPane::init() {
    holder_ = OpenPane(engine_.panes);
    QVERIFY(holder_.view != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(holder_.window.get()));
}

void TestLegacyPane::cleanup() {
    holder_ = {};
    for (const auto& [server, variable] : standIns_) {
        server->ResumeStalled();
        server->ClearRequests();
    }
    engine_.Reset();
    ListenAndNameTheServers();
}

void TestLegacyPane::officialImageShownForAName_data() {
    TEST_COLUMNS(QString, folder, QRgb, colour, int, pixels);
    QTest::newRow("skin") << "MinecraftSkins" << kSkinColour << kWornSkin;
    QTest::newRow("cape") << "MinecraftCloaks" << kCapeColour << kWornCape;
}

void TestLegacyPane::officialImageShownForAName() {
    TEST_FETCH(QString, folder, QRgb, colour, int, pixels);
    const QByteArray name = QByteArray("Steve_") + QTest::currentDataTag();
    ServePlayer(name, true);
    holder_.pane->Navigate(SkinAddress(folder, QString::fromLatin1(name)));
    // The whole image drawn, and only the one asked for.
    QTRY_COMPARE_WITH_TIMEOUT(Pixels(colour), pixels, kLoadTimeout);
    QCOMPARE(Pixels(colour == kSkinColour ? kCapeColour : kSkinColour), 0);
    QCOMPARE(lookup_.Requests(), QList<QByteArray>{"/minecraft/profile/lookup/name/" + name});
    QCOMPARE(session_.Requests(), QList<QByteArray>{"/session/minecraft/profile/" + IdOf(name)});
    // The toolbox's own requests say whose they are, the image's too.
    QCOMPARE(files_.Requests().size(), 1);
    for (const QByteArray& head :
         lookup_.RequestHeads() + session_.RequestHeads() + files_.RequestHeads()) {
        QVERIFY2(head.contains("\r\nUser-Agent: CreeperToolkit/"), head.constData());
    }
    // The old server is not asked at all.
    QCOMPARE(skins_.Requests(), QList<QByteArray>());
    QVERIFY(fallback_.Requests().isEmpty());
}

void TestLegacyPane::nameIsLookedUpOncePerRun() {
    const QByteArray name = "Remembered";
    ServePlayer(name, true);
    holder_.pane->Navigate(
        SkinAddress(QStringLiteral("MinecraftSkins"), QString::fromLatin1(name)));
    QTRY_VERIFY_WITH_TIMEOUT(Pixels(kSkinColour) > 0, kLoadTimeout);
    // Another pane, the cape, the name in other letters: the id is known.
    init();
    holder_.pane->Navigate(
        SkinAddress(QStringLiteral("MinecraftCloaks"), QStringLiteral("REMEMBERED")));
    QTRY_COMPARE_WITH_TIMEOUT(Pixels(kCapeColour), kWornCape, kLoadTimeout);
    // Skin then cape: one look-up and one profile within the minute.
    QCOMPARE(lookup_.Requests().size(), 1);
    QCOMPARE(session_.Requests().size(), 1);
}

void TestLegacyPane::unknownNameShowsWhy_data() {
    TEST_COLUMNS(QString, name, QByteArray, asked, int, fallbackStatus);
    // Taken as text, not markup, in the page; encoded in the look-up.
    QTest::newRow("markup in the name") << "<b>x&y" << QByteArray("%3Cb%3Ex%26y") << 404;
    QTest::newRow("Chinese name") << QStringLiteral("苦力怕")
                                  << QByteArray("%E8%8B%A6%E5%8A%9B%E6%80%95") << 400;
}

void TestLegacyPane::unknownNameShowsWhy() {
    TEST_FETCH(QString, name, QByteArray, asked, int, fallbackStatus);
    fallback_.Serve("/users/profiles/minecraft/" + asked, Json({}, fallbackStatus));
    holder_.pane->Navigate(SkinAddress(QStringLiteral("MinecraftSkins"), name));
    QTRY_COMPARE_WITH_TIMEOUT(Title(), QStringLiteral("找不到正版玩家「%1」").arg(name),
                              kLoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(ShowsTextOnWhite(Screenshot(*holder_.window), 100), kLoadTimeout);
    QCOMPARE(lookup_.Requests(), QList<QByteArray>{"/minecraft/profile/lookup/name/" + asked});
    QCOMPARE(fallback_.Requests(), QList<QByteArray>{"/users/profiles/minecraft/" + asked});
    QVERIFY(session_.Requests().isEmpty());
}

void TestLegacyPane::stalledLookupEndsInAPage() {
    HttpRoute stalled = Json(LookupAnswer("Slow"));
    stalled.stallAfter = 0;
    lookup_.Serve("/minecraft/profile/lookup/name/Slow", stalled);
    fallback_.Serve("/users/profiles/minecraft/Slow", stalled);
    QElapsedTimer clock;
    clock.start();
    holder_.pane->Navigate(SkinAddress(QStringLiteral("MinecraftSkins"), QStringLiteral("Slow")));
    // Says what it is doing at once, and later why it gave up.
    QTRY_COMPARE_WITH_TIMEOUT(Title(), QStringLiteral("正在查找…"), kLoadTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(Title(), QStringLiteral("无法查询正版玩家「Slow」"), kLoadTimeout);
    // Both look-ups were waited for; Qt's timers may fire 5% early.
    QVERIFY2(clock.elapsed() >= 2 * CT_LEGACY_TIMEOUT_MS * 95 / 100,
             qPrintable(QString::number(clock.elapsed())));
    QTRY_VERIFY_WITH_TIMEOUT(ShowsTextOnWhite(Screenshot(*holder_.window), 100), kLoadTimeout);
    QCOMPARE(fallback_.Requests().size(), 1);
}

// Skinme is gone: its addresses are looked up on the skin site's
// CustomSkinAPI, and the texture it names is shown.
void TestLegacyPane::skinmeImageComesFromTheSkinSite_data() {
    TEST_COLUMNS(QString, name, QByteArray, asked, QString, folder, QRgb, colour, int, pixels);
    // The site's skin is its slim one.
    QTest::newRow("skin") << "Creeper" << QByteArray("Creeper") << "MinecraftSkins" << kSkinColour
                          << kWornSlimSkin;
    QTest::newRow("cape") << "Creeper" << QByteArray("Creeper") << "MinecraftCloaks" << kCapeColour
                          << kWornCape;
    QTest::newRow("Chinese name") << QStringLiteral("苦力怕")
                                  << QByteArray("%E8%8B%A6%E5%8A%9B%E6%80%95") << "MinecraftSkins"
                                  << kSkinColour << kWornSlimSkin;
}

void TestLegacyPane::skinmeImageComesFromTheSkinSite() {
    TEST_FETCH(QString, name, QByteArray, asked, QString, folder, QRgb, colour, int, pixels);
    site_.Serve(
        "/csl/" + asked + ".json",
        Json(SampleAnswer("skinsite.json",
                          {{"name", "x"}, {"model", "slim"}, {"skin", "5a1e"}, {"cape", "ca9e"}})));
    site_.Serve("/textures/5a1e", Png(kSkinColour, 64, 64));
    site_.Serve("/textures/ca9e", Png(kCapeColour, 64, 32));
    holder_.pane->Navigate(skinme_.Address(QStringLiteral("/%1/%2.png").arg(folder, name)));
    QTRY_COMPARE_WITH_TIMEOUT(Pixels(colour), pixels, kLoadTimeout);
    QCOMPARE(site_.Requests().first(), "/csl/" + asked + ".json");
    QCOMPARE(site_.Requests().size(), 2);
    QVERIFY(skinme_.Requests().isEmpty());
}

// What the pane says while it looks and when the site has nothing, or asks
// to wait.
void TestLegacyPane::skinSiteRefusalsShowWhy_data() {
    TEST_COLUMNS(HttpRoute, answer, QString, folder, QString, title);
    QTest::newRow("no such player")
        << Json("{}", 404) << "MinecraftSkins" << QStringLiteral("找不到玩家「Nobody」");
    QTest::newRow("no cape") << Json(R"({"skins":{"default":"de"}})") << "MinecraftCloaks"
                             << QStringLiteral("玩家「Nobody」没有披风");
    HttpRoute busy = Json("{}", 429);
    busy.extraHeaders = "Retry-After: 42\r\n";
    QTest::newRow("asks to wait") << busy << "MinecraftSkins" << QStringLiteral("请稍后再试");
    // Well-formed, and far longer than any player's answer.
    QTest::newRow("answer past 64 KiB")
        << Json(R"({"skins":{"default":"de"}})" + QByteArray(100 * 1024, ' ')) << "MinecraftSkins"
        << QStringLiteral("无法在皮肤站上查询玩家「Nobody」");
}

void TestLegacyPane::skinSiteRefusalsShowWhy() {
    TEST_FETCH(HttpRoute, answer, QString, folder, QString, title);
    HttpRoute held = answer;
    held.holdHead = true;
    site_.Serve("/csl/Nobody.json", held);
    holder_.pane->Navigate(skinme_.Address(QStringLiteral("/%1/Nobody.png").arg(folder)));
    // Says where it looks before anything is answered.
    QTRY_COMPARE_WITH_TIMEOUT(Title(), QStringLiteral("正在查找…"), kLoadTimeout);
    site_.ResumeStalled();
    QTRY_COMPARE_WITH_TIMEOUT(Title(), title, kLoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(ShowsTextOnWhite(Screenshot(*holder_.window), 100), kLoadTimeout);
}

void TestLegacyPane::newerAddressCancelsAPendingLookup() {
    HttpRoute stalled = Json(LookupAnswer("Late"));
    stalled.stallAfter = 0;
    lookup_.Serve("/minecraft/profile/lookup/name/Late", stalled);
    ServePlayer("Later", false);
    holder_.pane->Navigate(SkinAddress(QStringLiteral("MinecraftSkins"), QStringLiteral("Late")));
    QTRY_COMPARE_WITH_TIMEOUT(lookup_.Requests().size(), 1, kLoadTimeout);
    holder_.pane->Navigate(SkinAddress(QStringLiteral("MinecraftSkins"), QStringLiteral("Later")));
    QTRY_COMPARE_WITH_TIMEOUT(Pixels(kSkinColour), kWornSkin, kLoadTimeout);
    // The first look-up is let go, its answer still held: nothing of it can
    // come later, no page over the image and no second look-up.
    QTRY_COMPARE_WITH_TIMEOUT(lookup_.OpenConnections(), 0, kLoadTimeout);
    QCOMPARE(Pixels(kSkinColour), kWornSkin);
    QVERIFY(fallback_.Requests().isEmpty());
}

// However the pane is saved from, the file offered is the texture as it
// came, named after the player as the old address named it, and not asked
// of its server again.
void TestLegacyPane::textureIsSavedAsServedUnderThePlayersName_data() {
    // on: the texture, the drawing or the page around them
    // back: the history is gone back in first
    TEST_COLUMNS(QString, address, QString, item, QString, on, QString, name, bool, back);
    QTest::newRow("skin site, the image")
        << skinme_.Address(QStringLiteral("/MinecraftSkins/Creeper.png")) << "Save image"
        << "texture"
        << "Creeper.png" << false;
    QTest::newRow("official skin, the page")
        << SkinAddress(QStringLiteral("MinecraftSkins"), QStringLiteral("Steve")) << "Save page"
        << "page"
        << "Steve.png" << false;
    QTest::newRow("official cape, the drawing")
        << SkinAddress(QStringLiteral("MinecraftCloaks"), QStringLiteral("Steve")) << "Save image"
        << "drawing"
        << "Steve-cape.png" << false;
    // Asked by id, no look-up (the look-up's stand-in knows no such name),
    // and named after the profile's name.
    const QString id = QString::fromLatin1(IdOf("Steve"));
    const QString dashed =
        QStringList{id.mid(0, 8), id.mid(8, 4), id.mid(12, 4), id.mid(16, 4), id.mid(20)}.join(
            QLatin1Char('-'));
    QTest::newRow("official skin by UUID, the image")
        << SkinAddress(QStringLiteral("MinecraftSkins"), dashed) << "Save image"
        << "texture"
        << "Steve.png" << false;
    // After another player's, back and forward again.
    QTest::newRow("skin site, the image, from the history")
        << skinme_.Address(QStringLiteral("/MinecraftSkins/Creeper.png")) << "Save image"
        << "texture"
        << "Creeper.png" << true;
}

void TestLegacyPane::textureIsSavedAsServedUnderThePlayersName() {
    TEST_FETCH(QString, address, QString, item, QString, on, QString, name, bool, back);
    ServePlayer("Steve", true);
    site_.Serve("/csl/Creeper.json", Json(SampleAnswer("skinsite.json", {{"name", "Creeper"},
                                                                         {"model", "default"},
                                                                         {"skin", "5a1e"},
                                                                         {"cape", "ca9e"}})));
    site_.Serve("/textures/5a1e", Png(kSkinColour, 64, 64));
    const bool cape = name.endsWith(QLatin1String("-cape.png"));
    const QRgb colour = cape ? kCapeColour : kSkinColour;
    if (back) {
        holder_.pane->Navigate(
            SkinAddress(QStringLiteral("MinecraftCloaks"), QStringLiteral("Steve")));
        QTRY_COMPARE_WITH_TIMEOUT(Pixels(kCapeColour), kWornCape, kLoadTimeout);
        // The user clicks on "正在查找…" while it shows, so the engine keeps
        // it in the history as a page the user was on.
        HttpRoute held = Png(kSkinColour, 64, 64);
        held.holdHead = true;
        site_.Serve("/textures/5a1e", held);
    }
    holder_.pane->Navigate(address);
    if (back) {
        QTRY_COMPARE_WITH_TIMEOUT(Title(), QStringLiteral("正在查找…"), kLoadTimeout);
        QWidget* surface = holder_.view->focusProxy();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(4, 4));
        site_.ResumeStalled();
    }
    QTRY_COMPARE_WITH_TIMEOUT(Pixels(colour), cape ? kWornCape : kWornSkin, kLoadTimeout);
    QCOMPARE(Title(), name);
    if (back) {
        // Back passes over the wait to the first player's page, withdrawn:
        // saving it offers nothing, not this player's texture (counted in
        // the suggestions below). Forward passes over the wait again.
        QVERIFY(holder_.PickFromMenu(QPoint(4, 4), QStringLiteral("Back")));
        QTRY_VERIFY_WITH_TIMEOUT(Title() != name && Title() != QStringLiteral("正在查找…"),
                                 kLoadTimeout);
        QVERIFY(holder_.PickFromMenu(QPoint(4, 4), QStringLiteral("Save page")));
        QVERIFY(holder_.PickFromMenu(QPoint(4, 4), QStringLiteral("Forward")));
        QTRY_COMPARE_WITH_TIMEOUT(Title(), name, kLoadTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(Pixels(colour), kWornSkin, kLoadTimeout);
    }

    // The drawing is on the left of what shows, the texture on the right.
    const QImage shown = Screenshot(*holder_.window);
    QRect bounds;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if ((shown.pixel(x, y) & 0xffffff) == (colour & 0xffffff)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    const QPoint point = on == QLatin1String("texture")
                             ? QPoint(bounds.right() - 4, bounds.center().y())
                         : on == QLatin1String("drawing") ? bounds.topLeft() + QPoint(4, 20)
                                                          : QPoint(4, 4);
    engine_.saveAs = engine_.SavePath(QStringLiteral("chosen.png"));
    QVERIFY(holder_.PickFromMenu(point, item));
    QWidget* window = AwaitDownloadWindow();
    QVERIFY(window != nullptr);
    QVERIFY(engine_.ExpectOutcome(window, QStringLiteral("下载完成")));
    QCOMPARE(engine_.suggestions.size(), 1);
    QCOMPARE(QFileInfo(engine_.suggestions.first()).fileName(), name);
    const QByteArray served = SolidPng(colour, 64, cape ? 32 : 64);
    QVERIFY(ReadFile(engine_.saveAs) == served);
    QCOMPARE(FilesIn(engine_.Folder()), QStringList{QStringLiteral("chosen.png")});
    // Fetched once, by the toolbox.
    QCOMPARE(files_.Requests().count(cape ? "/texture/cape-Steve" : "/texture/skin-Steve") +
                 site_.Requests().count("/textures/5a1e"),
             1);
}

// Texture servers that lie about what they send: the pane goes by what came,
// drawing a texture whatever it was called, showing any other image as it
// is, and saying why when there is nothing it may show.
void TestLegacyPane::textureThatIsNoSkinIsShownForWhatItIs_data() {
    // pixels: of the skin colour
    TEST_COLUMNS(HttpRoute, texture, int, pixels, QString, title);
    // A skin of 1 MB whose compressed text chunks inflate to a gigabyte.
    HttpRoute text = Png(kSkinColour, 64, 64);
    text.body = WithChunks(text.body, CompressedText(7'900'000).repeated(134));
    QTest::newRow("a skin with a gigabyte of text") << text << kWornSkin << "Liar.png";
    HttpRoute mislabelled = Png(kSkinColour, 64, 64);
    mislabelled.contentType = "text/html";
    QTest::newRow("a skin called a page") << mislabelled << kWornSkin << "Liar.png";
    HttpRoute notPng = Png(kSkinColour, 64, 64);
    notPng.body = SolidPng(kSkinColour, 64, 64, "BMP");
    QTest::newRow("no PNG, shown as it is") << notPng << 64 * 64 << "Liar.bmp";
    QTest::newRow("no shape of a skin, shown as it is")
        << Png(kSkinColour, 100, 50) << 100 * 50 << "Liar.png";
    HttpRoute page = Png(kSkinColour, 1, 1);
    page.body = "<html><body style=\"background:#12c45a\"><script>document.title='x'</script>";
    QTest::newRow("a page called an image")
        << page << 0 << QStringLiteral("无法显示玩家「Liar」的皮肤");
    QTest::newRow("too wide to show")
        << Png(kSkinColour, 8192, 4) << 0 << QStringLiteral("无法显示玩家「Liar」的皮肤");
    HttpRoute endless = Png(kSkinColour, 1, 1);
    endless.generatedSize = 1024 * 1024 + 1;
    QTest::newRow("more than a texture may be")
        << endless << 0 << QStringLiteral("无法取得玩家「Liar」的皮肤");
}

void TestLegacyPane::textureThatIsNoSkinIsShownForWhatItIs() {
    TEST_FETCH(HttpRoute, texture, int, pixels, QString, title);
    ServePlayer("Liar", false);
    files_.Serve("/texture/skin-Liar", texture);
    const qint64 peakBefore = PeakResidentKiB();
    holder_.pane->Navigate(SkinAddress(QStringLiteral("MinecraftSkins"), QStringLiteral("Liar")));
    QTRY_COMPARE_WITH_TIMEOUT(Title(), title, kLoadTimeout);
    // The pane holds no more than a texture's worth, whatever came.
    QVERIFY2(PeakResidentKiB() - peakBefore < 64 * 1024,
             qPrintable(QString::number(PeakResidentKiB() - peakBefore)));
    if (pixels > 0) {
        QTRY_COMPARE_WITH_TIMEOUT(Pixels(kSkinColour), pixels, kLoadTimeout);
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(ShowsTextOnWhite(Screenshot(*holder_.window), 100), kLoadTimeout);
        QCOMPARE(Pixels(kSkinColour), 0);
    }
    QCOMPARE(files_.Requests().count("/texture/skin-Liar"), 1);
}

void TestLegacyPane::serverJarIsDownloadedAndVerified_data() {
    TEST_COLUMNS(QString, version, bool, withSha1, QString, outcome);
    const QString checked = QStringLiteral("下载完成（已校验）");
    QTest::newRow("release") << "1.7.2" << true << checked;
    QTest::newRow("version with a space") << "1.8 pre" << true << checked;
    // Saved whole, its size right, but not called verified.
    QTest::newRow("description without the jar's SHA-1")
        << "1.7.2" << false
        << QStringLiteral("下载完成（未校验：版本描述没有给出 SHA-1，只核对了大小）");
}

void TestLegacyPane::serverJarIsDownloadedAndVerified() {
    TEST_FETCH(QString, version, bool, withSha1, QString, outcome);
    const QByteArray v = version.toUtf8();
    const HttpRoute jar = Jar(3 * 1024 * 1024 + 5);
    const QByteArray body = LocalHttpServer::GeneratedBody(jar.generatedSize);
    ServeVersion(v, withSha1 ? Sha1(body) : QByteArray(), body.size());
    const QByteArray key = QUrl::toPercentEncoding(version);
    files_.Serve("/objects/server-" + key, jar);

    QWidget* window = engine_.DownloadFrom(
        *holder_.pane, StoreAddress(version, "minecraft_server." + version + ".jar"),
        engine_.SavePath(QStringLiteral("服务端.jar")));
    QVERIFY(window != nullptr);
    QVERIFY(engine_.ExpectOutcome(window, outcome));
    QVERIFY(ReadFile(engine_.saveAs) == body);
    QCOMPARE(FilesIn(engine_.Folder()), QStringList{QStringLiteral("服务端.jar")});
    QCOMPARE(store_.Requests(), QList<QByteArray>());
    QCOMPARE(manifest_.Requests(), QList<QByteArray>{kManifestPath});
    QCOMPARE(files_.Requests().count("/objects/server-" + key), 1);
    // Offered under the name asked for, not today's address's last segment.
    QCOMPARE(QFileInfo(engine_.suggestions.value(0)).fileName(),
             "minecraft_server." + version + ".jar");
    // The pane no longer says it is looking once the file is handed over.
    QTRY_COMPARE_WITH_TIMEOUT(Title(), QStringLiteral("已找到"), kLoadTimeout);
    QVERIFY(LabelText(window, "sourceLabel").isEmpty() ||
            !Named(window, "sourceLabel")->isVisible());
}

// The engine answers a download the pane started even when the pane has
// gone, or moved on to another site, before the server's head came; such a
// request has no page behind it. Nobody wants the file any more: no dialog,
// no window, nothing on disk, and no crash.
void TestLegacyPane::fileLeftBeforeItsAnswerIsDropped_data() {
    TEST_COLUMNS(bool, paneGoes);
    QTest::newRow("pane gone") << true;
    QTest::newRow("pane moved to another site") << false;
}

void TestLegacyPane::fileLeftBeforeItsAnswerIsDropped() {
    TEST_FETCH(bool, paneGoes);
    HttpRoute jar = Jar(64 * 1024);
    jar.holdHead = true;
    // The head alone, then the connection stays open until the engine lets it go.
    jar.stallAfter = 0;
    ServeVersion("1.7.2", Sha1(LocalHttpServer::GeneratedBody(jar.generatedSize)),
                 jar.generatedSize);
    files_.Serve("/objects/server-1.7.2", jar);
    files_.Serve("/elsewhere.png", Png(kSkinColour, 8, 8));
    engine_.saveAs = engine_.SavePath(QStringLiteral("minecraft_server.1.7.2.jar"));

    holder_.pane->Navigate(StoreAddress("1.7.2", "minecraft_server.1.7.2.jar"));
    QTRY_VERIFY_WITH_TIMEOUT(files_.Requests().contains("/objects/server-1.7.2"), kLoadTimeout);
    if (paneGoes) {
        holder_ = {};
    } else {
        holder_.pane->Navigate(files_.Address("/elsewhere.png"));
        QTRY_VERIFY_WITH_TIMEOUT(Pixels(kSkinColour) > 0, kLoadTimeout);
    }
    files_.ResumeStalled();
    QTRY_COMPARE_WITH_TIMEOUT(files_.OpenConnections("/objects/server-1.7.2"), 0, kLoadTimeout);
    QCOMPARE(engine_.suggestions, QStringList());
    QVERIFY(DownloadWindows().isEmpty());
    QCOMPARE(FilesIn(engine_.Folder()), QStringList());
}

void TestLegacyPane::corruptedJarIsRejectedAndRemoved_data() {
    TEST_COLUMNS(bool, sizeRight, bool, mirror);
    QTest::newRow("one byte changed") << true << false;
    QTest::newRow("cut short") << false << false;
    QTest::newRow("mirror, one byte changed") << true << true;
}

void TestLegacyPane::corruptedJarIsRejectedAndRemoved() {
    TEST_FETCH(bool, sizeRight, bool, mirror);
    const HttpRoute jar = Jar(2 * 1024 * 1024);
    QByteArray official = LocalHttpServer::GeneratedBody(jar.generatedSize);
    if (sizeRight) {
        official[1000] = static_cast<char>(official[1000] ^ 0x20);
    } else {
        official.append("tail");
    }
    const QByteArray versionJson = ServeVersion("1.6.4", Sha1(official), official.size());
    files_.Serve("/objects/server-1.6.4", jar);
    mirror_.Serve("/version/1.6.4/server", jar);
    mirror_.Serve("/version/1.6.4/json", Json(versionJson));
    engine_.saveAs = engine_.SavePath(QStringLiteral("minecraft_server.1.6.4.jar"));
    QVERIFY(WriteFile(engine_.saveAs, "the jar kept from before"));

    const QString file = QStringLiteral("minecraft_server.1.6.4.jar");
    holder_.pane->Navigate(mirror ? MirrorAddress(QStringLiteral("1.6.4"), file)
                                  : StoreAddress(QStringLiteral("1.6.4"), file));
    QWidget* window = AwaitDownloadWindow();
    QVERIFY(window != nullptr);
    QVERIFY(engine_.ExpectOutcome(window, QStringLiteral("下载失败：文件校验不符"), false));
    // Nothing of the bad file stays; what was there before is untouched.
    QCOMPARE(FilesIn(engine_.Folder()), QStringList{QStringLiteral("minecraft_server.1.6.4.jar")});
    QCOMPARE(ReadFile(engine_.saveAs), QByteArray("the jar kept from before"));
}

void TestLegacyPane::officialJsonIsOfferedAndVerified() {
    ServeVersion("1.7.10", Sha1("x"), 1);
    QWidget* window = engine_.DownloadFrom(
        *holder_.pane, StoreAddress(QStringLiteral("1.7.10"), QStringLiteral("1.7.10.json")),
        engine_.SavePath(QStringLiteral("1.7.10.json")));
    QVERIFY(window != nullptr);
    QVERIFY(engine_.ExpectOutcome(window, QStringLiteral("下载完成（已校验）")));
    QCOMPARE(QFileInfo(engine_.suggestions.value(0)).fileName(), QStringLiteral("1.7.10.json"));
    const QByteArray saved = ReadFile(engine_.saveAs);
    QVERIFY(saved.contains("\"server\":{\"sha1\""));
    // Shown first and then fetched as the file, from where the manifest says.
    QCOMPARE(files_.Requests().size(), 2);
    QVERIFY(files_.Requests().first().endsWith("/1.7.10.json"));
}

// Where the address leads to no file, the pane says why in a page of its
// own and offers nothing. A name or version typed with "?", "#", "/", "%2F"
// or as a dot segment asks neither the old host nor any service.
void TestLegacyPane::addressThatLeadsNowhereShowsWhy_data() {
    TEST_COLUMNS(QString, address, QString, title, bool, asksNobody);
    QTest::newRow("unknown version")
        << StoreAddress(QStringLiteral("9.9.9"), QStringLiteral("9.9.9.jar"))
        << QStringLiteral("找不到版本「9.9.9」") << false;
    // The file's server takes the connection and never answers: the pane is
    // not left hanging past the time limit.
    QTest::newRow("download that never starts")
        << StoreAddress(QStringLiteral("1.0"), QStringLiteral("minecraft_server.1.0.jar"))
        << QStringLiteral("无法下载") << false;
    QTest::newRow("name with a question mark")
        << SkinAddress(QStringLiteral("MinecraftSkins"), QStringLiteral("a?b"))
        << QStringLiteral("找不到玩家「a?b」") << true;
    QTest::newRow("Skinme name with a slash")
        << skinme_.Address(QStringLiteral("/MinecraftSkins/a/b.png"))
        << QStringLiteral("找不到玩家「a/b」") << true;
    QTest::newRow("store version with a hash")
        << StoreAddress(QStringLiteral("1.7#x"), QStringLiteral("1.7#x.jar"))
        << QStringLiteral("找不到版本「1.7#x」") << true;
    QTest::newRow("mirror version with an escaped slash")
        << MirrorAddress(QStringLiteral("a%2Fb"), QStringLiteral("a%2Fb.jar"))
        << QStringLiteral("找不到版本「a%2Fb」") << true;
    QTest::newRow("mirror version climbing out")
        << MirrorAddress(QStringLiteral(".."), QStringLiteral("minecraft_server....jar"))
        << QStringLiteral("找不到版本「..」") << true;
}

void TestLegacyPane::addressThatLeadsNowhereShowsWhy() {
    TEST_FETCH(QString, address, QString, title, bool, asksNobody);
    ServeVersion("1.0", Sha1("x"), 1);
    HttpRoute held = Jar(1024);
    held.holdHead = true;
    files_.Serve("/objects/server-1.0", held);
    holder_.pane->Navigate(address);
    QTRY_COMPARE_WITH_TIMEOUT(Title(), title, kLoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(ShowsTextOnWhite(Screenshot(*holder_.window), 100), kLoadTimeout);
    for (const LocalHttpServer* server : {&skins_, &store_, &mirror_, &lookup_, &fallback_,
                                          &session_, &manifest_, &skinme_, &site_, &files_}) {
        if (asksNobody) {
            QCOMPARE(server->Requests(), QList<QByteArray>());
        }
    }
    // The page is where the look-up ends: nothing is offered.
    QVERIFY(engine_.suggestions.isEmpty());
    QVERIFY(DownloadWindows().isEmpty());
}

void TestLegacyPane::mirrorAddressIsRewrittenAndNamed_data() {
    // attachment: the mirror sends it as one of its own naming
    TEST_COLUMNS(QString, file, QByteArray, asked, bool, redirected, bool, attachment, QString,
                 outcome);
    // The official chain answers before the jar is whole, and is trusted first.
    const QString byMirror = QStringLiteral("下载完成（已按官方版本描述校验）");
    QTest::newRow("client") << "1.12.2.jar" << QByteArray("/version/1.12.2/client") << false
                            << false << byMirror;
    QTest::newRow("server") << "minecraft_server.1.12.2.jar" << QByteArray("/version/1.12.2/server")
                            << false << false << byMirror;
    // The mirror's description cannot vouch for itself: the official list can.
    const QString byList = QStringLiteral("下载完成（已按官方版本列表校验）");
    QTest::newRow("json") << "1.12.2.json" << QByteArray("/version/1.12.2/json") << false << false
                          << byList;
    // Downloaded at once instead of shown: still the mirror's JSON, checked.
    QTest::newRow("json as an attachment")
        << "1.12.2.json" << QByteArray("/version/1.12.2/json") << false << true << byList;
    // The mirror sends most files on to a node of its own.
    QTest::newRow("server, redirected")
        << "minecraft_server.1.12.2.jar" << QByteArray("/version/1.12.2/server") << true << false
        << byMirror;
}

void TestLegacyPane::mirrorAddressIsRewrittenAndNamed() {
    TEST_FETCH(QString, file, QByteArray, asked, bool, redirected, bool, attachment, QString,
               outcome);
    const HttpRoute server = Jar(1024 * 1024 + 3);
    const QByteArray serverBody = LocalHttpServer::GeneratedBody(server.generatedSize);
    const QByteArray versionJson = ServeVersion("1.12.2", Sha1(serverBody), serverBody.size());
    // The mirror has the same files, and the same description, as the
    // official servers.
    const QByteArray description = "/version/1.12.2/json";
    mirror_.Serve(description, Json(versionJson));
    HttpRoute answer = server;
    QByteArray expected = serverBody;
    if (asked.endsWith("/client")) {
        answer = Jar(0);
        answer.generatedSize = -1;
        answer.body = expected = "client 1.12.2";
    } else if (asked == description) {
        answer = Json(versionJson);
        expected = versionJson;
    }
    if (attachment) {
        answer.contentDisposition = "attachment; filename=\"run.sh\"";
    }
    if (redirected) {
        mirror_.Serve(asked, Redirect(files_.Address("/node/file").toUtf8()));
        files_.Serve("/node/file", answer);
    } else {
        mirror_.Serve(asked, answer);
    }

    QWidget* window =
        engine_.DownloadFrom(*holder_.pane, MirrorAddress(QStringLiteral("1.12.2"), file),
                             engine_.SavePath(QStringLiteral("saved")));
    QVERIFY(window != nullptr);
    QCOMPARE(LabelText(window, "sourceLabel"),
             QStringLiteral("来源：BMCLAPI 镜像 %1").arg(Host(kMirrorHost)));
    QVERIFY(Named(window, "sourceLabel")->isVisible());
    QVERIFY(engine_.ExpectOutcome(window, outcome));
    QVERIFY(ReadFile(engine_.saveAs) == expected);
    QCOMPARE(QFileInfo(engine_.suggestions.value(0)).fileName(), file);
    // Only today's addresses on the mirror: the file (a JSON is shown, then
    // fetched) and its description; and the official list once.
    const QList<QByteArray> requests = mirror_.Requests();
    QVERIFY(requests.contains(asked));
    for (const QByteArray& request : requests) {
        QVERIFY2(request == asked || request == description, request.constData());
    }
    QCOMPARE(manifest_.Requests().size(), 1);
    // Fetched from the mirror, not yet found.
    if (asked != description) {
        QTRY_COMPARE_WITH_TIMEOUT(Title(), QStringLiteral("正在下载"), kLoadTimeout);
    }
}

void TestLegacyPane::mirrorFileWithoutACheckIsOfferedUnverified_data() {
    TEST_COLUMNS(QString, file, QByteArray, asked, QString, reason);
    QTest::newRow("jar, mirror has no description")
        << "minecraft_server.1.5.2.jar" << QByteArray("/version/1.5.2/server")
        << QStringLiteral("HTTP 404");
    QTest::newRow("json, official list fails")
        << "1.5.2.json" << QByteArray("/version/1.5.2/json") << QStringLiteral("HTTP 500");
}

void TestLegacyPane::mirrorFileWithoutACheckIsOfferedUnverified() {
    TEST_FETCH(QString, file, QByteArray, asked, QString, reason);
    manifest_.Serve(kManifestPath, Json("<h1>down</h1>", 500));
    HttpRoute answer = Jar(4096);
    if (asked.endsWith("/json")) {
        answer = Json("{\"id\":\"1.5.2\"}");
    }
    mirror_.Serve(asked, answer);
    QWidget* window =
        engine_.DownloadFrom(*holder_.pane, MirrorAddress(QStringLiteral("1.5.2"), file),
                             engine_.SavePath(QStringLiteral("saved")));
    QVERIFY(window != nullptr);
    QVERIFY(engine_.ExpectOutcome(window, QStringLiteral("下载完成（未校验："), false));
    QVERIFY2(LabelText(window, "stateLabel").contains(reason),
             qPrintable(LabelText(window, "stateLabel")));
    const QByteArray expected =
        answer.generatedSize >= 0 ? LocalHttpServer::GeneratedBody(4096) : answer.body;
    QVERIFY(ReadFile(engine_.saveAs) == expected);
}

// People take the mirror when the servers abroad are slow or out of reach:
// with the official hosts taking connections and never answering, the jar is
// asked of the mirror while the official list still holds its answer back
// (before its time limit). Only once that has passed is it checked against
// the mirror's own description, and the window says its source could not be
// confirmed.
void TestLegacyPane::mirrorFileIsOfferedAtOnceWhileOfficialHostsStall() {
    const HttpRoute jar = Jar(512 * 1024 + 9);
    const QByteArray body = LocalHttpServer::GeneratedBody(jar.generatedSize);
    const QByteArray versionJson = ServeVersion("1.7.2", Sha1(body), body.size());
    HttpRoute stalled = Json(QByteArray());
    stalled.holdHead = true;
    manifest_.Serve(kManifestPath, stalled);
    mirror_.Serve("/version/1.7.2/server", jar);
    mirror_.Serve("/version/1.7.2/json", Json(versionJson));
    engine_.saveAs = engine_.SavePath(QStringLiteral("minecraft_server.1.7.2.jar"));

    holder_.pane->Navigate(
        MirrorAddress(QStringLiteral("1.7.2"), QStringLiteral("minecraft_server.1.7.2.jar")));
    QTRY_VERIFY_WITH_TIMEOUT(mirror_.Requests().contains("/version/1.7.2/server"), kLoadTimeout);
    // Not waited for: every request for the list made so far is still held.
    QCOMPARE(manifest_.OpenConnections(kManifestPath), manifest_.Requests().count(kManifestPath));
    QTRY_VERIFY_WITH_TIMEOUT(!engine_.suggestions.isEmpty(), kLoadTimeout);
    QWidget* window = AwaitDownloadWindow();
    QVERIFY(window != nullptr);
    QVERIFY(engine_.ExpectOutcome(window, QStringLiteral("正在等待官方版本描述以校验文件…")));
    QVERIFY(!QFile::exists(engine_.saveAs));
    QVERIFY(engine_.ExpectOutcome(window,
                                  QStringLiteral("下载完成，但来源未能确认：%1 在 %2 秒内没有回答；"
                                                 "文件只与镜像的版本描述相符")
                                      .arg(Host("CT_MANIFEST_HOST"))
                                      .arg(CT_LEGACY_TIMEOUT_MS / 1000.0)));
    QVERIFY(ReadFile(engine_.saveAs) == body);
}

// The mirror sends a jar that is not the official one, with a description of
// its own that matches it, and the official word comes only once the jar is
// whole, inside its time limit: the mirror's jar is never kept; the store's
// is fetched into the chosen name instead, and the window says why.
void TestLegacyPane::mirrorJarTheOfficialWordDisownsComesFromTheStore() {
    const HttpRoute jar = Jar(300 * 1024 + 11);
    const QByteArray official = LocalHttpServer::GeneratedBody(jar.generatedSize);
    files_.Serve("/objects/server-1.7.2", jar);
    // The mirror's description is of its own jar; the official one is held.
    QByteArray other = official;
    other[1000] = static_cast<char>(other[1000] ^ 0x20);
    HttpRoute lying = Jar(0);
    lying.generatedSize = -1;
    lying.body = other;
    mirror_.Serve("/version/1.7.2/server", lying);
    mirror_.Serve("/version/1.7.2/json", Json(ServeVersion("1.7.2", Sha1(other), other.size())));
    ServeVersion("1.7.2", Sha1(official), official.size(), true);
    const QString name = QStringLiteral("minecraft_server.1.7.2.jar");

    QWidget* window = engine_.DownloadFrom(
        *holder_.pane, MirrorAddress(QStringLiteral("1.7.2"), name), engine_.SavePath(name));
    QVERIFY(window != nullptr);
    // The mirror's jar is whole and its own description in: the file waits.
    QVERIFY(engine_.ExpectOutcome(window, QStringLiteral("正在等待官方版本描述以校验文件…")));
    QVERIFY(mirror_.Requests().contains("/version/1.7.2/json"));
    QVERIFY(!QFile::exists(engine_.saveAs));
    // The official list answers now, and to whoever asks again.
    ServeVersion("1.7.2", Sha1(official), official.size());
    manifest_.ResumeStalled();
    QTRY_COMPARE_WITH_TIMEOUT(
        LabelText(window, "sourceLabel"),
        QStringLiteral("来源：官方仓库（BMCLAPI 镜像 %1 无法提供这个文件：文件与官方版本"
                       "描述不符（SHA-1 为 %2，应为 %3））")
            .arg(Host(kMirrorHost))
            .arg(QString::fromLatin1(Sha1(other)), QString::fromLatin1(Sha1(official))),
        kLoadTimeout);
    QVERIFY(engine_.ExpectOutcome(window, QStringLiteral("下载完成（已校验）")));
    QVERIFY(ReadFile(engine_.saveAs) == official);
    QCOMPARE(FilesIn(engine_.Folder()), QStringList{name});
    QCOMPARE(files_.Requests().count("/objects/server-1.7.2"), 1);
    QCOMPARE(DownloadWindows().size(), 1);
}

// A mirror that refuses a jar before its first byte (by status, by refusing
// the connection, or by never answering): the same jar comes from the
// official store by itself, checked as the store's route checks it, under
// the name chosen once.
void TestLegacyPane::refusingMirrorHandsTheFileToTheStore_data() {
    // status: 0: connection refused; -1: no answer at all
    TEST_COLUMNS(int, status);
    for (const int status : {503, 403, 429, 404, 0}) {
        QTest::addRow("%d", status) << status;
    }
    QTest::newRow("no answer within the time limit") << -1;
}

void TestLegacyPane::refusingMirrorHandsTheFileToTheStore() {
    TEST_FETCH(int, status);
    const HttpRoute jar = Jar(700 * 1024 + 1);
    const QByteArray body = LocalHttpServer::GeneratedBody(jar.generatedSize);
    ServeVersion("1.7.2", Sha1(body), body.size());
    files_.Serve("/objects/server-1.7.2", jar);
    if (status > 0) {
        HttpRoute refusal = Json("{\"error\":\"busy\"}", status);
        refusal.extraHeaders = "Retry-After: 30\r\n";
        mirror_.Serve("/version/1.7.2/server", refusal);
    } else if (status == 0) {
        mirror_.Close();
    } else {
        HttpRoute silent = Jar(1024);
        silent.holdHead = true;
        mirror_.Serve("/version/1.7.2/server", silent);
    }
    const QString name = QStringLiteral("minecraft_server.1.7.2.jar");

    QWidget* window = engine_.DownloadFrom(
        *holder_.pane, MirrorAddress(QStringLiteral("1.7.2"), name), engine_.SavePath(name));
    QVERIFY(window != nullptr);
    QTRY_VERIFY2_WITH_TIMEOUT(
        LabelText(window, "sourceLabel")
            .startsWith(QStringLiteral("来源：官方仓库（BMCLAPI 镜像 %1 无法提供这个文件：")
                            .arg(Host(kMirrorHost))),
        qPrintable(LabelText(window, "sourceLabel")), kLoadTimeout);
    QVERIFY(engine_.ExpectOutcome(window, QStringLiteral("下载完成（已校验）")));
    QVERIFY(ReadFile(engine_.saveAs) == body);
    QCOMPARE(FilesIn(engine_.Folder()), QStringList{name});
    QCOMPARE(engine_.suggestions.size(), 1);
    QCOMPARE(QFileInfo(engine_.suggestions.first()).fileName(), name);
    QCOMPARE(DownloadWindows().size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(Title(), QStringLiteral("正在下载"), kLoadTimeout);
    QCOMPARE(mirror_.Requests().contains("/version/1.7.2/server"), status != 0);
    QCOMPARE(files_.Requests().count("/objects/server-1.7.2"), 1);
}

// The mirror refuses and the store has no such version: one window that
// says so, nothing saved.
void TestLegacyPane::fileOnNeitherRouteIsOneError() {
    ServeVersion("1.0", Sha1("x"), 1);
    QWidget* window = engine_.DownloadFrom(
        *holder_.pane, MirrorAddress(QStringLiteral("9.9.9"), QStringLiteral("9.9.9.jar")),
        engine_.SavePath(QStringLiteral("9.9.9.jar")));
    QVERIFY(window != nullptr);
    QVERIFY(engine_.ExpectOutcome(window, QStringLiteral("下载失败：找不到版本「9.9.9」"), false));
    QCOMPARE(DownloadWindows().size(), 1);
    QCOMPARE(engine_.suggestions.size(), 1);
    QCOMPARE(FilesIn(engine_.Folder()), QStringList());
}

// A jar whose description gives its size is cut off once it passes it, or
// once the server promises more: the connection closes and nothing is left.
// The body comes a step at a time, each let go only while the connection is
// open and the window shows every byte so far taken and within the size: the
// download must stop within the one step that passes the size (at once, for
// a promise beyond it).
void TestLegacyPane::jarPastItsSizeIsStopped_data() {
    TEST_COLUMNS(bool, promisesMore, QString, file);
    const QString jar = QStringLiteral("minecraft_server.1.7.2.jar");
    QTest::newRow("sent without end") << false << jar;
    QTest::newRow("promised 40 MB") << true << jar;
    // From the mirror, as an attachment, with no version the store has.
    QTest::newRow("mirror JSON sent without end") << false << QStringLiteral("1.7.2.json");
}

void TestLegacyPane::jarPastItsSizeIsStopped() {
    TEST_FETCH(bool, promisesMore, QString, file);
    const bool json = file.endsWith(QLatin1String(".json"));
    // The description's size for the jar; the cap, 4 MiB, for the JSON.
    constexpr qint64 kDescribed = 1'000'000;
    const qint64 bound = json ? 4 * 1024 * 1024 : kDescribed;
    // Every step's end up to the size reads exactly in KiB.
    constexpr qint64 kStep = 200 * 1024;
    HttpRoute endless = Jar(promisesMore ? 40'000'000 : 1'000'000'000);
    endless.omitLength = !promisesMore;
    endless.stallEvery = kStep;
    LocalHttpServer& server = json ? mirror_ : files_;
    const QByteArray path = json ? "/version/1.7.2/json" : "/objects/server-1.7.2";
    if (json) {
        endless.contentType = "application/json";
        endless.contentDisposition = "attachment";
        manifest_.Serve(kManifestPath, Json("{\"versions\":[]}"));
    } else {
        ServeVersion("1.7.2", Sha1(LocalHttpServer::GeneratedBody(kDescribed)), kDescribed);
    }
    server.Serve(path, endless);
    engine_.saveAs = engine_.SavePath(file);
    const qint64 sentBefore = server.BodyBytesSent();

    holder_.pane->Navigate(json ? MirrorAddress(QStringLiteral("1.7.2"), file)
                                : StoreAddress(QStringLiteral("1.7.2"), file));
    QWidget* window = AwaitDownloadWindow();
    QVERIFY(window != nullptr);
    qint64 released = kStep;
    // What the window shows of a size: two decimals with thousands grouped,
    // in KiB below a MiB.
    const auto shown = [](qint64 bytes) {
        const bool kib = bytes < 1'048'576;
        QString number = QString::number(bytes / (kib ? 1024.0 : 1'048'576.0), 'f', 2);
        for (qsizetype at = number.indexOf(u'.') - 3; at > 0; at -= 3) {
            number.insert(at, u',');
        }
        return number + (kib ? QStringLiteral(" KiB") : QStringLiteral(" MiB"));
    };
    while (!promisesMore && released <= bound) {
        const QString taken = shown(released) + QStringLiteral(" / 大小未知");
        QVERIFY2(
            QTest::qWaitFor([&] { return LabelText(window, "bytesLabel") == taken; }, kLoadTimeout),
            qPrintable(LabelText(window, "bytesLabel")));
        server.ResumeStalled();
        released += kStep;
    }
    if (json) {
        QCOMPARE(LabelText(window, "sourceLabel"),
                 QStringLiteral("来源：BMCLAPI 镜像 %1").arg(Host(kMirrorHost)));
        QTRY_VERIFY2_WITH_TIMEOUT(
            LabelText(window, "stateLabel").startsWith(QStringLiteral("下载失败")),
            qPrintable(LabelText(window, "stateLabel")), kLoadTimeout);
        QVERIFY2(LabelText(window, "stateLabel")
                     .contains(QStringLiteral("文件大小不明，已超过 4194304 字节的上限")),
                 qPrintable(LabelText(window, "stateLabel")));
    } else {
        QVERIFY(engine_.ExpectOutcome(
            window, QStringLiteral("下载失败：文件比版本描述的大（应为 1000000 字节），已删除")));
    }
    // Nothing more is let go: a download still running would hold the
    // connection open.
    QTRY_COMPARE_WITH_TIMEOUT(server.OpenConnections(path), 0, kLoadTimeout);
    if (!promisesMore) {
        const qint64 sent = server.BodyBytesSent() - sentBefore;
        QVERIFY2(sent > bound, qPrintable(QString::number(sent)));
    }
    QVERIFY(engine_.AwaitQueuedFileWork());
    QTRY_COMPARE_WITH_TIMEOUT(FilesIn(engine_.Folder()), QStringList(), kLoadTimeout);
}

QTEST_MAIN(TestLegacyPane)
#include "tst_legacypane.moc"
