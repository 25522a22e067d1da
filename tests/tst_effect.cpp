// The "/effect" window as the user meets it: its captions and colours, its
// four groups, the custom boxes, and the generate action driven by real
// clicks. Where each control stands is tst_layouts'.
#include "CjkFonts.h"
#include "ClickLabel.h"
#include "Layout.h"
#include "OptionButton.h"
#include "PictureBox.h"
#include "TestTable.h"
#include "WindowInput.h"
#include "WindowSuite.h"
#include "effect.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

using namespace Layout;
using namespace WindowInput;

class TestEffect final : public QObject, WindowSuite<effect> {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captionsAndFonts_data();
    void captionsAndFonts();
    void coloursOfTheLabels();
    void opensWithFocusInTheCommandBoxAndNothingSelected_data();
    void opensWithFocusInTheCommandBoxAndNothingSelected();
    void eachFrameIsOneGroup();
    void speedOnTopOfItsTwin();
    void optionsTakeClicksAnywhereInTheirRectangle();
    void generateFromCaptionOrMargin_data();
    void generateFromCaptionOrMargin();
    void formOfTheChosenGame();
    void nothingChosenGivesFourSpaces();
    void customBoxesEnableOnceAndStay();
    void tabbingIntoAnOptionSelectsIt();
    void twinOfSpeedLeavesTheEffectEmpty();
    void clearReplacesTheChosenEffect();
    void handEditedCommandIsReplaced();
    void gameAndDurationAreGroupsOfTheirOwn_data();
    void gameAndDurationAreGroupsOfTheirOwn();
    void arrowKeysStayAmongTheDurations();
    void tabReachesTheGamesAfterADuration();
    void backTabFromTheFirstFocusChoosesNoGame();
    void listOffersTheEffectsOfTheChosenGame_data();
    void listOffersTheEffectsOfTheChosenGame();
    void oneEffectAtATime();
    void anotherGameLetsGoOfAnEffectItLacks();

private:
    void Choose(const char* option) { Click(Control(option), QPoint(4, 8)); }
    void Generate() { Click(Control("Label4"), QPoint(20, 20)); }
    QString Command() const { return Control<QLineEdit>("Text5")->text(); }
    void ChooseListed(const QString& name);
    void Reload();
};

void TestEffect::initTestCase() {
    InstallCjkFontFallbacks();
}

void TestEffect::init() {
    QVERIFY(Open());
}

void TestEffect::cleanup() {
    Close();
}

void TestEffect::captionsAndFonts_data() {
    AddCaptionColumns();
    AddCaptionRow("effect", "effect效果指令生成器");
    AddCaptionRow("Label1", "欢迎使用effect效果指令生成器！", "黑体", 26.25);
    AddCaptionRow("Frame2", "玩家");
    AddCaptionRow("Frame1", "效果");
    AddCaptionRow("Label2", "以下效果仅限在1.8以后使用");
    AddCaptionRow("Frame3", "持续时间（单位为秒）");
    AddCaptionRow("Frame4", "效果倍数（最小1，最大255）");
    AddCaptionRow("Frame5", "指令适用的游戏版本");
    AddCaptionRow("Label4", "生成！", "微软雅黑", 26.25);
    AddCaptionRow("Text5", "", "黑体", 15.75);
    AddCaptionRow("Label3", "", "黑体", 18);
    AddCaptionRow("labsmall", "＿");
    AddCaptionRow("Label5", "←", "宋体", 12);
    AddCaptionRow("labclose", "╳", "宋体", 7.5);
    const char* const options[][2] = {
        {"Option1", "速度"},      {"Option2", "缓慢"},      {"Option3", "急迫"},
        {"Option4", "挖掘疲劳"},  {"Option5", "力量"},      {"Option6", "瞬间治疗"},
        {"Option7", "瞬间伤害"},  {"Option8", "跳跃提升"},  {"Option9", "反胃"},
        {"Option10", "生命恢复"}, {"Option11", "抗性提升"}, {"Option12", "防火"},
        {"Option13", "水下呼吸"}, {"Option14", "隐身"},     {"Option15", "失明"},
        {"Option16", "夜视"},     {"Option17", "饥饿"},     {"Option18", "虚弱"},
        {"Option19", "中毒"},     {"Option20", "凋零"},     {"Option21", "生命提升"},
        {"Option22", "伤害吸收"}, {"Option23", "饱和"},     {"Option30", "全部消除"},
        {"Option0", "速度"},      {"Option24", "最近玩家"}, {"Option25", "所有玩家"},
        {"Option26", "随机玩家"}, {"Option27", "指定的人"}, {"Option28", "自定义"},
        {"Option29", "永久"},     {"Option31", "自定义"},   {"Option32", "最小"},
        {"Option33", "最大"}};
    for (const auto& [name, caption] : options) {
        AddCaptionRow(name, caption);
    }
    AddCaptionRow("Option34", "Java版1.8–1.12");
    AddCaptionRow("Option35", "Java版1.13起");
    AddCaptionRow("Option36", "基岩版");
    AddCaptionRow("Check1", "隐藏粒子效果");
}

