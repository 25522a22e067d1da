// Version file addresses: base + version + "/" + file name, the version going
// in twice as typed, with the bases built from the hosts compiled in (the
// build's settings hand the test the same hosts, CT_TEST_*_HOST).
#include "TestTable.h"
#include "VersionFileAddress.h"

#include <QByteArray>
#include <QTest>

#include <string>

Q_DECLARE_METATYPE(VersionFileKind)
Q_DECLARE_METATYPE(DownloadRoute)

namespace {

QByteArray Bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// Distinct bases, so a route that picks the wrong one shows.
const VersionFileBases kTestBases{
    "http://mirror.test/versions/",
    "http://store.test/Minecraft.Download/",
};

// The six shapes for one version, each with the version as it must appear.
void AddShapeRows(const char* what, const QByteArray& version, const QByteArray& expected) {
    const QByteArray mirror = "http://mirror.test/versions/" + expected + '/';
    const QByteArray store = "http://store.test/Minecraft.Download/" + expected + '/';
    const auto row = [&](const char* shape, VersionFileKind kind, DownloadRoute route,
                         const QByteArray& address) {
        QTest::addRow("%s, %s", shape, what) << kind << route << version << address;
    };
    using enum VersionFileKind;
    using enum DownloadRoute;
    row("client jar, mirror", ClientJar, DomesticMirror, mirror + expected + ".jar");
    row("client jar, store", ClientJar, OfficialStore, store + expected + ".jar");
    row("json, mirror", VersionJson, DomesticMirror, mirror + expected + ".json");
    row("json, store", VersionJson, OfficialStore, store + expected + ".json");
    row("server jar, mirror", ServerJar, DomesticMirror,
        mirror + "minecraft_server." + expected + ".jar");
    row("server jar, store", ServerJar, OfficialStore,
        store + "minecraft_server." + expected + ".jar");
}

} // namespace

class TestVersionFileAddress final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultHostsGiveTheKnownAddresses_data();
    void defaultHostsGiveTheKnownAddresses();
    void configuredHostsMakeTheBases();
    void versionGoesInUnchangedTwice_data();
    void versionGoesInUnchangedTwice();
    void emptyVersionStillMakesAnAddress_data();
    void emptyVersionStillMakesAnAddress();
    void hugeVersionGoesInWhole();
    void callerBasesAreUsedAsGiven();
};

void TestVersionFileAddress::defaultHostsGiveTheKnownAddresses_data() {
    TEST_COLUMNS(VersionFileKind, kind, DownloadRoute, route, QByteArray, version, QByteArray,
                 expected);
    QTest::newRow("client jar, mirror")
        << VersionFileKind::ClientJar << DownloadRoute::DomesticMirror << QByteArray("1.7.2")
        << QByteArray("http://bmclapi2.bangbang93.com/versions/1.7.2/1.7.2.jar");
    QTest::newRow("json, store")
        << VersionFileKind::VersionJson << DownloadRoute::OfficialStore << QByteArray("1.7.2")
        << QByteArray("http://s3.amazonaws.com/Minecraft.Download/1.7.2/1.7.2.json");
    // No "versions/" between the store's base and the version.
    QTest::newRow("server jar, store")
        << VersionFileKind::ServerJar << DownloadRoute::OfficialStore << QByteArray("1.7.10")
        << QByteArray(
               "http://s3.amazonaws.com/Minecraft.Download/1.7.10/minecraft_server.1.7.10.jar");
    QTest::newRow("server jar, mirror")
        << VersionFileKind::ServerJar << DownloadRoute::DomesticMirror << QByteArray("1.7.10")
        << QByteArray("http://bmclapi2.bangbang93.com/versions/1.7.10/minecraft_server.1.7.10.jar");
}

void TestVersionFileAddress::defaultHostsGiveTheKnownAddresses() {
    if (qstrcmp(CT_TEST_MIRROR_HOST, "bmclapi2.bangbang93.com") != 0 ||
        qstrcmp(CT_TEST_STORE_HOST, "s3.amazonaws.com") != 0) {
        QSKIP("this build was configured with other hosts");
    }
    TEST_FETCH(VersionFileKind, kind, DownloadRoute, route, QByteArray, version, QByteArray,
               expected);
    QCOMPARE(Bytes(BuildVersionFileAddress(kind, route, View(version))), expected);
}

