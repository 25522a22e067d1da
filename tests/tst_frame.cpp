// The shared frame on a small window of its own: loading and unloading,
// drag-to-move through real mouse events, frame controls, and errors that
// escape a handler.
#include "ClickLabel.h"
#include "FramedWindow.h"
#include "PictureBox.h"
#include "RecordingHost.h"
#include "TestTable.h"
#include "WindowInput.h"
#include "WindowPlacement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <stdexcept>
#include <utility>

namespace {

// A window with one of each kind of control the frame must keep presses from.
class SampleWindow final : public FramedWindow {
public:
    using FramedWindow::FramedWindow;

    void Picture1_Click() { ++boxClicks; }
    void Label5_Click() {
        ++labelClicks;
        if (failing) {
            throw std::runtime_error("测试故障 <img src=x.png>");
        }
        ++labelClicksCompleted;
    }

    int boxClicks = 0;
    int labelClicks = 0;
    int labelClicksCompleted = 0;
    bool failing = false;
    bool layoutFails = false;

protected:
    template <class T> static T* Place(T* control, const char* name, const QRect& geometry) {
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(geometry);
        return control;
    }

    void BuildLayout(QWidget& surface) override {
        surface.resize(300, 200);
        auto* picture1 = Place(new PictureBox(&surface), "Picture1", QRect(100, 50, 50, 30));
        auto* label5 = Place(new ClickLabel(picture1), "Label5", QRect(0, 0, 20, 20));
        Place(new ClickLabel(&surface), "labsmall", QRect(200, 0, 20, 20));
        auto* picclose = Place(new PictureBox(&surface), "picclose", QRect(250, 0, 25, 17));
        Place(new ClickLabel(picclose), "labclose", QRect(0, 0, 17, 17));
        Place(new ClickLabel(&surface), "Label1", QRect(10, 100, 80, 20))
            ->setText(QStringLiteral("没有处理程序"));
        Place(new QLineEdit(&surface), "Text1", QRect(10, 130, 100, 20));
        Place(new QGroupBox(QStringLiteral("框"), &surface), "Frame1", QRect(150, 100, 100, 60));

        OnClick(picture1, &SampleWindow::Picture1_Click);
        OnClick(label5, &SampleWindow::Label5_Click);
        if (layoutFails) {
            throw std::runtime_error("布局损坏");
        }
    }
};

template <class T> T* Control(const FramedWindow& window, const char* name) {
    T* control = WindowInput::Named<T>(&window, QString::fromLatin1(name));
    if (control == nullptr) {
        qFatal("no control %s", name);
    }
    return control;
}

} // namespace

using namespace WindowInput;

class TestFrame final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void loadBuildsABorderlessCentredWindow();
    void unloadDestroysTheControlsButKeepsTheDragState();
    void layoutThatFailsToBuildLeavesNoWindow();
    void leftDragMovesTheWindowWithTheCursor();
    void quickDragFollowsThePointerWhileMovesLag();
    void rightPressDuringADragOnlyMovesTheOffsets();
    void moveWithoutAPressNeverMovesTheWindow();
    void tabOutOfANewPageGoesToTheStopAfterThePane();
    void pressOnAControlStartsNoDrag_data();
    void pressOnAControlStartsNoDrag();
    void clickRunsExactlyOneHandler_data();
    void clickRunsExactlyOneHandler();
    void doubleClickRunsTheHandlerOnce();
    void clickNeedsTheReleaseOnTheControl();
    void minimizeKeepsWhatWasTyped();
    void closeControlsUnloadTheWindow_data();
    void closeControlsUnloadTheWindow();
    void windowSystemCloseUnloadsTheWindow();
    void escapedErrorIsReportedAndEndsTheApplication();
    void onlyWaylandPlacesWindowsItself_data();
    void onlyWaylandPlacesWindowsItself();

private:
    RecordingHost* host_ = nullptr;
    SampleWindow* window_ = nullptr;
};

void TestFrame::init() {
    host_ = new RecordingHost;
    window_ = new SampleWindow(*host_);
    window_->Show();
    QVERIFY(QTest::qWaitForWindowExposed(window_->Surface()));
}

void TestFrame::cleanup() {
    delete window_;
    delete host_;
    DestroyUnloadedWidgets();
}

