// The main menu as the user meets it: the colours, captions and fonts it
// shows, its entry tiles and its frame. Where each control stands is
// tst_layouts'.
#include "CjkFonts.h"
#include "ClickLabel.h"
#include "Form1.h"
#include "Layout.h"
#include "PictureBox.h"
#include "TestTable.h"
#include "WindowInput.h"
#include "WindowSuite.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QRawFont>
#include <QTest>

using namespace Layout;
using namespace WindowInput;

class TestForm1 final : public QObject, WindowSuite<Form1> {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captionNamesTheToolbox();
    void captionsFontsAndTextColours_data();
    void captionsFontsAndTextColours();
    void backgroundsAndTextColours();
    void captionsUseInstalledGlyphs();
    void edgesCutTheClosingLineAndTheCloseBox();
    void tabOrderStartsAtTheMinimizeBox();
    void entryTilesSwitchOnce_data();
    void entryTilesSwitchOnce();
    void labelsWithoutHandlersDoNothing_data();
    void labelsWithoutHandlersDoNothing();
    void minimizeLabelMinimizes();
    void closeLabelUnloads();
    void skinTileIsTheStoredBitmap();
};

void TestForm1::initTestCase() {
    InstallCjkFontFallbacks();
}

void TestForm1::init() {
    QVERIFY(Open());
}

void TestForm1::cleanup() {
    Close();
}

void TestForm1::captionNamesTheToolbox() {
    QVERIFY(window_->Surface()->windowTitle().startsWith(QStringLiteral("苦力怕工具箱")));
}

void TestForm1::captionsFontsAndTextColours_data() {
    AddCaptionColumns();
    const quint32 white = 0x00FFFFFF;
    AddCaptionRow("Label4", "MC版本万能下载器", "黑体", 21.75);
    AddCaptionRow("Label3", "effect效果指令生成器", "黑体", 21.75);
    AddCaptionRow("labsmall", "＿", "", 0, white);
    AddCaptionRow("labclose", "╳", "宋体", 7.5, white);
    AddCaptionRow("Label5", "更多酷炫软件，敬请期待……", "黑体", 26.25);
    AddCaptionRow("Label2", "请选择您要打开的内容（最新版本）：", "黑体", 26.25, white);
    AddCaptionRow("Label1", "", "黑体", 21.75, 0x00FFFF00);
}

void TestForm1::captionsFontsAndTextColours() {
    VerifyCaptionRow(*window_->Surface());
}