void TestVersionFileAddress::configuredHostsMakeTheBases() {
    const VersionFileBases& bases = ConfiguredVersionFileBases();
    QCOMPARE(Bytes(bases.domesticMirror), QByteArray("http://" CT_TEST_MIRROR_HOST "/versions/"));
    QCOMPARE(Bytes(bases.officialStore),
             QByteArray("http://" CT_TEST_STORE_HOST "/Minecraft.Download/"));
    QCOMPARE(Bytes(BuildVersionFileAddress(VersionFileKind::ServerJar, DownloadRoute::OfficialStore,
                                           "1.7.2")),
             QByteArray("http://" CT_TEST_STORE_HOST
                        "/Minecraft.Download/1.7.2/minecraft_server.1.7.2.jar"));
}

void TestVersionFileAddress::versionGoesInUnchangedTwice_data() {
    TEST_COLUMNS(VersionFileKind, kind, DownloadRoute, route, QByteArray, version, QByteArray,
                 expected);
    AddShapeRows("1.7.2", "1.7.2", "1.7.2");
    AddShapeRows("spaces around", " 1.7.10 ", " 1.7.10 ");
    AddShapeRows("snapshot", "14w04a", "14w04a");
    AddShapeRows("mixed case", "1.8-Pre1", "1.8-Pre1");
    AddShapeRows("chinese", "一点七", "一点七");
    AddShapeRows("already escaped", "1%2E7", "1%2E7");
    AddShapeRows("parent folder", "../..", "../..");
    AddShapeRows("query and fragment", "1.7?x#y", "1.7?x#y");
    AddShapeRows("embedded nul", QByteArray("1.7\0x", 5), QByteArray("1.7\0x", 5));
    AddShapeRows("invalid utf-8", "1.\xff\xfe", "1.\xff\xfe");
}

void TestVersionFileAddress::versionGoesInUnchangedTwice() {
    TEST_FETCH(VersionFileKind, kind, DownloadRoute, route, QByteArray, version, QByteArray,
               expected);
    QCOMPARE(Bytes(BuildVersionFileAddress(kind, route, View(version), kTestBases)), expected);
}

void TestVersionFileAddress::emptyVersionStillMakesAnAddress_data() {
    TEST_COLUMNS(VersionFileKind, kind, DownloadRoute, route, QByteArray, expected);
    QTest::newRow("client jar") << VersionFileKind::ClientJar << DownloadRoute::DomesticMirror
                                << QByteArray("http://mirror.test/versions//.jar");
    QTest::newRow("json") << VersionFileKind::VersionJson << DownloadRoute::OfficialStore
                          << QByteArray("http://store.test/Minecraft.Download//.json");
    // Two dots: the prefix's own and the extension's.
    QTest::newRow("server jar")
        << VersionFileKind::ServerJar << DownloadRoute::OfficialStore
        << QByteArray("http://store.test/Minecraft.Download//minecraft_server..jar");
}

void TestVersionFileAddress::emptyVersionStillMakesAnAddress() {
    TEST_FETCH(VersionFileKind, kind, DownloadRoute, route, QByteArray, expected);
    QCOMPARE(Bytes(BuildVersionFileAddress(kind, route, "", kTestBases)), expected);
}

void TestVersionFileAddress::hugeVersionGoesInWhole() {
    std::string version(1024 * 1024, '7');
    version.front() = '<';
    version.back() = '>';
    const std::string address = BuildVersionFileAddress(
        VersionFileKind::ServerJar, DownloadRoute::DomesticMirror, version, kTestBases);
    // Compared with QVERIFY so a failure does not print megabytes.
    QVERIFY(address ==
            kTestBases.domesticMirror + version + "/minecraft_server." + version + ".jar");
}

void TestVersionFileAddress::callerBasesAreUsedAsGiven() {
    // Neither a missing '/' nor an empty base is corrected.
    const VersionFileBases bases{"http://127.0.0.1:8080/v", ""};
    QCOMPARE(Bytes(BuildVersionFileAddress(VersionFileKind::ClientJar,
                                           DownloadRoute::DomesticMirror, "1.7.2", bases)),
             QByteArray("http://127.0.0.1:8080/v1.7.2/1.7.2.jar"));
    QCOMPARE(Bytes(BuildVersionFileAddress(VersionFileKind::VersionJson,
                                           DownloadRoute::OfficialStore, "1.7.2", bases)),
             QByteArray("1.7.2/1.7.2.json"));
}

QTEST_APPLESS_MAIN(TestVersionFileAddress)
#include "tst_versionfileaddress.moc"
