// The browser pane as the program gets it: loaded from the module on disk,
// with the real engine, showing and downloading from a server of the test's
// own on 127.0.0.1. Runs on a real display (Xvfb).
#include "BrowserPane.h"
#include "BrowserPaneModule.h"
#include "LocalHttpServer.h"
#include "ModulePaneSource.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <stdexcept>

namespace {

constexpr int kLoadTimeout = 30000;
constexpr QRgb kSkinColour = 0xff12c45a;
constexpr int kSkinWidth = 64;
constexpr int kSkinHeight = 48;
const char kQuitChild[] = "--quit-while-downloading";

QByteArray SkinPng() {
    QImage image(kSkinWidth, kSkinHeight, QImage::Format_RGB32);
    image.fill(kSkinColour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// What the display shows of `window`, as a person would see it.
QImage Screenshot(QWidget& window) {
    return window.screen()->grabWindow(window.winId()).toImage();
}

int CountColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAbs(qRed(pixel) - qRed(colour)) <= 2 &&
                qAbs(qGreen(pixel) - qGreen(colour)) <= 2 &&
                qAbs(qBlue(pixel) - qBlue(colour)) <= 2) {
                ++count;
            }
        }
    }
    return count;
}

// The engine's view inside a pane, found by class name: this test does not
// link the engine, just as the program does not.
QWidget* ViewOf(QWidget& pane) {
    const QList<QWidget*> children = pane.findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (qstrcmp(child->metaObject()->className(), "QWebEngineView") == 0) {
            return child;
        }
    }
    return nullptr;
}

QList<QWidget*> DownloadWindows() {
    QList<QWidget*> found;
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->objectName() == QLatin1String("DownloadWindow")) {
            found.append(window);
        }
    }
    return found;
}

QString LabelText(QWidget* window, const char* name) {
    auto* label = window != nullptr ? window->findChild<QLabel*>(QLatin1String(name)) : nullptr;
    return label != nullptr ? label->text() : QString();
}

QStringList FilesIn(const QString& directory) {
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                         QDir::NoDotAndDotDot,
                                     QDir::Name);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

HttpRoute Attachment(const QByteArray& fileName) {
    HttpRoute route;
    route.contentType = "application/octet-stream";
    route.contentDisposition = "attachment; filename=\"" + fileName + '"';
    return route;
}

// A second run of this program: starts a download that never ends, quits the
// application while it runs, and exits 0 only if the download had started.
int QuitWhileDownloading(const QString& address, const QString& saveAs) {
    ModulePaneSource source;
    source.Module().SetSaveLocationChooser(
        [saveAs](QWidget*, const QString&) { return saveAs; });
    QWidget holder;
    holder.resize(320, 240);
    holder.show();
    source.CreatePane(holder).Navigate(address);

    int exitCode = 2;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &holder, [&] {
        const QList<QWidget*> windows = DownloadWindows();
        if (!windows.isEmpty() && LabelText(windows.first(), "bytesLabel").startsWith("64")) {
            exitCode = 0;
            QCoreApplication::quit();
        }
    });
    poll.start(20);
    QTimer::singleShot(kLoadTimeout, &holder, [] { QCoreApplication::quit(); });
    QApplication::exec();
    return exitCode;
}

} // namespace

Q_DECLARE_METATYPE(HttpRoute)

class TestBrowserPane final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void moduleThatCannotLoadIsReported_data();
    void moduleThatCannotLoadIsReported();
    void paneFillsItsHolderAndGoesWithIt();

    void imageRendersFromExactlyItsAddress();
    void missingPageShowsTheEnginesErrorPage();
    void addressIsRequestedAsTolerantModeKeepsIt_data();
    void addressIsRequestedAsTolerantModeKeepsIt();

    void downloadIsSavedWholeUnderTheChosenName_data();
    void downloadIsSavedWholeUnderTheChosenName();
    void droppedDownloadFailsAndLeavesNothing_data();
    void droppedDownloadFailsAndLeavesNothing();
    void cancelledDownloadLeavesNothing_data();
    void cancelledDownloadLeavesNothing();
    void declinedSaveDialogStartsNothing();
    void downloadGoesOnWhenItsPaneIsGone();
    void quittingDuringADownloadLeavesNothing();