void TestEffect::captionsAndFonts() {
    VerifyCaptionRow(*window_->Surface());
}

void TestEffect::coloursOfTheLabels() {
    QCOMPARE(TextColourOf("Label1"), Ole(33023));
    QCOMPARE(TextColourOf("Label3"), Ole(8454143));
    QCOMPARE(TextColourOf("Label5"), Ole(0x00FFFFFF));
    QCOMPARE(TextColourOf("labclose"), Ole(0x00FFFFFF));

    // The game's frame looks like the frames and options beside it.
    QCOMPARE(TextColourOf("Frame5"), TextColourOf("Frame3"));
    QCOMPARE(Control("Frame5")->font(), Control("Frame3")->font());
    QCOMPARE(Control("Option35")->font(), Control("Option29")->font());

    const QColor buttonText = QApplication::palette().color(QPalette::ButtonText);
    QCOMPARE(TextColourOf("Label2"), buttonText);
    QCOMPARE(TextColourOf("Label4"), buttonText);

    // Frame blue beside the captions and inside the text boxes the user
    // sees, enabled or not.
    const QImage shot = window_->Surface()->grab().toImage();
    for (const char* name : {"Picture1", "Picture2", "Option33", "Option35", "Label1", "Text1",
                             "Text2", "Text4", "Text5"}) {
        QWidget* control = Control(name);
        const QPoint inside(control->width() - 4, control->height() / 2);
        QCOMPARE(shot.pixelColor(control->mapTo(window_->Surface(), inside)), Ole(kFrameBlue));
    }
    // The twin of Speed keeps the button face, though Speed covers it all;
    // the hidden boxes keep the default text box colour.
    auto* twin = Control("Option0");
    QCOMPARE(twin->grab().toImage().pixelColor(twin->width() - 2, 1),
             QApplication::palette().color(QPalette::Button));
    for (const char* name : {"Text3", "Text6"}) {
        QWidget* box = Control(name);
        QCOMPARE(box->grab().toImage().pixelColor(box->width() / 2, box->height() / 2),
                 QApplication::palette().color(QPalette::Base));
    }
}

void TestEffect::opensWithFocusInTheCommandBoxAndNothingSelected_data() {
    TEST_COLUMNS(bool, reloaded);
    QTest::newRow("first time") << false;
    QTest::newRow("after a command and a reload") << true;
}

// Nothing selected, the custom boxes off and every box empty; after a reload
// as the first time.
void TestEffect::opensWithFocusInTheCommandBoxAndNothingSelected() {
    TEST_FETCH(bool, reloaded);
    if (reloaded) {
        Choose("Option27");
        Choose("Option3");
        Click(Control("Text1"), QPoint(10, 9));
        QTest::keyClicks(Control("Text1"), "Alex");
        Generate();
        Reload();
    }
    QCOMPARE(QApplication::focusWidget(), Control("Text5"));
    const auto options = window_->Surface()->findChildren<OptionButton*>();
    QCOMPARE(options.size(), 37);
    for (const OptionButton* option : options) {
        QVERIFY2(!option->isChecked(), qPrintable(option->objectName()));
    }
    for (const char* box : {"Text1", "Text2", "Text4"}) {
        QVERIFY(!Control(box)->isEnabled());
        QVERIFY(Control<QLineEdit>(box)->text().isEmpty());
    }
    for (const char* box : {"Text3", "Text5", "Text6"}) {
        QVERIFY(Control(box)->isEnabled());
        QVERIFY(Control<QLineEdit>(box)->text().isEmpty());
    }
    for (const QLineEdit* box : window_->Surface()->findChildren<QLineEdit*>()) {
        QCOMPARE(box->maxLength(), std::numeric_limits<int>::max());
    }
}

