#include "SwitchCycles.h"

#include "LocalBases.h"
#include "LocalHttpServer.h"
#include "PaneScreen.h"
#include "Startup.h"
#include "ToolkitWindows.h"
#include "WindowInput.h"
#include "WindowRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kLoadTimeout = 30000;

// A field of /proc/<pid>/status, in KiB; -1 if there is none.
qint64 StatusKiB(const QString& pid, const QByteArray& field) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':')) {
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

// The resident memory of every process descended from this one: the web
// engine's zygotes and, under them, its renderers.
qint64 DescendantsKiB() {
    QHash<qint64, qint64> parentOf;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : entries) {
        if (pid.front().isDigit()) {
            parentOf.insert(pid.toLongLong(), StatusKiB(pid, "PPid"));
        }
    }
    const qint64 self = QCoreApplication::applicationPid();
    qint64 total = 0;
    for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
        for (qint64 up = it.value(); up > 1; up = parentOf.value(up, 0)) {
            if (up == self) {
                total += std::max<qint64>(0, StatusKiB(QString::number(it.key()), "VmRSS"));
                break;
            }
        }
    }
    return total;
}

// Lets deferred deletions and the engine's own work settle before a reading.
void Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(40);
    }
}

class Cycler final {
public:
    Cycler(WindowRegistry& registry)
        : registry_(registry) {}

    // One click on `control` of `window`; false if the control is not there.
    bool Click(WindowName window, const char* control) {
        QWidget* surface = registry_.Instance(window)->Surface();
        QWidget* target = surface != nullptr
                              ? surface->findChild<QWidget*>(QString::fromLatin1(control))
                              : nullptr;
        if (target == nullptr) {
            return false;
        }
        WindowInput::Click(target, QPoint(5, 5));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return true;
    }

    // Clicks `control` of `window` and, where the pane is the web engine's,
    // waits until the page it was sent to has loaded.
    bool ClickAndLoad(WindowName window, const char* control, WindowName paneWindow,
                      const char* trigger) {
        if (!Click(window, control)) {
            return false;
        }
        QWidget* view = View(paneWindow);
        if (view == nullptr) {
            return trigger == nullptr || Click(paneWindow, trigger);
        }
        QSignalSpy loaded(view, SIGNAL(loadFinished(bool)));
        if (trigger != nullptr && !Click(paneWindow, trigger)) {
            return false;
        }
        return !loaded.isEmpty() || loaded.wait(kLoadTimeout);
    }

private:
    QWidget* View(WindowName window) const {
        QWidget* surface = registry_.Instance(window)->Surface();
        QWidget* pane = surface != nullptr
                            ? surface->findChild<QWidget*>(QStringLiteral("WebBrowser1"))
                            : nullptr;
        return pane != nullptr ? ViewOf(*pane) : nullptr;
    }

    WindowRegistry& registry_;
};

} // namespace

int RunSwitchCycles(int argc, char* argv[],
                    const std::function<std::unique_ptr<PaneSource>()>& makePanes) {
    const int cycles = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    ConfigureToolkitApplication();

    LocalHttpServer server;
    if (!server.Listen()) {
        std::fprintf(stderr, "no port for the image server\n");
        return 1;
    }
    HttpRoute png;
    png.contentType = "image/png";
    png.body = SolidPng(0xff40a040, 64, 32);
    server.Serve("/MinecraftSkins/Creeper.png", png);
    const QString root = server.Address(QString());

    std::unique_ptr<PaneSource> panes = makePanes();
    PaneSource& source = *panes;
    WindowRegistry registry;
    // The downloader keeps its configured servers: its pane goes no further
    // than its start address.
    RegisterToolkitWindows(registry, source, SkinBasesAt(root));
    registry.Start();
    Cycler cycler(registry);

    QElapsedTimer clock;
    clock.start();
    std::printf("%6s %12s %12s %8s %16s\n", "cycle", "VmRSS KiB", "VmHWM KiB", "widgets",
                "descendants KiB");
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        const bool ok =
            cycler.ClickAndLoad(WindowName::Form1, "Image1", WindowName::skin, "Label6") &&
            cycler.Click(WindowName::skin, "Label5") && cycler.Click(WindowName::Form1, "Label3") &&
            cycler.Click(WindowName::effect, "Label5") &&
            cycler.ClickAndLoad(WindowName::Form1, "Picture2", WindowName::download, nullptr) &&
            cycler.Click(WindowName::download, "Label5");
        if (!ok || registry.LoadedCount() != 1 ||
            !registry.Instance(WindowName::Form1)->IsLoaded()) {
            std::fprintf(stderr, "cycle %d did not go round\n", cycle);
            return 1;
        }
        server.ClearRequests();
        if (cycle == 1 || cycle == 10 || cycle % 100 == 0 || cycle == cycles) {
            Settle();
            const QString self = QString::number(QCoreApplication::applicationPid());
            std::printf("%6d %12lld %12lld %8lld %16lld\n", cycle, StatusKiB(self, "VmRSS"),
                        StatusKiB(self, "VmHWM"), qint64(QApplication::allWidgets().size()),
                        DescendantsKiB());
            std::fflush(stdout);
        }
    }
    std::printf("cycles: %d in %.1f s\n", cycles, clock.elapsed() / 1000.0);
    return 0;
}