private:
    // A shown window holding a fresh pane, and the pane's view.
    struct Holder {
        std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
        BrowserPane* pane = nullptr;
        QWidget* view = nullptr;
    };
    Holder OpenPane();
    // Navigates and waits for the engine to finish loading; false on timeout.
    bool Load(Holder& holder, const QString& address);
    // Starts a download of `target` saved as `saveAs` and returns its window.
    QWidget* StartDownload(Holder& holder, const QByteArray& target, const QString& saveAs);

    LocalHttpServer server_;
    ModulePaneSource source_;
    QString saveAs_;
    QStringList suggestions_;
};

void TestBrowserPane::initTestCase() {
    QVERIFY(server_.Listen());
    HttpRoute skin;
    skin.contentType = "image/png";
    skin.body = SkinPng();
    server_.Serve("/skins/steve.png", skin);
    // Records what the pane offers and answers as a person would in the dialog.
    source_.Module().SetSaveLocationChooser([this](QWidget*, const QString& suggestedPath) {
        suggestions_.append(suggestedPath);
        return saveAs_;
    });
}

void TestBrowserPane::cleanup() {
    qDeleteAll(DownloadWindows());
    saveAs_.clear();
    suggestions_.clear();
    server_.ClearRequests();
}

TestBrowserPane::Holder TestBrowserPane::OpenPane() {
    Holder holder;
    holder.window->resize(480, 360);
    holder.window->show();
    holder.pane = &source_.CreatePane(*holder.window);
    holder.view = ViewOf(*holder.pane);
    return holder;
}

bool TestBrowserPane::Load(Holder& holder, const QString& address) {
    QSignalSpy finished(holder.view, SIGNAL(loadFinished(bool)));
    holder.pane->Navigate(address);
    return finished.wait(kLoadTimeout);
}

QWidget* TestBrowserPane::StartDownload(Holder& holder, const QByteArray& target,
                                        const QString& saveAs) {
    saveAs_ = saveAs;
    holder.pane->Navigate(server_.Address(QString::fromLatin1(target)));
    if (!QTest::qWaitFor([] { return !DownloadWindows().isEmpty(); }, kLoadTimeout)) {
        return nullptr;
    }
    const QList<QWidget*> windows = DownloadWindows();
    return windows.size() == 1 ? windows.first() : nullptr;
}

void TestBrowserPane::moduleThatCannotLoadIsReported_data() {
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("no such file") << QByteArray();
    QTest::newRow("not a library") << QByteArray("not a Qt plugin");
}

void TestBrowserPane::moduleThatCannotLoadIsReported() {
    QFETCH(QByteArray, contents);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString path = directory.filePath(QStringLiteral("creeper-toolkit-pane.so"));
    if (!contents.isNull()) {
        WriteFile(path, contents);
    }

    ModulePaneSource source(path);
    QWidget holder;
    QString message;
    try {
        source.CreatePane(holder);
    } catch (const std::runtime_error& error) {
        message = QString::fromUtf8(error.what());
    }
    QVERIFY2(message.contains(path), qPrintable(message));
    QVERIFY(holder.findChildren<QWidget*>().isEmpty());
}

void TestBrowserPane::paneFillsItsHolderAndGoesWithIt() {
    Holder first = OpenPane();
    Holder second = OpenPane();
    QCOMPARE(first.pane->parentWidget(), first.window.get());
    QVERIFY(first.view != nullptr);
    QVERIFY(second.view != nullptr);
    QVERIFY(first.view != second.view);

    QTRY_COMPARE(first.pane->geometry(), first.window->rect());
    first.window->resize(300, 200);
    QTRY_COMPARE(first.pane->geometry(), QRect(0, 0, 300, 200));

    const QPointer<QWidget> pane = first.pane;
    first.window.reset();
    QVERIFY(pane.isNull());
}

