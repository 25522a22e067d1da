#pragma once

#include "BrowserPaneModule.h"
#include "DownloadExpectation.h"

#include <QList>
#include <QObject>
#include <QPointer>

class DownloadWindow;
class QWebEngineDownloadRequest;
class QWebEnginePage;
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

    // The next download that `page` starts is checked against `expected`.
    // Keyed by page, not address: the engine names a download by the address
    // it ended at, and the mirror sends its files on to other hosts. A page
    // expects one download at a time.
    void Expect(const QWebEnginePage& page, const DownloadExpectation& expected);
    // `page` expects nothing any more.
    void Forget(const QWebEnginePage& page);

private:
    void Start(QWebEngineDownloadRequest* request);
    DownloadWindow* WindowFor(quint32 downloadId) const;
    DownloadExpectation TakeExpectation(const QWebEngineDownloadRequest& request);

    struct Expected {
        QPointer<const QWebEnginePage> page;
        DownloadExpectation expectation;
    };

    BrowserPaneModule::SaveLocationChooser chooser_;
    QList<QPointer<DownloadWindow>> windows_;
    QList<Expected> expected_;
};
