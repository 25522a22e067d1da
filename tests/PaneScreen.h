#pragma once

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QScreen>
#include <QWidget>

// What a window with a browser pane shows on the display, for tests that run
// the real engine.

// The engine's view inside a pane, found by class name: the tests do not
// link the engine, just as the program does not. `pane` may be any widget
// holding one.
inline QWidget* ViewOf(QWidget& pane) {
    const QList<QWidget*> children = pane.findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (qstrcmp(child->metaObject()->className(), "QWebEngineView") == 0) {
            return child;
        }
    }
    return nullptr;
}

// A PNG of one colour, easy to find again on the screen.
inline QByteArray SolidPng(QRgb colour, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// What the display shows of `widget`, as a person would see it: the engine
// draws through the GPU path, which a widget grab does not always see.
inline QImage Screenshot(QWidget& widget) {
    const QPoint origin = widget.mapTo(widget.window(), QPoint(0, 0));
    return widget.screen()
        ->grabWindow(widget.window()->winId(), origin.x(), origin.y(), widget.width(),
                     widget.height())
        .toImage();
}

inline int CountColour(const QImage& image, QRgb colour) {
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

// Anything at all: not one colour all over.
inline bool ShowsSomething(const QImage& image) {
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

// An error page: mostly white, with at least `minDark` pixels of dark text.
inline bool ShowsTextOnWhite(const QImage& image, int minDark) {
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
