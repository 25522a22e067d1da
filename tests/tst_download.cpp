// The version file downloader as the user meets it, with a pane that records
// where it is sent: its captions and colours, the choices it opens with,
// first and after a reload, and the Download click over every pair of
// options; the list of versions, read over the chosen route once a load,
// which only fills the version box. Where each control stands is
// tst_layouts'; Back is tst_toolkit's.
#include "CjkFonts.h"
#include "ClickLabel.h"
#include "FakeFetcher.h"
#include "Layout.h"
#include "OptionButton.h"
#include "TestTable.h"
#include "WindowInput.h"
#include "WindowSuite.h"
#include "download.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

using namespace Layout;
using namespace WindowInput;

namespace {

const QString kStartAddress = QStringLiteral("http:///");

// Distinct bases, so a route that picks the wrong one shows.
const VersionFileBases kTestBases{"http://mirror.test/versions/",
                                  "http://store.test/Minecraft.Download/"};
const VersionListSources kTestLists{
    QUrl(QStringLiteral("https://meta.test/mc/game/version_manifest_v2.json")),
    QUrl(QStringLiteral("https://mirror.test/mc/game/version_manifest_v2.json"))};

// Releases, a snapshot, an old beta and an id that is a folder, out of order.
const QByteArray kManifest = R"({"latest":{"release":"1.21.11","snapshot":"26.1-snapshot-3"},
"versions":[
{"id":"1.21.10","type":"release","releaseTime":"2025-10-07T09:00:00+00:00"},
{"id":"26.1-snapshot-3","type":"snapshot","releaseTime":"2026-01-13T12:00:00+00:00"},
{"id":"../1.21.11","type":"release","releaseTime":"2025-12-10T00:00:00+00:00"},
{"id":"1.21.11","type":"release","releaseTime":"2025-12-09T10:00:00+00:00"},
{"id":"b1.7.3","type":"old_beta","releaseTime":"2011-07-07T22:00:00+00:00"}]})";

} // namespace

class TestDownload final : public QObject, WindowSuite<download> {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captionsFontsAndTextColours_data();
    void captionsFontsAndTextColours();
    void backgroundsAndTextColours();
    void tabOrderFollowsTheLayout();
    void opensWithServerJarNoRouteAndTheStartAddress_data();
    void opensWithServerJarNoRouteAndTheStartAddress();
    void eachPairSendsItsOwnAddress_data();
    void eachPairSendsItsOwnAddress();
    void incompleteChoiceSendsNothing_data();
    void incompleteChoiceSendsNothing();
    void downloadFromCaptionOrMargin_data();
    void downloadFromCaptionOrMargin();
    void groupsAreSeparate();
    void versionIsReadAtEachClick();
    void choosingSendsNothing();
    void everyChosenPairIsSentInOrder();
    void configuredHostsByDefault();
    void versionListFillsTheBoxOnly_data();
    void versionListFillsTheBoxOnly();
    void versionListSaysWhyItHasNone_data();
    void versionListSaysWhyItHasNone();

private:
    void Choose(const char* option) { Click(Control(option), QPoint(5, 5)); }
    void Download() { Click(Control("Label4"), QPoint(10, 10)); }
    // What the pane was sent to after its start address.
    QStringList Sent() const { return panes_->Addresses().mid(1); }
    void Load(VersionFileBases bases = kTestBases);
    void OpenList() { Click(Control("Command1"), QPoint(10, 10)); }
    template <class T> T* ListPart(const char* name) const {
        return window_->Surface()->findChild<T*>(QLatin1String(name));
    }
    // The rows the list shows, "<id> <kind> <date>".
    QStringList Rows() const;

    FakeFetcher fetcher_;
};

void TestDownload::initTestCase() {
    InstallCjkFontFallbacks();
}

void TestDownload::Load(VersionFileBases bases) {
    QVERIFY(Open(*panes_, std::move(bases), kTestLists, &fetcher_));
    QCOMPARE(panes_->Addresses(), QStringList{kStartAddress});
}

