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
            const QString why = Say(overCap_ ? DownloadText::OverCap : DownloadText::OverDescribed,
                                    QLocale::c().toString(overSize_));
            if (!FallBack(why)) {
                End(State::Failed, Say(DownloadText::Discarded, why));
            }
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
    // Running again, though the file may have been whole: it is fetched anew.
    state_ = State::Running;
    if (!fallback->Find(why)) {
        fallingBack_.reset();
        return false;
    }
    return true;
}

void DownloadJob::TakeOver(const QUrl& file, const DownloadExpectation& expected) {
    Fetcher& network = fallingBack_->Network();
    fallingBack_.reset();
    DropChecks();
    expected_ = expected;
    expected_.fallback.reset();
    // The first source is stopped and swept until it lets go; whatever it
    // still writes goes under its own part's name, never under the new one.
    disconnect(source_.get(), nullptr, this, nullptr);
    PartSweeper::Follow(std::move(source_), part_);
    part_ = part_.Fresh();
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

// A check still being asked for, and worth waiting for, is waited for; the
// window names it.
void DownloadJob::Finish() {
    if (!IsRunning() || fallingBack_ != nullptr ||
        (state_ == State::Running && source_->Now() != DownloadSource::State::Completed)) {
        return; // ended or looked for elsewhere meanwhile, or not whole yet
    }
    if (const LateCheck* awaited = CheckToWaitFor(expected_)) {
        state_ = State::AwaitingCheck;
        for (const std::shared_ptr<LateCheck>& check : expected_.late) {
            connect(check.get(), &LateCheck::Settled, this, &DownloadJob::Finish,
                    Qt::UniqueConnection);
        }
        const QString status = Say(DownloadText::AwaitingChecks, awaited->Against());
        if (status != status_) {
            status_ = status;
            Q_EMIT Changed();
        }
        return;
    }
    const FileVerdict verdict = JudgeFile(part_.Path(), expected_);
    DropChecks();
    Place(verdict);
}

void DownloadJob::DropChecks() {
    for (const std::shared_ptr<LateCheck>& check : expected_.late) {
        disconnect(check.get(), nullptr, this, nullptr);
    }
    expected_.late.clear();
}

// Judged while still under the part's name: a file that does not match
// never appears under the chosen one, and one that is not what it must be
// is looked for elsewhere where there is somewhere else.
void DownloadJob::Place(const FileVerdict& verdict) {
    QString outcome = Say(DownloadText::Done);
    switch (verdict.kind) {
    case FileVerdict::Kind::Mismatched:
        part_.Discard();
        if (!FallBack(verdict.against.isEmpty()
                          ? verdict.detail
                          : Say(DownloadText::DiffersFrom, verdict.against, verdict.detail))) {
            End(State::Failed, Say(DownloadText::Mismatched, verdict.detail));
        }
        return;
    case FileVerdict::Kind::Matched:
        outcome = verdict.against.isEmpty()
                      ? Say(DownloadText::DoneChecked)
                      : Say(DownloadText::DoneCheckedAgainst, verdict.against);
        break;
    case FileVerdict::Kind::Unconfirmed:
        outcome = Say(DownloadText::DoneUnconfirmed, verdict.detail, verdict.against);
        break;
    case FileVerdict::Kind::Unchecked:
        if (!verdict.detail.isEmpty()) {
            outcome = Say(DownloadText::DoneUnchecked, verdict.detail);
        }
        break;
    }
    QString error;
    switch (part_.Commit(&error)) {
    case PartFile::Placed::Done:
        End(State::Succeeded, outcome);
        return;
    case PartFile::Placed::NameTaken:
        part_.Discard();
        End(State::Failed, Say(DownloadText::NameTaken, part_.ChosenPath()));
        return;
    case PartFile::Placed::Failed:
        part_.Discard();
        End(State::Failed, Say(DownloadText::CannotSave, part_.ChosenPath(), error));
        return;
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
