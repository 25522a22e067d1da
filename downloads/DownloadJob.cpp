#include "DownloadJob.h"

#include "DownloadFallback.h"
#include "DownloadMessages.h"
#include "Fetcher.h"
#include "FileCheck.h"
#include "LateCheck.h"
#include "PartSweeper.h"

#include <QLocale>

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
        if (state_ == State::Running) {
            Finish();
        }
        return;
    case DownloadSource::State::Cancelled:
        part_.Discard();
        if (overSize_ >= 0) {
            End(State::Failed, Say(DownloadText::TooLarge, QLocale::c().toString(overSize_)));
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

bool DownloadJob::FallBack(const QString& why) {
    const std::shared_ptr<DownloadFallback> fallback = std::exchange(expected_.fallback, nullptr);
    if (fallback == nullptr) {
        return false;
    }
    connect(fallback.get(), &DownloadFallback::Rerouted, this, [this](const QString& refusal) {
        status_ = Say(DownloadText::Rerouted, refusal);
        Q_EMIT Rerouted(refusal);
        Q_EMIT Changed();
    });
    connect(fallback.get(), &DownloadFallback::Found, this,
            [this](const QUrl& file, bool, const DownloadExpectation& expected) {
                TakeOver(file, expected);
            });
    connect(fallback.get(), &DownloadFallback::Failed, this,
            [this](const QString& heading, const QString& detail) {
                fallingBack_.reset();
                End(State::Failed, Say(DownloadText::ElsewhereFailed, heading, detail));
            });
    fallingBack_ = fallback;
    if (!fallback->Find(why)) {
        fallingBack_.reset();
        return false;
    }
    return true;
}

void DownloadJob::TakeOver(const QUrl& file, const DownloadExpectation& expected) {
    Fetcher& network = fallingBack_->Network();
    fallingBack_.reset();
    expected_ = expected;
    expected_.fallback.reset();
    disconnect(source_.get(), nullptr, this, nullptr);
    source_ = network.Download(file, part_.Path());
    connect(source_.get(), &DownloadSource::Changed, this, &DownloadJob::Follow);
    for (const std::shared_ptr<LateCheck>& check : expected_.late) {
        connect(check.get(), &LateCheck::Settled, this, &DownloadJob::Bound);
    }
    received_ = 0;
    total_ = 0;
    status_ = Say(DownloadText::Downloading);
    Follow();
    Q_EMIT Changed();
}

void DownloadJob::Bound() {
    if (state_ != State::Running || overSize_ >= 0) {
        return;
    }
    const qint64 size = CheckToApply(expected_).identity.size;
    if (size >= 0 && (received_ > size || total_ > size)) {
        // The part goes once the source says it has stopped.
        overSize_ = size;
        source_->Cancel();
    }
}

// A check still being asked for, and worth waiting for, is waited for.
void DownloadJob::Finish() {
    if (!IsRunning()) {
        return; // cancelled while it waited
    }
    if (MustWaitForChecks(expected_)) {
        if (state_ != State::AwaitingCheck) {
            state_ = State::AwaitingCheck;
            QStringList awaited;
            for (const std::shared_ptr<LateCheck>& check : expected_.late) {
                if (!check->IsSettled()) {
                    awaited << check->Against();
                    connect(check.get(), &LateCheck::Settled, this, &DownloadJob::Finish);
                }
            }
            status_ =
                Say(DownloadText::AwaitingChecks, awaited.join(Say(DownloadText::ChecksJoiner)));
            Q_EMIT Changed();
        }
        return;
    }
    const FileVerdict verdict = JudgeFile(part_.Path(), expected_);
    expected_.late.clear();
    Place(verdict);
}

// Judged while still under the part's name: a file that does not match
// never appears under the chosen one.
void DownloadJob::Place(const FileVerdict& verdict) {
    QString outcome = Say(DownloadText::Done);
    switch (verdict.kind) {
    case FileVerdict::Kind::Mismatched:
        part_.Discard();
        End(State::Failed, Say(DownloadText::Mismatched, verdict.detail));
        return;
    case FileVerdict::Kind::Matched:
        outcome = verdict.detail.isEmpty() ? Say(DownloadText::DoneChecked)
                                           : Say(DownloadText::DoneCheckedAgainst, verdict.detail);
        break;
    case FileVerdict::Kind::Unchecked:
        if (!verdict.detail.isEmpty()) {
            outcome = Say(DownloadText::DoneUnchecked, verdict.detail);
        }
        break;
    }
    const QString error = part_.Commit();
    if (!error.isEmpty()) {
        part_.Discard();
        End(State::Failed, Say(DownloadText::CannotSave, part_.ChosenPath(), error));
        return;
    }
    End(State::Succeeded, outcome);
}

void DownloadJob::End(State state, const QString& status) {
    state_ = state;
    status_ = status;
    // A writer that still holds on may write more under the part's name.
    if (state != State::Succeeded && !source_->IsFinished()) {
        disconnect(source_.get(), nullptr, this, nullptr);
        PartSweeper::Follow(std::move(source_), part_);
    }
    Q_EMIT Changed();
}
