// The four windows as assistive technology meets them through QAccessible:
// what each control is and what it is called, one button per clickable
// control in the tree, and a press action that does what a click does.
#include "CjkFonts.h"
#include "ClickLabel.h"
#include "ClickableAccessible.h"
#include "MakeWindow.h"
#include "OptionButton.h"
#include "PictureBox.h"
#include "SpokenCaption.h"
#include "TestTable.h"
#include "WindowInput.h"
#include "WindowNames.h"
#include "WindowSuite.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <memory>
#include <optional>

namespace {

const SkinBases kSkinBases{"http://official/skins/", "http://official/capes/",
                           "http://skinme/skins/", "http://skinme/capes/"};
const VersionFileBases kVersionBases{"http://mirror/versions/", "http://store/dl/"};

QAccessibleInterface* Describe(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Every interface below `root`, reached the way a screen reader walks the
// tree: through child(i).
void Walk(QAccessibleInterface* root, QList<QAccessibleInterface*>& found) {
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (child != nullptr) {
            found.append(child);
            Walk(child, found);
        }
    }
}

// A point of a picture box, in box coordinates, that no label covers and
// the window does not cut off; null where the label covers all of it.
std::optional<QPoint> UncoveredPoint(QWidget* box) {
    const QRect inWindow = box->window()->rect();
    for (int y = 1; y < box->height() - 1; ++y) {
        for (int x = 1; x < box->width() - 1; ++x) {
            const QPoint p(x, y);
            if (box->childAt(p) == nullptr && inWindow.contains(box->mapTo(box->window(), p))) {
                return p;
            }
        }
    }
    return std::nullopt;
}

} // namespace

using namespace WindowInput;

class TestAccessibility final : public QObject, WindowSuite<FramedWindow> {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void spokenCaptions_data();
    void spokenCaptions();
    void controlsAreReadByTheirCaptions_data();
    void controlsAreReadByTheirCaptions();
    void oneButtonPerClickableControl_data();
    void oneButtonPerClickableControl();
    void optionButtonsAreReadWithinTheirGroup_data();
    void optionButtonsAreReadWithinTheirGroup();
    void labelWithoutHandlerIsNoButton();
    void pressDoesWhatAClickDoes_data();
    void pressDoesWhatAClickDoes();
    void disabledButtonIgnoresThePress();

private:
    FramedWindow* Load(WindowName name);
    QWidget* Find(const QString& control) const;
    // What happened in the window, as text, since `Load`.
    QString Outcome() const;
    void Prepare(WindowName name);

    // Message boxes opened by a handler are read and closed, as a user would.
    MessageBoxCloser messages_;
};

void TestAccessibility::initTestCase() {
    InstallCjkFontFallbacks();
}

void TestAccessibility::init() {
    messages_.boxes.clear();
}

void TestAccessibility::cleanup() {
    Close();
}

FramedWindow* TestAccessibility::Load(WindowName name) {
    window_ = MakeWindow(name, *host_, *panes_, kSkinBases, kVersionBases);
    window_->Show();
    if (!QTest::qWaitForWindowExposed(window_->Surface())) {
        qFatal("window not exposed");
    }
    return window_.get();
}

QWidget* TestAccessibility::Find(const QString& control) const {
    auto* found = Named(window_.get(), control);
    if (found == nullptr) {
        qFatal("no control %s", qPrintable(control));
    }
    return found;
}

QString TestAccessibility::Outcome() const {
    QStringList events;
    for (WindowName target : host_->switches) {
        events << QStringLiteral("switch %1").arg(int(target));
    }
    if (host_->unloads > 0) {
        events << QStringLiteral("unloaded");
    }
    if (window_->IsLoaded() && window_->Surface()->isMinimized()) {
        events << QStringLiteral("minimized");
    }
    for (const QString& address : panes_->Addresses()) {
        events << QStringLiteral("navigate ") + address;
    }
    if (window_->IsLoaded()) {
        if (auto* command = Named<QLineEdit>(window_.get(), QStringLiteral("Text5"));
            command != nullptr && qobject_cast<effect*>(window_.get()) != nullptr) {
            events << QStringLiteral("command ") + command->text();
        }
    }
    for (const MessageBoxCloser::Box& message : messages_.boxes) {
        events << QStringLiteral("message ") + message.text;
    }
    return events.join(QStringLiteral("; "));
}

