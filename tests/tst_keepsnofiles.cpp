// The toolbox keeps no files: a whole run, assembled as the program assembles
// it and driven as a person would (a skin fetched, the downloader opened, a
// file saved through the real save dialog into a folder the user chose,
// windows switched, the program closed), leaves its home, configuration,
// cache, data, state, runtime and temporary folders as empty as it found
// them, and so does a run that shows a page which sets a cookie and stores
// data, and one that only rests the pointer on the tiles, which starts the
// web engine before any window needs it (and never at start-up, nor for the
// effect generator's tile). Each run is a second process of this program, with
// folders of its own; the file server stays in the test. Runs on a real
// display (Xvfb).
#include "BrowserPane.h"
#include "CjkFonts.h"
#include "EngineFixture.h"
#include "LocalBases.h"
#include "PaneDownloads.h"
#include "PaneScreen.h"
#include "Startup.h"
#include "TestTable.h"
#include "ToolkitWindows.h"
#include "WindowInput.h"
#include "WindowRegistry.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <iterator>

using namespace PaneDownloads;
using namespace WindowInput;

namespace {

constexpr QRgb kSkinColour = 0xff1e90c8;
const char kRunToolbox[] = "--run-toolbox";
const QByteArray kServerJar = "/Minecraft.Download/1.7.2/minecraft_server.1.7.2.jar";
constexpr qint64 kJarSize = 3 * 1024 * 1024 + 5;

// The folders a desktop program may write to unasked, each set to a fresh
// one for the run.
const char* const kFolderVariables[] = {"HOME",          "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                                        "XDG_DATA_HOME", "XDG_STATE_HOME",  "XDG_RUNTIME_DIR",
                                        "TMPDIR"};

// What a run does between start and close.
enum class Run { WholeWay, StoringPage, RestingOnTiles };
const char* const kRunNames[] = {"whole", "page", "rest"};

// True once this process has mapped the web engine's library.
bool EngineLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

// How many processes this one has started (the engine's helpers).
int ChildProcesses() {
    int count = 0;
    QDirIterator threads(QStringLiteral("/proc/self/task"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (threads.hasNext()) {
        QFile children(threads.next() + QStringLiteral("/children"));
        if (children.open(QIODevice::ReadOnly)) {
            const QByteArray pids = children.readAll().simplified();
            count += pids.isEmpty() ? 0 : int(pids.split(' ').size());
        }
    }
    return count;
}

// Every entry of the kinds `filters` names under `root`, at any depth,
// relative to it.
QStringList EverythingUnder(const QString& root, QDir::Filters filters) {
    QStringList found;
    QDirIterator entries(root, filters, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        found.append(QDir(root).relativeFilePath(entries.next()));
    }
    return found;
}

// The second process: the toolbox as app/main.cpp assembles it, with its
// servers at `root`, used from start to close as `run` says. Returns the
// program's exit code, or 3 with the step that went wrong on stderr.
int RunToolbox(int argc, char* argv[], const QString& root, const QString& saveAs, Run run) {
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    ConfigureToolkitApplication();

    ModulePaneSource panes;
    WindowRegistry registry;
    RegisterToolkitWindows(registry, panes, SkinBasesAt(root), VersionFileBasesAt(root));
    registry.Start();

    const auto control = [&registry](WindowName window, const char* name) {
        return Named(registry.Instance(window), name);
    };
    const auto click = [&control](WindowName window, const char* name) {
        QWidget* target = control(window, name);
        if (target == nullptr) {
            return false;
        }
        Click(target, QPoint(5, 5));
        DestroyUnloadedWidgets();
        return true;
    };
    const auto fail = [&app](const char* step) {
        std::fprintf(stderr, "toolbox run: %s\n", step);
        app.exit(3);
    };

    // The save dialog is the real one, answered as a person would: the
    // chosen path put in, and Save once the dialog shows it (the dialog
    // reads the folder it is sent to on its own time, and may put its own
    // suggestion back meanwhile).
    const auto answerer = ModalAnswerer::For<QFileDialog>([&saveAs](QFileDialog& dialog) {
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        if (name == nullptr || !dialog.isVisible()) {
            return;
        }
        // Typed into the name box, as a person would; an absolute path there
        // stands on its own, whatever folder the dialog shows.
        if (name->text() == saveAs) {
            static_cast<QDialog&>(dialog).accept();
        } else {
            name->setText(saveAs);
        }
    });
    // A step that never comes ends the run here, with its reason, rather than
    // leaving the test to wait for a process that waits for nothing.
    QTimer::singleShot(3 * kLoadTimeout, &app, [&fail] { fail("finish within the time allowed"); });

    const auto showStoringPage = [&] {
        // A name whose address is a page that sets a cookie and stores data
        // in the engine, as far as it is let.
        auto* name = Named<QLineEdit>(registry.Instance(WindowName::skin), "Text1");
        QWidget* pane = control(WindowName::skin, "WebBrowser1");
        QWidget* view = pane != nullptr ? ViewOf(*pane) : nullptr;
        if (name == nullptr || view == nullptr) {
            return false;
        }
        name->setText(QStringLiteral("Storage"));
        return click(WindowName::skin, "Label6") &&
               QTest::qWaitFor([view] { return view->property("title").toString() == "kept?"; },
                               kLoadTimeout);
    };

    // The pointer rests on the effect generator's tile, then on the
    // downloader's, and the menu is closed: the engine starts on the second
    // tile only, and nothing opens.
    const auto restOnTiles = [&] {
        QWidget* menu = registry.Instance(WindowName::Form1)->Surface();
        if (EngineLoaded() || ChildProcesses() != 0) {
            return fail("start without the web engine");
        }
        MoveTo(control(WindowName::Form1, "Label3"), QPoint(5, 5));
        // The engine is made ready a step a turn from the moment the pointer
        // comes: long done by now, had it begun.
        if (!TurnTheEventLoop() || EngineLoaded() || ChildProcesses() != 0) {
            return fail("leave the web engine alone on the effect generator's tile");
        }
        MoveTo(control(WindowName::Form1, "Label4"), QPoint(5, 5));
        if (!QTest::qWaitFor([] { return EngineLoaded() && ChildProcesses() > 0; }, kLoadTimeout)) {
            return fail("start the web engine on the downloader's tile");
        }
        if (registry.LoadedCount() != 1 || !menu->isVisible()) {
            return fail("stay on the menu");
        }
        if (!click(WindowName::Form1, "labclose")) {
            return fail("close");
        }
    };

    QTimer::singleShot(0, &app, [&] {
        if (run == Run::RestingOnTiles) {
            return restOnTiles();
        }
        if (run == Run::StoringPage) {
            if (!click(WindowName::Form1, "Image1") || !showStoringPage()) {
                return fail("show the page that stores");
            }
            if (!click(WindowName::skin, "labclose")) {
                return fail("close");
            }
            return;
        }
        if (!click(WindowName::Form1, "Image1") || !click(WindowName::skin, "Label6")) {
            return fail("open the skin fetcher and fetch");
        }
        QWidget* pane = control(WindowName::skin, "WebBrowser1");
        if (!QTest::qWaitFor([&] { return CountColour(Screenshot(*pane), kSkinColour) >= 64 * 32; },
                             kLoadTimeout)) {
            return fail("show the skin");
        }
        if (!click(WindowName::skin, "Label5") || !click(WindowName::Form1, "Label3") ||
            !click(WindowName::effect, "Label5") || !click(WindowName::Form1, "Picture2")) {
            return fail("switch through the effect window to the downloader");
        }
        if (!click(WindowName::download, "Option3") || !click(WindowName::download, "Option5") ||
            !click(WindowName::download, "Label4")) {
            return fail("ask for the server jar");
        }
        if (!QTest::qWaitFor(
                [] {
                    const QList<QWidget*> windows = DownloadWindows();
                    return windows.size() == 1 &&
                           LabelText(windows.first(), "stateLabel") == QStringLiteral("下载完成");
                },
                kLoadTimeout)) {
            return fail("download the server jar");
        }
        if (!click(WindowName::download, "Label5") || !click(WindowName::Form1, "Image1")) {
            return fail("go back to the skin fetcher");
        }
        // The close control ends the program.
        if (!click(WindowName::skin, "labclose")) {
            return fail("close");
        }
    });
    return app.exec();
}

} // namespace

class TestKeepsNoFiles final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void runLeavesItsFoldersEmpty_data();
    void runLeavesItsFoldersEmpty();
};

void TestKeepsNoFiles::runLeavesItsFoldersEmpty_data() {
    TEST_COLUMNS(int, run);
    QTest::newRow("skin, downloader and a saved file") << int(Run::WholeWay);
    QTest::newRow("a page that stores") << int(Run::StoringPage);
    QTest::newRow("the pointer resting on the tiles") << int(Run::RestingOnTiles);
}

void TestKeepsNoFiles::runLeavesItsFoldersEmpty() {
    TEST_FETCH(int, run);
    LocalHttpServer server;
    QVERIFY(server.Listen());
    server.Serve("/MinecraftSkins/Creeper.png", Routes::Png(kSkinColour, 64, 32));
    HttpRoute page;
    page.extraHeaders = "Set-Cookie: skin=steve; Max-Age=86400\r\n";
    // The title changes once the database has answered, whether it opened
    // or was refused: by then the page has stored all it could.
    page.body = "<title>storing</title><script>localStorage.setItem('skin', 'steve');"
                "const opening = indexedDB.open('skins');"
                "opening.onsuccess = opening.onerror = () => { document.title = 'kept?'; };"
                "</script><p>page with a cookie</p>";
    server.Serve("/MinecraftSkins/Storage.png", page);
    server.Serve(kServerJar, Routes::Jar(kJarSize));

    QTemporaryDir folders;
    QTemporaryDir chosen;
    QVERIFY(folders.isValid());
    QVERIFY(chosen.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : kFolderVariables) {
        const QString path = folders.filePath(QString::fromLatin1(variable));
        QVERIFY(QDir().mkpath(path));
        // Qt insists on a runtime folder only its user may enter.
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        environment.insert(QString::fromLatin1(variable), path);
    }
    const QString saveAs = chosen.filePath(QStringLiteral("服务端 1.7.2.jar"));

    QProcess toolbox;
    toolbox.setProcessEnvironment(environment);
    toolbox.setProcessChannelMode(QProcess::ForwardedChannels);
    toolbox.start(QCoreApplication::applicationFilePath(),
                  {QLatin1String(kRunToolbox), server.Address(QString()), saveAs,
                   QLatin1String(kRunNames[run])});
    // The wait serves the run's requests meanwhile.
    QTRY_COMPARE_WITH_TIMEOUT(toolbox.state(), QProcess::NotRunning, 4 * kLoadTimeout);
    QCOMPARE(toolbox.exitStatus(), QProcess::NormalExit);
    QCOMPARE(toolbox.exitCode(), 0);
    QStringList left;
    if (Run(run) == Run::RestingOnTiles) {
        QCOMPARE(server.Requests(), QList<QByteArray>());
        QCOMPARE(FilesIn(chosen.path()), QStringList());
    } else if (Run(run) == Run::StoringPage) {
        QCOMPARE(server.Requests(), QList<QByteArray>{"/MinecraftSkins/Storage.png"});
        QCOMPARE(FilesIn(chosen.path()), QStringList());
    } else {
        QCOMPARE(server.Requests(), (QList<QByteArray>{"/MinecraftSkins/Creeper.png", kServerJar}));
        // The one file the user asked for, whole, where the user put it.
        QCOMPARE(FilesIn(chosen.path()), QStringList{QStringLiteral("服务端 1.7.2.jar")});
        QVERIFY(HoldsGeneratedBody(saveAs, kJarSize));
    }
    // Nothing at all, not even an empty folder.
    const QDir::Filters counted =
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const char* variable : kFolderVariables) {
        const QString name = QString::fromLatin1(variable);
        for (const QString& path : EverythingUnder(folders.filePath(name), counted)) {
            left.append(name + QLatin1Char(':') + path);
        }
    }
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
}

int main(int argc, char* argv[]) {
    if (argc == 5 && qstrcmp(argv[1], kRunToolbox) == 0) {
        const auto named =
            std::find_if(std::begin(kRunNames), std::end(kRunNames),
                         [&](const char* name) { return qstrcmp(argv[4], name) == 0; });
        if (named == std::end(kRunNames)) {
            return 2;
        }
        return RunToolbox(argc, argv, QString::fromLocal8Bit(argv[2]),
                          QString::fromLocal8Bit(argv[3]), Run(named - std::begin(kRunNames)));
    }
    QCoreApplication app(argc, argv);
    TestKeepsNoFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keepsnofiles.moc"
