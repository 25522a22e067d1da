// The window registry: slots filled on first use, the window switch, and the
// end of the application when the last window is unloaded.
#include "FramedWindow.h"
#include "WindowInput.h"
#include "WindowNames.h"
#include "WindowRegistry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <map>
#include <stdexcept>
#include <vector>

namespace {

// A window with an empty layout of its own size, named after its slot.
class PlainWindow final : public FramedWindow {
public:
    PlainWindow(WindowHost& host, QString name)
        : FramedWindow(host)
        , name_(std::move(name)) {}

protected:
    void BuildLayout(QWidget& surface) override {
        surface.setObjectName(name_);
        surface.resize(200, 100);
    }

private:
    QString name_;
};

// Records when top-level windows are shown and hidden, and which windows were
// visible at each of those moments.
class ShowHideLog final : public QObject {
public:
    struct Entry {
        QString what;
        QStringList visible;
    };
    std::vector<Entry> entries;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->isWindow() &&
            (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
            QStringList visible;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top->isVisible() && top != widget) {
                    visible << top->objectName();
                }
            }
            const QString verb =
                event->type() == QEvent::Show ? QStringLiteral("show ") : QStringLiteral("hide ");
            entries.push_back({verb + widget->objectName(), visible});
        }
        return false;
    }
};

} // namespace

class TestRegistry final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void startCreatesOnlyTheMainMenu();
    void slotsAreFilledOnFirstUseOnly();
    void switchShowsTheTargetBeforeUnloadingTheCurrentWindow();
    void exactlyOneWindowIsLoadedAfterEverySwitch();
    void aWindowReachedAgainIsRebuiltAndCentred();
    void switchToAWindowThatDoesNotExistDoesNothing();
    void failedCreationLeavesTheCurrentWindowLoaded();
    void closingTheLastWindowEndsTheEventLoop();

private:
    void Register(WindowName name);
    FramedWindow& Window(WindowName name) { return *registry_->Instance(name); }

    WindowRegistry* registry_ = nullptr;
    std::map<WindowName, int> created_;
};

void TestRegistry::Register(WindowName name) {
    registry_->SetFactory(name, [this, name](WindowHost& host) {
        ++created_[name];
        return std::make_unique<PlainWindow>(host, QString::fromLatin1(NameOf(name)));
    });
}

void TestRegistry::init() {
    registry_ = new WindowRegistry;
    created_.clear();
    for (WindowName name :
         {WindowName::Form1, WindowName::skin, WindowName::effect, WindowName::download}) {
        Register(name);
    }
}

void TestRegistry::cleanup() {
    delete registry_;
    WindowInput::DestroyUnloadedWidgets();
}

void TestRegistry::startCreatesOnlyTheMainMenu() {
    QCOMPARE(registry_->Instance(WindowName::Form1), nullptr);
    registry_->Start();
    QVERIFY(registry_->Instance(WindowName::Form1) != nullptr);
    QVERIFY(Window(WindowName::Form1).Surface()->isVisible());
    QCOMPARE(registry_->Instance(WindowName::skin), nullptr);
    QCOMPARE(registry_->Instance(WindowName::effect), nullptr);
    QCOMPARE(registry_->Instance(WindowName::download), nullptr);
    QCOMPARE(registry_->LoadedCount(), 1);
}

void TestRegistry::slotsAreFilledOnFirstUseOnly() {
    registry_->Start();
    registry_->SwitchTo(WindowName::effect);
    FramedWindow* effect = registry_->Instance(WindowName::effect);
    QVERIFY(effect != nullptr);
    registry_->SwitchTo(WindowName::Form1);
    registry_->SwitchTo(WindowName::effect);
    registry_->SwitchTo(WindowName::Form1);
    QCOMPARE(registry_->Instance(WindowName::effect), effect);
    QCOMPARE(created_[WindowName::effect], 1);
    QCOMPARE(created_[WindowName::Form1], 1);
    QCOMPARE(registry_->Instance(WindowName::skin), nullptr);
}