void TestBrowserPane::imageRendersFromExactlyItsAddress() {
    Holder holder = OpenPane();
    QVERIFY(QTest::qWaitForWindowExposed(holder.window.get()));
    QVERIFY(Load(holder, server_.Address(QStringLiteral("/skins/steve.png"))));

    // The whole image, at its own size, and nothing else in its colour.
    QTRY_COMPARE_WITH_TIMEOUT(CountColour(Screenshot(*holder.window), kSkinColour),
                              kSkinWidth * kSkinHeight, kLoadTimeout);
    const QList<QByteArray> requests = server_.Requests();
    QCOMPARE(requests.count("/skins/steve.png"), 1);
    for (const QByteArray& request : requests) {
        QVERIFY2(request == "/skins/steve.png" || request == "/favicon.ico", request.constData());
    }
}

void TestBrowserPane::missingPageShowsTheEnginesErrorPage() {
    Holder holder = OpenPane();
    QVERIFY(QTest::qWaitForWindowExposed(holder.window.get()));
    QVERIFY(Load(holder, server_.Address(QStringLiteral("/skins/steve.png"))));
    QTRY_VERIFY_WITH_TIMEOUT(CountColour(Screenshot(*holder.window), kSkinColour) > 0,
                             kLoadTimeout);
    const QString imageTitle = holder.view->property("title").toString();

    QVERIFY(Load(holder, server_.Address(QStringLiteral("/skins/alex.png"))));
    QVERIFY(server_.Requests().contains("/skins/alex.png"));
    QTRY_COMPARE_WITH_TIMEOUT(CountColour(Screenshot(*holder.window), kSkinColour), 0,
                              kLoadTimeout);
    QVERIFY(holder.view->property("title").toString() != imageTitle);
    // The server sent no body: whatever shows is the engine's own page, with
    // text on it, not a blank view.
    const QImage shown = Screenshot(*holder.window);
    QSet<QRgb> colours;
    for (int y = 0; y < shown.height(); y += 2) {
        for (int x = 0; x < shown.width(); x += 2) {
            colours.insert(shown.pixel(x, y));
        }
    }
    QVERIFY2(colours.size() > 8, qPrintable(QString::number(colours.size())));
}

void TestBrowserPane::addressIsRequestedAsTolerantModeKeepsIt_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("requested");
    QTest::newRow("plain") << QStringLiteral("/skins/steve.png") << QByteArray("/skins/steve.png");
    QTest::newRow("space") << QStringLiteral("/my skins/a b.png")
                           << QByteArray("/my%20skins/a%20b.png");
    QTest::newRow("Chinese") << QStringLiteral("/皮肤/史蒂夫.png")
                             << QByteArray("/%E7%9A%AE%E8%82%A4/%E5%8F%B2%E8%92%82%E5%A4%AB.png");
    QTest::newRow("Chinese query") << QStringLiteral("/skin?name=史蒂夫 2")
                                   << QByteArray("/skin?name=%E5%8F%B2%E8%92%82%E5%A4%AB%202");
    QTest::newRow("stray percent") << QStringLiteral("/100%.png") << QByteArray("/100%25.png");
    QTest::newRow("escape kept") << QStringLiteral("/a%20b.png") << QByteArray("/a%20b.png");
    QTest::newRow("fragment not sent") << QStringLiteral("/skins/steve.png#top")
                                       << QByteArray("/skins/steve.png");
}

void TestBrowserPane::addressIsRequestedAsTolerantModeKeepsIt() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, requested);
    Holder holder = OpenPane();
    QVERIFY(Load(holder, server_.Address(typed)));
    QList<QByteArray> requests = server_.Requests();
    requests.removeAll("/favicon.ico");
    QCOMPARE(requests, QList<QByteArray>{requested});
}

void TestBrowserPane::downloadIsSavedWholeUnderTheChosenName_data() {
    QTest::addColumn<HttpRoute>("route");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QByteArray>("existing");

    HttpRoute small = Attachment("skin-pack.zip");
    small.body = QByteArray("PK\x03\x04 small skin pack\r\n\0tail", 28);
    QTest::newRow("small") << small << small.body << QByteArray();

    HttpRoute large = Attachment("skin-pack.zip");
    large.generatedSize = 12 * 1024 * 1024 + 17;
    const QByteArray largeBody = LocalHttpServer::GeneratedBody(large.generatedSize);
    QTest::newRow("large, in chunks") << large << largeBody << QByteArray();

    HttpRoute unsized = Attachment("skin-pack.zip");
    unsized.generatedSize = 3 * 1024 * 1024;
    unsized.omitLength = true;
    QTest::newRow("size unknown") << unsized
                                  << LocalHttpServer::GeneratedBody(unsized.generatedSize)
                                  << QByteArray();

    QTest::newRow("replaces an existing file") << large << largeBody << QByteArray("old pack");
}

