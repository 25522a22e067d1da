#include "LateCheck.h"

#include "DownloadMessages.h"

#include <QStringList>

LateCheck::LateCheck(QString against, Weight weight)
    : against_(std::move(against))
    , weight_(weight) {}

std::shared_ptr<LateCheck> LateCheck::Begin(const QString& against, Weight weight) {
    // The last owner may let go while the check tells of its answer, inside
    // its reply's own signal: only then is it deleted later.
    return std::shared_ptr<LateCheck>(new LateCheck(against, weight), [](LateCheck* gone) {
        if (gone->answering_) {
            gone->deleteLater();
        } else {
            delete gone;
        }
    });
}

std::shared_ptr<LateCheck> LateCheck::Ask(Fetcher& fetcher, const QUrl& from,
                                          const QString& against, Weight weight, Reader read) {
    std::shared_ptr<LateCheck> check = Begin(against, weight);
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
            if (check->Confirms()) {
                return {check->Result().identity, check->Against(), {}};
            }
            return {check->Result().identity, check->Against(),
                    reasons.join(Say(DownloadText::ReasonsJoiner)), false};
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

const LateCheck* CheckToWaitFor(const DownloadExpectation& expected) {
    for (const std::shared_ptr<LateCheck>& check : expected.late) {
        if (check->Vouches()) {
            return nullptr;
        }
        if (!check->IsSettled() && check->WorthWaitingFor()) {
            return check.get();
        }
    }
    return nullptr;
}