void TestRegistry::switchShowsTheTargetBeforeUnloadingTheCurrentWindow() {
    registry_->Start();
    ShowHideLog log;
    qApp->installEventFilter(&log);
    registry_->SwitchTo(WindowName::download);
    qApp->removeEventFilter(&log);

    QCOMPARE(log.entries.size(), std::size_t(2));
    QCOMPARE(log.entries[0].what, QStringLiteral("show download"));
    QCOMPARE(log.entries[1].what, QStringLiteral("hide Form1"));
    // When the menu goes, the downloader is already on screen.
    QVERIFY(log.entries[1].visible.contains(QStringLiteral("download")));
}

void TestRegistry::exactlyOneWindowIsLoadedAfterEverySwitch() {
    registry_->Start();
    const WindowName route[] = {WindowName::skin,  WindowName::Form1,    WindowName::effect,
                                WindowName::Form1, WindowName::download, WindowName::Form1,
                                WindowName::skin,  WindowName::Form1};
    for (WindowName target : route) {
        registry_->SwitchTo(target);
        QCOMPARE(registry_->LoadedCount(), 1);
        QVERIFY(Window(target).IsLoaded());
        QVERIFY(Window(target).Surface()->isVisible());
    }
}

void TestRegistry::aWindowReachedAgainIsRebuiltAndCentred() {
    registry_->Start();
    QPointer<QWidget> firstSurface = Window(WindowName::Form1).Surface();
    const QPoint centred = firstSurface->pos();
    // The user dragged the menu away before leaving it.
    Window(WindowName::Form1).Form_MouseDown(1, 0, 0.0f, 0.0f);
    Window(WindowName::Form1).Form_MouseMove(1, 0, -3000.0f, -1500.0f);
    QCOMPARE(firstSurface->pos(), centred - QPoint(200, 100));

    registry_->SwitchTo(WindowName::skin);
    registry_->SwitchTo(WindowName::Form1);
    WindowInput::DestroyUnloadedWidgets();
    QVERIFY(firstSurface.isNull());
    QCOMPARE(Window(WindowName::Form1).Surface()->pos(), centred);
    // The drag state lives in the instance and came through the unload.
    QCOMPARE(Window(WindowName::Form1).Drag().dragging, -1);
}

void TestRegistry::switchToAWindowThatDoesNotExistDoesNothing() {
    registry_->SetFactory(WindowName::download, {});
    registry_->Start();
    QWidget* menu = Window(WindowName::Form1).Surface();
    registry_->SwitchTo(WindowName::download);
    QCOMPARE(registry_->Instance(WindowName::download), nullptr);
    QCOMPARE(Window(WindowName::Form1).Surface(), menu);
    QVERIFY(menu->isVisible());
    QCOMPARE(registry_->LoadedCount(), 1);
}

void TestRegistry::failedCreationLeavesTheCurrentWindowLoaded() {
    registry_->SetFactory(WindowName::effect, [](WindowHost&) -> std::unique_ptr<FramedWindow> {
        throw std::runtime_error("创建失败");
    });
    registry_->Start();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, registry_->SwitchTo(WindowName::effect));
    QVERIFY(Window(WindowName::Form1).IsLoaded());
    QVERIFY(Window(WindowName::Form1).Surface()->isVisible());
    QCOMPARE(registry_->Instance(WindowName::effect), nullptr);
    QCOMPARE(registry_->LoadedCount(), 1);
}

void TestRegistry::closingTheLastWindowEndsTheEventLoop() {
    QSignalSpy ended(registry_, &WindowRegistry::lastWindowUnloaded);
    registry_->Start();

    QTimer::singleShot(0, this, [this] { Window(WindowName::Form1).picclose_Click(); });
    // A loop that is not ended fails the test instead of hanging it; the
    // guard goes with this function, so no later wait meets it.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [] { QCoreApplication::exit(99); });
    guard.start(60000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(registry_->LoadedCount(), 0);
}

QTEST_MAIN(TestRegistry)
#include "tst_registry.moc"
