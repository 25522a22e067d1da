#pragma once

#include <QString>
#include <QtPlugin>

#include <functional>

class BrowserPane;
class QWidget;

// What the program asks of the module that holds the web engine. The program
// itself never links the engine: it loads this module when a window with a
// pane is about to open, or opens.
class BrowserPaneModule {
public:
    // Asked where to save a download, starting from `suggestedPath`; an empty
    // answer declines the download. `parent` is the pane the download came
    // from, or null.
    using SaveLocationChooser =
        std::function<QString(QWidget* parent, const QString& suggestedPath)>;

    virtual ~BrowserPaneModule() = default;

    // A fresh pane, child of `holder`, with a page of its own.
    virtual BrowserPane* CreatePane(QWidget& holder) = 0;

    // Starts what every pane shares (the engine and the session its pages
    // use) ahead of the first pane.
    virtual void Prepare() = 0;

    // Replaces the save dialog, for runs that have nobody to answer it; an
    // empty chooser brings the dialog back.
    virtual void SetSaveLocationChooser(SaveLocationChooser chooser) = 0;

    // Runs `end` at once when no download is running; otherwise leaves the
    // download windows open and runs it once the last of them has been
    // closed.
    virtual void EndWhenDownloadsDone(std::function<void()> end) = 0;
};

#define CT_BROWSER_PANE_MODULE_IID "CreeperToolkit.BrowserPaneModule/3"
Q_DECLARE_INTERFACE(BrowserPaneModule, CT_BROWSER_PANE_MODULE_IID)
