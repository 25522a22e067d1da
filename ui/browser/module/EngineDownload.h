#pragma once

#include "DownloadSource.h"

#include <QPointer>

class PartFile;
class QWebEngineDownloadRequest;

// A download the engine writes into a part file, as a job sees it.
// Requests stay with the profile: deleting one would also drop a newer
// request for the same download, which the engine files under the same id.
class EngineDownload final : public DownloadSource {
    Q_OBJECT

public:
    // Accepts `request` into `part`; only inside the profile's
    // downloadRequested handler.
    EngineDownload(QWebEngineDownloadRequest& request, const PartFile& part);

    quint32 Id() const { return id_; }
    // Follows a request the engine sends again for the same download in
    // place of the first one, into the same part file.
    void Follow(QWebEngineDownloadRequest& request);

    State Now() const override;
    qint64 ReceivedBytes() const override;
    qint64 TotalBytes() const override;
    QString InterruptReason() const override;
    void Cancel() override;
    bool IsFinished() const override;

private:
    QPointer<QWebEngineDownloadRequest> request_;
    QString directory_;
    QString fileName_;
    quint32 id_;
};
