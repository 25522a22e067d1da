// DownloadJob, its file looked for elsewhere: after its server refused it,
// or sent one that is not what it must be.
#include "DownloadJob.h"

#include "DownloadFallback.h"
#include "DownloadMessages.h"
#include "Fetcher.h"
#include "LateCheck.h"
#include "PartSweeper.h"

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