void TestFrame::loadBuildsABorderlessCentredWindow() {
    QWidget* surface = window_->Surface();
    QVERIFY(surface->isWindow());
    QVERIFY(surface->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(surface->isVisible());
    QCOMPARE(surface->size(), QSize(300, 200));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(surface->pos(), QPoint(screen.x() + (screen.width() - 300) / 2,
                                    screen.y() + (screen.height() - 200) / 2));
}

void TestFrame::unloadDestroysTheControlsButKeepsTheDragState() {
    window_->Form_MouseDown(kLeftButton, 0, 600.0f, 300.0f);
    QPointer<QWidget> oldSurface = window_->Surface();
    QPointer<QLineEdit> oldText = Control<QLineEdit>(*window_, "Text1");
    oldText->setText(QStringLiteral("typed"));

    window_->Unload();
    QVERIFY(!window_->IsLoaded());
    QCOMPARE(host_->unloads, 1);
    DestroyUnloadedWidgets();
    QVERIFY(oldSurface.isNull());
    QVERIFY(oldText.isNull());
    QCOMPARE(window_->Drag().dragging, -1);
    QCOMPARE(window_->Drag().pressX, 600);
    QCOMPARE(window_->Drag().pressY, 300);

    window_->Show();
    QVERIFY(window_->IsLoaded());
    QVERIFY(Control<QLineEdit>(*window_, "Text1")->text().isEmpty());
    QCOMPARE(window_->Drag().pressX, 600);
}

void TestFrame::layoutThatFailsToBuildLeavesNoWindow() {
    window_->Unload();
    DestroyUnloadedWidgets();
    const qsizetype before = QApplication::allWidgets().size();
    window_->layoutFails = true;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, window_->Show());
    QVERIFY(!window_->IsLoaded());
    QCOMPARE(QApplication::allWidgets().size(), before);

    window_->layoutFails = false;
    window_->Show();
    QVERIFY(window_->IsLoaded());
}

void TestFrame::leftDragMovesTheWindowWithTheCursor() {
    QWidget* surface = window_->Surface();
    const QPoint start = surface->pos();
    // 40, 20 pixels are 600, 300 twips; the cursor then goes to 750, 240.
    Press(surface, QPoint(40, 20));
    QCOMPARE(window_->Drag().dragging, -1);
    QCOMPARE(window_->Drag().pressX, 600);
    QCOMPARE(window_->Drag().pressY, 300);
    MoveTo(surface, QPoint(50, 16));
    QCOMPARE(surface->pos(), start + QPoint(10, -4));
    Release(surface, QPoint(40, 20));
    QCOMPARE(window_->Drag().dragging, 0);
    MoveTo(surface, QPoint(60, 60));
    QCOMPARE(surface->pos(), start + QPoint(10, -4));
}

