// The skin fetcher as the user meets it, with a pane that records where it
// is sent: its captions and colours, the selection it opens with, first and
// after a reload, the fetch and the help box. Where each control stands is
// tst_layouts'; Back is tst_toolkit's.
#include "CjkFonts.h"
#include "ClickLabel.h"
#include "Layout.h"
#include "OptionButton.h"
#include "TestTable.h"
#include "WindowInput.h"
#include "WindowSuite.h"
#include "skin.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

using namespace Layout;
using namespace WindowInput;

namespace {

// The configured bases, written out from the build's settings.
const QString kOfficialSkins =
    QStringLiteral("http://" CT_TEST_OFFICIAL_SKIN_HOST "/MinecraftSkins/");
const QString kOfficialCapes =
    QStringLiteral("http://" CT_TEST_OFFICIAL_SKIN_HOST "/MinecraftCloaks/");
const QString kSkinmeSkins = QStringLiteral("http://" CT_TEST_SKINME_HOST "/MinecraftSkins/");
const QString kSkinmeCapes = QStringLiteral("http://" CT_TEST_SKINME_HOST "/MinecraftCloaks/");

QString Address(const QString& base, const QString& name) {
    return base + name + QStringLiteral(".png");
}

} // namespace

class TestSkin final : public QObject, WindowSuite<skin> {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captionsFontsAndTextColours_data();
    void captionsFontsAndTextColours();
    void backgroundsAndTextColours();
    void tabOrderFollowsTheLayout();
    void opensWithOfficialSkinAndCreeper_data();
    void opensWithOfficialSkinAndCreeper();
    void fetchFromCaptionOrMargin_data();
    void fetchFromCaptionOrMargin();
    void eachOptionSendsItsOwnAddress_data();
    void eachOptionSendsItsOwnAddress();
    void nameIsReadAtEachClick();
    void nothingSelectedSendsNothing();
    void helpShowsTheWarningAndChangesNothing();
    void otherBasesAreUsedAsGiven();

private:
    void Fetch() { Click(Control("Label6"), QPoint(10, 10)); }
    void Load(SkinBases bases = ConfiguredSkinBases());
};

void TestSkin::initTestCase() {
    InstallCjkFontFallbacks();
}

void TestSkin::Load(SkinBases bases) {
    QVERIFY(Open(*panes_, std::move(bases)));
}

void TestSkin::init() {
    Load();
}

void TestSkin::cleanup() {
    Close();
}

void TestSkin::captionsFontsAndTextColours_data() {
    AddCaptionColumns();
    AddCaptionRow("skin", "正版皮肤获取器");
    const quint32 orange = 8438015;
    const quint32 white = 0x00FFFFFF;
    AddCaptionRow("Label1", "欢迎使用正版皮肤获取器V2.0!", "黑体", 24, orange, true);
    AddCaptionRow("Option1", "正版皮肤下载");
    AddCaptionRow("Option2", "正版披风下载");
    AddCaptionRow("Option3", "Skinme皮肤下载");
    AddCaptionRow("Option4", "Skinme披风下载");
    AddCaptionRow("Label2", "正版用户名称：", "黑体", 15, orange);
    AddCaptionRow("Text1", "Creeper", "黑体", 21.75);
    AddCaptionRow("Label6", "偷取！", "黑体", 14.25);
    AddCaptionRow("Frame1", "皮肤显示区，若要保存，请右键另存为");
    AddCaptionRow("Label4", "获取皮肤时出现无法显示此网页的请点我！", "黑体", 12);
    AddCaptionRow("Label3", "", "黑体", 18);
    AddCaptionRow("labsmall", "＿", "", 0, white);
    AddCaptionRow("Label5", "←", "宋体", 12, white);
    AddCaptionRow("labclose", "╳", "宋体", 7.5, white);
}

void TestSkin::captionsFontsAndTextColours() {
    VerifyCaptionRow(*window_->Surface());
}

