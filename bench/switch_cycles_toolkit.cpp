// Long use with the real browser pane: the web engine module, as the program
// loads it.
#include "ModulePaneSource.h"
#include "SwitchCycles.h"

int main(int argc, char* argv[]) {
    return RunSwitchCycles(argc, argv, [] { return std::make_unique<ModulePaneSource>(); });
}
