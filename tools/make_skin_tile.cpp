// Draws the main menu's skin fetcher tile: 281 x 122 pixels, a light yellow
// field with "正版皮肤偷取器" in bold, smoothed pure blue inside the box from
// pixel (16, 42) to (239, 72), written as a 24-bit Windows bitmap.
//
//   cmake --build build --target make_skin_tile
//   QT_QPA_PLATFORM=offscreen build/tools/make_skin_tile ui/Form1/skin_tile.bmp

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

const QColor kField(255, 255, 128);
const QColor kInk(0, 0, 255);
const QRect kTextBox(QPoint(16, 42), QPoint(239, 72));
const QString kWords = QStringLiteral("正版皮肤偷取器");

QPainterPath WordsAt(int pixelSize) {
    QFont font(QStringLiteral("WenQuanYi Zen Hei"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    QPainterPath path;
    path.addText(0, 0, font, kWords);
    return path;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_skin_tile OUTPUT.bmp\n");
        return 2;
    }

    // The largest size whose outline fits the box, stroke included.
    const qreal stroke = 0.8;
    QPainterPath words;
    for (int size = 60; size > 4; --size) {
        words = WordsAt(size);
        const QRectF bounds = words.boundingRect().adjusted(-stroke, -stroke, stroke, stroke);
        if (bounds.width() <= kTextBox.width() - 1 && bounds.height() <= kTextBox.height() - 1) {
            break;
        }
    }
    const QRectF bounds = words.boundingRect();
    words.translate(QRectF(kTextBox).center() - bounds.center());

    QImage tile(281, 122, QImage::Format_RGB888);
    tile.fill(kField);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, stroke));
    painter.setBrush(kInk);
    painter.drawPath(words);
    painter.end();

    return tile.save(QString::fromLocal8Bit(argv[1]), "BMP") ? 0 : 1;
}
