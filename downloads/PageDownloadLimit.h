#pragma once

#include <QtGlobal>

#include <array>

// How many save dialogs the pages may open: at most kPerMinute in any minute,
// so a page cannot bury the user in them. The pane's own asks and what the
// user saves from its menu do not pass through here.
class PageDownloadLimit final {
public:
    static constexpr int kPerMinute = 3;
    static constexpr qint64 kWindowMs = 60'000;

    // Whether a download a page starts at `nowMs` (a monotonic clock, in
    // milliseconds) may open a dialog. Only admitted ones count against later
    // ones, so a page that keeps trying is not shut out for good.
    bool Admit(qint64 nowMs);

private:
    // When the last kPerMinute were admitted; the oldest at next_.
    std::array<qint64, kPerMinute> admitted_{};
    int count_ = 0;
    int next_ = 0;
};
