// Which addresses the pane takes for the old official servers, what it reads
// out of them, and where the mirror keeps the same file today.
#include "LegacyAddress.h"
#include "LegacyEndpoints.h"
#include "TestTable.h"

#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(LegacyTarget)
Q_DECLARE_METATYPE(LegacyOddity)
Q_DECLARE_METATYPE(VersionFile)

namespace {

LegacyEndpoints Endpoints() {
    LegacyEndpoints endpoints;
    endpoints.officialSkinHost = QStringLiteral("skins.minecraft.net");
    endpoints.skinmeHost = QStringLiteral("www.skinme.cc");
    endpoints.storeHost = QStringLiteral("s3.amazonaws.com");
    endpoints.mirrorHost = QStringLiteral("127.0.0.1:8081");
    return endpoints;
}

LegacyAddress Read(const QString& address) {
    return ReadLegacyAddress(QUrl(address, QUrl::TolerantMode), Endpoints());
}

} // namespace

class TestLegacyAddress final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void playerImages_data();
    void playerImages();
    void versionFiles_data();
    void versionFiles();
    void othersAreLeftAlone_data();
    void othersAreLeftAlone();
    void mirrorAddress_data();
    void mirrorAddress();
    void endpointAddress();
};

void TestLegacyAddress::playerImages_data() {
    TEST_COLUMNS(QString, address, LegacyTarget, target, QString, name, LegacyOddity, oddity);
    using enum LegacyTarget;
    using O = LegacyOddity;
    const auto row = [](const char* tag, const QString& address, LegacyTarget target,
                        const QString& name, LegacyOddity oddity = LegacyOddity::None) {
        QTest::newRow(tag) << address << target << name << oddity;
    };
    row("skin", "http://skins.minecraft.net/MinecraftSkins/Creeper.png", OfficialSkin, "Creeper");
    row("cape", "http://skins.minecraft.net/MinecraftCloaks/Notch.png", OfficialCape, "Notch");
    row("host case", "http://Skins.Minecraft.NET/MinecraftSkins/a_b.png", OfficialSkin, "a_b");
    row("explicit default port", "http://skins.minecraft.net:80/MinecraftSkins/x.png", OfficialSkin,
        "x");
    row("https", "https://skins.minecraft.net/MinecraftSkins/x.png", OfficialSkin, "x");
    row("empty name", "http://skins.minecraft.net/MinecraftCloaks/.png", OfficialCape, "");
    row("space kept", "http://skins.minecraft.net/MinecraftSkins/ Steve .png", OfficialSkin,
        " Steve ");
    row("Chinese", QStringLiteral("http://skins.minecraft.net/MinecraftSkins/苦力怕.png"),
        OfficialSkin, QStringLiteral("苦力怕"));
    // The name goes into another address as one path segment, or nowhere:
    // under the old folders anything else is odd, named as written.
    const QString skins = QStringLiteral("http://skins.minecraft.net/MinecraftSkins/");
    row("encoded slash", skins + "a%2Fb.png", OddPlayer, "a%2Fb", O::Slash);
    row("folder", skins + "a/b.png", OddPlayer, "a/b", O::Slash);
    row("backslash", skins + "a\\b.png", OddPlayer, "a%5Cb", O::Slash);
    row("dot dot", skins + "...png", OddPlayer, "..", O::DotSegment);
    row("encoded dot dot", skins + "%2E%2E.png", OddPlayer, "..", O::DotSegment);
    row("dot", skins + "..png", OddPlayer, ".", O::DotSegment);
    row("question mark", skins + "a?b.png", OddPlayer, "a?b", O::Query);
    row("query after the name", skins + "a.png?x", OddPlayer, "a.png?x", O::Query);
    row("hash", skins + "a#b.png", OddPlayer, "a#b", O::Fragment);
    row("not png", skins + "a.jpg", OddPlayer, "a.jpg", O::Shape);
    row("path case", "http://skins.minecraft.net/minecraftskins/a.png", None, "");
    row("other port", "http://skins.minecraft.net:8080/MinecraftSkins/a.png", None, "");
    // Skinme's are the same shapes on its own host.
    row("Skinme skin", "http://www.skinme.cc/MinecraftSkins/Creeper.png", SkinmeSkin, "Creeper");
    row("Skinme cape", QStringLiteral("http://www.skinme.cc/MinecraftCloaks/苦力怕.png"),
        SkinmeCape, QStringLiteral("苦力怕"));
    row("Skinme folder", "http://www.skinme.cc/MinecraftSkins/a/b.png", OddPlayer, "a/b", O::Slash);
    row("other host, same path", "http://skins.example.com/MinecraftSkins/Creeper.png", None, "");
    row("ftp", "ftp://skins.minecraft.net/MinecraftSkins/a.png", None, "");
}

