#pragma once

#include "DownloadSource.h"

#include <QFile>
#include <QPointer>

class QNetworkReply;

// A file the toolbox fetches itself, written into a part file as it comes:
// the source of a download the engine did not start.
class NetworkDownload final : public DownloadSource {
    Q_OBJECT

public:
    // Follows `reply`, which it takes over, writing into `path`, a file it
    // makes itself: it is interrupted at once when anything is there.
    NetworkDownload(QNetworkReply* reply, const QString& path);
    ~NetworkDownload() override;

    State Now() const override { return state_; }
    qint64 ReceivedBytes() const override { return received_; }
    qint64 TotalBytes() const override { return total_; }
    QString InterruptReason() const override { return reason_; }
    void Cancel() override;

private:
    void OnHead();
    void OnData();
    void OnFinished();
    void Interrupt(const QString& reason);

    QPointer<QNetworkReply> reply_;
    QFile file_;
    State state_ = State::Running;
    qint64 received_ = 0;
    qint64 total_ = 0;
    QString reason_;
};
