#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>

class QWidget;

// What a window with a browser pane shows on the display, for tests that run
// the real engine.

// The engine's view inside a pane, found by class name: the tests do not
// link the engine, just as the program does not. `pane` may be any widget
// holding one.
QWidget* ViewOf(QWidget& pane);

// A PNG (or another `format`) of one colour, easy to find again on the screen.
QByteArray SolidPng(QRgb colour, int width, int height, const char* format = "PNG");

// What the display shows of `widget`, as a person would see it: the engine
// draws through the GPU path, which a widget grab does not always see.
QImage Screenshot(QWidget& widget);

// The pixels within 2 of `colour` in each channel.
int CountColour(const QImage& image, QRgb colour);

// Anything at all: not one colour all over.
bool ShowsSomething(const QImage& image);

// An error page: mostly white, with at least `minDark` pixels of dark text.
bool ShowsTextOnWhite(const QImage& image, int minDark);
