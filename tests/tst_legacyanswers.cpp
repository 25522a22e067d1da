// Reading what today's services answer: the player look-up, the session
// profile, the version manifest (as a version's entry and as the list to
// choose from) and a version's JSON, in the shapes their
// public documentation gives, and broken or hostile answers, which must give
// a plain "no use" and never a crash or an address to follow. Then the check
// of a downloaded file, a texture's PNG cut down to its pixels, and the
// pane's own pages.
#include "AnswerJson.h"
#include "FileCheck.h"
#include "ImageBytes.h"
#include "PngChunks.h"
#include "ProfileAnswer.h"
#include "ResolutionPage.h"
#include "SampleAnswers.h"
#include "SkinSiteAnswer.h"
#include "TestTable.h"
#include "TexturePage.h"
#include "VersionAnswer.h"
#include "VersionList.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ManifestEntry::Outcome)
Q_DECLARE_METATYPE(VersionDownload::Outcome)
Q_DECLARE_METATYPE(VersionList::Outcome)

namespace {

const QByteArray kId = "069a79f444e94726a5befca90e38aaf5";
const QByteArray kSkin = "http://textures.minecraft.net/texture/"
                         "292009a4925b58f02c77dadc3ecef07ea4c7472f64e0fdc32ce5522489362680";
const QByteArray kCape = "http://textures.minecraft.net/texture/"
                         "2340c0e03dd24a11b15a8b33c2a7e9e32abb2051b2481d0ba7defd635ca7a933";

// A session profile as sessionserver answers it, its textures object made of
// `inner`.
QByteArray Profile(const QByteArray& inner) {
    return SampleProfile(kId, "Notch", "{" + inner + "}");
}

QByteArray VersionWith(const QByteArray& server) {
    return "{\"id\":\"x\",\"downloads\":{\"client\":{\"sha1\":"
           "\"0f7ca7a0e9a5a7b0b9c1b3d0e5a8e0f5f7c1d2e3\",\"size\":1,\"url\":"
           "\"https://h.test/c.jar\"},\"server\":" +
           server + "}}";
}

} // namespace

class TestLegacyAnswers final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lookup_data();
    void lookup();
    void textures_data();
    void textures();
    void addressOverHttps();
    void skinSite_data();
    void skinSite();
    void manifest_data();
    void manifest();
    void versionList_data();
    void versionList();
    void versionDownload_data();
    void versionDownload();
    void fileCheck_data();
    void fileCheck();
    void pngKeepsOnlyItsPixels_data();
    void pngKeepsOnlyItsPixels();
    void pagesEscapeWhatTheyAreGiven();
    void texturePageTakesNamesAsText();
};

void TestLegacyAnswers::lookup_data() {
    TEST_COLUMNS(QByteArray, answer, QString, id);
    QTest::newRow("documented") << SampleAnswer("lookup.json", {{"id", kId}, {"name", "Notch"}})
                                << QString::fromLatin1(kId);
    QTest::newRow("dashed, upper case")
        << QByteArray("{\"name\":\"Notch\",\"id\":\"069A79F4-44E9-4726-A5BE-FCA90E38AAF5\"}")
        << QString::fromLatin1(kId);
    QTest::newRow("not JSON") << QByteArray("<html>Too Many Requests</html>") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("array") << QByteArray("[{\"id\":\"" + kId + "\"}]") << QString();
    QTest::newRow("error answer")
        << QByteArray("{\"path\":\"/x\",\"errorMessage\":\"Couldn't find any profile\"}")
        << QString();
    QTest::newRow("id a number") << QByteArray("{\"id\":69}") << QString();
    // The id becomes part of the profile address: nothing but hex gets there.
    QTest::newRow("id with a path") << QByteArray("{\"id\":\"../../admin?x=1\"}") << QString();
    QTest::newRow("id too short") << QByteArray("{\"id\":\"069a79f4\"}") << QString();
    QTest::newRow("id not hex") << QByteArray("{\"id\":\"069a79f444e94726a5befca90e38aazz\"}")
                                << QString();
    QTest::newRow("id and a line feed") << QByteArray("{\"id\":\"" + kId + "\\n\"}") << QString();
}

