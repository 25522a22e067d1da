#include "DownloadJob.h"

#include "FileCheck.h"
#include "LateCheck.h"

DownloadJob::DownloadJob(PartFile part, DownloadExpectation expected,
                         std::unique_ptr<DownloadSource> source, QObject* parent)
    : QObject(parent)
    , part_(std::move(part))
    , expected_(std::move(expected))
    , source_(std::move(source))
    , status_(QStringLiteral("正在下载…")) {
    connect(source_.get(), &DownloadSource::Changed, this, &DownloadJob::Follow);
}

DownloadJob::~DownloadJob() {
    if (IsRunning()) {
        source_->Cancel();
        part_.Discard();
    }
}

void DownloadJob::Cancel() {
    switch (state_) {
    case State::Running:
        // The part goes once the source says it has stopped.
        source_->Cancel();
        return;
    case State::AwaitingCheck:
        part_.Discard();
        End(State::Cancelled, QStringLiteral("已取消"));
        return;
    case State::Succeeded:
    case State::Failed:
    case State::Cancelled:
        return;
    }
}

void DownloadJob::Follow() {
    if (!IsRunning()) {
        return;
    }
    received_ = source_->ReceivedBytes();
    total_ = source_->TotalBytes();
    switch (source_->Now()) {
    case DownloadSource::State::Running:
        Q_EMIT Changed();
        return;
    case DownloadSource::State::Completed:
        if (state_ == State::Running) {
            Finish();
        }
        return;
    case DownloadSource::State::Cancelled:
        part_.Discard();
        End(State::Cancelled, QStringLiteral("已取消"));
        return;
    case DownloadSource::State::Interrupted:
        // The writer may keep a partial file to resume from; nothing resumes here.
        part_.Discard();
        End(State::Failed, QStringLiteral("下载失败：%1").arg(source_->InterruptReason()));
        return;
    case DownloadSource::State::Gone:
        part_.Discard();
        End(State::Failed, QStringLiteral("下载失败：下载已中止"));
        return;
    }
}

// Checked while still under the part's name: a file that does not match
// never appears under the chosen one. A check still being asked for, and
// worth waiting for, is waited for.
void DownloadJob::Finish() {
    if (expected_.late && !expected_.late->IsSettled() && expected_.late->WorthWaitingFor()) {
        if (state_ != State::AwaitingCheck) {
            state_ = State::AwaitingCheck;
            status_ = QStringLiteral("正在等待%1以校验文件…").arg(expected_.late->Against());
            connect(expected_.late.get(), &LateCheck::Settled, this, &DownloadJob::Finish,
                    Qt::SingleShotConnection);
            Q_EMIT Changed();
        }
        return;
    }
    if (!IsRunning()) {
        return; // cancelled while it waited
    }
    const DownloadExpectation check = CheckToApply(expected_);
    expected_.late.reset();
    QString outcome = QStringLiteral("下载完成");
    if (check.Checkable()) {
        const QString mismatch = CheckFile(part_.Path(), check);
        if (!mismatch.isEmpty()) {
            part_.Discard();
            End(State::Failed,
                QStringLiteral("下载失败：文件校验不符，已删除（%1）").arg(mismatch));
            return;
        }
        outcome = check.checkedAgainst.isEmpty()
                      ? QStringLiteral("下载完成（已校验）")
                      : QStringLiteral("下载完成（已按%1校验）").arg(check.checkedAgainst);
    } else if (!check.unverifiedReason.isEmpty()) {
        outcome = QStringLiteral("下载完成（未校验：%1）").arg(check.unverifiedReason);
    }
    const QString error = part_.Commit();
    if (!error.isEmpty()) {
        part_.Discard();
        End(State::Failed,
            QStringLiteral("下载失败：无法保存到 %1（%2）").arg(part_.ChosenPath(), error));
        return;
    }
    End(State::Succeeded, outcome);
}

void DownloadJob::End(State state, const QString& status) {
    state_ = state;
    status_ = status;
    Q_EMIT Changed();
}
