#pragma once

#include "PaneSource.h"

#include <QObject>
#include <QPluginLoader>
#include <QString>

#include <functional>

class BrowserPaneModule;

// The program's pane source: loads the web engine module ahead of the first
// pane, or for it, and keeps it loaded for the rest of the run.
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
    // Loads the module and starts its engine one step per turn of the event
    // loop, so that input and painting wait for one step at most.
    void Prepare() override;
    void EndWhenIdle(std::function<void()> end) override;

    // The loaded module, loading it first if need be; throws as above.
    BrowserPaneModule& Module();

private:
    // Runs `step` on a later turn of the event loop; a step that throws ends
    // the preparing quietly.
    void Later(std::function<void()> step);

    QString modulePath_;
    QPluginLoader loader_;
    BrowserPaneModule* module_ = nullptr;
    bool preparing_ = false;
    // Steps still waiting go with the source.
    QObject steps_;
};
