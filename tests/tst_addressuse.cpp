// What the browser pane does with an address: show it, fetch it as a file,
// or show an empty page for an address that names no server.
#include "AddressUse.h"
#include "TestTable.h"

#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(AddressUse)

class TestAddressUse final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void useOfAddress_data();
    void useOfAddress();
};

void TestAddressUse::useOfAddress_data() {
    TEST_COLUMNS(QString, address, AddressUse, use);
    const auto row = [](const char* tag, const QString& address, AddressUse use) {
        QTest::newRow(tag) << address << use;
    };
    using enum AddressUse;
    // The start address of the downloader's pane, and its relatives.
    row("no host", "http:///", Blank);
    row("no host, no path", "http://", Blank);
    row("no host, https", "https:///x.json", Blank);
    row("no host, upper-case scheme", "HTTP:///", Blank);
    // A version file's description, and other JSON files.
    row("version json, mirror", "http://mirror.test/versions/1.7.2/1.7.2.json", Download);
    row("version json, store", "http://127.0.0.1:8080/Minecraft.Download/1.7.2/1.7.2.json",
        Download);
    row("upper-case extension", "http://h.test/a/B.JSON", Download);
    row("empty version", "http://h.test/versions//.json", Download);
    row("with a query", "http://h.test/a.json?x=1", Download);
    row("https", "https://h.test/a.json", Download);
    row("space in the version", "http://h.test/versions/ 1.8 / 1.8 .json", Download);
    // Everything else shows as the engine shows it.
    row("client jar", "http://h.test/versions/1.7.2/1.7.2.jar", Show);
    row("skin image", "http://h.test/MinecraftSkins/Creeper.png", Show);
    row("page", "http://h.test/index.html", Show);
    row("json only in the query", "http://h.test/a.png?b.json", Show);
    row("json only in the fragment", "http://h.test/versions/1.7#x/1.7#x.json", Show);
    row("json folder", "http://h.test/a.json/", Show);
    row("no extension", "http://h.test/json", Show);
    row("not a web address", "127.0.0.1:8080/a.json", Show);
    row("file", "file:///tmp/a.json", Show);
    row("empty", "", Show);
}

void TestAddressUse::useOfAddress() {
    TEST_FETCH(QString, address, AddressUse, use);
    QCOMPARE(UseOf(QUrl(address, QUrl::TolerantMode)), use);
}

QTEST_GUILESS_MAIN(TestAddressUse)
#include "tst_addressuse.moc"
