// The main menu as the user meets it: the colours, captions and fonts it
// shows, its entry tiles and its frame. Where each control stands is
// tst_layouts'.
#include "CjkFonts.h"
#include "ClickLabel.h"
#include "Form1.h"
#include "Layout.h"
#include "PictureBox.h"
#include "RecordingHost.h"
#include "WindowInput.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QImage>
#include <QRawFont>
#include <QTest>

namespace {

// Colours the layout names by system colour rather than by value.
// None: the control has no text colour of its own.
enum class Shade { None, Value, Highlight, ButtonText, Transparent };

struct Paint {
    Shade shade = Shade::None;
    quint32 ole = 0;
};

Paint Colour(quint32 ole) {
    return {Shade::Value, ole};
}

QColor Resolve(const Paint& paint, const QColor& beneath) {
    switch (paint.shade) {
    case Shade::Highlight:
        return QApplication::palette().color(QPalette::Highlight);
    case Shade::ButtonText:
        return QApplication::palette().color(QPalette::ButtonText);
    case Shade::Transparent:
        return beneath;
    case Shade::None:
    case Shade::Value:
        break;
    }
    return Layout::Ole(paint.ole);
}

} // namespace

Q_DECLARE_METATYPE(Paint)

using namespace WindowInput;

class TestForm1 final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void windowIsBorderlessWithItsCaption();
    void coloursCaptionsAndFonts_data();
    void coloursCaptionsAndFonts();
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

private:
    template <class T> T* Control(const QString& name) const { return Named<T>(window_, name); }

    RecordingHost* host_ = nullptr;
    Form1* window_ = nullptr;
};

void TestForm1::initTestCase() {
    InstallCjkFontFallbacks();
}

void TestForm1::init() {
    host_ = new RecordingHost;
    window_ = new Form1(*host_);
    window_->Show();
    QVERIFY(QTest::qWaitForWindowExposed(window_->Surface()));
}

void TestForm1::cleanup() {
    delete window_;
    delete host_;
    DestroyUnloadedWidgets();
}

void TestForm1::windowIsBorderlessWithItsCaption() {
    QWidget* surface = window_->Surface();
    QVERIFY(surface->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(surface->windowTitle().startsWith(QStringLiteral("苦力怕工具箱")));
}

void TestForm1::coloursCaptionsAndFonts_data() {
    QTest::addColumn<Paint>("back");
    QTest::addColumn<Paint>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("font");
    QTest::addColumn<qreal>("points");
    // Where to look for the background: at the top, beside a low caption.
    QTest::addColumn<bool>("top");

    const Paint none;
    const Paint buttonText{Shade::ButtonText, 0};
    const Paint highlight{Shade::Highlight, 0};
    const Paint transparent{Shade::Transparent, 0};
    const Paint white = Colour(0x00FFFFFF);
    const Paint blue = Colour(Layout::kFrameBlue);
    const Paint green = Colour(0x0080FF80);

    QTest::newRow("Picture2") << green << none << ""
                              << "" << 0.0 << false;
    QTest::newRow("Label4") << green << buttonText << "MC版本万能下载器"
                            << "黑体" << 21.75 << false;
    QTest::newRow("Picture1") << highlight << none << ""
                              << "" << 0.0 << false;
    QTest::newRow("Label3") << highlight << buttonText << "effect效果指令生成器"
                            << "黑体" << 21.75 << false;
    QTest::newRow("picsmall") << blue << none << ""
                              << "" << 0.0 << true;
    QTest::newRow("labsmall") << transparent << white << "＿"
                              << "" << 0.0 << true;
    QTest::newRow("picclose") << blue << none << ""
                              << "" << 0.0 << false;
    QTest::newRow("labclose") << transparent << white << "╳"
                              << "宋体" << 7.5 << false;
    QTest::newRow("Label5") << blue << buttonText << "更多酷炫软件，敬请期待……"
                            << "黑体" << 26.25 << false;
    QTest::newRow("Image1") << Colour(0x0080FFFF) << none << ""
                            << "" << 0.0 << false;
    QTest::newRow("Label2") << blue << white << "请选择您要打开的内容（最新版本）："
                            << "黑体" << 26.25 << false;
    QTest::newRow("Label1") << blue << Colour(0x00FFFF00) << ""
                            << "黑体" << 21.75 << false;
}

void TestForm1::coloursCaptionsAndFonts() {
    QFETCH(Paint, back);
    QFETCH(Paint, text);
    QFETCH(QString, caption);
    QFETCH(QString, font);
    QFETCH(qreal, points);
    QFETCH(bool, top);

    QWidget* surface = window_->Surface();
    auto* control = Named(surface, QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control != nullptr);
    if (auto* label = qobject_cast<ClickLabel*>(control)) {
        if (!caption.isEmpty()) {
            QCOMPARE(label->text(), caption);
        }
        QCOMPARE(label->alignment(), Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
        if (!font.isEmpty()) {
            QCOMPARE(label->font().family(), font);
            QCOMPARE(label->font().pointSizeF(), points);
            QCOMPARE(label->font().weight(), QFont::Normal);
        }
        if (text.shade != Shade::None) {
            QCOMPARE(label->palette().color(QPalette::WindowText), Resolve(text, {}));
        }
    }

    // What the user sees where no text covers the control: its own colour,
    // or for a transparent label the box beneath it.
    const QImage shot = surface->grab().toImage();
    const QPoint at = control->mapTo(surface, Layout::BarePoint(control, top));
    QVERIFY(surface->rect().contains(at));
    const QColor beneath = Layout::Ole(Layout::kFrameBlue);
    QCOMPARE(shot.pixelColor(at), Resolve(back, beneath));
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
    QWidget* surface = window_->Surface();
    QCOMPARE(surface->focusWidget(), Control<QWidget>("picsmall"));

    QStringList order;
    QWidget* w = surface->focusWidget();
    do {
        if (w->focusPolicy() & Qt::TabFocus) {
            order << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != surface->focusWidget());
    QCOMPARE(order, (QStringList{"picsmall", "picclose", "Picture1", "Picture2"}));
}

void TestForm1::entryTilesSwitchOnce_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<int>("target");
    QTest::newRow("skin picture") << "Image1" << QPoint(30, 20) << int(WindowName::skin);
    QTest::newRow("effect caption") << "Label3" << QPoint(30, 20) << int(WindowName::effect);
    QTest::newRow("effect tile margin") << "Picture1" << QPoint(5, 100) << int(WindowName::effect);
    QTest::newRow("downloader caption") << "Label4" << QPoint(30, 20) << int(WindowName::download);
    QTest::newRow("downloader tile margin")
        << "Picture2" << QPoint(5, 5) << int(WindowName::download);
}

void TestForm1::entryTilesSwitchOnce() {
    QFETCH(QString, control);
    QFETCH(QPoint, where);
    QFETCH(int, target);
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
    QTest::addColumn<QString>("control");
    QTest::newRow("welcome line") << "Label1";
    QTest::newRow("prompt") << "Label2";
    QTest::newRow("closing line") << "Label5";
}

void TestForm1::labelsWithoutHandlersDoNothing() {
    QFETCH(QString, control);
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
    // The asset: a 24-bit Windows bitmap of 281 x 122 pixels.
    QCOMPARE(QFileInfo(QStringLiteral(SKIN_TILE_FILE)).size(), qint64(103022));
    const QImage tile(QStringLiteral(SKIN_TILE_FILE));
    QCOMPARE(tile.size(), QSize(281, 122));
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