void TestDownload::init() {
    fetcher_ = FakeFetcher();
    Load();
}

void TestDownload::cleanup() {
    Close();
}

void TestDownload::captionsFontsAndTextColours_data() {
    AddCaptionColumns();
    AddCaptionRow("download", "MC版本万能下载器");
    const quint32 white = 16777215;
    AddCaptionRow("Label1", "欢迎使用MC版本万能下载器!", "黑体", 24, 8438015, true);
    AddCaptionRow("Frame3", "文件");
    AddCaptionRow("Option1", "Jar主体文件下载");
    AddCaptionRow("Option2", "Json主体文件下载");
    AddCaptionRow("Option3", "开服端下载");
    AddCaptionRow("Frame2", "线路");
    AddCaptionRow("Option4", "国内线路");
    AddCaptionRow("Option5", "国外线路");
    AddCaptionRow("Label2", "版本：", "黑体", 42);
    AddCaptionRow("Text1", "1.7.2", "黑体", 42);
    AddCaptionRow("Label4", "下载！", "黑体", 21.75);
    AddCaptionRow("Frame1", "如果显示无法显示此网页提示就表明您的版本号或线路不正确!");
    AddCaptionRow("Label3", "", "黑体", 18, 12632256);
    AddCaptionRow("Command1", "从列表中选版本…", "黑体", 10.5);
    AddCaptionRow("labsmall", "＿", "", 0, white);
    AddCaptionRow("Label5", "←", "宋体", 12, white);
    AddCaptionRow("labclose", "╳", "宋体", 7.5, white);
}

void TestDownload::captionsFontsAndTextColours() {
    VerifyCaptionRow(*window_->Surface());
}

void TestDownload::backgroundsAndTextColours() {
    const QImage shot = window_->Surface()->grab().toImage();
    const auto at = [&](const char* name) { return ShownAt(shot, name); };
    const QColor yellow = Ole(8454143);
    QCOMPARE(at("Picture1"), yellow);
    QCOMPARE(at("Label4"), yellow);
    for (const char* name : {"Text1", "Option2", "Option5", "Label2", "Label1", "Label3"}) {
        QCOMPARE(at(name), Ole(kFrameBlue));
    }

    const QPalette system = QApplication::palette();
    QCOMPARE(TextColourOf("Label2"), system.color(QPalette::ButtonText));
    QCOMPARE(TextColourOf("Label4"), system.color(QPalette::ButtonText));
}

void TestDownload::tabOrderFollowsTheLayout() {
    QCOMPARE(FocusChain(),
             (QStringList{"Option3", "Option2", "Option1", "Text1", "Option5", "Option4",
                          "picclose", "Picture2", "Picture1", "Command1"}));
}

void TestDownload::opensWithServerJarNoRouteAndTheStartAddress_data() {
    TEST_COLUMNS(bool, reloaded);
    QTest::newRow("first time") << false;
    QTest::newRow("after a download and a reload") << true;
}