void TestSkin::backgroundsAndTextColours() {
    const QImage shot = window_->Surface()->grab().toImage();
    const auto at = [&](const char* name) { return ShownAt(shot, name); };
    const QColor grey = Ole(8421504);
    QCOMPARE(at("Picture2"), grey);
    QCOMPARE(at("Label6"), grey);
    for (const char* name : {"Text1", "Option4", "Label4"}) {
        QCOMPARE(at(name), Ole(kFrameBlue));
    }

    const QPalette system = QApplication::palette();
    QCOMPARE(TextColourOf("Label3"), system.color(QPalette::Highlight));
    QCOMPARE(TextColourOf("Label4"), system.color(QPalette::ButtonText));
    QCOMPARE(TextColourOf("Label6"), system.color(QPalette::ButtonText));
}

void TestSkin::tabOrderFollowsTheLayout() {
    QCOMPARE(FocusChain(), (QStringList{"Option1", "Option2", "Option3", "Option4", "Text1",
                                        "picclose", "Picture1", "Picture2"}));
}

void TestSkin::opensWithOfficialSkinAndCreeper_data() {
    TEST_COLUMNS(bool, reloaded);
    QTest::newRow("first time") << false;
    QTest::newRow("after a fetch and a reload") << true;
}

// The official skin of Creeper, and a fresh pane inside the frame, sent
// nowhere yet; after a reload as the first time.
void TestSkin::opensWithOfficialSkinAndCreeper() {
    TEST_FETCH(bool, reloaded);
    if (reloaded) {
        Click(Control("Option4"), QPoint(5, 5));
        Control<QLineEdit>("Text1")->setText(QStringLiteral("Alex"));
        Fetch();
        QPointer<RecordingPane> first = panes_->latest;
        window_->Unload();
        DestroyUnloadedWidgets();
        QVERIFY(first.isNull()); // the pane went with the window's controls
        window_->Show();
        // Selected on loading, before the window system makes the window active.
        QVERIFY(Control<OptionButton>("Option1")->isChecked());
        QVERIFY(QTest::qWaitForWindowActive(window_->Surface()));
    }
    QCOMPARE(QApplication::focusWidget(), Control("Option1"));
    QVERIFY(Control<OptionButton>("Option1")->isChecked());
    for (const char* other : {"Option2", "Option3", "Option4"}) {
        QVERIFY(!Control<OptionButton>(other)->isChecked());
    }
    QCOMPARE(Control<QLineEdit>("Text1")->text(), QStringLiteral("Creeper"));
    QCOMPARE(panes_->created, reloaded ? 2 : 1);
    QVERIFY(panes_->latest->isVisible());
    QCOMPARE(panes_->latest->parentWidget(), Control("WebBrowser1"));
    QCOMPARE(panes_->latest->size(), Control("WebBrowser1")->size());
    QVERIFY(panes_->Addresses().isEmpty());
    // The label past the right edge is cut there.
    auto* help = Control("Label4");
    QVERIFY(help->geometry().right() > window_->Surface()->rect().right());
    QCOMPARE(help->mapTo(window_->Surface(), help->visibleRegion().boundingRect().topRight()).x(),
             window_->Surface()->rect().right());
}

void TestSkin::fetchFromCaptionOrMargin_data() {
    TEST_COLUMNS(QString, control, QPoint, where);
    QTest::newRow("caption") << "Label6" << QPoint(20, 10);
    QTest::newRow("margin") << "Picture2" << QPoint(3, 3);
    QTest::newRow("margin above the caption") << "Picture2" << QPoint(60, 3);
}

void TestSkin::fetchFromCaptionOrMargin() {
    TEST_FETCH(QString, control, QPoint, where);
    auto* target = Control(control);
    QCOMPARE(window_->Surface()->childAt(target->mapTo(window_->Surface(), where)), target);
    Click(target, where);
    QCOMPARE(panes_->Addresses(), QStringList{Address(kOfficialSkins, QStringLiteral("Creeper"))});
    QVERIFY(host_->switches.empty());
}