// Choices that give the action controls something to do.
void TestAccessibility::Prepare(WindowName name) {
    if (name == WindowName::effect) {
        for (const char* option : {"Option1", "Option25", "Option29", "Option33"}) {
            qobject_cast<OptionButton*>(Find(QString::fromLatin1(option)))->setChecked(true);
        }
    } else if (name == WindowName::download) {
        qobject_cast<OptionButton*>(Find(QStringLiteral("Option5")))->setChecked(true);
    }
}

void TestAccessibility::spokenCaptions_data() {
    TEST_COLUMNS(QString, caption, QString, spoken);
    const auto row = [](const char* tag, const char* caption, const char* spoken) {
        QTest::newRow(tag) << QString::fromUtf8(caption) << QString::fromUtf8(spoken);
    };
    row("back", "←", "返回");
    row("close", "╳", "关闭");
    row("minimize", "＿", "最小化");
    row("words", "偷取！", "偷取！");
    row("arrow inside words", "←返回", "←返回");
    row("ascii underscore", "_", "_");
}

void TestAccessibility::spokenCaptions() {
    TEST_FETCH(QString, caption, QString, spoken);
    QCOMPARE(SpokenCaption(caption), spoken);
}

void TestAccessibility::controlsAreReadByTheirCaptions_data() {
    TEST_COLUMNS(int, window, QString, control, int, role, QString, name);
    const auto row = [](WindowName window, const char* control, QAccessible::Role role,
                        const char* name) {
        QTest::addRow("%s %s", NameOf(window), control)
            << int(window) << QString::fromLatin1(control) << int(role) << QString::fromUtf8(name);
    };
    using enum WindowName;
    const auto button = QAccessible::Button;
    const auto text = QAccessible::StaticText;
    const auto box = QAccessible::EditableText;
    const auto option = QAccessible::RadioButton;
    const auto frame = QAccessible::Grouping;

    row(Form1, "Image1", button, "正版皮肤偷取器");
    row(Form1, "Picture1", button, "effect效果指令生成器");
    row(Form1, "Label3", button, "effect效果指令生成器");
    row(Form1, "Picture2", button, "MC版本万能下载器");
    row(Form1, "Label4", button, "MC版本万能下载器");
    row(Form1, "picsmall", button, "最小化");
    row(Form1, "labsmall", button, "最小化");
    row(Form1, "picclose", button, "关闭");
    row(Form1, "labclose", button, "关闭");
    row(Form1, "Label1", text, "欢迎使用苦力怕工具箱·苦力怕团队");
    row(Form1, "Label2", text, "请选择您要打开的内容（最新版本）：");
    row(Form1, "Label5", text, "更多酷炫软件，敬请期待……");

    row(skin, "Picture2", button, "偷取！");
    row(skin, "Label6", button, "偷取！");
    row(skin, "Label4", button, "获取皮肤时出现无法显示此网页的请点我！");
    row(skin, "labsmall", button, "最小化");
    row(skin, "Picture1", button, "返回");
    row(skin, "Label5", button, "返回");
    row(skin, "picclose", button, "关闭");
    row(skin, "labclose", button, "关闭");
    row(skin, "Text1", box, "正版用户名称：");
    row(skin, "Option1", option, "正版皮肤下载");
    row(skin, "Option4", option, "Skinme披风下载");
    row(skin, "Frame1", frame, "皮肤显示区，若要保存，请右键另存为");
    row(skin, "Label1", text, "欢迎使用正版皮肤获取器V2.0!");
    row(skin, "Label2", text, "正版用户名称：");

    row(effect, "Picture1", button, "生成！");
    row(effect, "Label4", button, "生成！");
    row(effect, "labsmall", button, "最小化");
    row(effect, "Picture2", button, "返回");
    row(effect, "Label5", button, "返回");
    row(effect, "picclose", button, "关闭");
    row(effect, "labclose", button, "关闭");
    row(effect, "Text1", box, "玩家");
    row(effect, "Text2", box, "持续时间（单位为秒）");
    row(effect, "Text4", box, "效果倍数（最小1，最大255）");
    row(effect, "Text5", box, "生成的指令");
    row(effect, "Text3", box, "效果编号");
    row(effect, "Text6", box, "效果倍数");
    row(effect, "Option0", option, "速度");
    row(effect, "Option27", option, "指定的人");
    row(effect, "Option33", option, "最大");
    row(effect, "Frame4", frame, "效果倍数（最小1，最大255）");
    row(effect, "Option35", option, "Java版1.13起");
    row(effect, "Frame5", frame, "指令适用的游戏版本");
    row(effect, "Combo1", QAccessible::ComboBox, "更多效果");
    row(effect, "Check1", QAccessible::CheckBox, "隐藏粒子效果");
    row(effect, "Label2", text, "以下效果仅限在1.8以后使用");

    row(download, "Picture1", button, "下载！");
    row(download, "Label4", button, "下载！");
    row(download, "labsmall", button, "最小化");
    row(download, "Picture2", button, "返回");
    row(download, "Label5", button, "返回");
    row(download, "picclose", button, "关闭");
    row(download, "labclose", button, "关闭");
    row(download, "Text1", box, "版本：");
    row(download, "Option3", option, "开服端下载");
    row(download, "Option5", option, "国外线路");
    row(download, "Frame2", frame, "线路");
    row(download, "Label2", text, "版本：");
}

