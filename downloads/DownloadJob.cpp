// DownloadJob, following its source: how it goes, a size it may not pass,
// and how it ends. Looking elsewhere is DownloadJobFallback.cpp; judging and
// placing a whole file, DownloadJobPlace.cpp.
#include "DownloadJob.h"

#include "DownloadFallback.h"
#include "DownloadMessages.h"
#include "LateCheck.h"
#include "PartSweeper.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

DownloadJob::DownloadJob(PartFile part, DownloadExpectation expected,
                         std::unique_ptr<DownloadSource> source, QObject* parent)
    : QObject(parent)
    , part_(std::move(part))
    , expected_(std::move(expected))
    , source_(std::move(source))
    , status_(Say(DownloadText::Downloading)) {
    connect(source_.get(), &DownloadSource::Changed, this, &DownloadJob::Follow);
    // A size that comes late bounds the rest of the download.
    for (const std::shared_ptr<LateCheck>& check : expected_.late) {
        connect(check.get(), &LateCheck::Settled, this, &DownloadJob::Bound);
    }
}

DownloadJob::~DownloadJob() {
    if (IsRunning()) {
        disconnect(source_.get(), nullptr, this, nullptr);
        PartSweeper::Follow(std::move(source_), part_);
    }
}

void DownloadJob::Cancel() {
    switch (state_) {
    case State::Running:
        if (fallingBack_ != nullptr) {
            disconnect(fallingBack_.get(), nullptr, this, nullptr);
            fallingBack_.reset();
            part_.Discard();
            End(State::Cancelled, Say(DownloadText::Cancelled));
            return;
        }
        // The part goes once the source says it has stopped.
        source_->Cancel();
        return;
    case State::AwaitingCheck:
        part_.Discard();
        End(State::Cancelled, Say(DownloadText::Cancelled));
        return;
    case State::Succeeded:
    case State::Failed:
    case State::Cancelled:
        return;
    }
}

void DownloadJob::Follow() {
    if (!IsRunning() || fallingBack_ != nullptr) {
        return;
    }
    received_ = source_->ReceivedBytes();
    total_ = source_->TotalBytes();
    switch (source_->Now()) {
    case DownloadSource::State::Running:
        Bound();
        Q_EMIT Changed();
        return;
    case DownloadSource::State::Completed:
        if (state_ != State::Running) {
            return;
        }
        // A file may pass its cap between two reports of its progress, and
        // with nothing to say its size no check would catch it later.
        if (CheckToApply(expected_).identity.size < 0 && expected_.sizeCap >= 0 &&
            std::max(received_, QFileInfo(part_.Path()).size()) > expected_.sizeCap) {
            overSize_ = expected_.sizeCap;
            overCap_ = true;
            part_.Discard();
            RefuseOversize();
            return;
        }
        Finish();
        return;
    case DownloadSource::State::Cancelled:
        part_.Discard();
        if (overSize_ >= 0) {
            RefuseOversize();
        } else {
            End(State::Cancelled, Say(DownloadText::Cancelled));
        }
        return;
    case DownloadSource::State::Interrupted:
        // The writer may keep a partial file to resume from; nothing resumes here.
        part_.Discard();
        if (received_ == 0 && FallBack(source_->InterruptReason())) {
            return;
        }
        End(State::Failed, Say(DownloadText::Failed, source_->InterruptReason()));
        return;
    case DownloadSource::State::Gone:
        part_.Discard();
        End(State::Failed, Say(DownloadText::Aborted));
        return;
    }
}

void DownloadJob::RefuseOversize() {
    const QString why = Say(overCap_ ? DownloadText::OverCap : DownloadText::OverDescribed,
                            QLocale::c().toString(overSize_));
    if (!FallBack(why)) {
        End(State::Failed, Say(DownloadText::Discarded, why));
    }
}

void DownloadJob::Bound() {
    if (state_ != State::Running || overSize_ >= 0 || fallingBack_ != nullptr) {
        return;
    }
    const qint64 known = CheckToApply(expected_).identity.size;
    const qint64 size = known >= 0 ? known : expected_.sizeCap;
    if (size >= 0 && (received_ > size || total_ > size)) {
        // The part goes once the source says it has stopped.
        overSize_ = size;
        overCap_ = known < 0;
        source_->Cancel();
    }
}

void DownloadJob::End(State state, const QString& status) {
    state_ = state;
    status_ = status;
    // The writer may write more under the part's name, even once it says it
    // has let go (see PartSweeper).
    if (state != State::Succeeded) {
        disconnect(source_.get(), nullptr, this, nullptr);
        PartSweeper::Follow(std::move(source_), part_);
    }
    Q_EMIT Changed();
}