void TestLegacyAnswers::lookup() {
    TEST_FETCH(QByteArray, answer, QString, id);
    const PlayerLookup read = ReadPlayerLookup(answer);
    QCOMPARE(read.id, id);
    QCOMPARE(read.problem.isEmpty(), !id.isEmpty());
}

void TestLegacyAnswers::textures_data() {
    TEST_COLUMNS(QByteArray, answer, QString, skin, QString, cape, bool, usable);
    const QString skin = QString::fromLatin1(kSkin);
    const QString cape = QString::fromLatin1(kCape);
    QTest::newRow("skin and cape")
        << Profile("\"SKIN\":{\"url\":\"" + kSkin +
                   "\",\"metadata\":{\"model\":\"slim\"}},\"CAPE\":{\"url\":\"" + kCape + "\"}")
        << skin + " (slim)" << cape << true;
    // Any other metadata is the classic model.
    QTest::newRow("metadata a text")
        << Profile("\"SKIN\":{\"url\":\"" + kSkin + "\",\"metadata\":\"slim\"}") << skin
        << QString() << true;
    QTest::newRow("no cape") << Profile("\"SKIN\":{\"url\":\"" + kSkin + "\"}") << skin << QString()
                             << true;
    QTest::newRow("default skin") << Profile("") << QString() << QString() << true;
    // Each of these is refused: no skin, no cape.
    const auto refused = [](const char* name, const QByteArray& answer) {
        QTest::newRow(name) << answer << QString() << QString() << false;
    };
    refused("not JSON", "oops");
    refused("no properties", "{\"id\":\"" + kId + "\",\"name\":\"N\"}");
    refused("properties not a list", "{\"properties\":{\"name\":\"textures\"}}");
    refused("no textures property", "{\"properties\":[{\"name\":\"other\",\"value\":\"e30=\"}]}");
    refused("value not text", "{\"properties\":[{\"name\":\"textures\",\"value\":42}]}");
    refused("base64 garbage",
            "{\"properties\":[{\"name\":\"textures\",\"value\":\"!!not*base64!!\"}]}");
    refused("base64 of garbage", "{\"properties\":[{\"name\":\"textures\",\"value\":\"" +
                                     QByteArray("\xff\xfe{{{").toBase64() + "\"}]}");
    refused("textures not an object", SampleProfile(kId, "Notch", "\"SKIN\""));
    refused("url a number", Profile("\"SKIN\":{\"url\":7}"));
    refused("javascript", Profile("\"SKIN\":{\"url\":\"javascript:void 0\"}"));
    refused("file", Profile("\"SKIN\":{\"url\":\"" + kSkin +
                            "\"},\"CAPE\":{\"url\":\"file:///etc/passwd\"}"));
    refused("no host", Profile("\"CAPE\":{\"url\":\"http:///x.png\"}"));
}

void TestLegacyAnswers::textures() {
    TEST_FETCH(QByteArray, answer, QString, skin, QString, cape, bool, usable);
    const PlayerTextures read = ReadPlayerTextures(answer);
    QCOMPARE(read.problem.isEmpty(), usable);
    QCOMPARE(read.skin.toString() + (read.slim ? " (slim)" : ""), skin);
    QCOMPARE(read.cape.toString(), cape);
}

void TestLegacyAnswers::addressOverHttps() {
    const QUrl texture(QString::fromLatin1(kSkin));
    QCOMPARE(AddressOver(texture, QStringLiteral("https")).toString(),
             QString::fromLatin1(kSkin).replace(0, 4, QStringLiteral("https")));
    QCOMPARE(AddressOver(QUrl(QStringLiteral("http://t.test:80/a.png")), QStringLiteral("https"))
                 .toString(),
             QStringLiteral("https://t.test/a.png"));
    // Tests point everything at plain http servers of their own.
    QCOMPARE(AddressOver(texture, QStringLiteral("http")), texture);
}