void TestEffect::eachFrameIsOneGroup() {
    // One choice in each frame stands beside the others; the game's frame
    // is a group of its own.
    for (const char* option : {"Option5", "Option26", "Option28", "Option32", "Option35"}) {
        Choose(option);
    }
    for (const char* option : {"Option5", "Option26", "Option28", "Option32", "Option35"}) {
        QVERIFY2(Control<OptionButton>(option)->isChecked(), option);
    }
    // A second choice in a frame clears the first one there only.
    Choose("Option14");
    QVERIFY(Control<OptionButton>("Option14")->isChecked());
    QVERIFY(!Control<OptionButton>("Option5")->isChecked());
    QVERIFY(Control<OptionButton>("Option26")->isChecked());
    Choose("Option29");
    QVERIFY(!Control<OptionButton>("Option28")->isChecked());
    QVERIFY(Control<OptionButton>("Option32")->isChecked());
    QVERIFY(Control<OptionButton>("Option35")->isChecked());
    Choose("Option36");
    QVERIFY(!Control<OptionButton>("Option35")->isChecked());
    QVERIFY(Control<OptionButton>("Option29")->isChecked());
    // It covers none of the duration frame's own controls.
    QWidget* duration = Control("Frame3");
    QWidget* game = Control("Frame5");
    const QRect over(duration->mapFrom(game->parentWidget(), game->pos()), game->size());
    for (const QWidget* control : duration->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QVERIFY2(!control->geometry().intersects(over), qPrintable(control->objectName()));
    }
}

void TestEffect::speedOnTopOfItsTwin() {
    // A click where the two overlap chooses Speed, and the command says so.
    Click(Control("Option1"), QPoint(30, 8));
    QVERIFY(Control<OptionButton>("Option1")->isChecked());
    QVERIFY(!Control<OptionButton>("Option0")->isChecked());
    Generate();
    QCOMPARE(Control<QLineEdit>("Text3")->text(), QStringLiteral("1"));
}

void TestEffect::optionsTakeClicksAnywhereInTheirRectangle() {
    // Well past the end of the caption, near the right edge.
    auto* option = Control<OptionButton>("Option25");
    const QPoint farRight(option->width() - 3, option->height() / 2);
    Click(option, farRight);
    QVERIFY(option->isChecked());
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect @a   "));
}

void TestEffect::generateFromCaptionOrMargin_data() {
    TEST_COLUMNS(QString, control, QPoint, where);
    QTest::newRow("caption") << "Label4" << QPoint(40, 20);
    QTest::newRow("left margin") << "Picture1" << QPoint(5, 20);
    // A negative x counts from the right edge.
    QTest::newRow("right margin") << "Picture1" << QPoint(-5, 30);
}

void TestEffect::generateFromCaptionOrMargin() {
    TEST_FETCH(QString, control, QPoint, where);
    for (const char* option : {"Option1", "Option25", "Option29", "Option33"}) {
        Choose(option);
    }
    auto* target = Control(control);
    if (where.x() < 0) {
        where.rx() += target->width();
    }
    QCOMPARE(window_->Surface()->childAt(target->mapTo(window_->Surface(), where)), target);
    Click(target, where);
    QCOMPARE(Control<QLineEdit>("Text3")->text(), QStringLiteral("1"));
    QCOMPARE(Control<QLineEdit>("Text6")->text(), QStringLiteral("255"));
    QCOMPARE(Command(), QStringLiteral("/effect @a 1 99999 255"));
    // The choices stay as they were.
    QVERIFY(Control<OptionButton>("Option33")->isChecked());
    QVERIFY(host_->switches.empty());
}

