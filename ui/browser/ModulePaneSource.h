#pragma once

#include "PaneSource.h"

#include <QPluginLoader>
#include <QString>

class BrowserPaneModule;

// The program's pane source: loads the web engine module the first time a pane
// is wanted and keeps it loaded for the rest of the run.
class ModulePaneSource final : public PaneSource {
public:
    // Looks for the module where the build and the install put it, relative
    // to the program's folder.
    ModulePaneSource();
    // Looks for the module at `modulePath` (a file name; the suffix may be left off).
    explicit ModulePaneSource(const QString& modulePath);

    // Throws std::runtime_error, naming the module and the loader's reason,
    // if the module cannot be loaded.
    BrowserPane& CreatePane(QWidget& holder) override;
    void EndWhenIdle(std::function<void()> end) override;

    // The loaded module, loading it first if need be; throws as above.
    BrowserPaneModule& Module();

private:
    QString modulePath_;
    QPluginLoader loader_;
    BrowserPaneModule* module_ = nullptr;
};
