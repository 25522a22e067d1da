#include "WindowPlacement.h"

bool WindowSystemPlacesWindows(QStringView platformName) {
    // "wayland", "wayland-egl", "wayland-brcm", ...: every Wayland back end.
    return platformName.startsWith(u"wayland", Qt::CaseInsensitive);
}
