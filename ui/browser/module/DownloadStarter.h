#pragma once

#include "BrowserPaneModule.h"

#include <QList>
#include <QObject>
#include <QPointer>

class DownloadWindow;
class QWebEngineDownloadRequest;
class QWebEngineProfile;

// Answers the profile's download requests: asks where to save, has the engine
// write beside that place under a name of its own, and opens a window that
// follows the download. The windows belong to no tool window, so a download
// goes on when the window it started from is unloaded.
class DownloadStarter final : public QObject {
    Q_OBJECT

public:
    DownloadStarter(QWebEngineProfile& profile, BrowserPaneModule::SaveLocationChooser chooser);
    ~DownloadStarter() override;

    // Drops the downloads still running, with their partial files, and
    // closes every download window.
    void AbandonAll();

private:
    void Start(QWebEngineDownloadRequest* request);
    DownloadWindow* WindowFor(quint32 downloadId) const;

    BrowserPaneModule::SaveLocationChooser chooser_;
    QList<QPointer<DownloadWindow>> windows_;
};
