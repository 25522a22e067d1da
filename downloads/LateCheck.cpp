#include "LateCheck.h"

#include "DownloadMessages.h"

#include <QStringList>

LateCheck::LateCheck(QString against, bool worthWaitingFor)
    : against_(std::move(against))
    , worthWaitingFor_(worthWaitingFor) {}

std::shared_ptr<LateCheck> LateCheck::Begin(const QString& against, bool worthWaitingFor) {
    // The last owner may let go while the check tells of its answer, inside
    // its reply's own signal: only then is it deleted later.
    return std::shared_ptr<LateCheck>(new LateCheck(against, worthWaitingFor), [](LateCheck* gone) {
        if (gone->answering_) {
            gone->deleteLater();
        } else {
            delete gone;
        }
    });
}

std::shared_ptr<LateCheck> LateCheck::Ask(Fetcher& fetcher, const QUrl& from,
                                          const QString& against, bool worthWaitingFor,
                                          Reader read) {
    std::shared_ptr<LateCheck> check = Begin(against, worthWaitingFor);
    LateCheck* self = check.get();
    fetcher.Get(from, *self, [self, read = std::move(read)](const HttpAnswer& answer) {
        self->Settle(read(answer));
    });
    return check;
}

void LateCheck::Settle(Verdict verdict) {
    if (settled_) {
        return;
    }
    verdict_ = std::move(verdict);
    settled_ = true;
    answering_ = true;
    Q_EMIT Settled();
    answering_ = false;
}

CheckBasis CheckToApply(const DownloadExpectation& expected) {
    if (expected.late.empty()) {
        return {expected.identity, {}, {}};
    }
    QStringList reasons;
    for (const std::shared_ptr<LateCheck>& check : expected.late) {
        if (check->Vouches()) {
            return {check->Result().identity, check->Against(), {}};
        }
        if (!check->IsSettled()) {
            reasons << Say(DownloadText::CheckLate, check->Against());
        } else if (!check->Result().unverifiedReason.isEmpty()) {
            reasons << check->Result().unverifiedReason;
        } else {
            reasons << Say(DownloadText::CheckEmpty, check->Against());
        }
    }
    return {expected.identity, {}, reasons.join(Say(DownloadText::ReasonsJoiner))};
}

bool MustWaitForChecks(const DownloadExpectation& expected) {
    for (const std::shared_ptr<LateCheck>& check : expected.late) {
        if (check->Vouches()) {
            return false;
        }
        if (!check->IsSettled() && check->WorthWaitingFor()) {
            return true;
        }
    }
    return false;
}
