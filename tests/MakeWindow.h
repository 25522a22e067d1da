#pragma once

#include "Form1.h"
#include "TestTable.h"
#include "WindowNames.h"
#include "download.h"
#include "effect.h"
#include "skin.h"

#include <QTest>

#include <memory>

// Any of the four windows, made as the program's registry makes it, or
// with the addresses' bases a test gives.
inline std::unique_ptr<FramedWindow>
MakeWindow(WindowName name, WindowHost& host, PaneSource& panes,
           const SkinBases& skinBases = ConfiguredSkinBases(),
           const VersionFileBases& versionBases = ConfiguredVersionFileBases()) {
    switch (name) {
    case WindowName::Form1:
        return std::make_unique<Form1>(host);
    case WindowName::skin:
        return std::make_unique<skin>(host, panes, skinBases);
    case WindowName::effect:
        return std::make_unique<effect>(host);
    case WindowName::download:
        return std::make_unique<download>(host, panes, versionBases);
    }
    return nullptr;
}

// One row a window, tagged with its name, in an int column "window".
inline void AddWindowRows() {
    TEST_COLUMNS(int, window);
    for (WindowName window : kWindows) {
        QTest::newRow(NameOf(window)) << int(window);
    }
}
