#pragma once

#include <QStringView>

// Whether the window system, not the program, places top-level windows on
// the platform Qt runs on (QGuiApplication::platformName()). Wayland gives a
// client no say over where its windows are: a move must be handed to the
// compositor, and a window cannot centre itself.
bool WindowSystemPlacesWindows(QStringView platformName);