// A skin site's CustomSkinAPI answer: the hashes go into the next address.
void TestLegacyAnswers::skinSite_data() {
    TEST_COLUMNS(QByteArray, answer, QString, skin, QString, cape, bool, usable);
    const QString hash = QStringLiteral("c0ffee") + QString(58, QLatin1Char('a'));
    const QByteArray h = hash.toLatin1();
    QTest::newRow("default and cape")
        << SampleAnswer("skinsite.json",
                        {{"name", "Creeper"}, {"model", "default"}, {"skin", h}, {"cape", "b1"}})
        << hash << "b1" << true;
    const auto row = [](const char* name, const char* answer, const char* skin, const char* cape,
                        bool usable) {
        QTest::newRow(name) << QByteArray(answer) << QString::fromUtf8(skin)
                            << QString::fromUtf8(cape) << usable;
    };
    row("slim only", R"({"skins":{"slim":"5a"}})", "5a (slim)", "", true);
    row("default before slim", R"({"skins":{"slim":"5a","default":"de"}})", "de", "", true);
    row("cape only", R"({"username":"x","cape":"ca"})", "", "ca", true);
    row("nothing", R"({"username":"x","skins":{}})", "", "", true);
    row("nulls", R"({"skins":null,"cape":null})", "", "", true);
    row("hash with a path", R"({"skins":{"default":"../../admin"}})", "", "", false);
    row("hash a number", R"({"cape":12})", "", "", false);
    row("hash empty", R"({"cape":""})", "", "", false);
    QTest::newRow("hash too long") << QByteArray(R"({"cape":")" + QByteArray(129, 'a') + R"("})")
                                   << QString() << QString() << false;
    row("skins a list", R"({"skins":["de"]})", "", "", false);
    row("not JSON", "<html>503</html>", "", "", false);
}

void TestLegacyAnswers::skinSite() {
    TEST_FETCH(QByteArray, answer, QString, skin, QString, cape, bool, usable);
    const SkinSiteTextures read = ReadSkinSiteTextures(answer);
    QCOMPARE(read.problem.isEmpty(), usable);
    QCOMPARE(read.skin + (read.slim ? " (slim)" : ""), skin);
    QCOMPARE(read.cape, cape);
}