// The game chosen, the command is its form, with "true" after the amplifier
// while particles are hidden, nothing after a clear; once the window is loaded
// again, nothing chosen and the box unchecked, the same four options give the
// old form.
void TestEffect::formOfTheChosenGame() {
    const auto chooseSpeedForAll = [this] {
        for (const char* option : {"Option1", "Option25", "Option29", "Option33"}) {
            Choose(option);
        }
    };
    chooseSpeedForAll();
    Choose("Option35");
    Generate();
    QCOMPARE(Control<QLineEdit>("Text3")->text(), QStringLiteral("minecraft:speed"));
    QCOMPARE(Command(), QStringLiteral("/effect give @a minecraft:speed 99999 255"));
    auto* hide = Control<QCheckBox>("Check1");
    QVERIFY(!hide->isChecked());
    Click(hide, QPoint(8, hide->height() / 2));
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect give @a minecraft:speed 99999 255 true"));
    Choose("Option36");
    Choose("Option30");
    Generate();
    QCOMPARE(Control<QLineEdit>("Text6")->text(), QStringLiteral("255"));
    QCOMPARE(Command(), QStringLiteral("/effect @a clear"));

    Reload();
    QVERIFY(!Control<QCheckBox>("Check1")->isChecked());
    chooseSpeedForAll();
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect @a 1 99999 255"));
}

void TestEffect::nothingChosenGivesFourSpaces() {
    Generate();
    QVERIFY(Control<QLineEdit>("Text3")->text().isEmpty());
    QVERIFY(Control<QLineEdit>("Text6")->text().isEmpty());
    QCOMPARE(Command(), QStringLiteral("/effect    "));
}

void TestEffect::customBoxesEnableOnceAndStay() {
    auto* name = Control<QLineEdit>("Text1");
    QVERIFY(!name->isEnabled());
    // A disabled box takes no typing.
    Click(name, QPoint(10, 9));
    QTest::keyClicks(name, "Steve");
    QVERIFY(name->text().isEmpty());

    Choose("Option27");
    QVERIFY(name->isEnabled());
    Click(name, QPoint(10, 9));
    QTest::keyClicks(name, "Creeper");
    Choose("Option19");
    Choose("Option28");
    Click(Control("Text2"), QPoint(10, 9));
    QTest::keyClicks(Control("Text2"), "30");
    Choose("Option32");
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect Creeper 19 30 1"));

    // Another target: the box stays enabled with its text, and is not used.
    Choose("Option24");
    Generate();
    QVERIFY(name->isEnabled());
    QCOMPARE(name->text(), QStringLiteral("Creeper"));
    QCOMPARE(Command(), QStringLiteral("/effect @p 19 30 1"));

    Choose("Option31");
    Click(Control("Text4"), QPoint(10, 9));
    QTest::keyClicks(Control("Text4"), " 300 ");
    Generate();
    QCOMPARE(Control<QLineEdit>("Text6")->text(), QStringLiteral(" 300 "));
    QCOMPARE(Command(), QStringLiteral("/effect @p 19 30  300 "));
}

void TestEffect::tabbingIntoAnOptionSelectsIt() {
    Choose("Option26");
    QVERIFY(!Control("Text1")->isEnabled());
    // An arrow key moves the focus within the group, to Option27 on the right.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), Control("Option27"));
    QVERIFY(Control<OptionButton>("Option27")->isChecked());
    QVERIFY(!Control<OptionButton>("Option26")->isChecked());
    QVERIFY(Control("Text1")->isEnabled());

    // Tab enters a group with nothing selected at its first button, which
    // takes the selection; with a selection it lands on the selected one.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), Control("Text1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), Control("Option28"));
    QVERIFY(Control<OptionButton>("Option28")->isChecked());
    QVERIFY(Control("Text2")->isEnabled());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Control("Option27"));
}

void TestEffect::twinOfSpeedLeavesTheEffectEmpty() {
    Choose("Option24");
    // Only the keyboard reaches the twin: it is the first effect option in
    // the tab order, right after the targets.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Control("Option0"));
    QVERIFY(Control<OptionButton>("Option0")->isChecked());
    Generate();
    QVERIFY(Control<QLineEdit>("Text3")->text().isEmpty());
    QCOMPARE(Command(), QStringLiteral("/effect @p   "));

    // Choosing Speed with the mouse clears the twin.
    Choose("Option1");
    QVERIFY(!Control<OptionButton>("Option0")->isChecked());
}