// What the user sees where no caption covers a control: its own colour, or
// for a transparent label the box beneath it.
void TestForm1::backgroundsAndTextColours() {
    QWidget* surface = window_->Surface();
    for (const ClickLabel* label : surface->findChildren<ClickLabel*>()) {
        QCOMPARE(label->alignment(), Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
    }
    const QImage shot = surface->grab().toImage();
    const auto at = [&](const char* name, bool top = false) {
        QWidget* control = Control<QWidget>(name);
        return shot.pixelColor(control->mapTo(surface, BarePoint(control, top)));
    };
    const QPalette system = QApplication::palette();
    QCOMPARE(at("Picture2"), Ole(0x0080FF80));
    QCOMPARE(at("Label4"), Ole(0x0080FF80));
    QCOMPARE(at("Picture1"), system.color(QPalette::Highlight));
    QCOMPARE(at("Label3"), system.color(QPalette::Highlight));
    QCOMPARE(at("Image1"), Ole(0x0080FFFF));
    // At the top, beside the low "＿".
    QCOMPARE(at("picsmall", true), Ole(kFrameBlue));
    QCOMPARE(at("labsmall", true), Ole(kFrameBlue));
    for (const char* name : {"picclose", "labclose", "Label5", "Label2", "Label1"}) {
        QCOMPARE(at(name), Ole(kFrameBlue));
    }
    for (const char* name : {"Label4", "Label3", "Label5"}) {
        QCOMPARE(Control<QWidget>(name)->palette().color(QPalette::WindowText),
                 system.color(QPalette::ButtonText));
    }
}

void TestForm1::captionsUseInstalledGlyphs() {
    const auto labels = window_->Surface()->findChildren<ClickLabel*>();
    int checked = 0;
    for (const ClickLabel* label : labels) {
        if (label->text().isEmpty()) {
            continue;
        }
        const QRawFont raw = QRawFont::fromFont(label->font());
        for (const QChar c : label->text()) {
            QVERIFY2(
                raw.supportsCharacter(c),
                qPrintable(QStringLiteral("%1 has no glyph for %2 in %3")
                               .arg(label->objectName(), c, QFontInfo(label->font()).family())));
        }
        ++checked;
    }
    QCOMPARE(checked, 7);
}

void TestForm1::edgesCutTheClosingLineAndTheCloseBox() {
    // The closing line reaches below the window's bottom edge.
    auto* label5 = Control<QWidget>("Label5");
    QWidget* surface = window_->Surface();
    QVERIFY(label5->geometry().bottom() > surface->rect().bottom());
    QCOMPARE(label5->mapTo(surface, label5->visibleRegion().boundingRect().bottomLeft()).y(),
             surface->rect().bottom());
    // Of the close box only the part under its cross is visible.
    auto* picclose = Control<QWidget>("picclose");
    QCOMPARE(picclose->visibleRegion().boundingRect(), Control<QWidget>("labclose")->geometry());
    // The minimize label is larger than its box and cut to it.
    auto* labsmall = Control<QWidget>("labsmall");
    QCOMPARE(labsmall->visibleRegion().boundingRect(),
             QRect(QPoint(0, 0), Control<QWidget>("picsmall")->size()));
}

void TestForm1::tabOrderStartsAtTheMinimizeBox() {
    QCOMPARE(window_->Surface()->focusWidget(), Control<QWidget>("picsmall"));
    QCOMPARE(FocusChain(), (QStringList{"picsmall", "picclose", "Picture1", "Picture2"}));
}

void TestForm1::entryTilesSwitchOnce_data() {
    TEST_COLUMNS(QString, control, QPoint, where, int, target);
    QTest::newRow("skin picture") << "Image1" << QPoint(30, 20) << int(WindowName::skin);
    QTest::newRow("effect caption") << "Label3" << QPoint(30, 20) << int(WindowName::effect);
    QTest::newRow("effect tile margin") << "Picture1" << QPoint(5, 100) << int(WindowName::effect);
    QTest::newRow("downloader caption") << "Label4" << QPoint(30, 20) << int(WindowName::download);
    QTest::newRow("downloader tile margin")
        << "Picture2" << QPoint(5, 5) << int(WindowName::download);
}

void TestForm1::entryTilesSwitchOnce() {
    TEST_FETCH(QString, control, QPoint, where, int, target);
    auto* tile = Control<QWidget>(control);
    QVERIFY(tile != nullptr);
    // The probe point must really be the control's own, not one on a child.
    QCOMPARE(window_->Surface()->childAt(tile->mapTo(window_->Surface(), where)), tile);
    Click(tile, where);
    QCOMPARE(host_->switches.size(), std::size_t(1));
    QCOMPARE(int(host_->switches.front()), target);
    QCOMPARE(host_->unloads, 0);
}

void TestForm1::labelsWithoutHandlersDoNothing_data() {
    TEST_COLUMNS(QString, control);
    QTest::newRow("welcome line") << "Label1";
    QTest::newRow("prompt") << "Label2";
    QTest::newRow("closing line") << "Label5";
}

void TestForm1::labelsWithoutHandlersDoNothing() {
    TEST_FETCH(QString, control);
    QWidget* surface = window_->Surface();
    auto* label = Named(surface, control);
    const QPoint start = surface->pos();
    Click(label, QPoint(10, 10));
    Press(label, QPoint(10, 10));
    MoveTo(label, QPoint(60, 20));
    Release(label, QPoint(60, 20));
    QVERIFY(host_->switches.empty());
    QCOMPARE(host_->unloads, 0);
    QCOMPARE(surface->pos(), start);
    QVERIFY(window_->IsLoaded());
}

void TestForm1::minimizeLabelMinimizes() {
    Click(Control<QWidget>("labsmall"), QPoint(4, 8));
    QVERIFY(window_->Surface()->isMinimized());
    QVERIFY(window_->IsLoaded());
}

void TestForm1::closeLabelUnloads() {
    Click(Control<QWidget>("labclose"), QPoint(8, 8));
    QVERIFY(!window_->IsLoaded());
    QCOMPARE(host_->unloads, 1);
    QVERIFY(host_->switches.empty());
}

void TestForm1::skinTileIsTheStoredBitmap() {
    // The asset: a 24-bit Windows bitmap, as big as the control that shows it
    // (checked below; the control's size is the layout's, see tst_layouts).
    QCOMPARE(QFileInfo(QStringLiteral(SKIN_TILE_FILE)).size(), qint64(103022));
    const QImage tile(QStringLiteral(SKIN_TILE_FILE));
    QFile bitmap(QStringLiteral(SKIN_TILE_FILE));
    QVERIFY(bitmap.open(QIODevice::ReadOnly));
    const QByteArray header = bitmap.read(30);
    QCOMPARE(header.left(2), QByteArray("BM"));
    QCOMPARE(quint8(header[28]) | quint8(header[29]) << 8, 24); // bits per pixel

    // Light yellow field; the blue words stay inside their box.
    const QColor field(255, 255, 128);
    const QRect wordsBox(QPoint(16, 42), QPoint(239, 72));
    int pureBlue = 0;
    QRect inked;
    for (int y = 0; y < tile.height(); ++y) {
        for (int x = 0; x < tile.width(); ++x) {
            const QColor c = tile.pixelColor(x, y);
            if (c == field) {
                continue;
            }
            inked |= QRect(x, y, 1, 1);
            if (c == QColor(0, 0, 255)) {
                ++pureBlue;
            }
        }
    }
    QVERIFY2(wordsBox.contains(inked), qPrintable(QStringLiteral("ink at %1,%2 %3x%4")
                                                      .arg(inked.x())
                                                      .arg(inked.y())
                                                      .arg(inked.width())
                                                      .arg(inked.height())));
    QVERIFY(inked.width() > wordsBox.width() / 2);
    QVERIFY(pureBlue > 500);

    // Shown at its natural size, not stretched.
    auto* image1 = Control<ClickLabel>("Image1");
    QCOMPARE(image1->pixmap().size(), tile.size());
    QCOMPARE(image1->size(), tile.size());
    QVERIFY(!image1->hasScaledContents());
    const QImage shown = image1->grab().toImage();
    QCOMPARE(shown.pixelColor(100, 57), tile.pixelColor(100, 57));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
