#include "PaneScreen.h"

#include <QBuffer>
#include <QColor>
#include <QScreen>
#include <QWidget>

QWidget* ViewOf(QWidget& pane) {
    const QList<QWidget*> children = pane.findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (qstrcmp(child->metaObject()->className(), "QWebEngineView") == 0) {
            return child;
        }
    }
    return nullptr;
}

QByteArray SolidPng(QRgb colour, int width, int height, const char* format) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    // Without the physical size Qt writes (a pHYs chunk, 9 bytes of data),
    // which the pane drops: a PNG of its pixels' chunks alone.
    const qsizetype physicalSize = png.indexOf("pHYs");
    if (physicalSize >= 4) {
        png.remove(physicalSize - 4, 4 + 4 + 9 + 4);
    }
    return png;
}

QImage Screenshot(QWidget& widget) {
    const QPoint origin = widget.mapTo(widget.window(), QPoint(0, 0));
    return widget.screen()
        ->grabWindow(widget.window()->winId(), origin.x(), origin.y(), widget.width(),
                     widget.height())
        .toImage();
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

bool ShowsSomething(const QImage& image) {
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != first) {
                return true;
            }
        }
    }
    return false;
}

bool ShowsTextOnWhite(const QImage& image, int minDark) {
    int white = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.lightness() > 245) {
                ++white;
            } else if (pixel.lightness() < 100) {
                ++dark;
            }
        }
    }
    return white > image.width() * image.height() / 2 && dark >= minDark;
}