void TestLegacyAnswers::manifest_data() {
    TEST_COLUMNS(QByteArray, manifest, QString, version, ManifestEntry::Outcome, outcome, QString,
                 url, QByteArray, sha1);
    using enum ManifestEntry::Outcome;
    const QByteArray kManifest = SampleAnswer(
        "manifest.json", {{"version", "1.7.2"},
                          {"url", "https://piston-meta.mojang.com/v1/packages/bbbb/1.7.2.json"},
                          {"sha1", "b19d5c3b5fb1e2c5b5bd3b0e5e4fa1a1c3d4e5f6"}});
    QTest::newRow("release") << kManifest << "1.7.2" << Found
                             << "https://piston-meta.mojang.com/v1/packages/bbbb/1.7.2.json"
                             << QByteArray("b19d5c3b5fb1e2c5b5bd3b0e5e4fa1a1c3d4e5f6");
    QTest::newRow("snapshot, sha1 upper case")
        << kManifest << "23w31a" << Found
        << "https://piston-meta.mojang.com/v1/packages/aaaa/23w31a.json"
        << QByteArray("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa");
    const auto row = [](const char* name, const QByteArray& manifest, const char* version,
                        ManifestEntry::Outcome outcome, const char* url = "") {
        QTest::newRow(name) << manifest << QString::fromUtf8(version) << outcome
                            << QString::fromUtf8(url) << QByteArray();
    };
    row("unknown", kManifest, "9.9.9", Unknown);
    row("not exact", kManifest, "1.7.2 ", Unknown);
    row("empty version", kManifest, "", Unknown);
    row("no sha1", R"({"versions":[{"id":"a","url":"http://h.test/a"}]})", "a", Found,
        "http://h.test/a");
    row("not JSON", "<html>", "1.7.2", Malformed);
    row("versions not a list", R"({"versions":{"1.7.2":{}}})", "1.7.2", Malformed);
    row("entries not objects", R"({"versions":[1,"1.7.2",null]})", "1.7.2", Unknown);
    row("javascript url", R"({"versions":[{"id":"a","url":"javascript:void 0"}]})", "a", Malformed);
    row("file url", R"({"versions":[{"id":"a","url":"file:///etc/x"}]})", "a", Malformed);
    row("bad sha1", R"({"versions":[{"id":"a","url":"http://h.test/a","sha1":"xyz"}]})", "a",
        Malformed);
    row("sha1 a number", R"({"versions":[{"id":"a","url":"http://h.test/a","sha1":1e40}]})", "a",
        Malformed);
}

void TestLegacyAnswers::manifest() {
    TEST_FETCH(QByteArray, manifest, QString, version, ManifestEntry::Outcome, outcome, QString,
               url, QByteArray, sha1);
    const ManifestEntry entry = FindInManifest(manifest, version);
    QCOMPARE(entry.outcome, outcome);
    QCOMPARE(entry.url.toString(), url);
    QCOMPARE(entry.identity.sha1, sha1);
}

void TestLegacyAnswers::versionList_data() {
    // listed: "<id> <type> <release date>", "latest" after the manifest's latest ones.
    TEST_COLUMNS(QByteArray, manifest, VersionList::Outcome, outcome, QStringList, listed, int,
                 leftOut);
    using enum VersionList::Outcome;
    const auto entry = [](const char* id, const char* type, const char* released) {
        return QByteArray(R"({"id":")") + id + R"(","type":")" + type +
               R"(","url":"https://h.test/x.json","releaseTime":")" + released + R"("})";
    };
    const auto manifest = [](const QByteArray& latest, const QList<QByteArray>& entries) {
        return "{\"latest\":" + latest + ",\"versions\":[" + entries.join(',') + "]}";
    };
    const QByteArray latest = R"({"release":"1.21.11","snapshot":"26.1-snapshot-3"})";
    QTest::newRow("documented") << SampleAnswer("manifest.json",
                                                {{"version", "1.7.2"},
                                                 {"url", "https://h.test/1.7.2.json"},
                                                 {"sha1", QByteArray(40, 'b')}})
                                << Listed
                                << QStringList{"23w31a snapshot 2023-08-01 latest",
                                               "1.7.2 release 2013-10-25 latest"}
                                << 0;
    QTest::newRow("this year's ids, newest first whatever the order, each kind")
        << manifest(latest, {entry("1.21.11", "release", "2025-12-09T10:00:00+00:00"),
                             entry("b1.7.3", "old_beta", "2011-07-07T22:00:00+00:00"),
                             entry("26.1-snapshot-3", "snapshot", "2026-01-13T12:00:00+00:00"),
                             entry("rd-132211", "old_alpha", "2009-05-13T20:11:00+00:00"),
                             entry("26.1-pre-1", "pending", "2026-02-03T12:00:00+01:00")})
        << Listed
        << QStringList{"26.1-pre-1 other 2026-02-03", "26.1-snapshot-3 snapshot 2026-01-13 latest",
                       "1.21.11 release 2025-12-09 latest", "b1.7.3 old_beta 2011-07-07",
                       "rd-132211 old_alpha 2009-05-13"}
        << 0;
    // A time zone moves the date: the list gives it in UTC.
    QTest::newRow("time zone, unreadable time last, same time in manifest order")
        << manifest("{}", {entry("c", "release", "soon"),
                           entry("b", "release", "2020-01-01T01:00:00+02:00"),
                           entry("a", "release", "2020-01-01T00:00:00+01:00")})
        << Listed << QStringList{"b release 2019-12-31", "a release 2019-12-31", "c release -"}
        << 0;
    QTest::newRow("latest naming a version of the other kind marks nothing")
        << manifest(R"({"release":"s","snapshot":"r"})",
                    {entry("r", "release", "2020-01-02T00:00:00Z"),
                     entry("s", "snapshot", "2020-01-01T00:00:00Z")})
        << Listed << QStringList{"r release 2020-01-02", "s snapshot 2020-01-01"} << 0;
    // An id goes into the version box and from there into an address.
    QTest::newRow("ids that are no plain path segment are left out")
        << manifest(R"({"release":"../1.7.2"})",
                    {entry("../1.7.2", "release", "2020-01-09T00:00:00Z"),
                     entry("1.7.2?x", "release", "2020-01-08T00:00:00Z"),
                     entry("1.7.2#x", "release", "2020-01-07T00:00:00Z"),
                     entry("1.7.2\\u0007", "release", "2020-01-06T00:00:00Z"),
                     entry("1.7.2\\u202e", "release", "2020-01-05T00:00:00Z"),
                     entry("1.7.2\\\\x", "release", "2020-01-04T00:00:00Z"),
                     entry("1.7%2F2", "release", "2020-01-03T00:00:00Z"),
                     entry("1.7 2", "release", "2020-01-03T00:00:00Z"),
                     entry("..", "release", "2020-01-03T00:00:00Z"),
                     entry("", "release", "2020-01-03T00:00:00Z"),
                     entry("1.7.2\\u2028", "release", "2020-01-03T00:00:00Z"),
                     entry("1.7.2", "release", "2020-01-02T00:00:00Z"),
                     entry("1.7.2", "snapshot", "2020-01-01T00:00:00Z"),
                     R"({"id":7,"type":"release"})", "null"})
        << Listed << QStringList{"1.7.2 release 2020-01-02"} << 14;
    QTest::newRow("an id past 64 characters")
        << manifest("{}",
                    {entry(QByteArray(65, '1').constData(), "release", "2020-01-01T00:00:00Z")})
        << NoneUsable << QStringList{} << 1;
    QTest::newRow("nothing usable")
        << manifest("{}", {entry("a/b", "release", "2020-01-01T00:00:00Z")}) << NoneUsable
        << QStringList{} << 1;
    QTest::newRow("empty list") << QByteArray(R"({"versions":[]})") << NoneUsable << QStringList{}
                                << 0;
    QTest::newRow("not JSON") << QByteArray("<html>502</html>") << NotJson << QStringList{} << 0;
    QTest::newRow("cut short") << QByteArray(R"({"versions":[{"id":"1.7.2")") << NotJson
                               << QStringList{} << 0;
    QTest::newRow("a list, not an object")
        << QByteArray(R"([{"id":"1.7.2"}])") << NotJson << QStringList{} << 0;
    QTest::newRow("another document")
        << QByteArray(R"({"id":"1.7.2","downloads":{}})") << NotManifest << QStringList{} << 0;
    QTest::newRow("versions not a list")
        << QByteArray(R"({"versions":{"1.7.2":{}}})") << NotManifest << QStringList{} << 0;
}