void TestAccessibility::controlsAreReadByTheirCaptions() {
    TEST_FETCH(int, window, QString, control, int, role, QString, name);
    Load(WindowName(window));
    QAccessibleInterface* described = Describe(Find(control));
    QVERIFY(described != nullptr);
    QCOMPARE(int(described->role()), role);
    QCOMPARE(described->text(QAccessible::Name), name);
    if (role == QAccessible::Button) {
        QVERIFY(described->actionInterface() != nullptr);
        QVERIFY(described->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
    }
}

void TestAccessibility::oneButtonPerClickableControl_data() {
    TEST_COLUMNS(int, window, QStringList, buttons);
    QTest::newRow("Form1") << int(WindowName::Form1)
                           << QStringList{"Image1", "Picture1", "Picture2", "picclose", "picsmall"};
    QTest::newRow("skin") << int(WindowName::skin)
                          << QStringList{"Label4", "Picture1", "Picture2", "labsmall", "picclose"};
    QTest::newRow("effect") << int(WindowName::effect)
                            << QStringList{"Picture1", "Picture2", "labsmall", "picclose"};
    QTest::newRow("download") << int(WindowName::download)
                              << QStringList{"Command1", "Picture1", "Picture2", "labsmall",
                                             "picclose"};
}

// Walking the tree from the window meets each clickable control once, as a
// named button; a label on a box is part of the box's button. Every control
// a user can operate has a name.
void TestAccessibility::oneButtonPerClickableControl() {
    TEST_FETCH(int, window, QStringList, buttons);
    Load(WindowName(window));
    QAccessibleInterface* root = Describe(window_->Surface());
    QCOMPARE(root->text(QAccessible::Name), window_->Surface()->windowTitle());

    QList<QAccessibleInterface*> found;
    Walk(root, found);
    QStringList reached;
    for (QAccessibleInterface* described : found) {
        if (described->object() == nullptr) {
            continue; // a part of a control, such as a row of a list's view
        }
        const QString name = described->object()->objectName();
        switch (described->role()) {
        case QAccessible::Button:
            reached << name;
            Q_FALLTHROUGH();
        case QAccessible::RadioButton:
        case QAccessible::CheckBox:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
            QVERIFY2(!described->text(QAccessible::Name).isEmpty(), qPrintable(name));
            QCOMPARE(described->parent()->object(), described->object()->parent());
            break;
        default:
            break;
        }
    }
    reached.sort();
    QCOMPARE(reached, buttons);

    // Hit testing lands on the box, not on the label inside it.
    for (const QString& name : buttons) {
        QWidget* control = Find(name);
        const QPoint centre = control->mapToGlobal(control->rect().center());
        QAccessibleInterface* parent = Describe(control->parentWidget());
        QAccessibleInterface* hit = parent->childAt(centre.x(), centre.y());
        QVERIFY2(hit != nullptr, qPrintable(name));
        QCOMPARE(hit->object(), control);
        QCOMPARE(hit->childAt(centre.x(), centre.y()), nullptr);
    }
}

void TestAccessibility::optionButtonsAreReadWithinTheirGroup_data() {
    TEST_COLUMNS(int, window);
    QTest::newRow("skin") << int(WindowName::skin);
    QTest::newRow("effect") << int(WindowName::effect);
    QTest::newRow("download") << int(WindowName::download);
}

// Each option is read by its caption, and the frame it lies in is the group
// around it, read by the frame's caption; options on the window belong to it.
void TestAccessibility::optionButtonsAreReadWithinTheirGroup() {
    TEST_FETCH(int, window);
    Load(WindowName(window));
    const auto options = window_->Surface()->findChildren<OptionButton*>();
    QVERIFY(options.size() >= 4);
    for (OptionButton* option : options) {
        QAccessibleInterface* described = Describe(option);
        QCOMPARE(described->role(), QAccessible::RadioButton);
        QCOMPARE(described->text(QAccessible::Name), option->text());
        QCOMPARE(described->state().checked, option->isChecked());
        QAccessibleInterface* group = described->parent();
        if (auto* frame = qobject_cast<QGroupBox*>(option->parentWidget())) {
            QCOMPARE(group->role(), QAccessible::Grouping);
            QCOMPARE(group->text(QAccessible::Name), frame->title());
        } else {
            QCOMPARE(group->object(), window_->Surface());
        }
        QVERIFY(group->indexOfChild(described) >= 0);
    }
}

// A label becomes a button only through a handler on its Click.
void TestAccessibility::labelWithoutHandlerIsNoButton() {
    QWidget holder;
    auto* label = new ClickLabel(&holder);
    label->setText(QStringLiteral("←"));
    auto* box = new PictureBox(&holder);
    auto* onBox = new ClickLabel(box);
    onBox->setText(QStringLiteral("说明"));
    InstallFrameAccessibility();
    QCOMPARE(Describe(label)->role(), QAccessible::StaticText);
    QVERIFY(!Describe(label)->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    QCOMPARE(Describe(box)->role(), QAccessible::Pane);
    QCOMPARE(Describe(box)->childCount(), 1);

    int clicks = 0;
    connect(label, &ClickLabel::clicked, this, [&clicks] { ++clicks; });
    connect(box, &PictureBox::clicked, this, [&clicks] { ++clicks; });
    QCOMPARE(Describe(label)->role(), QAccessible::Button);
    QCOMPARE(Describe(label)->text(QAccessible::Name), QStringLiteral("返回"));
    QCOMPARE(Describe(box)->role(), QAccessible::Button);
    QCOMPARE(Describe(box)->text(QAccessible::Name), QStringLiteral("说明"));
    QCOMPARE(Describe(box)->childCount(), 0);
    Describe(box)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicks, 1);
}

void TestAccessibility::pressDoesWhatAClickDoes_data() {
    TEST_COLUMNS(int, window, QString, control, QString, outcome);
    const QString toSkin = QStringLiteral("switch %1").arg(int(WindowName::skin));
    const QString toEffect = QStringLiteral("switch %1").arg(int(WindowName::effect));
    const QString toDownload = QStringLiteral("switch %1").arg(int(WindowName::download));
    const QString back = QStringLiteral("switch %1").arg(int(WindowName::Form1));
    const QString skinPane = QStringLiteral("navigate http://official/skins/Creeper.png");
    const QString downloadPane = QStringLiteral("navigate http:///; navigate "
                                                "http://store/dl/1.7.2/minecraft_server.1.7.2.jar");
    const QString downloadStart = QStringLiteral("navigate http:///");
    const QString command = QStringLiteral("command /effect @a 1 99999 255");

    const auto row = [](WindowName window, const char* control, const QString& outcome) {
        QTest::addRow("%s %s", NameOf(window), control)
            << int(window) << QString::fromLatin1(control) << outcome;
    };
    row(WindowName::Form1, "Image1", toSkin);
    row(WindowName::Form1, "Picture1", toEffect);
    row(WindowName::Form1, "Label3", toEffect);
    row(WindowName::Form1, "Picture2", toDownload);
    row(WindowName::Form1, "Label4", toDownload);
    row(WindowName::Form1, "picsmall", "minimized");
    row(WindowName::Form1, "labsmall", "minimized");
    row(WindowName::Form1, "picclose", "unloaded");
    row(WindowName::Form1, "labclose", "unloaded");

    row(WindowName::skin, "Picture2", skinPane);
    row(WindowName::skin, "Label6", skinPane);
    row(WindowName::skin, "Label4", "message 如果显示这个提示就表明您的[皮肤类型/用户名]不正确!");
    row(WindowName::skin, "Picture1", back);
    row(WindowName::skin, "Label5", back);
    row(WindowName::skin, "labsmall", "minimized");
    row(WindowName::skin, "labclose", "unloaded");

    row(WindowName::effect, "Picture1", command);
    row(WindowName::effect, "Label4", command);
    row(WindowName::effect, "Picture2", back + QStringLiteral("; command "));
    row(WindowName::effect, "picclose", "unloaded");

    row(WindowName::download, "Picture1", downloadPane);
    row(WindowName::download, "Label4", downloadPane);
    row(WindowName::download, "Label5", back + "; " + downloadStart);
    row(WindowName::download, "labsmall", "minimized; " + downloadStart);
}

// The same window, fresh each time, once clicked with the mouse and once
// pressed through its accessible action: the same thing happens, and it is
// what the control is for.
void TestAccessibility::pressDoesWhatAClickDoes() {
    TEST_FETCH(int, window, QString, control, QString, outcome);
    const auto name = WindowName(window);

    Load(name);
    Prepare(name);
    QWidget* target = Find(control);
    if (qobject_cast<PictureBox*>(target) != nullptr) {
        // A box is clicked where no label covers it; where its label covers
        // all that shows of it, every click lands on that label.
        if (const auto where = UncoveredPoint(target)) {
            Click(target, *where);
        } else {
            Click(target->findChild<ClickLabel*>(), QPoint(3, 3));
        }
    } else {
        Click(target, QPoint(qMin(5, target->width() / 2), qMin(5, target->height() / 2)));
    }
    QTRY_VERIFY(!QApplication::activeModalWidget());
    const QString clicked = Outcome();
    cleanup();
    init();

    Load(name);
    Prepare(name);
    QAccessibleActionInterface* action = Describe(Find(control))->actionInterface();
    QVERIFY(action != nullptr);
    action->doAction(QAccessibleActionInterface::pressAction());
    QTRY_VERIFY(!QApplication::activeModalWidget());
    const QString pressed = Outcome();

    QCOMPARE(pressed, clicked);
    QCOMPARE(pressed, outcome);
}

// A disabled control does not act, whichever way it is reached.
void TestAccessibility::disabledButtonIgnoresThePress() {
    Load(WindowName::Form1);
    QWidget* tile = Find(QStringLiteral("Picture2"));
    tile->setEnabled(false);
    Describe(tile)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(host_->switches.empty());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