void TestEffect::clearReplacesTheChosenEffect() {
    Choose("Option7");
    Choose("Option30");
    QVERIFY(!Control<OptionButton>("Option7")->isChecked());
    Choose("Option24");
    Generate();
    QCOMPARE(Control<QLineEdit>("Text3")->text(), QStringLiteral("clear"));
    QCOMPARE(Command(), QStringLiteral("/effect @p clear  "));
}

void TestEffect::handEditedCommandIsReplaced() {
    Choose("Option2");
    Generate();
    auto* command = Control<QLineEdit>("Text5");
    Click(command, QPoint(50, 20));
    QTest::keyClick(command, Qt::Key_End);
    QTest::keyClicks(command, " edited");
    QCOMPARE(Command(), QStringLiteral("/effect  2   edited"));
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect  2  "));
}

// As a user picks from the list by keyboard: a click gives it the focus
// (and opens it, which Escape undoes), Home goes to the first effect and
// Down on from there, each a choice.
void TestEffect::ChooseListed(const QString& name) {
    auto* list = Control<QComboBox>("Combo1");
    Click(list, QPoint(10, list->height() / 2));
    QTest::keyClick(list->view(), Qt::Key_Escape);
    QTRY_VERIFY(!list->view()->isVisible());
    QTest::keyClick(list, Qt::Key_Home);
    for (int step = 0; step < list->count() && list->currentText() != name; ++step) {
        QTest::keyClick(list, Qt::Key_Down);
    }
    QCOMPARE(list->currentText(), name);
}

void TestEffect::Reload() {
    window_->Unload();
    DestroyUnloadedWidgets();
    window_->Show();
    QVERIFY(QTest::qWaitForWindowActive(window_->Surface()));
}

// Clicks in one of the two groups change nothing in the other: the game's
// options and the durations each keep their choice.
void TestEffect::gameAndDurationAreGroupsOfTheirOwn_data() {
    TEST_COLUMNS(QStringList, clicks, QString, command);
    QTest::newRow("duration clicked twice after the game")
        << QStringList{"Option35", "Option25", "Option29", "Option29", "Option33", "Option1"}
        << "/effect give @a minecraft:speed 99999 255";
    QTest::newRow("game after the duration")
        << QStringList{"Option29", "Option36", "Option25", "Option33", "Option1"}
        << "/effect @a speed 99999 255";
    QTest::newRow("custom duration between two games")
        << QStringList{"Option34", "Option28", "Option35", "Option29", "Option1", "Option25"}
        << "/effect give @a minecraft:speed 99999 ";
}

void TestEffect::gameAndDurationAreGroupsOfTheirOwn() {
    TEST_FETCH(QStringList, clicks, QString, command);
    for (const QString& option : clicks) {
        Choose(qPrintable(option));
    }
    Generate();
    QCOMPARE(Command(), command);
}

// Right on the last duration goes nowhere, as at the end of any group.
void TestEffect::arrowKeysStayAmongTheDurations() {
    for (const char* option : {"Option1", "Option25", "Option33", "Option29"}) {
        Choose(option);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), Control("Option29"));
    for (const char* game : {"Option34", "Option35", "Option36"}) {
        QVERIFY2(!Control<OptionButton>(game)->isChecked(), game);
    }
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect @a 1 99999 255"));
}

// With a duration chosen, Tab from it still comes to the game's options, at
// their place after every stored control.
void TestEffect::tabReachesTheGamesAfterADuration() {
    Choose("Option28");
    QStringList passed;
    for (int step = 0; step < 60 && !passed.contains(u"Option34"); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        passed << QApplication::focusWidget()->objectName();
    }
    QVERIFY2(passed.contains(u"Option34"), qPrintable(passed.join(u' ')));
    QCOMPARE(passed.mid(passed.size() - 2), (QStringList{"picclose", "Option34"}));
}