void TestSkin::eachOptionSendsItsOwnAddress_data() {
    TEST_COLUMNS(QString, option, QString, expected);
    QTest::newRow("official skin") << "Option1" << Address(kOfficialSkins, "Creeper");
    QTest::newRow("official cape") << "Option2" << Address(kOfficialCapes, "Creeper");
    QTest::newRow("Skinme skin") << "Option3" << Address(kSkinmeSkins, "Creeper");
    QTest::newRow("Skinme cape") << "Option4" << Address(kSkinmeCapes, "Creeper");
}

void TestSkin::eachOptionSendsItsOwnAddress() {
    TEST_FETCH(QString, option, QString, expected);
    Click(Control(option), Control(option)->rect().center());
    Fetch();
    QCOMPARE(panes_->Addresses(), QStringList{expected});
    // The same state again: the same address again.
    Fetch();
    QCOMPARE(panes_->Addresses(), (QStringList{expected, expected}));
}

// Read at each click and sent as it stands, and left in the box as it stands.
void TestSkin::nameIsReadAtEachClick() {
    auto* name = Control<QLineEdit>("Text1");
    const QString megabyte(1024 * 1024, QLatin1Char('m'));
    const QStringList typed{QStringLiteral("Creeper"), QStringLiteral(" Steve "),
                            // Text from an input method, unchanged and not encoded.
                            QStringLiteral("苦力怕 %20"),
                            // Line breaks and a megabyte, as a paste may bring them.
                            QStringLiteral("Steve\r\nX-Injected: yes"), megabyte, QString()};
    QStringList expected;
    QStringList kept;
    for (const QString& text : typed) {
        if (text == QLatin1String(" Steve ")) {
            name->selectAll();
            QTest::keyClicks(name, text);
        } else if (text != name->text()) {
            name->setText(text);
        }
        Fetch();
        expected << Address(kOfficialSkins, text);
        kept << name->text();
    }
    // Compared with QVERIFY so a failure does not print a megabyte.
    QVERIFY(panes_->Addresses() == expected);
    QVERIFY(kept == typed);
}

void TestSkin::nothingSelectedSendsNothing() {
    // Only code can take the selection away; the user cannot.
    auto* option1 = Control<OptionButton>("Option1");
    option1->setAutoExclusive(false);
    option1->setChecked(false);
    Fetch();
    Click(Control("Picture2"), QPoint(3, 3));
    QVERIFY(panes_->Addresses().isEmpty());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void TestSkin::helpShowsTheWarningAndChangesNothing() {
    MessageBoxCloser closer;
    Click(Control("Label4"), QPoint(20, 10));
    QCOMPARE(closer.boxes.size(), 1);
    const MessageBoxCloser::Box& box = closer.boxes.first();
    QCOMPARE(box.text, QStringLiteral("如果显示这个提示就表明您的[皮肤类型/用户名]不正确!"));
    QCOMPARE(box.title, QStringLiteral("皮肤获取器"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY(box.modal);
    QCOMPARE(box.buttons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});

    QVERIFY(Control<OptionButton>("Option1")->isChecked());
    QCOMPARE(Control<QLineEdit>("Text1")->text(), QStringLiteral("Creeper"));
    QVERIFY(panes_->Addresses().isEmpty());
    QVERIFY(window_->IsLoaded());
}

void TestSkin::otherBasesAreUsedAsGiven() {
    Load(SkinBases{"http://127.0.0.1:8080/MinecraftSkins/",
                   "http://127.0.0.1:8080/MinecraftCloaks/", "http://[::1]:81/MinecraftSkins/",
                   "http://[::1]:81/MinecraftCloaks/"});
    Fetch();
    Click(Control("Option4"), QPoint(5, 5));
    Fetch();
    QCOMPARE(panes_->Addresses(), (QStringList{"http://127.0.0.1:8080/MinecraftSkins/Creeper.png",
                                               "http://[::1]:81/MinecraftCloaks/Creeper.png"}));
}

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"
