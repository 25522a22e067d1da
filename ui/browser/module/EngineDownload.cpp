#include "EngineDownload.h"

#include "EngineQuirks.h"
#include "InterruptWords.h"
#include "PartFile.h"

#include <QWebEngineDownloadRequest>

EngineDownload::EngineDownload(QWebEngineDownloadRequest& request, const PartFile& part)
    : directory_(part.Directory())
    , fileName_(part.FileName())
    , id_(request.id()) {
    Follow(request);
}

void EngineDownload::Follow(QWebEngineDownloadRequest& request) {
    if (request_ != nullptr) {
        disconnect(request_, nullptr, this, nullptr);
    }
    EngineQuirks::AcceptInto(request, directory_, fileName_);
    request_ = &request;
    connect(&request, &QWebEngineDownloadRequest::stateChanged, this, &DownloadSource::Changed,
            EngineQuirks::kReadAfterChange);
    connect(&request, &QWebEngineDownloadRequest::receivedBytesChanged, this,
            &DownloadSource::Changed, EngineQuirks::kReadAfterChange);
    connect(&request, &QWebEngineDownloadRequest::totalBytesChanged, this, &DownloadSource::Changed,
            EngineQuirks::kReadAfterChange);
    connect(&request, &QWebEngineDownloadRequest::isFinishedChanged, this, &DownloadSource::Changed,
            EngineQuirks::kReadAfterChange);
    // Gone without a word is a change too.
    connect(&request, &QObject::destroyed, this, &DownloadSource::Changed,
            EngineQuirks::kReadAfterChange);
    Q_EMIT Changed();
}

DownloadSource::State EngineDownload::Now() const {
    if (request_ == nullptr) {
        return State::Gone;
    }
    switch (request_->state()) {
    case QWebEngineDownloadRequest::DownloadRequested:
    case QWebEngineDownloadRequest::DownloadInProgress:
        return State::Running;
    case QWebEngineDownloadRequest::DownloadCompleted:
        return State::Completed;
    case QWebEngineDownloadRequest::DownloadCancelled:
        return State::Cancelled;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        return State::Interrupted;
    }
    return State::Gone;
}

qint64 EngineDownload::ReceivedBytes() const {
    return request_ != nullptr ? request_->receivedBytes() : 0;
}

qint64 EngineDownload::TotalBytes() const {
    return request_ != nullptr ? request_->totalBytes() : 0;
}

QString EngineDownload::InterruptReason() const {
    return request_ != nullptr ? InterruptWords(*request_) : QString();
}

// See EngineQuirks: an interruption is not the end of the writing.
bool EngineDownload::IsFinished() const {
    return request_ == nullptr || (request_->isFinished() && Now() != State::Running);
}

void EngineDownload::Cancel() {
    if (request_ != nullptr) {
        request_->cancel();
    }
}