void TestLegacyAddress::playerImages() {
    TEST_FETCH(QString, address, LegacyTarget, target, QString, name, LegacyOddity, oddity);
    const LegacyAddress read = Read(address);
    QCOMPARE(read.target, target);
    QCOMPARE(read.name, name);
    QCOMPARE(read.oddity, oddity);
}

void TestLegacyAddress::versionFiles_data() {
    TEST_COLUMNS(QString, address, LegacyTarget, target, VersionFile, file, QString, version,
                 LegacyOddity, oddity);
    using enum LegacyTarget;
    using enum VersionFile;
    using O = LegacyOddity;
    const QString store = QStringLiteral("http://s3.amazonaws.com/Minecraft.Download/");
    const QString mirror = QStringLiteral("http://127.0.0.1:8081/versions/");
    const auto row = [](const char* tag, const QString& address, LegacyTarget target,
                        VersionFile file, const QString& version,
                        LegacyOddity oddity = LegacyOddity::None) {
        QTest::newRow(tag) << address << target << file << version << oddity;
    };
    row("store client", store + "1.7.2/1.7.2.jar", StoreFile, ClientJar, "1.7.2");
    row("store json", store + "1.7.2/1.7.2.json", StoreFile, VersionJson, "1.7.2");
    row("store server", store + "1.7.10/minecraft_server.1.7.10.jar", StoreFile, ServerJar,
        "1.7.10");
    row("mirror client", mirror + "1.20.1/1.20.1.jar", MirrorFile, ClientJar, "1.20.1");
    row("mirror json", mirror + "1.7.2/1.7.2.json", MirrorFile, VersionJson, "1.7.2");
    row("mirror server", mirror + "1.7.2/minecraft_server.1.7.2.jar", MirrorFile, ServerJar,
        "1.7.2");
    row("snapshot", store + "23w13a/23w13a.jar", StoreFile, ClientJar, "23w13a");
    row("space in version", store + " 1.8 / 1.8 .jar", StoreFile, ClientJar, " 1.8 ");
    row("version looking like a server jar", mirror + "minecraft_server.1/minecraft_server.1.jar",
        MirrorFile, ClientJar, "minecraft_server.1");
    // A version goes into the mirror's path as one segment, or nowhere:
    // under the old folders anything else is odd, named as written.
    row("slash in version", store + "a/b/a/b.json", OddVersion, ClientJar, "a/b", O::Slash);
    row("encoded slash", mirror + "a%2Fb/a%2Fb.json", OddVersion, ClientJar, "a%2Fb", O::Slash);
    row("climbing out", mirror + "../../x/../../x.jar", OddVersion, ClientJar, "../../x", O::Slash);
    row("dot dot", mirror + "../...jar", OddVersion, ClientJar, "..", O::DotSegment);
    row("question mark", mirror + "1.7?x/1.7?x.jar", OddVersion, ClientJar, "1.7?x", O::Query);
    row("hash", store + "1.7#x/minecraft_server.1.7#x.jar", OddVersion, ClientJar, "1.7#x",
        O::Fragment);
    row("empty version, client", store + "/.jar", OddVersion, ClientJar, "", O::Empty);
    row("empty version, server", mirror + "/minecraft_server..jar", OddVersion, ClientJar, "",
        O::Empty);
    row("two versions", store + "1.7.2/1.7.10.jar", OddVersion, ClientJar, "1.7.2/1.7.10.jar",
        O::Shape);
    // Not under an old folder of its host: left alone.
    row("mirror path on the store host", "http://s3.amazonaws.com/versions/1.7.2/1.7.2.jar", None,
        ClientJar, "");
    row("mirror without its port", "http://127.0.0.1/versions/1.7.2/1.7.2.jar", None, ClientJar,
        "");
    row("mirror's new path", "http://127.0.0.1:8081/version/1.7.2/client", None, ClientJar, "");
}

