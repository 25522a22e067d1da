// The baseline: the same windows and cycles with a pane that does nothing.
#include "NullPane.h"
#include "SwitchCycles.h"

int main(int argc, char* argv[]) {
    return RunSwitchCycles(argc, argv, [] { return std::make_unique<NullPaneSource>(); });
}