// A window system that applies moves later than they are asked for measures
// each event against where the window stood when the pointer moved: here
// the pointer moves eight times before the first move is applied. The
// window still ends where the pointer says, the grabbed point under it.
void TestFrame::quickDragFollowsThePointerWhileMovesLag() {
    QWidget* surface = window_->Surface();
    const QPoint start = surface->pos();
    Press(surface, QPoint(40, 20));
    for (int step = 1; step <= 8; ++step) {
        const QPointF inWindowAsItStood = QPointF(40, 20) + step * QPointF(12.5, 6);
        QMouseEvent motion(QEvent::MouseMove, inWindowAsItStood, start + inWindowAsItStood,
                           Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(surface->windowHandle(), &motion);
    }
    QCOMPARE(surface->pos(), start + QPoint(100, 48));
    Release(surface, QPoint(40, 20));
}

void TestFrame::rightPressDuringADragOnlyMovesTheOffsets() {
    QWidget* surface = window_->Surface();
    Press(surface, QPoint(40, 20));
    // Moved under the held pointer, as the window system may do: the pointer
    // now stands elsewhere in it. (Moving the pointer would move the window.)
    surface->move(surface->pos() - QPoint(20, 10));
    Press(surface, QPoint(60, 30), Qt::RightButton);
    QCOMPARE(window_->Drag().dragging, -1);
    QCOMPARE(window_->Drag().pressX, 900);
    QCOMPARE(window_->Drag().pressY, 450);
    // Releasing the right button ends the drag though the left is still held.
    Release(surface, QPoint(60, 30), Qt::RightButton);
    QCOMPARE(window_->Drag().dragging, 0);
    const QPoint stopped = surface->pos();
    MoveTo(surface, QPoint(90, 90));
    QCOMPARE(surface->pos(), stopped);
    Release(surface, QPoint(90, 90));
}

void TestFrame::moveWithoutAPressNeverMovesTheWindow() {
    QWidget* surface = window_->Surface();
    const QPoint start = surface->pos();
    MoveTo(surface, QPoint(80, 80));
    MoveTo(surface, QPoint(10, 10));
    QCOMPARE(surface->pos(), start);
    QCOMPARE(window_->Drag().dragging, 0);
}

// A stand-in for the browser pane: one stop in the tab order, whose focus
// goes on through a view that takes none itself to the page inside it. The
// engine gives the view a new page for each new site, which joins the focus
// chain at its end. Tab that the page hands back out goes on from the pane.
void TestFrame::tabOutOfANewPageGoesToTheStopAfterThePane() {
    QWidget* surface = window_->Surface();
    auto* before = new QLineEdit(surface);
    auto* holder = new QWidget(surface);
    auto* after = new QLineEdit(surface);
    auto* pane = new QWidget(holder);
    pane->setFocusPolicy(Qt::StrongFocus);
    auto* view = new QWidget(pane);
    pane->setFocusProxy(view);
    const auto newPage = [view] {
        auto* page = new QWidget(view);
        page->setFocusPolicy(Qt::StrongFocus);
        view->setFocusProxy(page);
        page->show();
        return page;
    };
    QWidget* page = newPage();
    int index = 100;
    for (QWidget* stop : std::initializer_list<QWidget*>{before, holder, after}) {
        stop->setProperty("tabIndex", index++);
        stop->show();
    }
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    delete std::exchange(page, newPage()); // a new site
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(surface->focusWidget(), page);
    QTest::keyClick(page, Qt::Key_Tab);
    QCOMPARE(surface->focusWidget(), after);
}

void TestFrame::pressOnAControlStartsNoDrag_data() {
    TEST_COLUMNS(QString, control);
    QTest::newRow("label on a box") << QStringLiteral("Label5");
    QTest::newRow("uncovered part of a box") << QStringLiteral("Picture1");
    QTest::newRow("label without a handler") << QStringLiteral("Label1");
    QTest::newRow("text box") << QStringLiteral("Text1");
    QTest::newRow("frame") << QStringLiteral("Frame1");
    QTest::newRow("minimize label") << QStringLiteral("labsmall");
}

void TestFrame::pressOnAControlStartsNoDrag() {
    TEST_FETCH(QString, control);
    QWidget* surface = window_->Surface();
    auto* target = Named(surface, control);
    QVERIFY(target != nullptr);
    const QPoint start = surface->pos();
    const QPoint inside(target->width() - 3, target->height() - 3);

    Press(target, inside);
    MoveTo(target, inside + QPoint(-2, -1));
    MoveTo(target, QPoint(-30, -30));
    QCOMPARE(window_->Drag().dragging, 0);
    QCOMPARE(window_->Drag().pressX, 0);
    QCOMPARE(surface->pos(), start);
    Release(target, QPoint(-30, -30));
    QCOMPARE(surface->pos(), start);
}

void TestFrame::clickRunsExactlyOneHandler_data() {
    TEST_COLUMNS(QString, control, QPoint, where, int, boxClicks, int, labelClicks);
    QTest::newRow("label") << QStringLiteral("Label5") << QPoint(10, 10) << 0 << 1;
    QTest::newRow("box margin") << QStringLiteral("Picture1") << QPoint(40, 25) << 1 << 0;
}

void TestFrame::clickRunsExactlyOneHandler() {
    TEST_FETCH(QString, control, QPoint, where, int, boxClicks, int, labelClicks);
    auto* target = Named(window_, control);
    Click(target, where);
    QCOMPARE(window_->boxClicks, boxClicks);
    QCOMPARE(window_->labelClicks, labelClicks);
}

void TestFrame::doubleClickRunsTheHandlerOnce() {
    auto* label5 = Control<ClickLabel>(*window_, "Label5");
    QTest::mouseDClick(window_->Surface()->windowHandle(), Qt::LeftButton, {},
                       InWindow(label5, QPoint(5, 5)));
    QCOMPARE(window_->labelClicks, 1);
    QCOMPARE(window_->boxClicks, 0);
}

void TestFrame::clickNeedsTheReleaseOnTheControl() {
    auto* label5 = Control<ClickLabel>(*window_, "Label5");
    Press(label5, QPoint(5, 5));
    Release(label5, QPoint(35, 5));
    Click(label5, QPoint(5, 5), Qt::RightButton);
    QCOMPARE(window_->labelClicks, 0);
    QCOMPARE(window_->boxClicks, 0);
}

void TestFrame::minimizeKeepsWhatWasTyped() {
    auto* text1 = Control<QLineEdit>(*window_, "Text1");
    QTest::keyClicks(text1, QStringLiteral("Steve 42"));
    QWidget* surface = window_->Surface();
    Click(Control<ClickLabel>(*window_, "labsmall"), QPoint(5, 5));
    QVERIFY(surface->isMinimized());
    QVERIFY(window_->IsLoaded());
    QCOMPARE(window_->Surface(), surface);
    QCOMPARE(host_->unloads, 0);

    surface->showNormal();
    QCOMPARE(text1->text(), QStringLiteral("Steve 42"));
}

void TestFrame::closeControlsUnloadTheWindow_data() {
    TEST_COLUMNS(QString, control, QPoint, where);
    QTest::newRow("cross") << QStringLiteral("labclose") << QPoint(8, 8);
    QTest::newRow("uncovered part of its box") << QStringLiteral("picclose") << QPoint(21, 8);
}

void TestFrame::closeControlsUnloadTheWindow() {
    TEST_FETCH(QString, control, QPoint, where);
    QPointer<QWidget> surface = window_->Surface();
    Click(Named(surface, control), where);
    QVERIFY(!window_->IsLoaded());
    QCOMPARE(host_->unloads, 1);
    DestroyUnloadedWidgets();
    QVERIFY(surface.isNull());
}

void TestFrame::windowSystemCloseUnloadsTheWindow() {
    QVERIFY(!window_->Surface()->close());
    QVERIFY(!window_->IsLoaded());
    QCOMPARE(host_->unloads, 1);
}

void TestFrame::escapedErrorIsReportedAndEndsTheApplication() {
    window_->failing = true;
    MessageBoxCloser closer;

    QTimer::singleShot(0, this,
                       [this] { Click(Control<ClickLabel>(*window_, "Label5"), QPoint(5, 5)); });
    // A loop the error does not end fails here rather than hanging; the guard
    // goes with this function, so no later wait meets it.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [] { QCoreApplication::exit(99); });
    guard.start(60000);
    const int exitCode = QCoreApplication::exec();

    QCOMPARE(exitCode, 1);
    QVERIFY(!closer.boxes.isEmpty());
    const MessageBoxCloser::Box& reported = closer.boxes.last();
    // As written, markup and all.
    QVERIFY2(reported.text.contains(QStringLiteral("测试故障 <img src=x.png>")),
             qPrintable(reported.text));
    QCOMPARE(reported.format, Qt::PlainText);
    QCOMPARE(reported.icon, QMessageBox::Critical);
    QCOMPARE(window_->labelClicks, 1);
    QCOMPARE(window_->labelClicksCompleted, 0);
}

void TestFrame::onlyWaylandPlacesWindowsItself_data() {
    TEST_COLUMNS(QString, platform, bool, placesWindows);
    QTest::newRow("wayland") << "wayland" << true;
    QTest::newRow("wayland with EGL") << "wayland-egl" << true;
    QTest::newRow("wayland, other case") << "Wayland" << true;
    QTest::newRow("X11") << "xcb" << false;
    QTest::newRow("offscreen") << "offscreen" << false;
    QTest::newRow("framebuffer") << "linuxfb" << false;
    QTest::newRow("windows") << "windows" << false;
    QTest::newRow("macOS") << "cocoa" << false;
    QTest::newRow("none") << "" << false;
    QTest::newRow("xcb naming wayland later") << "xcb-wayland" << false;
}

void TestFrame::onlyWaylandPlacesWindowsItself() {
    TEST_FETCH(QString, platform, bool, placesWindows);
    QCOMPARE(WindowSystemPlacesWindows(platform), placesWindows);
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
