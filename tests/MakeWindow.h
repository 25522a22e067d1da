#pragma once

#include "Form1.h"
#include "download.h"
#include "effect.h"
#include "skin.h"

#include <memory>

// Any of the four windows, made as the program's registry makes it.
inline std::unique_ptr<FramedWindow> MakeWindow(WindowName name, WindowHost& host,
                                                PaneSource& panes) {
    switch (name) {
    case WindowName::Form1:
        return std::make_unique<Form1>(host);
    case WindowName::skin:
        return std::make_unique<skin>(host, panes);
    case WindowName::effect:
        return std::make_unique<effect>(host);
    case WindowName::download:
        return std::make_unique<download>(host, panes);
    }
    return nullptr;
}
