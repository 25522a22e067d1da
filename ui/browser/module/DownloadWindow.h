#pragma once

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
// download runs cancels it.
class DownloadWindow final : public QWidget {
    Q_OBJECT

public:
    DownloadWindow(QWebEngineDownloadRequest& request, PartFile part);
    ~DownloadWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Update();
    void ShowBytes(qint64 received, qint64 total);
    void End(const QString& outcome);
    void OnButton();

    std::unique_ptr<Ui::DownloadWindow> ui_;
    QPointer<QWebEngineDownloadRequest> request_;
    PartFile part_;
    bool ended_ = false;
};
