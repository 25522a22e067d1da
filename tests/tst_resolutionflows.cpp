// The flows that resolve old official addresses, against a fetcher the test
// answers by hand: which services each asks in which order, what each
// outcome says, and that a mirror's checks go on without their flow.
#include "FakeFetcher.h"
#include "LateCheck.h"
#include "LegacyAddress.h"
#include "PlayerIds.h"
#include "ResolutionFlow.h"
#include "SampleAnswers.h"
#include "TestTable.h"
#include "VersionChecks.h"

#include <QCryptographicHash>
#include <QSignalSpy>
#include <QTest>

namespace {

// What the flow may take of each answer, in bytes: a small answer, a
// document (the version list, a description), a texture.
constexpr qint64 kSmallAnswerBytes = 65'536;
constexpr qint64 kDocumentBytes = 4'194'304;
constexpr qint64 kTextureBytes = 1'048'576;

const QByteArray kId = "069a79f444e94726a5befca90e38aaf5";
const QByteArray kSha = "3716cac82982e7c2eb09f83028b555e9ea606002";

LegacyEndpoints Endpoints() {
    LegacyEndpoints endpoints;
    endpoints.officialSkinHost = QStringLiteral("skins.test");
    endpoints.storeHost = QStringLiteral("store.test");
    endpoints.mirrorHost = QStringLiteral("mirror.test");
    endpoints.lookupHost = QStringLiteral("lookup.test");
    endpoints.fallbackLookupHost = QStringLiteral("fallback.test");
    endpoints.sessionHost = QStringLiteral("session.test");
    endpoints.manifestHost = QStringLiteral("manifest.test");
    endpoints.skinmeHost = QStringLiteral("skinme.test");
    endpoints.skinSiteHost = QStringLiteral("site.test");
    return endpoints;
}

QByteArray Profile(const QByteArray& textures) {
    return SampleProfile(kId, "Notch", "{" + textures + "}");
}

const QByteArray kSkinProfile = Profile("\"SKIN\":{\"url\":\"http://tex.test/skin\"}");
const QByteArray kLookup = SampleAnswer("lookup.json", {{"id", kId}, {"name", "Notch"}});
const QByteArray kDescription =
    SampleAnswer("version.json", {{"version", "1.7.2"},
                                  {"client_sha1", kSha},
                                  {"client_size", "9"},
                                  {"client_url", "https://data.test/c.jar"},
                                  {"server_sha1", kSha},
                                  {"server_size", "9"},
                                  {"server_url", "https://data.test/s.jar"}});
QByteArray Manifest(const QByteArray& descriptionSha,
                    const QByteArray& url = "https://meta.test/1.7.2.json") {
    return SampleAnswer("manifest.json",
                        {{"version", "1.7.2"}, {"url", url}, {"sha1", descriptionSha}});
}
QByteArray Sha1(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}
const QByteArray kDescriptionSha = Sha1(kDescription);
// The same description, naming its jars in the clear.
const QByteArray kDescriptionOverHttp =
    QByteArray(kDescription).replace("https://data.test/", "http://data.test:80/");

// The flow the pane would start for `address`, asking through `fetcher`.
std::unique_ptr<ResolutionFlow> FlowFor(const QString& address, Fetcher& fetcher, PlayerIds& ids) {
    const LegacyEndpoints endpoints = Endpoints();
    const QUrl url(address);
    return ResolutionFlow::For(url, ReadLegacyAddress(url, endpoints), endpoints, fetcher, ids);
}

// One answer for the next request: status 0 is no connection.
struct Answer {
    int status;
    QByteArray body;
    int retryAfterSeconds = -1;
};

// What a flow told, in one line.
QString Told(const QList<QList<QVariant>>& textures, const QList<QList<QVariant>>& files,
             const QList<QList<QVariant>>& failures) {
    QStringList told;
    for (const auto& found : textures) {
        const auto texture = found.at(0).value<FoundTexture>();
        told << QStringLiteral("%1 %2 of %3%4: %5")
                    .arg(texture.cape ? "cape" : "skin", texture.address.toString(), texture.player,
                         texture.slim ? ", slim" : "", QString::fromLatin1(texture.bytes));
    }
    for (const auto& file : files) {
        const auto expected = file.at(2).value<DownloadExpectation>();
        told << QStringLiteral("file %1 %2 %3 %4 %5 %6")
                    .arg(file.at(0).toUrl().toString(),
                         file.at(1).toBool() ? QStringLiteral("shown") : QStringLiteral("offered"),
                         QString::fromLatin1(expected.identity.sha1))
                    .arg(expected.identity.size)
                    .arg(expected.fileName)
                    .arg(expected.sizeCap);
    }
    for (const auto& failure : failures) {
        told << failure.at(0).toString() + QStringLiteral(" | ") + failure.at(1).toString();
    }
    return told.join(QLatin1Char('\n'));
}

} // namespace