// The server jar of 1.7.2 and no route, and a fresh pane inside the frame at
// its start address only; after a reload as the first time.
void TestDownload::opensWithServerJarNoRouteAndTheStartAddress() {
    TEST_FETCH(bool, reloaded);
    if (reloaded) {
        Choose("Option2");
        Choose("Option4");
        Control<QLineEdit>("Text1")->setText(QStringLiteral("1.7.10"));
        Download();
        QPointer<RecordingPane> first = panes_->latest;
        window_->Unload();
        DestroyUnloadedWidgets();
        QVERIFY(first.isNull()); // the pane went with the window's controls
        window_->Show();
        QVERIFY(QTest::qWaitForWindowActive(window_->Surface()));
    }
    QCOMPARE(QApplication::focusWidget(), Control("Option3"));
    QVERIFY(Control<OptionButton>("Option3")->isChecked());
    for (const char* other : {"Option1", "Option2", "Option4", "Option5"}) {
        QVERIFY2(!Control<OptionButton>(other)->isChecked(), other);
    }
    QCOMPARE(Control<QLineEdit>("Text1")->text(), QStringLiteral("1.7.2"));
    QCOMPARE(panes_->created, reloaded ? 2 : 1);
    QVERIFY(panes_->latest->isVisible());
    QCOMPARE(panes_->latest->parentWidget(), Control("WebBrowser1"));
    QCOMPARE(panes_->latest->size(), Control("WebBrowser1")->size());
    QCOMPARE(panes_->Addresses(), QStringList{kStartAddress});

    // No route yet: the first click sends nothing.
    Download();
    QVERIFY(Sent().isEmpty());
    // With the foreign route, the server jar of 1.7.2 from the store.
    Choose("Option5");
    Download();
    QCOMPARE(Sent(), QStringList{"http://store.test/Minecraft.Download/1.7.2/"
                                 "minecraft_server.1.7.2.jar"});
}

void TestDownload::eachPairSendsItsOwnAddress_data() {
    TEST_COLUMNS(QString, kind, QString, route, QString, expected);
    const QString mirror = QStringLiteral("http://mirror.test/versions/1.7.2/");
    const QString store = QStringLiteral("http://store.test/Minecraft.Download/1.7.2/");
    const auto row = [](const char* name, const char* kind, const char* route, QString expected) {
        QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(route) << expected;
    };
    row("client jar, mirror", "Option1", "Option4", mirror + "1.7.2.jar");
    row("client jar, store", "Option1", "Option5", store + "1.7.2.jar");
    row("json, mirror", "Option2", "Option4", mirror + "1.7.2.json");
    row("json, store", "Option2", "Option5", store + "1.7.2.json");
    row("server jar, mirror", "Option3", "Option4", mirror + "minecraft_server.1.7.2.jar");
    row("server jar, store", "Option3", "Option5", store + "minecraft_server.1.7.2.jar");
}

void TestDownload::eachPairSendsItsOwnAddress() {
    TEST_FETCH(QString, kind, QString, route, QString, expected);
    Choose(qPrintable(kind));
    Choose(qPrintable(route));
    Download();
    QCOMPARE(Sent(), QStringList{expected});
    // The same choices again: the same address again, once more.
    Download();
    QCOMPARE(Sent(), (QStringList{expected, expected}));
    QVERIFY(host_->switches.empty());
}

void TestDownload::incompleteChoiceSendsNothing_data() {
    TEST_COLUMNS(QString, uncheck, QString, route);
    QTest::newRow("kind, no route") << ""
                                    << "";
    QTest::newRow("route, no kind") << "Option3"
                                    << "Option4";
    QTest::newRow("neither") << "Option3"
                             << "";
}