void TestLegacyAddress::versionFiles() {
    TEST_FETCH(QString, address, LegacyTarget, target, VersionFile, file, QString, version,
               LegacyOddity, oddity);
    const LegacyAddress read = Read(address);
    QCOMPARE(read.target, target);
    QCOMPARE(read.oddity, oddity);
    if (target == LegacyTarget::StoreFile || target == LegacyTarget::MirrorFile) {
        QCOMPARE(read.file, file);
    }
    QCOMPARE(read.version, version);
}

void TestLegacyAddress::othersAreLeftAlone_data() {
    TEST_COLUMNS(QString, address);
    QTest::newRow("start address") << "http:///";
    QTest::newRow("empty") << "";
    QTest::newRow("no scheme") << "skins.minecraft.net/MinecraftSkins/a.png";
    QTest::newRow("file") << "file:///versions/1.7.2/1.7.2.jar";
    QTest::newRow("local server") << "http://127.0.0.1:9999/Minecraft.Download/1.7.2/1.7.2.jar";
    // Not an address at all, though its host and path are the store's.
    QTest::newRow("port not a number")
        << QStringLiteral("http://s3.amazonaws.com:8\uFFFD0/Minecraft.Download/1.8/1.8.jar");
}

void TestLegacyAddress::othersAreLeftAlone() {
    TEST_FETCH(QString, address);
    QCOMPARE(Read(address).target, LegacyTarget::None);
}

void TestLegacyAddress::mirrorAddress_data() {
    TEST_COLUMNS(QString, address, QString, today);
    // Over TLS whatever the old address said; the host as configured.
    QTest::newRow("client") << "http://127.0.0.1:8081/versions/1.7.2/1.7.2.jar"
                            << "https://127.0.0.1:8081/version/1.7.2/client";
    QTest::newRow("host in other letters, default port written")
        << "HTTP://127.0.0.1:8081/versions/1.7.2/1.7.2.jar"
        << "https://127.0.0.1:8081/version/1.7.2/client";
    QTest::newRow("json") << "https://127.0.0.1:8081/versions/1.7.2/1.7.2.json"
                          << "https://127.0.0.1:8081/version/1.7.2/json";
    QTest::newRow("server") << "http://127.0.0.1:8081/versions/1.7.10/minecraft_server.1.7.10.jar"
                            << "https://127.0.0.1:8081/version/1.7.10/server";
    // The version stays encoded as it came, not decoded and encoded again.
    QTest::newRow("space") << "http://127.0.0.1:8081/versions/1.8 /1.8 .jar"
                           << "https://127.0.0.1:8081/version/1.8%20/client";
    QTest::newRow("Chinese") << QStringLiteral("http://127.0.0.1:8081/versions/版/版.jar")
                             << "https://127.0.0.1:8081/version/%E7%89%88/client";
}

void TestLegacyAddress::mirrorAddress() {
    TEST_FETCH(QString, address, QString, today);
    const QUrl url(address, QUrl::TolerantMode);
    const LegacyAddress read = ReadLegacyAddress(url, Endpoints());
    QCOMPARE(read.target, LegacyTarget::MirrorFile);
    QCOMPARE(MirrorAddress(read, Endpoints()).toString(QUrl::FullyEncoded), today);
}

void TestLegacyAddress::endpointAddress() {
    LegacyEndpoints endpoints;
    endpoints.scheme = QStringLiteral("http");
    QCOMPARE(endpoints
                 .At(QStringLiteral("127.0.0.1:47314"),
                     QStringLiteral("/minecraft/profile/lookup/name/a%2Fb"))
                 .toString(QUrl::FullyEncoded),
             QStringLiteral("http://127.0.0.1:47314/minecraft/profile/lookup/name/a%2Fb"));
}

QTEST_GUILESS_MAIN(TestLegacyAddress)
#include "tst_legacyaddress.moc"