void TestLegacyAnswers::versionList() {
    TEST_FETCH(QByteArray, manifest, VersionList::Outcome, outcome, QStringList, listed, int,
               leftOut);
    static const char* const kTypes[] = {"release", "snapshot", "old_beta", "old_alpha", "other"};
    const VersionList read = ReadVersionList(manifest);
    QStringList shown;
    for (const ListedVersion& version : read.versions) {
        shown << QStringLiteral("%1 %2 %3%4")
                     .arg(version.id, QLatin1String(kTypes[int(version.kind)]),
                          version.released.isValid()
                              ? version.released.toString(QStringLiteral("yyyy-MM-dd"))
                              : QStringLiteral("-"),
                          version.latest ? QStringLiteral(" latest") : QString());
    }
    QCOMPARE(read.outcome, outcome);
    QCOMPARE(shown, listed);
    QCOMPARE(read.leftOut, leftOut);
}

void TestLegacyAnswers::versionDownload_data() {
    TEST_COLUMNS(QByteArray, json, QString, key, VersionDownload::Outcome, outcome, QString, url,
                 QByteArray, sha1, qint64, size);
    using enum VersionDownload::Outcome;
    const QByteArray kVersionJson =
        SampleAnswer("version.json",
                     {{"version", "1.7.2"},
                      {"client_sha1", "0f7ca7a0e9a5a7b0b9c1b3d0e5a8e0f5f7c1d2e3"},
                      {"client_size", "5095781"},
                      {"client_url", "https://piston-data.mojang.com/v1/objects/0f7c/client.jar"},
                      {"server_sha1", "3716cac82982e7c2eb09f83028b555e9ea606002"},
                      {"server_size", "9418184"},
                      {"server_url", "https://piston-data.mojang.com/v1/objects/3716/server.jar"}});
    QTest::newRow("client") << kVersionJson << "client" << Found
                            << "https://piston-data.mojang.com/v1/objects/0f7c/client.jar"
                            << QByteArray("0f7ca7a0e9a5a7b0b9c1b3d0e5a8e0f5f7c1d2e3")
                            << qint64(5095781);
    QTest::newRow("server") << kVersionJson << "server" << Found
                            << "https://piston-data.mojang.com/v1/objects/3716/server.jar"
                            << QByteArray("3716cac82982e7c2eb09f83028b555e9ea606002")
                            << qint64(9418184);
    QTest::newRow("no server jar")
        << QByteArray(R"({"id":"1.0","downloads":{"client":{"url":"http://h.test/c.jar"}}})")
        << "server" << Missing << "" << QByteArray() << qint64(-1);
    QTest::newRow("no downloads at all") << QByteArray(R"({"id":"rd-132211"})") << "client"
                                         << Missing << "" << QByteArray() << qint64(-1);
    QTest::newRow("no sha1 nor size")
        << VersionWith(R"({"url":"http://h.test/s.jar"})") << "server" << Found
        << "http://h.test/s.jar" << QByteArray() << qint64(-1);
    QTest::newRow("largest exact size")
        << VersionWith(R"({"url":"http://h.test/s.jar","size":9007199254740992})") << "server"
        << Found << "http://h.test/s.jar" << QByteArray() << qint64(9007199254740992);
    QTest::newRow("not JSON") << QByteArray("{\"downloads\":") << "client" << Malformed << ""
                              << QByteArray() << qint64(-1);
    QTest::newRow("downloads a list") << QByteArray(R"({"downloads":[]})") << "client" << Malformed
                                      << "" << QByteArray() << qint64(-1);
    QTest::newRow("entry a text") << VersionWith(R"("http://h.test/s.jar")") << "server"
                                  << Malformed << "" << QByteArray() << qint64(-1);
    QTest::newRow("huge size") << VersionWith(R"({"url":"http://h.test/s.jar","size":1e300})")
                               << "server" << Malformed << "" << QByteArray() << qint64(-1);
    QTest::newRow("one past the largest exact size")
        << VersionWith(R"({"url":"http://h.test/s.jar","size":9007199254740993})") << "server"
        << Malformed << "" << QByteArray() << qint64(-1);
    QTest::newRow("whole size written as a fraction")
        << VersionWith(R"({"url":"http://h.test/s.jar","size":5.0e2})") << "server" << Found
        << "http://h.test/s.jar" << QByteArray() << qint64(500);
    QTest::newRow("past exact sizes")
        << VersionWith(R"({"url":"http://h.test/s.jar","size":18446744073709551616})") << "server"
        << Malformed << "" << QByteArray() << qint64(-1);
    QTest::newRow("negative size") << VersionWith(R"({"url":"http://h.test/s.jar","size":-5})")
                                   << "server" << Malformed << "" << QByteArray() << qint64(-1);
    QTest::newRow("fractional size") << VersionWith(R"({"url":"http://h.test/s.jar","size":1.5})")
                                     << "server" << Malformed << "" << QByteArray() << qint64(-1);
    QTest::newRow("size a text") << VersionWith(R"({"url":"http://h.test/s.jar","size":"12"})")
                                 << "server" << Malformed << "" << QByteArray() << qint64(-1);
    QTest::newRow("short sha1") << VersionWith(R"({"url":"http://h.test/s.jar","sha1":"abc"})")
                                << "server" << Malformed << "" << QByteArray() << qint64(-1);
    QTest::newRow("javascript url") << VersionWith(R"({"url":"javascript:void 0"})") << "server"
                                    << Malformed << "" << QByteArray() << qint64(-1);
    QTest::newRow("file url") << VersionWith(R"({"url":"file:///home/x/.ssh/id_rsa"})") << "server"
                              << Malformed << "" << QByteArray() << qint64(-1);
    QTest::newRow("no url") << VersionWith(R"({"size":3})") << "server" << Malformed << ""
                            << QByteArray() << qint64(-1);
}

void TestLegacyAnswers::versionDownload() {
    TEST_FETCH(QByteArray, json, QString, key, VersionDownload::Outcome, outcome, QString, url,
               QByteArray, sha1, qint64, size);
    const VersionDownload found = FindDownload(json, key);
    QCOMPARE(found.outcome, outcome);
    QCOMPARE(found.url.toString(), url);
    QCOMPARE(found.identity.sha1, sha1);
    QCOMPARE(found.identity.size, size);
}

void TestLegacyAnswers::fileCheck_data() {
    TEST_COLUMNS(QByteArray, contents, QByteArray, sha1, qint64, size, bool, matches);
    const QByteArray jar("PK\x03\x04 a small jar\0 with a zero", 30);
    const QByteArray sha1 = QCryptographicHash::hash(jar, QCryptographicHash::Sha1).toHex();
    QTest::newRow("both match") << jar << sha1 << qint64(jar.size()) << true;
    QTest::newRow("upper-case sha1") << jar << sha1.toUpper() << qint64(-1) << true;
    QTest::newRow("size only") << jar << QByteArray() << qint64(jar.size()) << true;
    QTest::newRow("one byte changed")
        << QByteArray(jar).replace(5, 1, "A") << sha1 << qint64(jar.size()) << false;
    QTest::newRow("short") << jar.left(29) << sha1 << qint64(jar.size()) << false;
    QTest::newRow("right sha1, wrong size") << jar << sha1 << qint64(31) << false;
    QTest::newRow("empty file") << QByteArray() << sha1 << qint64(-1) << false;
}

void TestLegacyAnswers::fileCheck() {
    TEST_FETCH(QByteArray, contents, QByteArray, sha1, qint64, size, bool, matches);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    QFile file(directory.filePath(QStringLiteral("server.jar.part")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contents), contents.size());
    file.close();
    FileIdentity expected;
    expected.sha1 = sha1;
    expected.size = size;
    const QString problem = CheckFile(file.fileName(), expected);
    QVERIFY2(problem.isEmpty() == matches, qPrintable(problem));

    QVERIFY(!CheckFile(directory.filePath(QStringLiteral("gone")), expected).isEmpty());
}

// A texture reaches Qt as its pixels alone: text and ICC profiles go
// unread, whatever they would inflate to, and anything past what a texture
// can be refuses the file.
void TestLegacyAnswers::pngKeepsOnlyItsPixels_data() {
    // Kept: the chunks handed on, or why none.
    TEST_COLUMNS(QByteArray, file, QByteArray, kept);

    // 64x64, 8-bit RGBA, one filtered row of zeros after another.
    const QByteArray header =
        PngChunk("IHDR", BigEndian(64) + BigEndian(64) + QByteArrayLiteral("\x08\x06\0\0\0"));
    const QByteArray rows = qCompress(QByteArray(64 * (1 + 64 * 4), '\0')).mid(4);
    const QByteArray end = PngChunk("IEND", {});
    const QByteArray skin = "\x89PNG\r\n\x1a\n" + header + PngChunk("IDAT", rows) + end;
    QTest::newRow("a plain skin") << skin << QByteArray("IHDR IDAT IEND");
    const QByteArray texts = CompressedText(7'900'000).repeated(134);
    QTest::newRow("134 text chunks, a gigabyte inflated")
        << WithChunks(skin, texts) << QByteArray("IHDR IDAT IEND");
    QTest::newRow("text, ICC, physical size")
        << WithChunks(skin, PngChunk("tEXt", QByteArrayLiteral("Software\0paint")) +
                                PngChunk("iCCP",
                                         QByteArrayLiteral("p\0\0") + qCompress("profile").mid(4)) +
                                PngChunk("pHYs", QByteArray(9, '\1')))
        << QByteArray("IHDR IDAT IEND");
    QTest::newRow("colour chunks")
        << WithChunks(skin, PngChunk("gAMA", BigEndian(45455)) +
                                PngChunk("sRGB", QByteArrayLiteral("\0")))
        << QByteArray("IHDR gAMA sRGB IDAT IEND");
    const QByteArray palette =
        "\x89PNG\r\n\x1a\n" +
        PngChunk("IHDR", BigEndian(8) + BigEndian(8) + QByteArrayLiteral("\x04\x03\0\0\0")) +
        PngChunk("PLTE", QByteArray(12, 'c')) + PngChunk("tRNS", QByteArrayLiteral("\0\xff")) +
        PngChunk("IDAT", qCompress(QByteArray(8 * 5, '\0')).mid(4)) + end;
    QTest::newRow("palette") << palette << QByteArray("IHDR PLTE tRNS IDAT IEND");
    QTest::newRow("text after the pixels")
        << skin.left(skin.size() - end.size()) + PngChunk("tEXt", QByteArrayLiteral("a\0b")) + end
        << QByteArray("IHDR IDAT IEND");
    QTest::newRow("wider than any texture")
        << "\x89PNG\r\n\x1a\n" +
               PngChunk("IHDR",
                        BigEndian(1025) + BigEndian(4) + QByteArrayLiteral("\x08\x06\0\0\0")) +
               PngChunk("IDAT", rows) + end
        << QByteArray("too large");
    QTest::newRow("more pixel data than 64x64 can need")
        << "\x89PNG\r\n\x1a\n" + header + PngChunk("IDAT", QByteArray(20'000, 'x')) + end
        << QByteArray("too much data");
    QTest::newRow("a critical chunk no decoder knows")
        << WithChunks(skin, PngChunk("XXXX", "?")) << QByteArray("malformed");
    QTest::newRow("no end") << skin.left(skin.size() - end.size()) << QByteArray("malformed");
    QTest::newRow("a chunk longer than the file")
        << skin.left(skin.size() - 4) << QByteArray("malformed");
    QTest::newRow("pixels split by another chunk")
        << skin.left(skin.size() - end.size()) + PngChunk("tEXt", "a") + PngChunk("IDAT", {}) + end
        << QByteArray("malformed");
    QTest::newRow("a JPEG") << QByteArray("\xff\xd8\xff\xe0 JFIF") << QByteArray("malformed");
}

void TestLegacyAnswers::pngKeepsOnlyItsPixels() {
    TEST_FETCH(QByteArray, file, QByteArray, kept);
    const PngPixels read = PixelsOfPng(file, 1024);
    switch (read.verdict) {
    case PngPixels::Verdict::Kept:
        QCOMPARE(PngChunkTypes(read.file), kept);
        QCOMPARE(read.file.left(8), QByteArray("\x89PNG\r\n\x1a\n"));
        return;
    case PngPixels::Verdict::TooLarge:
        QCOMPARE(QByteArray("too large"), kept);
        break;
    case PngPixels::Verdict::TooMuchData:
        QCOMPARE(QByteArray("too much data"), kept);
        break;
    case PngPixels::Verdict::Malformed:
        QCOMPARE(QByteArray("malformed"), kept);
        break;
    }
    QVERIFY(read.file.isEmpty());
}

void TestLegacyAnswers::pagesEscapeWhatTheyAreGiven() {
    const QString name = QStringLiteral("<script>alert('x')</script>&amp;");
    for (const QString& page :
         {LookingUpPage(name), ResolutionErrorPage(name, QStringLiteral("a<b>\"c\""))}) {
        QVERIFY(!page.contains(QLatin1String("<script>")));
        QVERIFY(page.contains(QLatin1String("&lt;script&gt;alert(")));
        QVERIFY(page.contains(QLatin1String("&amp;amp;")));
    }
    QVERIFY(ResolutionErrorPage(QStringLiteral("找不到"), QStringLiteral("a<b>"))
                .contains(QStringLiteral("<title>找不到</title>")));
    QVERIFY(LookingUpPage(QString()).contains(QStringLiteral("正在查找…")));
}

// A player's name becomes the page's title and its image's file name: text
// in the one, an encoded address in the other, and never markup.
void TestLegacyAnswers::texturePageTakesNamesAsText() {
    const QString name = QStringLiteral("\"><script>x</script>苦");
    const QString page =
        TexturePage({name, name + ".png", QStringLiteral("worn"), {64, 64}, {70, 64}, 8});
    QVERIFY(!page.contains(QLatin1String("<script>")));
    QVERIFY(page.contains(QStringLiteral("<title>&quot;&gt;&lt;script&gt;x&lt;/script&gt;苦")));
    QVERIFY(page.contains(QLatin1String("src=\"%22%3E%3Cscript%3Ex%3C%2Fscript%3E%E8%8B%A6.png\" "
                                        "width=\"64\" height=\"64\"")));
    QVERIFY(page.contains(QLatin1String("src=\"worn\" width=\"70\" height=\"64\"")));
    // Nothing runs in it, and it loads nothing but its own images.
    QVERIFY(page.contains(QLatin1String("content=\"default-src 'none'; img-src 'self';")));
}

QTEST_GUILESS_MAIN(TestLegacyAnswers)
#include "tst_legacyanswers.moc"