void TestBrowserPane::downloadIsSavedWholeUnderTheChosenName() {
    QFETCH(HttpRoute, route);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, existing);
    server_.Serve("/download/pack", route);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString saveAs = directory.filePath(QStringLiteral("我的皮肤包.zip"));
    if (!existing.isNull()) {
        WriteFile(saveAs, existing);
    }

    Holder holder = OpenPane();
    QWidget* window = StartDownload(holder, "/download/pack", saveAs);
    QVERIFY(window != nullptr);
    QCOMPARE(suggestions_.size(), 1);
    QCOMPARE(QFileInfo(suggestions_.first()).fileName(), QStringLiteral("skin-pack.zip"));
    QCOMPARE(LabelText(window, "fileLabel"), QStringLiteral("我的皮肤包.zip"));

    QTRY_COMPARE_WITH_TIMEOUT(LabelText(window, "stateLabel"), QStringLiteral("下载完成"),
                              kLoadTimeout);
    QCOMPARE(FilesIn(directory.path()), QStringList{QStringLiteral("我的皮肤包.zip")});
    const QByteArray saved = ReadFile(saveAs);
    QCOMPARE(saved.size(), expected.size());
    QVERIFY(saved == expected);
    if (route.omitLength) {
        QVERIFY(LabelText(window, "bytesLabel").contains(QStringLiteral("大小未知")));
    }
    QCOMPARE(window->findChild<QPushButton*>("actionButton")->text(), QStringLiteral("关闭"));
}

void TestBrowserPane::droppedDownloadFailsAndLeavesNothing_data() {
    QTest::addColumn<QByteArray>("existing");
    QTest::newRow("new name") << QByteArray();
    QTest::newRow("existing file kept") << QByteArray("the pack saved last week");
}

void TestBrowserPane::droppedDownloadFailsAndLeavesNothing() {
    QFETCH(QByteArray, existing);
    HttpRoute dropped = Attachment("skin-pack.zip");
    dropped.generatedSize = 4 * 1024 * 1024;
    dropped.dropAfter = 300 * 1024;
    server_.Serve("/download/dropped", dropped);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString saveAs = directory.filePath(QStringLiteral("pack.zip"));
    if (!existing.isNull()) {
        WriteFile(saveAs, existing);
    }
    const QStringList before = FilesIn(directory.path());

    Holder holder = OpenPane();
    QWidget* window = StartDownload(holder, "/download/dropped", saveAs);
    QVERIFY(window != nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(LabelText(window, "stateLabel").startsWith(QStringLiteral("下载失败：")),
                             kLoadTimeout);
    QVERIFY2(LabelText(window, "stateLabel").size() > 5, qPrintable(LabelText(window, "stateLabel")));
    QCOMPARE(FilesIn(directory.path()), before);
    // Nor does anything turn up once the engine has let go of the download.
    QTest::qWait(1000);
    QCOMPARE(FilesIn(directory.path()), before);
    if (!existing.isNull()) {
        QCOMPARE(ReadFile(saveAs), existing);
    }
}

void TestBrowserPane::cancelledDownloadLeavesNothing_data() {
    QTest::addColumn<bool>("byClosing");
    QTest::newRow("cancel button") << false;
    QTest::newRow("window closed") << true;
}

void TestBrowserPane::cancelledDownloadLeavesNothing() {
    QFETCH(bool, byClosing);
    HttpRoute stalled = Attachment("skin-pack.zip");
    stalled.generatedSize = 4 * 1024 * 1024;
    stalled.stallAfter = 256 * 1024;
    server_.Serve("/download/stalled", stalled);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString saveAs = directory.filePath(QStringLiteral("pack.zip"));

    Holder holder = OpenPane();
    QPointer<QWidget> window = StartDownload(holder, "/download/stalled", saveAs);
    QVERIFY(window != nullptr);
    // Under way: the engine has a file beside the chosen one.
    QTRY_VERIFY_WITH_TIMEOUT(!FilesIn(directory.path()).isEmpty(), kLoadTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(LabelText(window, "bytesLabel").startsWith("256"), kLoadTimeout);

    if (byClosing) {
        window->close();
        QTRY_VERIFY(window.isNull());
    } else {
        QTest::mouseClick(window->findChild<QPushButton*>("actionButton"), Qt::LeftButton);
        QTRY_COMPARE(LabelText(window, "stateLabel"), QStringLiteral("已取消"));
    }
    QTRY_COMPARE(FilesIn(directory.path()), QStringList());
    QTest::qWait(1000);
    QCOMPARE(FilesIn(directory.path()), QStringList());
}

void TestBrowserPane::declinedSaveDialogStartsNothing() {
    server_.Serve("/download/pack", Attachment("skin-pack.zip"));
    source_.Module().SetSaveLocationChooser(nullptr);

    // Answers the real save dialog: notes what it offers, then cancels it.
    QString offered;
    bool answered = false;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            offered = dialog->selectedFiles().value(0);
            answered = true;
            dialog->reject();
        }
    });
    answer.start(50);

    Holder holder = OpenPane();
    holder.pane->Navigate(server_.Address(QStringLiteral("/download/pack")));
    QTRY_VERIFY_WITH_TIMEOUT(answered, kLoadTimeout);
    answer.stop();
    QCOMPARE(QFileInfo(offered).fileName(), QStringLiteral("skin-pack.zip"));
    QTest::qWait(500);
    QVERIFY(DownloadWindows().isEmpty());
    QCOMPARE(server_.Requests().count("/download/pack"), 1);

    source_.Module().SetSaveLocationChooser([this](QWidget*, const QString& suggestedPath) {
        suggestions_.append(suggestedPath);
        return saveAs_;
    });
}

