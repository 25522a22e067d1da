#pragma once

#include "WindowName.h"

// The four windows, in the order the registry knows them.
inline constexpr WindowName kWindows[] = {WindowName::Form1, WindowName::skin, WindowName::effect,
                                          WindowName::download};

// What the tests call a window in row tags and messages: its name in code.
inline const char* NameOf(WindowName window) {
    switch (window) {
    case WindowName::Form1:
        return "Form1";
    case WindowName::skin:
        return "skin";
    case WindowName::effect:
        return "effect";
    case WindowName::download:
        return "download";
    }
    return "?";
}
