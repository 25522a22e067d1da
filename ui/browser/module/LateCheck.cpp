#include "LateCheck.h"

LateCheck::LateCheck(QString against, bool worthWaitingFor)
    : against_(std::move(against))
    , worthWaitingFor_(worthWaitingFor) {
    // Nothing is kept: no cache, and cookies stay in this object's memory.
    network_.setCache(nullptr);
    network_.setStrictTransportSecurityEnabled(false);
}

std::shared_ptr<LateCheck> LateCheck::Ask(const QUrl& from, const QString& against,
                                          bool worthWaitingFor, int timeoutMs, Reader read) {
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
    GetBounded(self->network_, from, timeoutMs, self,
               [self, read = std::move(read)](const HttpAnswer& answer) {
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