void TestDownload::incompleteChoiceSendsNothing() {
    TEST_FETCH(QString, uncheck, QString, route);
    if (!route.isEmpty()) {
        Choose(qPrintable(route));
    }
    if (!uncheck.isEmpty()) {
        // Only code can take a selection away; the user cannot.
        auto* option = Control<OptionButton>(qPrintable(uncheck));
        option->setAutoExclusive(false);
        option->setChecked(false);
    }
    const auto checked = [this] {
        QStringList names;
        for (auto* option : window_->Surface()->findChildren<OptionButton*>()) {
            if (option->isChecked()) {
                names << option->objectName();
            }
        }
        return names;
    };
    const QStringList before = checked();
    Download();
    Click(Control("Picture1"), QPoint(3, 3));
    QVERIFY(Sent().isEmpty());
    QCOMPARE(checked(), before);
    QCOMPARE(Control<QLineEdit>("Text1")->text(), QStringLiteral("1.7.2"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestDownload::downloadFromCaptionOrMargin_data() {
    TEST_COLUMNS(QString, control, QPoint, where);
    QTest::newRow("caption") << "Label4" << QPoint(20, 10);
    QTest::newRow("margin left") << "Picture1" << QPoint(3, 30);
    QTest::newRow("margin above the caption") << "Picture1" << QPoint(60, 3);
}

void TestDownload::downloadFromCaptionOrMargin() {
    TEST_FETCH(QString, control, QPoint, where);
    Choose("Option2");
    Choose("Option4");
    Control<QLineEdit>("Text1")->setText(QStringLiteral("1.7.10"));
    auto* target = Control(control);
    QCOMPARE(window_->Surface()->childAt(target->mapTo(window_->Surface(), where)), target);
    const QString expected = QStringLiteral("http://mirror.test/versions/1.7.10/1.7.10.json");
    Click(target, where);
    QCOMPARE(Sent(), QStringList{expected});
    Click(target, where);
    QCOMPARE(Sent(), (QStringList{expected, expected}));
}

void TestDownload::groupsAreSeparate() {
    const auto checked = [this](const char* name) {
        return Control<OptionButton>(name)->isChecked();
    };
    Choose("Option4");
    QVERIFY(checked("Option3") && checked("Option4"));
    Choose("Option5");
    QVERIFY(!checked("Option4") && checked("Option5") && checked("Option3"));
    Choose("Option1");
    QVERIFY(!checked("Option3") && checked("Option1") && checked("Option5"));
    Choose("Option2");
    QVERIFY(!checked("Option1") && checked("Option2") && checked("Option5"));
    // Arrow keys move within a group, selecting as they go.
    QTest::keyClick(Control("Option2"), Qt::Key_Right);
    QVERIFY(checked("Option3") && !checked("Option2") && checked("Option5"));
    Download();
    QCOMPARE(Sent(), QStringList{"http://store.test/Minecraft.Download/1.7.2/"
                                 "minecraft_server.1.7.2.jar"});
}

void TestDownload::versionIsReadAtEachClick() {
    auto* version = Control<QLineEdit>("Text1");
    Choose("Option1");
    Choose("Option4");
    Download();
    version->selectAll();
    QTest::keyClicks(version, " 1.8 ");
    Download();
    // Text from an input method, unchanged and not encoded.
    version->setText(QStringLiteral("一点七 %20?#"));
    Download();
    version->clear();
    Choose("Option3");
    Download();
    QCOMPARE(Sent(),
             (QStringList{
                 "http://mirror.test/versions/1.7.2/1.7.2.jar",
                 "http://mirror.test/versions/ 1.8 / 1.8 .jar",
                 QStringLiteral("http://mirror.test/versions/一点七 %20?#/一点七 %20?#.jar"),
                 "http://mirror.test/versions//minecraft_server..jar",
             }));
}

void TestDownload::choosingSendsNothing() {
    Choose("Option1");
    Choose("Option4");
    Choose("Option5");
    QTest::keyClicks(Control("Text1"), "1");
    Click(Control("Label1"), QPoint(5, 5));
    Click(Control("Label2"), QPoint(5, 5));
    Click(Control("Label3"), QPoint(5, 5));
    QVERIFY(Sent().isEmpty());
    QVERIFY(host_->switches.empty());
}

void TestDownload::everyChosenPairIsSentInOrder() {
    // Only code can select two options of a group. Then every pair whose two
    // options are selected is sent, in the fixed order, and the version is
    // read again for each: here the pane changes it after every address.
    for (const char* name : {"Option1", "Option2", "Option3", "Option4", "Option5"}) {
        auto* option = Control<OptionButton>(name);
        option->setAutoExclusive(false);
        option->setChecked(true);
    }
    int sent = 0;
    panes_->latest->onNavigate = [this, &sent](const QString&) {
        Control<QLineEdit>("Text1")->setText(QStringLiteral("v%1").arg(++sent));
    };
    Download();
    QCOMPARE(Sent(), (QStringList{
                         "http://mirror.test/versions/1.7.2/1.7.2.jar",
                         "http://store.test/Minecraft.Download/v1/v1.jar",
                         "http://mirror.test/versions/v2/v2.json",
                         "http://store.test/Minecraft.Download/v3/v3.json",
                         "http://mirror.test/versions/v4/minecraft_server.v4.jar",
                         "http://store.test/Minecraft.Download/v5/minecraft_server.v5.jar",
                     }));
}

void TestDownload::configuredHostsByDefault() {
    QVERIFY(Open(*panes_));
    Choose("Option4");
    Download();
    Choose("Option5");
    Download();
    QCOMPARE(Sent(), (QStringList{
                         "http://" CT_TEST_MIRROR_HOST "/versions/1.7.2/minecraft_server.1.7.2.jar",
                         "http://" CT_TEST_STORE_HOST
                         "/Minecraft.Download/1.7.2/minecraft_server.1.7.2.jar",
                     }));
}

QStringList TestDownload::Rows() const {
    const QAbstractItemModel* rows = ListPart<QTreeView>("VersionRows")->model();
    QStringList shown;
    for (int row = 0; row < rows->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < rows->columnCount(); ++column) {
            cells << rows->index(row, column).data().toString();
        }
        shown << cells.join(QLatin1Char(' '));
    }
    return shown;
}

void TestDownload::versionListFillsTheBoxOnly_data() {
    TEST_COLUMNS(QString, route, QString, asked, QString, source);
    const QString official = kTestLists.official.toString();
    QTest::newRow("no route: official") << "" << official << "未选线路：官方 meta.test 的版本列表";
    QTest::newRow("domestic: the mirror's copy alone")
        << "Option4" << kTestLists.mirror.toString()
        << "国内线路：BMCLAPI 镜像 mirror.test 的版本列表";
    QTest::newRow("foreign: official")
        << "Option5" << official << "国外线路：官方 meta.test 的版本列表";
}

// Read over the route chosen, once a load; newest first, releases at first,
// the latest marked; a kind and a search narrow it; Enter puts the id into
// the box and sends nothing, Escape leaves the box.
void TestDownload::versionListFillsTheBoxOnly() {
    TEST_FETCH(QString, route, QString, asked, QString, source);
    if (!route.isEmpty()) {
        Choose(qPrintable(route));
    }
    OpenList();
    QCOMPARE(fetcher_.asked, QList<QUrl>{QUrl(asked)});
    QCOMPARE(fetcher_.caps, QList<qint64>{Fetcher::kDocumentBytes});
    QVERIFY(ListPart<QWidget>("VersionPicker")->isVisible());
    QCOMPARE(ListPart<QLabel>("VersionReason")->text(), QStringLiteral("正在读取版本列表…"));
    QVERIFY(fetcher_.Answer(200, kManifest));
    QCOMPARE(ListPart<QLabel>("VersionSource")->text(), source);
    QVERIFY(!ListPart<QLabel>("VersionReason")->isVisible());
    QCOMPARE(Rows(),
             (QStringList{"1.21.11 正式版（最新） 2025-12-09", "1.21.10 正式版 2025-10-07"}));
    ListPart<QComboBox>("VersionKinds")->setCurrentText(QStringLiteral("全部"));
    QCOMPARE(Rows(), (QStringList{"26.1-snapshot-3 快照（最新） 2026-01-13",
                                  "1.21.11 正式版（最新） 2025-12-09", "1.21.10 正式版 2025-10-07",
                                  "b1.7.3 旧测试版 2011-07-07"}));
    auto* search = ListPart<QLineEdit>("VersionSearch");
    QCOMPARE(QApplication::focusWidget(), search);
    QTest::keyClicks(search, "1.21");
    QCOMPARE(Rows().size(), 2);
    QTest::keyClick(search, Qt::Key_Down);
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(Control<QLineEdit>("Text1")->text(), QStringLiteral("1.21.10"));
    QVERIFY(!ListPart<QWidget>("VersionPicker")->isVisible());
    QVERIFY(Sent().isEmpty());

    // Kept for this load: shown at once, asked of nobody.
    OpenList();
    QCOMPARE(fetcher_.asked.size(), 1);
    QVERIFY(!Rows().isEmpty());
    QTest::keyClick(ListPart<QWidget>("VersionRows"), Qt::Key_Escape);
    QVERIFY(!ListPart<QWidget>("VersionPicker")->isVisible());
    QCOMPARE(Control<QLineEdit>("Text1")->text(), QStringLiteral("1.21.10"));

    // A new load reads it again.
    window_->Unload();
    DestroyUnloadedWidgets();
    window_->Show();
    QVERIFY(QTest::qWaitForWindowActive(window_->Surface()));
    if (!route.isEmpty()) {
        Choose(qPrintable(route));
    }
    OpenList();
    QCOMPARE(fetcher_.asked, (QList<QUrl>{QUrl(asked), QUrl(asked)}));
}

void TestDownload::versionListSaysWhyItHasNone_data() {
    TEST_COLUMNS(int, status, QByteArray, body, QString, reason);
    QTest::newRow("refused") << 503 << QByteArray("busy") << "mirror.test 回答 HTTP 503";
    QTest::newRow("too many asks") << 429 << QByteArray("slow down") << "mirror.test 要求稍后再试";
    QTest::newRow("no connection") << 0 << QByteArray() << "无法连接 mirror.test";
    QTest::newRow("past 4 MiB") << 200 << QByteArray(4'194'305, ' ')
                                << "mirror.test 的回答超过 4 MiB，工具箱没有读取";
    QTest::newRow("not JSON") << 200 << QByteArray("<html>") << "mirror.test 发来的不是 JSON";
    QTest::newRow("a version's description")
        << 200 << QByteArray(R"({"id":"1.21.11","downloads":{}})")
        << "mirror.test 发来的不是版本清单";
    QTest::newRow("every id a lie")
        << 200
        << QByteArray(R"({"versions":[{"id":"1.7.2/../x","type":"release"},{"id":"1.7.2?"}]})")
        << "mirror.test 的版本清单里没有可选的版本";
}

// One line in the list's place; Enter chooses nothing, the box keeps its
// text and goes on working, and the next opening asks again.
void TestDownload::versionListSaysWhyItHasNone() {
    TEST_FETCH(int, status, QByteArray, body, QString, reason);
    Choose("Option4");
    auto* version = Control<QLineEdit>("Text1");
    version->setText(QStringLiteral("1.16.5"));
    OpenList();
    QVERIFY(fetcher_.Answer(status, body));
    QCOMPARE(ListPart<QLabel>("VersionReason")->text(),
             QStringLiteral("无法取得版本列表：") + reason);
    QVERIFY(ListPart<QLabel>("VersionReason")->isVisible());
    QVERIFY(!ListPart<QWidget>("VersionRows")->isVisible());
    QTest::keyClick(ListPart<QWidget>("VersionSearch"), Qt::Key_Return);
    QVERIFY(ListPart<QWidget>("VersionPicker")->isVisible());
    QTest::keyClick(ListPart<QWidget>("VersionSearch"), Qt::Key_Escape);
    QVERIFY(!ListPart<QWidget>("VersionPicker")->isVisible());
    QCOMPARE(version->text(), QStringLiteral("1.16.5"));
    QTest::keyClick(version, Qt::Key_Backspace);
    QTest::keyClicks(version, "4");
    Download();
    QCOMPARE(Sent(), QStringList{"http://mirror.test/versions/1.16.4/minecraft_server.1.16.4.jar"});
    OpenList();
    QCOMPARE(fetcher_.asked.size(), 2);
}

QTEST_MAIN(TestDownload)
#include "tst_download.moc"
