#pragma once

#include "DownloadExpectation.h"
#include "PartFile.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QWebEngineDownloadRequest;

namespace Ui {
class DownloadWindow;
}

// Follows one accepted download: name, progress and bytes while it runs, its
// outcome once it ends. A complete download is moved onto the chosen name; a
// failed or cancelled one leaves no file behind. Closing the window while the
// download runs cancels it. A file whose size or SHA-1 is known beforehand is
// checked before it is moved, and removed when it does not match.
class DownloadWindow final : public QWidget {
    Q_OBJECT

public:
    explicit DownloadWindow(PartFile part, DownloadExpectation expected = {});
    ~DownloadWindow() override;

    // Accepts `request` into the part file and follows it from now on. Takes
    // a request the engine sends again for the same download in place of the
    // first one; does nothing once the download has ended.
    void Follow(QWebEngineDownloadRequest& request);

    // The engine's id of the download followed, 0 before the first Follow.
    quint32 DownloadId() const { return downloadId_; }
    // Until the download has ended one way or another.
    bool IsRunning() const { return !ended_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Update();
    void ShowBytes(qint64 received, qint64 total);
    void Finish();
    void End(const QString& outcome);
    void OnButton();

    std::unique_ptr<Ui::DownloadWindow> ui_;
    QPointer<QWebEngineDownloadRequest> request_;
    PartFile part_;
    DownloadExpectation expected_;
    quint32 downloadId_ = 0;
    bool ended_ = false;
    // The file is whole and waits for what it must hash to.
    bool waitingForCheck_ = false;
};
