// Skin and cape addresses: prefix + player name + ".png", with the prefixes
// built from the hosts compiled in (the build's settings hand the test the
// same hosts, CT_TEST_*_HOST).
#include "SkinAddress.h"
#include "TestTable.h"

#include <QByteArray>
#include <QTest>

#include <string>

Q_DECLARE_METATYPE(SkinChoice)

namespace {

QByteArray Bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// Distinct prefixes, so a choice that picks the wrong one shows.
const SkinBases kTestBases{
    "http://o.test/MinecraftSkins/",
    "http://o.test/MinecraftCloaks/",
    "http://s.test/MinecraftSkins/",
    "http://s.test/MinecraftCloaks/",
};

void AddChoiceRows(const char* what, const QByteArray& name, const QByteArray& expectedName) {
    const auto row = [&](const char* choiceName, SkinChoice choice, const char* folder) {
        QTest::addRow("%s, %s", choiceName, what)
            << choice << name << folder + expectedName + ".png";
    };
    row("official skin", SkinChoice::OfficialSkin, "http://o.test/MinecraftSkins/");
    row("official cape", SkinChoice::OfficialCape, "http://o.test/MinecraftCloaks/");
    row("skinme skin", SkinChoice::SkinmeSkin, "http://s.test/MinecraftSkins/");
    row("skinme cape", SkinChoice::SkinmeCape, "http://s.test/MinecraftCloaks/");
}

} // namespace

class TestSkinAddress final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void configuredHostsMakeTheAddress_data();
    void configuredHostsMakeTheAddress();
    void namesGoInUnchanged_data();
    void namesGoInUnchanged();
    void hugeNameGoesInWhole();
    void callerBasesAreUsedAsGiven_data();
    void callerBasesAreUsedAsGiven();
};

// As configured, and, in a build with the default hosts, the addresses
// known to work.
void TestSkinAddress::configuredHostsMakeTheAddress_data() {
    TEST_COLUMNS(SkinChoice, choice, bool, defaultHostsOnly, QByteArray, expected);
    // The four choices on one pair of hosts, the rows' names ending in suffix.
    const auto rows = [](const char* suffix, bool defaults, QByteArray official,
                         QByteArray skinme) {
        const auto row = [&](const char* what, SkinChoice choice, const QByteArray& folder) {
            QTest::addRow("%s%s", what, suffix) << choice << defaults << folder + "/Creeper.png";
        };
        row("official skin", SkinChoice::OfficialSkin, "http://" + official + "/MinecraftSkins");
        row("official cape", SkinChoice::OfficialCape, "http://" + official + "/MinecraftCloaks");
        row("skinme skin", SkinChoice::SkinmeSkin, "http://" + skinme + "/MinecraftSkins");
        row("skinme cape", SkinChoice::SkinmeCape, "http://" + skinme + "/MinecraftCloaks");
    };
    rows("", false, CT_TEST_OFFICIAL_SKIN_HOST, CT_TEST_SKINME_HOST);
    rows(", default hosts", true, "skins.minecraft.net", "www.skinme.cc");
}

void TestSkinAddress::configuredHostsMakeTheAddress() {
    TEST_FETCH(SkinChoice, choice, bool, defaultHostsOnly, QByteArray, expected);
    if (defaultHostsOnly && (qstrcmp(CT_TEST_OFFICIAL_SKIN_HOST, "skins.minecraft.net") != 0 ||
                             qstrcmp(CT_TEST_SKINME_HOST, "www.skinme.cc") != 0)) {
        QSKIP("this build was configured with other hosts");
    }
    QCOMPARE(Bytes(BuildSkinAddress(choice, "Creeper")), expected);
}

void TestSkinAddress::namesGoInUnchanged_data() {
    TEST_COLUMNS(SkinChoice, choice, QByteArray, name, QByteArray, expected);
    AddChoiceRows("plain", "Creeper", "Creeper");
    AddChoiceRows("empty", "", "");
    AddChoiceRows("spaces around", "  Steve ", "  Steve ");
    AddChoiceRows("mixed case", "sTeVe", "sTeVe");
    AddChoiceRows("chinese", "苦力怕", "苦力怕");
    AddChoiceRows("already escaped", "%20", "%20");
    AddChoiceRows("parent folder", "../x", "../x");
    AddChoiceRows("query and fragment", "a?b#c", "a?b#c");
    AddChoiceRows("ends in .png", "x.png", "x.png");
    AddChoiceRows("embedded nul", QByteArray("a\0b", 3), QByteArray("a\0b", 3));
}

void TestSkinAddress::namesGoInUnchanged() {
    TEST_FETCH(SkinChoice, choice, QByteArray, name, QByteArray, expected);
    const std::string_view view(name.constData(), static_cast<std::size_t>(name.size()));
    QCOMPARE(Bytes(BuildSkinAddress(choice, view, kTestBases)), expected);
}

void TestSkinAddress::hugeNameGoesInWhole() {
    std::string name(1024 * 1024, 'a');
    name.front() = '<';
    name.back() = '>';
    const std::string address = BuildSkinAddress(SkinChoice::SkinmeCape, name, kTestBases);
    // Compared with QVERIFY so a failure does not print a megabyte.
    QVERIFY(address == kTestBases.skinmeCape + name + ".png");
}

void TestSkinAddress::callerBasesAreUsedAsGiven_data() {
    TEST_COLUMNS(SkinChoice, choice, QByteArray, expected);
    QTest::newRow("official skin")
        << SkinChoice::OfficialSkin << QByteArray("http://127.0.0.1:8080/MinecraftSkins/Steve.png");
    QTest::newRow("official cape")
        << SkinChoice::OfficialCape << QByteArray("https://[::1]:8443/capes/Steve.png");
    QTest::newRow("skinme skin") << SkinChoice::SkinmeSkin
                                 << QByteArray("file:///tmp/skinsSteve.png");
    QTest::newRow("skinme cape") << SkinChoice::SkinmeCape << QByteArray("Steve.png");
}

void TestSkinAddress::callerBasesAreUsedAsGiven() {
    TEST_FETCH(SkinChoice, choice, QByteArray, expected);
    // Neither a missing '/' nor an empty prefix is corrected.
    const SkinBases bases{
        "http://127.0.0.1:8080/MinecraftSkins/",
        "https://[::1]:8443/capes/",
        "file:///tmp/skins",
        "",
    };
    QCOMPARE(Bytes(BuildSkinAddress(choice, "Steve", bases)), expected);
}

QTEST_APPLESS_MAIN(TestSkinAddress)
#include "tst_skinaddress.moc"
