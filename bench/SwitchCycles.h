#pragma once

#include "PaneSource.h"

#include <QApplication>

#include <functional>
#include <memory>

// Long use: the toolbox assembled as the program assembles it, its skin
// fetcher pointed at an image server in this process, switched round
// Form1 -> skin (fetch) -> Form1 -> effect -> Form1 -> download -> Form1
// again and again by clicks on the windows' own controls. After cycles 1, 10,
// every 100th and the last it prints the process's resident memory, its peak,
// the widgets alive and the resident memory of the processes it started (the
// web engine's). Argument: the number of cycles (1000 when not given).
// `makePanes` is called once the application exists.
int RunSwitchCycles(int argc, char* argv[],
                    const std::function<std::unique_ptr<PaneSource>()>& makePanes);