Q_DECLARE_METATYPE(DownloadExpectation)
Q_DECLARE_METATYPE(FoundTexture)

class TestResolutionFlows final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        qRegisterMetaType<DownloadExpectation>();
        qRegisterMetaType<FoundTexture>();
    }
    void flowAsksInOrderAndTellsOnce_data();
    void flowAsksInOrderAndTellsOnce();
    void playerIsAskedForOncePerMinute();
    void mirrorChecksAreAskedBesideTheFile_data();
    void mirrorChecksAreAskedBesideTheFile();
    void refusedMirrorFileComesFromTheStore_data();
    void refusedMirrorFileComesFromTheStore();
};

void TestResolutionFlows::flowAsksInOrderAndTellsOnce_data() {
    TEST_COLUMNS(QString, address, QList<Answer>, answers, QStringList, asked, QString, told);

    const QString skin = QStringLiteral("http://skins.test/MinecraftSkins/Notch.png");
    const QString lookup =
        QStringLiteral("https://lookup.test/minecraft/profile/lookup/name/Notch");
    const QString fallback = QStringLiteral("https://fallback.test/users/profiles/minecraft/Notch");
    const QString session = QStringLiteral("https://session.test/session/minecraft/profile/") +
                            QString::fromLatin1(kId);
    // The texture is fetched by the flow, held to a megabyte.
    const QString texture = QStringLiteral("https://tex.test/skin (1048576 bytes at most)");
    const QString notchSkin = QStringLiteral("skin https://tex.test/skin of Notch: PNG");
    QTest::newRow("skin") << skin
                          << QList<Answer>{{200, kLookup}, {200, kSkinProfile}, {200, "PNG"}}
                          << QStringList{lookup, session, texture} << notchSkin;
    QTest::newRow("slim skin")
        << skin
        << QList<Answer>{{200, kLookup},
                         {200, Profile("\"SKIN\":{\"url\":\"http://tex.test/skin\","
                                       "\"metadata\":{\"model\":\"slim\"}}")},
                         {200, "PNG"}}
        << QStringList{lookup, session, texture}
        << QStringLiteral("skin https://tex.test/skin of Notch, slim: PNG");
    QTest::newRow("skin image refused")
        << skin << QList<Answer>{{200, kLookup}, {200, kSkinProfile}, {404, "<h1>gone</h1>"}}
        << QStringList{lookup, session, texture}
        << QStringLiteral("无法取得玩家「Notch」的皮肤 | tex.test 回答 HTTP 404");
    QTest::newRow("cape the player lacks")
        << QStringLiteral("http://skins.test/MinecraftCloaks/Notch.png")
        << QList<Answer>{{200, kLookup}, {200, kSkinProfile}} << QStringList{lookup, session}
        << QStringLiteral("玩家「Notch」没有披风 | 这个正版玩家没有可显示的披风。");
    // The fallback stands in for a look-up that fails in any way.
    const QList<Answer> lookupFailures{
        {0, {}},
        {404, "{\"errorMessage\":\"Couldn't find any profile\"}"},
        {500, "<h1>Internal error</h1>"},
        {200, "<html>maintenance</html>"},
    };
    for (const Answer& failure : lookupFailures) {
        QTest::addRow("look-up %d, fallback answers", failure.status)
            << skin << QList<Answer>{failure, {200, kLookup}, {200, kSkinProfile}, {200, "PNG"}}
            << QStringList{lookup, fallback, session, texture} << notchSkin;
    }
    for (const int fallbackStatus : {204, 404}) {
        QTest::addRow("nobody by that name: 404, then %d", fallbackStatus)
            << skin << QList<Answer>{{404, {}}, {fallbackStatus, {}}}
            << QStringList{lookup, fallback}
            << QStringLiteral("找不到正版玩家「Notch」 | 没有叫这个名字的正版玩家，请检查拼写。");
    }
    // An answer past its bound is refused unread, and says so.
    const QByteArray padded = kLookup + QByteArray(kSmallAnswerBytes, ' ');
    QTest::newRow("both look-ups past 64 KiB")
        << skin << QList<Answer>{{200, padded}, {200, padded}} << QStringList{lookup, fallback}
        << QStringLiteral(
               "无法查询正版玩家「Notch」 | lookup.test 的回答超过 64 KiB，工具箱没有读取；"
               "fallback.test 的回答超过 64 KiB，工具箱没有读取");
    QTest::newRow("nobody, then the fallback is down")
        << skin << QList<Answer>{{404, {}}, {0, {}}} << QStringList{lookup, fallback}
        << QStringLiteral("找不到正版玩家「Notch」 | 没有叫这个名字的正版玩家，请检查拼写。");
    QTest::newRow("both look-ups broken")
        << skin << QList<Answer>{{500, {}}, {200, "[]"}} << QStringList{lookup, fallback}
        << QStringLiteral("无法查询正版玩家「Notch」 | lookup.test 回答 HTTP 500；"
                          "fallback.test：服务器的回答无法读取");
    QTest::newRow("no profile")
        << skin << QList<Answer>{{200, kLookup}, {404, {}}} << QStringList{lookup, session}
        << QStringLiteral("找不到正版玩家「Notch」 | session.test 没有这个玩家的资料。");
    // Any service that asks to wait is waited for by the user, not retried.
    QTest::newRow("profile asks to wait")
        << skin << QList<Answer>{{200, kLookup}, {429, {}, 30}} << QStringList{lookup, session}
        << QStringLiteral("请稍后再试 | session.test 收到的请求太多，要求等待 30 秒后再试。"
                          "工具箱不会自动重试。");
    QTest::newRow("both look-ups ask to wait")
        << skin << QList<Answer>{{429, {}}, {429, {}, 5}} << QStringList{lookup, fallback}
        << QStringLiteral("请稍后再试 | fallback.test 收到的请求太多，要求等待 5 秒后再试。"
                          "工具箱不会自动重试。");

    // A UUID names the profile: no look-up, and the texture is saved under
    // the profile's current name (unless it gives none that is a name).
    const QString dashed = QStringLiteral("069a79f4-44e9-4726-a5be-fca90e38aaf5");
    QTest::newRow("UUID with dashes: the profile by id")
        << QStringLiteral("http://skins.test/MinecraftSkins/%1.png").arg(dashed)
        << QList<Answer>{{200, kSkinProfile}, {200, "PNG"}} << QStringList{session, texture}
        << notchSkin;
    QTest::newRow("UUID without dashes, upper case: the cape by id")
        << QStringLiteral("http://skins.test/MinecraftCloaks/069A79F444E94726A5BEFCA90E38AAF5.png")
        << QList<Answer>{{200, Profile("\"CAPE\":{\"url\":\"http://tex.test/cape\"}")},
                         {200, "PNG"}}
        << QStringList{session, QStringLiteral("https://tex.test/cape (1048576 bytes at most)")}
        << QStringLiteral("cape https://tex.test/cape of Notch: PNG");
    QTest::newRow("UUID whose profile names nobody fit for a file")
        << QStringLiteral("http://skins.test/MinecraftSkins/%1.png").arg(dashed)
        << QList<Answer>{{200, SampleProfile(kId, "../Notch",
                                             R"({"SKIN":{"url":"http://tex.test/skin"}})")},
                         {200, "PNG"}}
        << QStringList{session, texture}
        << QStringLiteral("skin https://tex.test/skin of %1: PNG").arg(dashed);
    QTest::newRow("UUID nobody has")
        << QStringLiteral("http://skins.test/MinecraftSkins/%1.png").arg(dashed)
        << QList<Answer>{{204, {}}} << QStringList{session}
        << QStringLiteral("找不到正版玩家「%1」 | session.test 没有这个玩家的资料。").arg(dashed);
    const QString threeDashes = QStringLiteral("069a79f444e9-4726-a5be-fca90e38aaf5");
    QTest::newRow("three dashes are a name to look up")
        << QStringLiteral("http://skins.test/MinecraftSkins/%1.png").arg(threeDashes)
        << QList<Answer>{{400, {}}, {404, {}}}
        << QStringList{QStringLiteral("https://lookup.test/minecraft/profile/lookup/name/") +
                           threeDashes,
                       QStringLiteral("https://fallback.test/users/profiles/minecraft/") +
                           threeDashes}
        << QStringLiteral("找不到正版玩家「%1」 | 没有叫这个名字的正版玩家，请检查拼写。")
               .arg(threeDashes);
    QTest::newRow("UUID on Skinme: the skin site looks up names")
        << QStringLiteral("http://skinme.test/MinecraftSkins/%1.png").arg(dashed) << QList<Answer>{}
        << QStringList{}
        << QStringLiteral("皮肤站不能按 UUID 查找「%1」 | 皮肤站 site.test 只按玩家名查找玩家，"
                          "请输入玩家名；UUID 可用于正版皮肤和披风。")
               .arg(dashed);

    // Skinme is gone: its addresses go to a skin site's CustomSkinAPI.
    const QString site = QStringLiteral("https://site.test/csl/Creeper.json");
    const QByteArray both = R"({"username":"Creeper","skins":{"slim":"5a"},"cape":"ca"})";
    QTest::newRow("Skinme skin")
        << QStringLiteral("http://skinme.test/MinecraftSkins/Creeper.png")
        << QList<Answer>{{200, both}, {200, "PNG"}}
        << QStringList{site,
                       QStringLiteral("https://site.test/textures/5a (1048576 bytes at most)")}
        << QStringLiteral("skin https://site.test/textures/5a of Creeper, slim: PNG");
    QTest::newRow("Skinme cape")
        << QStringLiteral("http://skinme.test/MinecraftCloaks/Creeper.png")
        << QList<Answer>{{200, both}, {200, "PNG"}}
        << QStringList{site,
                       QStringLiteral("https://site.test/textures/ca (1048576 bytes at most)")}
        << QStringLiteral("cape https://site.test/textures/ca of Creeper: PNG");
    QTest::newRow("Skinme cape image not there")
        << QStringLiteral("http://skinme.test/MinecraftCloaks/Creeper.png")
        << QList<Answer>{{200, both}, {0, {}}}
        << QStringList{site,
                       QStringLiteral("https://site.test/textures/ca (1048576 bytes at most)")}
        << QStringLiteral("无法取得玩家「Creeper」的披风 | 无法连接 site.test");
    QTest::newRow("Skinme name in Chinese, unknown to the site")
        << QStringLiteral("http://skinme.test/MinecraftSkins/苦力怕.png")
        << QList<Answer>{{404, {}}}
        << QStringList{QStringLiteral("https://site.test/csl/%E8%8B%A6%E5%8A%9B%E6%80%95.json")}
        << QStringLiteral("找不到玩家「苦力怕」 | 皮肤站 site.test 上没有叫这个名字的玩家。");
    QTest::newRow("Skinme cape the player lacks")
        << QStringLiteral("http://skinme.test/MinecraftCloaks/Creeper.png")
        << QList<Answer>{{200, R"({"skins":{"default":"de"}})"}} << QStringList{site}
        << QStringLiteral("玩家「Creeper」没有披风 | 皮肤站 site.test 上这个玩家没有披风。");
    QTest::newRow("skin site asks to wait")
        << QStringLiteral("http://skinme.test/MinecraftSkins/Creeper.png")
        << QList<Answer>{{429, {}, 60}} << QStringList{site}
        << QStringLiteral("请稍后再试 | site.test 收到的请求太多，要求等待 60 秒后再试。"
                          "工具箱不会自动重试。");
    QTest::newRow("skin site answer broken")
        << QStringLiteral("http://skinme.test/MinecraftSkins/Creeper.png")
        << QList<Answer>{{200, R"({"skins":{"default":"../x"}})"}} << QStringList{site}
        << QStringLiteral("无法在皮肤站上查询玩家「Creeper」 | site.test：皮肤站的回答无法读取");
    QTest::newRow("no name") << QStringLiteral("http://skins.test/MinecraftSkins/.png")
                             << QList<Answer>{} << QStringList{}
                             << QStringLiteral("没有输入玩家名 | 请输入正版玩家的名字。");
    // No name or version to read: said at once, nobody asked.
    QTest::newRow("name typed with a question mark")
        << QStringLiteral("http://skins.test/MinecraftSkins/a?b.png") << QList<Answer>{}
        << QStringList{}
        << QStringLiteral("找不到玩家「a?b」 | 玩家名中有问号（?），它在网址里另有含义。"
                          "工具箱没有打开这个地址。");
    QTest::newRow("version typed as a dot segment")
        << QStringLiteral("http://mirror.test/versions/../...jar") << QList<Answer>{}
        << QStringList{}
        << QStringLiteral("找不到版本「..」 | 版本号不能是 . 或 ..，它们在网址里表示文件夹。"
                          "工具箱没有打开这个地址。");

    const QString store = QStringLiteral("http://store.test/Minecraft.Download/1.7.2/");
    const QString manifest =
        QStringLiteral("https://manifest.test/mc/game/version_manifest_v2.json");
    const QString description = QStringLiteral("https://meta.test/1.7.2.json");
    // The list, then a description that has only the one jar.
    const auto listedWithOnly = [](const QByteArray& jar) {
        const QByteArray only = "{\"downloads\":{\"" + jar + "\":{\"sha1\":\"" + kSha +
                                "\",\"size\":9,\"url\":\"https://data.test/" + jar.left(1) +
                                ".jar\"}}}";
        return QList<Answer>{
            {200, Manifest(QCryptographicHash::hash(only, QCryptographicHash::Sha1).toHex())},
            {200, only}};
    };
    QTest::newRow("store server jar")
        << store + QStringLiteral("minecraft_server.1.7.2.jar")
        << QList<Answer>{{200, Manifest(kDescriptionSha)}, {200, kDescription}}
        << QStringList{manifest, description}
        << QStringLiteral("file https://data.test/s.jar offered %1 9 minecraft_server.1.7.2.jar "
                          "268435456")
               .arg(QString::fromLatin1(kSha));
    QTest::newRow("store JSON is the description itself")
        << store + QStringLiteral("1.7.2.json") << QList<Answer>{{200, Manifest(kDescriptionSha)}}
        << QStringList{manifest}
        << QStringLiteral("file https://meta.test/1.7.2.json shown %1 -1 1.7.2.json 4194304")
               .arg(QString::fromLatin1(kDescriptionSha));
    // The endpoints are on TLS: what the list and the description name in the
    // clear is fetched over https all the same.
    QTest::newRow("store jar named over http")
        << store + QStringLiteral("minecraft_server.1.7.2.jar")
        << QList<Answer>{{200, Manifest(Sha1(kDescriptionOverHttp), "http://meta.test/1.7.2.json")},
                         {200, kDescriptionOverHttp}}
        << QStringList{manifest, description}
        << QStringLiteral("file https://data.test/s.jar offered %1 9 minecraft_server.1.7.2.jar "
                          "268435456")
               .arg(QString::fromLatin1(kSha));
    QTest::newRow("store description not the listed one")
        << store + QStringLiteral("1.7.2.jar")
        << QList<Answer>{{200, Manifest(kSha)}, {200, kDescription}}
        << QStringList{manifest, description}
        << QStringLiteral("无法查询官方版本「1.7.2」 | meta.test 的版本描述与版本列表的校验值不符");
    QTest::newRow("store client jar the description lacks")
        << store + QStringLiteral("1.7.2.jar") << listedWithOnly("server")
        << QStringList{manifest, description}
        << QStringLiteral("版本「1.7.2」没有客户端文件 | 官方没有为这个版本发布这个文件。");
    QTest::newRow("store list asks to wait")
        << store + QStringLiteral("1.7.2.jar") << QList<Answer>{{429, {}}} << QStringList{manifest}
        << QStringLiteral("请稍后再试 | manifest.test 收到的请求太多，要求稍后再试。"
                          "工具箱不会自动重试。");
    for (const char* file : {"1.7.2.jar", "1.7.2.json"}) {
        QTest::addRow("store version unknown, %s", file)
            << store + QString::fromLatin1(file) << QList<Answer>{{200, "{\"versions\":[]}"}}
            << QStringList{manifest}
            << QStringLiteral("找不到版本「1.7.2」 | 官方版本列表中没有这个版本，请检查版本号。");
    }
    QTest::newRow("store server jar the description lacks")
        << store + QStringLiteral("minecraft_server.1.7.2.jar") << listedWithOnly("client")
        << QStringList{manifest, description}
        << QStringLiteral("版本「1.7.2」没有服务端 | 官方没有为这个版本发布这个文件。");
}

void TestResolutionFlows::flowAsksInOrderAndTellsOnce() {
    TEST_FETCH(QString, address, QList<Answer>, answers, QStringList, asked, QString, told);

    FakeFetcher fetcher;
    PlayerIds ids;
    auto flow = FlowFor(address, fetcher, ids);
    QVERIFY(flow != nullptr);
    QSignalSpy textures(flow.get(), &ResolutionFlow::TextureFound);
    QSignalSpy files(flow.get(), &ResolutionFlow::FileFound);
    QSignalSpy failures(flow.get(), &ResolutionFlow::Failed);
    flow->Start();
    for (const Answer& answer : answers) {
        QCOMPARE(fetcher.pending.size(), 1); // one request at a time
        QCOMPARE(fetcher.pending.first().context.data(), flow.get());
        // Bounded by what is asked for: the list and descriptions are
        // documents, a texture its own bound (in `asked`), all else small.
        const QString host = fetcher.pending.first().url.host();
        const qint64 bound = fetcher.pending.first().maxBytes;
        if (bound != kTextureBytes) {
            QCOMPARE(bound,
                     host == QLatin1String("manifest.test") || host == QLatin1String("meta.test")
                         ? kDocumentBytes
                         : kSmallAnswerBytes);
        }
        QVERIFY(fetcher.Answer(answer.status, answer.body, answer.retryAfterSeconds));
    }
    QVERIFY(fetcher.pending.isEmpty());
    QStringList askedNow;
    for (int i = 0; i < fetcher.asked.size(); ++i) {
        askedNow << fetcher.asked.at(i).toString(QUrl::FullyEncoded) +
                        (fetcher.caps.at(i) != kTextureBytes
                             ? QString()
                             : QStringLiteral(" (%1 bytes at most)").arg(fetcher.caps.at(i)));
    }
    QCOMPARE(askedNow, asked);
    QCOMPARE(textures.size() + files.size() + failures.size(), 1);
    QCOMPARE(Told(textures, files, failures), told);
}

// Skin then cape of one player ask the session server once within a minute;
// an id whose profile is gone is looked up afresh; nothing is kept for good.
void TestResolutionFlows::playerIsAskedForOncePerMinute() {
    FakeFetcher fetcher;
    qint64 now = 0;
    PlayerIds ids([&now] { return now; });
    const auto told = [&](const QString& address, const QList<Answer>& answers) {
        auto flow = FlowFor(address, fetcher, ids);
        QSignalSpy textures(flow.get(), &ResolutionFlow::TextureFound);
        QSignalSpy failures(flow.get(), &ResolutionFlow::Failed);
        flow->Start();
        for (const Answer& answer : answers) {
            fetcher.Answer(answer.status, answer.body);
        }
        return Told(textures, {}, failures);
    };
    const QString skin = QStringLiteral("http://skins.test/MinecraftSkins/Notch.png");
    const QString cape = QStringLiteral("http://skins.test/MinecraftCloaks/Notch.png");
    const QByteArray both = Profile("\"SKIN\":{\"url\":\"http://tex.test/skin\"},"
                                    "\"CAPE\":{\"url\":\"http://tex.test/cape\"}");
    const QString skinFound = QStringLiteral("skin https://tex.test/skin of Notch: S");
    QCOMPARE(told(skin, {{200, kLookup}, {200, both}, {200, "S"}}), skinFound);
    now += PlayerIds::kProfileMs - 1;
    QCOMPARE(told(cape, {{200, "C"}}), QStringLiteral("cape https://tex.test/cape of Notch: C"));
    // The look-up, the profile and each texture once.
    QCOMPARE(fetcher.asked.size(), 4);
    // A minute on, the profile is asked again; the id is still known.
    now += 1;
    QCOMPARE(told(cape, {{404, {}}}),
             QStringLiteral("找不到正版玩家「Notch」 | session.test 没有这个玩家的资料。"));
    QCOMPARE(fetcher.asked.size(), 5);
    QVERIFY(ids.Find(QStringLiteral("Notch")).isEmpty());
    QCOMPARE(told(skin, {{200, kLookup}, {200, both}, {200, "S"}}), skinFound);
    QCOMPARE(fetcher.asked.at(5).host(), QStringLiteral("lookup.test"));

    // A name's id stands for an hour: after it, the name may be another
    // player's.
    now += PlayerIds::kIdMs - 1;
    QCOMPARE(ids.Find(QStringLiteral("NOTCH")), QString::fromLatin1(kId));
    QVERIFY(!ids.Profile(QString::fromLatin1(kId)));
    now += 1;
    QVERIFY(ids.Find(QStringLiteral("Notch")).isEmpty());
    // However many players, only the latest few are kept, of each kind.
    for (int i = 0; i <= PlayerIds::kMostKept; ++i) {
        ids.Remember(QStringLiteral("p%1").arg(i), QStringLiteral("id%1").arg(i));
        ids.RememberProfile(QStringLiteral("id%1").arg(i), HttpAnswer{});
        now += 1;
    }
    QVERIFY(ids.Find(QStringLiteral("p0")).isEmpty());
    QVERIFY(!ids.Profile(QStringLiteral("id0")));
    QCOMPARE(ids.Find(QStringLiteral("p1")), QStringLiteral("id1"));
    QVERIFY(ids.Profile(QStringLiteral("id1")));
}

// The mirror's file is offered before anything is answered, over TLS; what
// it is checked against is asked beside it, most trusted first, and outlives
// the flow.
void TestResolutionFlows::mirrorChecksAreAskedBesideTheFile_data() {
    TEST_COLUMNS(QString, address, QString, file);
    // In the order asked: the list, the mirror's description, the official one.
    TEST_COLUMNS(QList<Answer>, answers);
    // Against, its weight (waited for: "yes", the server's own word: "own",
    // else "no"), and the verdict.
    TEST_COLUMNS(QStringList, checks);

    const QString mirror = QStringLiteral("http://mirror.test/versions/1.7.2/");
    const QString sha = QString::fromLatin1(kSha);
    QTest::newRow("jar") << mirror + QStringLiteral("minecraft_server.1.7.2.jar")
                         << QStringLiteral("https://mirror.test/version/1.7.2/server")
                         << QList<Answer>{{200, Manifest(kDescriptionSha)},
                                          {200, kDescription},
                                          {200, kDescription}}
                         << QStringList{QStringLiteral("官方版本描述 yes %1 9").arg(sha),
                                        QStringLiteral("镜像的版本描述 own %1 9").arg(sha)};
    QTest::newRow("jar, official description not the listed one")
        << mirror + QStringLiteral("minecraft_server.1.7.2.jar")
        << QStringLiteral("https://mirror.test/version/1.7.2/server")
        << QList<Answer>{{200, Manifest(kSha)}, {429, {}}, {200, kDescription}}
        << QStringList{
               QStringLiteral("官方版本描述 yes meta.test 的版本描述与版本列表的校验值不符"),
               QStringLiteral("镜像的版本描述 own mirror.test 要求稍后再试")};
    QTest::newRow("jar, official description listed over http")
        << mirror + QStringLiteral("1.7.2.jar")
        << QStringLiteral("https://mirror.test/version/1.7.2/client")
        << QList<Answer>{{200, Manifest(kDescriptionSha, "http://meta.test/1.7.2.json")},
                         {200, kDescription},
                         {200, kDescription}}
        << QStringList{QStringLiteral("官方版本描述 yes %1 9").arg(sha),
                       QStringLiteral("镜像的版本描述 own %1 9").arg(sha)};
    QTest::newRow("json") << mirror + QStringLiteral("1.7.2.json")
                          << QStringLiteral("https://mirror.test/version/1.7.2/json")
                          << QList<Answer>{{200, Manifest(kDescriptionSha)}}
                          << QStringList{QStringLiteral("官方版本列表 no %1 -1")
                                             .arg(QString::fromLatin1(kDescriptionSha))};
}

void TestResolutionFlows::mirrorChecksAreAskedBesideTheFile() {
    TEST_FETCH(QString, address, QString, file, QList<Answer>, answers, QStringList, checks);

    FakeFetcher fetcher;
    PlayerIds ids;
    auto flow = FlowFor(address, fetcher, ids);
    QSignalSpy files(flow.get(), &ResolutionFlow::FileFound);
    flow->Start();
    QCOMPARE(files.size(), 1);
    QCOMPARE(files.first().at(0).toUrl().toString(), file);
    const auto expected = files.first().at(2).value<DownloadExpectation>();
    QCOMPARE(expected.source, QStringLiteral("BMCLAPI 镜像 mirror.test"));
    // Bounded even while nothing has said its size: a JSON at 4 MiB, a jar at 256 MiB.
    QCOMPARE(expected.sizeCap,
             file.endsWith(QLatin1String("json")) ? qint64(4'194'304) : qint64(268'435'456));
    flow.reset();
    for (const Answer& answer : answers) {
        QVERIFY(fetcher.Answer(answer.status, answer.body));
    }
    QVERIFY(fetcher.pending.isEmpty());
    for (const QUrl& asked : std::as_const(fetcher.asked)) {
        QCOMPARE(asked.scheme(), QStringLiteral("https"));
    }
    QStringList told;
    for (const auto& check : expected.late) {
        QVERIFY(check->IsSettled());
        const LateCheck::Verdict& verdict = check->Result();
        told << QStringLiteral("%1 %2 %3")
                    .arg(check->Against(),
                         !check->Confirms()         ? QStringLiteral("own")
                         : check->WorthWaitingFor() ? QStringLiteral("yes")
                                                    : QStringLiteral("no"),
                         verdict.unverifiedReason.isEmpty()
                             ? QStringLiteral("%1 %2")
                                   .arg(QString::fromLatin1(verdict.identity.sha1))
                                   .arg(verdict.identity.size)
                             : verdict.unverifiedReason);
    }
    QCOMPARE(told, checks);
}

// A mirror that refuses its file hands it to the store's own route, once;
// no other flow has a second source.
void TestResolutionFlows::refusedMirrorFileComesFromTheStore_data() {
    TEST_COLUMNS(QString, address, QList<Answer>, answers, QString, told);

    const QString mirror = QStringLiteral("http://mirror.test/versions/1.7.2/");
    const QString refusal = QStringLiteral("BMCLAPI 镜像 mirror.test 无法提供这个文件：拒绝了");
    QTest::newRow("server jar")
        << mirror + QStringLiteral("minecraft_server.1.7.2.jar")
        << QList<Answer>{{200, Manifest(kDescriptionSha)}, {200, kDescription}}
        << QStringLiteral("file https://data.test/s.jar offered %1 9 minecraft_server.1.7.2.jar "
                          "268435456 官方仓库（%2）")
               .arg(QString::fromLatin1(kSha), refusal);
    QTest::newRow("json") << mirror + QStringLiteral("1.7.2.json")
                          << QList<Answer>{{200, Manifest(kDescriptionSha)}}
                          << QStringLiteral("file https://meta.test/1.7.2.json shown %1 -1 "
                                            "1.7.2.json 4194304 官方仓库（%2）")
                                 .arg(QString::fromLatin1(kDescriptionSha), refusal);
    QTest::newRow("no such version on either")
        << mirror + QStringLiteral("1.7.2.jar") << QList<Answer>{{200, "{\"versions\":[]}"}}
        << QStringLiteral("找不到版本「1.7.2」 | 官方版本列表中没有这个版本，请检查版本号。（%1）")
               .arg(refusal);
    QTest::newRow("store file: nowhere else")
        << QStringLiteral("http://store.test/Minecraft.Download/1.7.2/1.7.2.jar") << QList<Answer>{}
        << QString();
}

void TestResolutionFlows::refusedMirrorFileComesFromTheStore() {
    TEST_FETCH(QString, address, QList<Answer>, answers, QString, told);

    FakeFetcher fetcher;
    PlayerIds ids;
    auto flow = FlowFor(address, fetcher, ids);
    QSignalSpy textures(flow.get(), &ResolutionFlow::TextureFound);
    QSignalSpy files(flow.get(), &ResolutionFlow::FileFound);
    QSignalSpy failures(flow.get(), &ResolutionFlow::Failed);
    QSignalSpy rerouted(flow.get(), &ResolutionFlow::Rerouted);
    if (!address.contains(QLatin1String("mirror"))) {
        QVERIFY(!flow->FallBack(QStringLiteral("拒绝了")));
        QCOMPARE(rerouted.size(), 0);
        return;
    }
    flow->Start();
    fetcher.pending.clear(); // the mirror file's own checks
    fetcher.asked.clear();
    files.clear();
    QVERIFY(flow->FallBack(QStringLiteral("拒绝了")));
    QVERIFY(!flow->FallBack(QStringLiteral("again")));
    QCOMPARE(rerouted.size(), 1);
    QCOMPARE(rerouted.first().at(0).toString(),
             QStringLiteral("BMCLAPI 镜像 mirror.test 无法提供这个文件：拒绝了"));
    for (const Answer& answer : answers) {
        QCOMPARE(fetcher.pending.size(), 1);
        QVERIFY(fetcher.Answer(answer.status, answer.body));
    }
    QCOMPARE(fetcher.asked.first().host(), QStringLiteral("manifest.test"));
    QCOMPARE(textures.size() + files.size() + failures.size(), 1);
    QString said = Told(textures, files, failures);
    if (!files.isEmpty()) {
        said += QLatin1Char(' ') + files.first().at(2).value<DownloadExpectation>().source;
    }
    QCOMPARE(said, told);
}

QTEST_GUILESS_MAIN(TestResolutionFlows)
#include "tst_resolutionflows.moc"