void TestBrowserPane::downloadGoesOnWhenItsPaneIsGone() {
    HttpRoute stalled = Attachment("skin-pack.zip");
    stalled.generatedSize = 2 * 1024 * 1024;
    stalled.stallAfter = 128 * 1024;
    server_.Serve("/download/stalled", stalled);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString saveAs = directory.filePath(QStringLiteral("pack.zip"));

    Holder holder = OpenPane();
    QWidget* window = StartDownload(holder, "/download/stalled", saveAs);
    QVERIFY(window != nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(LabelText(window, "bytesLabel").startsWith("128"), kLoadTimeout);

    // The tool window is unloaded: its widgets, the pane among them, go.
    holder.window.reset();
    QTest::qWait(200);
    server_.ResumeStalled();
    QTRY_COMPARE_WITH_TIMEOUT(LabelText(window, "stateLabel"), QStringLiteral("下载完成"),
                              kLoadTimeout);
    QVERIFY(ReadFile(saveAs) == LocalHttpServer::GeneratedBody(stalled.generatedSize));
}

void TestBrowserPane::quittingDuringADownloadLeavesNothing() {
    HttpRoute stalled = Attachment("skin-pack.zip");
    stalled.generatedSize = 4 * 1024 * 1024;
    stalled.stallAfter = 64 * 1024;
    server_.Serve("/download/stalled", stalled);
    QTemporaryDir directory;
    QVERIFY(directory.isValid());
    const QString saveAs = directory.filePath(QStringLiteral("pack.zip"));

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(kQuitChild), server_.Address(QStringLiteral("/download/stalled")),
                 saveAs});
    // The wait serves the child's requests meanwhile.
    QTRY_COMPARE_WITH_TIMEOUT(child.state(), QProcess::NotRunning, 2 * kLoadTimeout);
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(server_.Requests().count("/download/stalled"), 1);
    QCOMPARE(FilesIn(directory.path()), QStringList());
}

int main(int argc, char* argv[]) {
    // As the program does: the engine needs a GL context shared from the start.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == QLatin1String(kQuitChild)) {
        return QuitWhileDownloading(arguments.at(2), arguments.at(3));
    }
    TestBrowserPane test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_browserpane.moc"
