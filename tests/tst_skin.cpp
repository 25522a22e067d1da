// The skin fetcher as the user meets it, with a pane that records where it
// is sent: its controls where the layout puts them, the selection it opens
// with, first and after a reload, the fetch and the help box. Back is
// tst_toolkit's.
#include "CjkFonts.h"
#include "ClickLabel.h"
#include "Layout.h"
#include "OptionButton.h"
#include "RecordingHost.h"
#include "RecordingPane.h"
#include "WindowInput.h"
#include "skin.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

using namespace Layout;
using namespace WindowInput;

namespace {

QString Address(const std::string& base, const QString& name) {
    return QString::fromStdString(base) + name + QStringLiteral(".png");
}

} // namespace

class TestSkin final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowIsTheStoredSize();
    void controlsStandWhereTheLayoutPutsThem_data();
    void controlsStandWhereTheLayoutPutsThem();
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
    template <class T = QWidget> T* Control(const QString& name) const {
        return Named<T>(window_, name);
    }
    void Fetch() { Click(Control("Label6"), QPoint(10, 10)); }
    void Load(SkinBases bases = ConfiguredSkinBases());

    RecordingHost* host_ = nullptr;
    RecordingPaneSource* panes_ = nullptr;
    skin* window_ = nullptr;
};

void TestSkin::initTestCase() {
    InstallCjkFontFallbacks();
}

void TestSkin::Load(SkinBases bases) {
    delete window_;
    window_ = new skin(*host_, *panes_, std::move(bases));
    window_->Show();
    QVERIFY(QTest::qWaitForWindowActive(window_->Surface()));
}

void TestSkin::init() {
    host_ = new RecordingHost;
    panes_ = new RecordingPaneSource;
    Load();
}

void TestSkin::cleanup() {
    delete window_;
    window_ = nullptr;
    delete panes_;
    delete host_;
    DestroyUnloadedWidgets();
}

