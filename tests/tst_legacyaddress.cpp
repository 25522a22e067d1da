// Which addresses the pane takes for the old official servers, what it reads
// out of them, and where the mirror keeps the same file today.
#include "LegacyAddress.h"
#include "LegacyEndpoints.h"

#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(LegacyTarget)
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
    QTest::addColumn<QString>("address");
    QTest::addColumn<LegacyTarget>("target");
    QTest::addColumn<QString>("name");
    using enum LegacyTarget;
    QTest::newRow("skin") << "http://skins.minecraft.net/MinecraftSkins/Creeper.png" << OfficialSkin
                          << "Creeper";
    QTest::newRow("cape") << "http://skins.minecraft.net/MinecraftCloaks/Notch.png" << OfficialCape
                          << "Notch";
    QTest::newRow("host case") << "http://Skins.Minecraft.NET/MinecraftSkins/a_b.png"
                               << OfficialSkin << "a_b";
    QTest::newRow("explicit default port")
        << "http://skins.minecraft.net:80/MinecraftSkins/x.png" << OfficialSkin << "x";
    QTest::newRow("https") << "https://skins.minecraft.net/MinecraftSkins/x.png" << OfficialSkin
                           << "x";
    QTest::newRow("empty name") << "http://skins.minecraft.net/MinecraftCloaks/.png" << OfficialCape
                                << "";
    QTest::newRow("space kept") << "http://skins.minecraft.net/MinecraftSkins/ Steve .png"
                                << OfficialSkin << " Steve ";
    QTest::newRow("Chinese") << QStringLiteral(
                                    "http://skins.minecraft.net/MinecraftSkins/苦力怕.png")
                             << OfficialSkin << QStringLiteral("苦力怕");
    // The name goes into another address later; here it is only read.
    QTest::newRow("encoded slash is no folder")
        << "http://skins.minecraft.net/MinecraftSkins/a%2Fb.png" << None << "";
    QTest::newRow("folder") << "http://skins.minecraft.net/MinecraftSkins/a/b.png" << None << "";
    QTest::newRow("not png") << "http://skins.minecraft.net/MinecraftSkins/a.jpg" << None << "";
    QTest::newRow("path case") << "http://skins.minecraft.net/minecraftskins/a.png" << None << "";
    QTest::newRow("other port") << "http://skins.minecraft.net:8080/MinecraftSkins/a.png" << None
                                << "";
    QTest::newRow("query") << "http://skins.minecraft.net/MinecraftSkins/a.png?x" << None << "";
    QTest::newRow("fragment") << "http://skins.minecraft.net/MinecraftSkins/a#b.png" << None << "";
    // Skinme's are the same shapes on its own host.
    QTest::newRow("Skinme skin") << "http://www.skinme.cc/MinecraftSkins/Creeper.png" << SkinmeSkin
                                 << "Creeper";
    QTest::newRow("Skinme cape") << QStringLiteral(
                                        "http://www.skinme.cc/MinecraftCloaks/苦力怕.png")
                                 << SkinmeCape << QStringLiteral("苦力怕");
    QTest::newRow("Skinme folder") << "http://www.skinme.cc/MinecraftSkins/a/b.png" << None << "";
    QTest::newRow("other host, same path")
        << "http://skins.example.com/MinecraftSkins/Creeper.png" << None << "";
    QTest::newRow("ftp") << "ftp://skins.minecraft.net/MinecraftSkins/a.png" << None << "";
}

void TestLegacyAddress::playerImages() {
    QFETCH(QString, address);
    QFETCH(LegacyTarget, target);
    QFETCH(QString, name);
    const LegacyAddress read = Read(address);
    QCOMPARE(read.target, target);
    QCOMPARE(read.name, name);
}

