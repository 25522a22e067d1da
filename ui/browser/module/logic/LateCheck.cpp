#include "LateCheck.h"

LateCheck::LateCheck(QString against, bool worthWaitingFor)
    : against_(std::move(against))
    , worthWaitingFor_(worthWaitingFor) {}

std::shared_ptr<LateCheck> LateCheck::Ask(Fetcher& fetcher, const QUrl& from,
                                          const QString& against, bool worthWaitingFor,
                                          Reader read) {
    // The last owner may let go while the check tells of its answer, inside
    // its reply's own signal: only then is it deleted later.
    std::shared_ptr<LateCheck> check(new LateCheck(against, worthWaitingFor), [](LateCheck* gone) {
        if (gone->answering_) {
            gone->deleteLater();
        } else {
            delete gone;
        }
    });
    LateCheck* self = check.get();
    fetcher.Get(from, *self, [self, read = std::move(read)](const HttpAnswer& answer) {
        self->verdict_ = read(answer);
        self->settled_ = true;
        self->answering_ = true;
        Q_EMIT self->Settled();
        self->answering_ = false;
    });
    return check;
}

DownloadExpectation CheckToApply(const DownloadExpectation& expected) {
    if (!expected.late) {
        return expected;
    }
    DownloadExpectation now = expected;
    const LateCheck& late = *expected.late;
    if (!late.IsSettled()) {
        now.unverifiedReason = QStringLiteral("%1没有及时回答").arg(late.Against());
        return now;
    }
    now.sha1 = late.Result().sha1;
    now.size = late.Result().size;
    now.unverifiedReason = late.Result().unverifiedReason;
    if (now.Checkable()) {
        now.checkedAgainst = late.Against();
    } else if (now.unverifiedReason.isEmpty()) {
        now.unverifiedReason = QStringLiteral("%1没有给出校验值").arg(late.Against());
    }
    return now;
}