void TestSkin::windowIsTheStoredSize() {
    QWidget* surface = window_->Surface();
    QCOMPARE(QSize(surface->width() * kTwips, surface->height() * kTwips), QSize(8115, 3645));
    QVERIFY(surface->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(surface->windowTitle(), QStringLiteral("正版皮肤获取器"));
}

void TestSkin::controlsStandWhereTheLayoutPutsThem_data() {
    AddControlColumns();
    const quint32 orange = 8438015;
    const quint32 white = 0x00FFFFFF;
    AddControlRow("Label1", "ClickLabel", "skin", {600, 480, 6855, 495},
                  "欢迎使用正版皮肤获取器V2.0!", 9, "黑体", 24, orange, true);
    AddControlRow("Option1", "OptionButton", "skin", {120, 1080, 1455, 495}, "正版皮肤下载", 0);
    AddControlRow("Option2", "OptionButton", "skin", {1920, 1080, 1455, 495}, "正版披风下载", 1);
    AddControlRow("Option3", "OptionButton", "skin", {3600, 1080, 1695, 495}, "Skinme皮肤下载", 2);
    AddControlRow("Option4", "OptionButton", "skin", {5520, 1080, 1935, 495}, "Skinme披风下载", 3);
    AddControlRow("Label2", "ClickLabel", "skin", {240, 1680, 2175, 375}, "正版用户名称：", 8,
                  "黑体", 15, orange);
    AddControlRow("Text1", "QLineEdit", "skin", {2400, 1560, 4455, 615}, "Creeper", 5, "黑体",
                  21.75);
    AddControlRow("Picture2", "PictureBox", "skin", {6960, 1680, 975, 495}, "", 15);
    AddControlRow("Label6", "ClickLabel", "Picture2", {120, 120, 855, 375}, "偷取！", 16, "黑体",
                  14.25);
    AddControlRow("Frame1", "QGroupBox", "skin", {120, 2280, 3375, 1335},
                  "皮肤显示区，若要保存，请右键另存为", 4);
    AddControlRow("WebBrowser1", "QWidget", "Frame1", {120, 240, 3015, 975}, "", 17);
    AddControlRow("Label4", "ClickLabel", "skin", {3600, 2280, 4575, 375},
                  "获取皮肤时出现无法显示此网页的请点我！", 6, "黑体", 12);
    AddControlRow("Label3", "ClickLabel", "skin", {3600, 2760, 4455, 735}, "", 7, "黑体", 18);
    AddControlRow("labsmall", "ClickLabel", "skin", {6960, 0, 300, 300}, "＿", 12, "", 0, white);
    AddControlRow("Picture1", "PictureBox", "skin", {7320, 0, 375, 255}, "", 13);
    AddControlRow("Label5", "ClickLabel", "Picture1", {0, 0, 255, 255}, "←", 14, "宋体", 12, white);
    AddControlRow("picclose", "PictureBox", "skin", {7680, 0, 375, 255}, "", 10);
    AddControlRow("labclose", "ClickLabel", "picclose", {0, 0, 255, 255}, "╳", 11, "宋体", 7.5,
                  white);
}

void TestSkin::controlsStandWhereTheLayoutPutsThem() {
    VerifyControlRow(*window_->Surface());
}

void TestSkin::backgroundsAndTextColours() {
    const QImage shot = window_->Surface()->grab().toImage();
    const auto at = [&](const char* name, QPoint where) {
        return shot.pixelColor(Control(name)->mapTo(window_->Surface(), where));
    };
    const QColor grey = Ole(8421504);
    QCOMPARE(at("Picture2", QPoint(3, 3)), grey);
    QCOMPARE(at("Label6", QPoint(54, 22)), grey);
    QCOMPARE(at("Text1", QPoint(280, 20)), Ole(kFrameBlue));
    QCOMPARE(at("Option4", QPoint(125, 16)), Ole(kFrameBlue));
    QCOMPARE(at("Label4", QPoint(2, 2)), Ole(kFrameBlue));

    const QPalette system = QApplication::palette();
    const auto textOf = [this](const char* name) {
        return Control(name)->palette().color(QPalette::WindowText);
    };
    QCOMPARE(textOf("Label3"), system.color(QPalette::Highlight));
    QCOMPARE(textOf("Label4"), system.color(QPalette::ButtonText));
    QCOMPARE(textOf("Label6"), system.color(QPalette::ButtonText));
}

void TestSkin::tabOrderFollowsTheLayout() {
    QCOMPARE(FocusChain(), (QStringList{"Option1", "Option2", "Option3", "Option4", "Text1",
                                        "picclose", "Picture1", "Picture2"}));
}

void TestSkin::opensWithOfficialSkinAndCreeper_data() {
    QTest::addColumn<bool>("reloaded");
    QTest::newRow("first time") << false;
    QTest::newRow("after a fetch and a reload") << true;
}

// The official skin of Creeper, and a fresh pane inside the frame, sent
// nowhere yet; after a reload as the first time.
void TestSkin::opensWithOfficialSkinAndCreeper() {
    QFETCH(bool, reloaded);
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
    QCOMPARE(help->visibleRegion().boundingRect().width() * kTwips, 4575 - 60);
}

void TestSkin::fetchFromCaptionOrMargin_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("where");
    QTest::newRow("caption") << "Label6" << QPoint(20, 10);
    QTest::newRow("margin") << "Picture2" << QPoint(3, 3);
    QTest::newRow("margin above the caption") << "Picture2" << QPoint(60, 3);
}

void TestSkin::fetchFromCaptionOrMargin() {
    QFETCH(QString, control);
    QFETCH(QPoint, where);
    auto* target = Control(control);
    QCOMPARE(window_->Surface()->childAt(target->mapTo(window_->Surface(), where)), target);
    Click(target, where);
    QCOMPARE(panes_->Addresses(),
             QStringList{Address(ConfiguredSkinBases().officialSkin, QStringLiteral("Creeper"))});
    QVERIFY(host_->switches.empty());
}

void TestSkin::eachOptionSendsItsOwnAddress_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("expected");
    const SkinBases& bases = ConfiguredSkinBases();
    QTest::newRow("official skin") << "Option1" << Address(bases.officialSkin, "Creeper");
    QTest::newRow("official cape") << "Option2" << Address(bases.officialCape, "Creeper");
    QTest::newRow("Skinme skin") << "Option3" << Address(bases.skinmeSkin, "Creeper");
    QTest::newRow("Skinme cape") << "Option4" << Address(bases.skinmeCape, "Creeper");
}

void TestSkin::eachOptionSendsItsOwnAddress() {
    QFETCH(QString, option);
    QFETCH(QString, expected);
    Click(Control(option), QPoint(90, 28));
    Fetch();
    QCOMPARE(panes_->Addresses(), QStringList{expected});
    // The same state again: the same address again.
    Fetch();
    QCOMPARE(panes_->Addresses(), (QStringList{expected, expected}));
}

// Read at each click and sent as it stands, and left in the box as it stands.
void TestSkin::nameIsReadAtEachClick() {
    const SkinBases& bases = ConfiguredSkinBases();
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
        expected << Address(bases.officialSkin, text);
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