void TestLegacyAddress::versionFiles_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<LegacyTarget>("target");
    QTest::addColumn<VersionFile>("file");
    QTest::addColumn<QString>("version");
    using enum LegacyTarget;
    using enum VersionFile;
    const QString store = QStringLiteral("http://s3.amazonaws.com/Minecraft.Download/");
    const QString mirror = QStringLiteral("http://127.0.0.1:8081/versions/");
    QTest::newRow("store client") << store + "1.7.2/1.7.2.jar" << StoreFile << ClientJar << "1.7.2";
    QTest::newRow("store json") << store + "1.7.2/1.7.2.json" << StoreFile << VersionJson
                                << "1.7.2";
    QTest::newRow("store server") << store + "1.7.10/minecraft_server.1.7.10.jar" << StoreFile
                                  << ServerJar << "1.7.10";
    QTest::newRow("mirror client")
        << mirror + "1.20.1/1.20.1.jar" << MirrorFile << ClientJar << "1.20.1";
    QTest::newRow("mirror json") << mirror + "1.7.2/1.7.2.json" << MirrorFile << VersionJson
                                 << "1.7.2";
    QTest::newRow("mirror server")
        << mirror + "1.7.2/minecraft_server.1.7.2.jar" << MirrorFile << ServerJar << "1.7.2";
    QTest::newRow("snapshot") << store + "23w13a/23w13a.jar" << StoreFile << ClientJar << "23w13a";
    QTest::newRow("space in version")
        << store + " 1.8 / 1.8 .jar" << StoreFile << ClientJar << " 1.8 ";
    QTest::newRow("slash in version")
        << store + "a/b/a/b.json" << StoreFile << VersionJson << "a/b";
    QTest::newRow("empty version, client") << store + "/.jar" << StoreFile << ClientJar << "";
    QTest::newRow("empty version, server")
        << store + "/minecraft_server..jar" << StoreFile << ServerJar << "";
    QTest::newRow("version looking like a server jar")
        << mirror + "minecraft_server.1/minecraft_server.1.jar" << MirrorFile << ClientJar
        << "minecraft_server.1";
    // Not the same version twice, or the wrong place: left alone.
    QTest::newRow("two versions") << store + "1.7.2/1.7.10.jar" << None << ClientJar << "";
    QTest::newRow("store with versions segment")
        << "http://s3.amazonaws.com/Minecraft.Download/versions/1.7.2/1.7.2.jar" << None
        << ClientJar << "";
    QTest::newRow("mirror path on the store host")
        << "http://s3.amazonaws.com/versions/1.7.2/1.7.2.jar" << None << ClientJar << "";
    QTest::newRow("mirror without its port")
        << "http://127.0.0.1/versions/1.7.2/1.7.2.jar" << None << ClientJar << "";
    QTest::newRow("mirror's new path")
        << "http://127.0.0.1:8081/version/1.7.2/client" << None << ClientJar << "";
    QTest::newRow("zip") << store + "1.7.2/1.7.2.zip" << None << ClientJar << "";
}

void TestLegacyAddress::versionFiles() {
    QFETCH(QString, address);
    QFETCH(LegacyTarget, target);
    QFETCH(VersionFile, file);
    QFETCH(QString, version);
    const LegacyAddress read = Read(address);
    QCOMPARE(read.target, target);
    if (target != LegacyTarget::None) {
        QCOMPARE(read.file, file);
        QCOMPARE(read.version, version);
    }
}

void TestLegacyAddress::othersAreLeftAlone_data() {
    QTest::addColumn<QString>("address");
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
    QFETCH(QString, address);
    QCOMPARE(Read(address).target, LegacyTarget::None);
}

void TestLegacyAddress::mirrorAddress_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("today");
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
    QTest::newRow("encoded slash") << "http://127.0.0.1:8081/versions/a%2Fb/a%2Fb.json"
                                   << "https://127.0.0.1:8081/version/a%2Fb/json";
    QTest::newRow("Chinese") << QStringLiteral("http://127.0.0.1:8081/versions/版/版.jar")
                             << "https://127.0.0.1:8081/version/%E7%89%88/client";
}

void TestLegacyAddress::mirrorAddress() {
    QFETCH(QString, address);
    QFETCH(QString, today);
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
