// DownloadJob, its file whole: waited on for the checks worth waiting for,
// judged, and moved onto the chosen name or discarded.
#include "DownloadJob.h"

#include "DownloadMessages.h"
#include "FileCheck.h"
#include "LateCheck.h"

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