// Shift+Tab from where the window opens goes back past the last controls to
// the game's options, and the focus landing there chooses no game.
void TestEffect::backTabFromTheFirstFocusChoosesNoGame() {
    QCOMPARE(QApplication::focusWidget(), Control("Text5"));
    const QStringList games{"Option34", "Option35", "Option36"};
    for (int step = 0; step < 5 && !games.contains(QApplication::focusWidget()->objectName());
         ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    }
    QCOMPARE(QApplication::focusWidget(), Control("Option36"));
    for (const QString& game : games) {
        QVERIFY2(!Control<OptionButton>(game)->isChecked(), qPrintable(game));
    }
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect    "));
}

void TestEffect::listOffersTheEffectsOfTheChosenGame_data() {
    // The game is the option chosen, or empty for none.
    TEST_COLUMNS(QString, game, QStringList, names);
    const QStringList old{"发光", "飘浮", "幸运", "霉运"};
    QTest::newRow("no game chosen") << QString() << old;
    QTest::newRow("java 1.8 to 1.12") << "Option34" << old;
    QTest::newRow("java 1.13 on") << "Option35"
                                  << QStringList{"发光",      "飘浮",     "幸运",       "霉运",
                                                 "缓降",      "潮涌能量", "海豚的恩惠", "不祥之兆",
                                                 "村庄英雄",  "黑暗",     "试炼之兆",   "袭击之兆",
                                                 "蓄风",      "盘丝",     "渗浆",       "寄生",
                                                 "鹦鹉螺之息"};
    QTest::newRow("bedrock") << "Option36"
                             << QStringList{"飘浮", "缓降",     "潮涌能量", "不祥之兆", "村庄英雄",
                                            "黑暗", "试炼之兆", "袭击之兆", "蓄风",     "盘丝",
                                            "渗浆", "寄生",     "剧毒"};
}

// Named as the game names them, nothing chosen until the user chooses.
void TestEffect::listOffersTheEffectsOfTheChosenGame() {
    TEST_FETCH(QString, game, QStringList, names);
    if (!game.isEmpty()) {
        Choose(qPrintable(game));
    }
    auto* list = Control<QComboBox>("Combo1");
    QStringList offered;
    for (int n = 0; n < list->count(); ++n) {
        offered << list->itemText(n);
    }
    QCOMPARE(offered, names);
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->placeholderText(), QStringLiteral("更多效果"));
}

// An effect from the list clears the chosen option, an option or "全部消除"
// clears the list.
void TestEffect::oneEffectAtATime() {
    for (const char* option : {"Option5", "Option25", "Option29", "Option33"}) {
        Choose(option);
    }
    ChooseListed(QStringLiteral("发光"));
    QVERIFY(!Control<OptionButton>("Option5")->isChecked());
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect @a 24 99999 255"));
    Choose("Option30");
    QCOMPARE(Control<QComboBox>("Combo1")->currentIndex(), -1);
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect @a clear 99999 255"));
    ChooseListed(QStringLiteral("霉运"));
    QVERIFY(!Control<OptionButton>("Option30")->isChecked());
    Choose("Option8");
    QCOMPARE(Control<QComboBox>("Combo1")->currentIndex(), -1);
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect @a 8 99999 255"));
}

// Levitation every game has and keeps; glowing Bedrock lacks, and its piece
// of the command is then empty.
void TestEffect::anotherGameLetsGoOfAnEffectItLacks() {
    for (const char* option : {"Option35", "Option25", "Option29", "Option33"}) {
        Choose(option);
    }
    ChooseListed(QStringLiteral("飘浮"));
    Choose("Option36");
    QCOMPARE(Control<QComboBox>("Combo1")->currentText(), QStringLiteral("飘浮"));
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect @a levitation 99999 255"));
    Choose("Option35");
    ChooseListed(QStringLiteral("发光"));
    Choose("Option36");
    QCOMPARE(Control<QComboBox>("Combo1")->currentIndex(), -1);
    Generate();
    QCOMPARE(Command(), QStringLiteral("/effect @a  99999 255"));
}

QTEST_MAIN(TestEffect)
#include "tst_effect.moc"
