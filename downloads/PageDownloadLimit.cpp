#include "PageDownloadLimit.h"

bool PageDownloadLimit::Admit(const qint64 nowMs) {
    if (count_ == kPerMinute && nowMs - admitted_[next_] < kWindowMs) {
        return false;
    }
    admitted_[next_] = nowMs;
    next_ = (next_ + 1) % kPerMinute;
    if (count_ < kPerMinute) {
        ++count_;
    }
    return true;
}
