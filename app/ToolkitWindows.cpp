#include "ToolkitWindows.h"

#include "Form1.h"
#include "PaneSource.h"
#include "WindowRegistry.h"
#include "download.h"
#include "effect.h"
#include "skin.h"

void RegisterToolkitWindows(WindowRegistry& registry, PaneSource& panes, const SkinBases& skins,
                            const VersionFileBases& versions, const VersionListSources& lists,
                            Fetcher* listFetcher) {
    registry.SetFactory(WindowName::Form1,
                        [](WindowHost& host) { return std::make_unique<Form1>(host); });
    registry.SetFactory(WindowName::skin, [&panes, skins](WindowHost& host) {
        return std::make_unique<skin>(host, panes, skins);
    });
    registry.SetFactory(WindowName::effect,
                        [](WindowHost& host) { return std::make_unique<effect>(host); });
    registry.SetFactory(
        WindowName::download, [&panes, versions, lists, listFetcher](WindowHost& host) {
            return std::make_unique<download>(host, panes, versions, lists, listFetcher);
        });
    // The engine of their panes is made ready while the pointer rests on their tiles.
    registry.SetPreparer(WindowName::skin, [&panes] { panes.Prepare(); });
    registry.SetPreparer(WindowName::download, [&panes] { panes.Prepare(); });
    // Closing the toolbox does not drop a download that is still running.
    registry.SetEndHold([&panes](std::function<void()> end) { panes.EndWhenIdle(std::move(end)); });
}
