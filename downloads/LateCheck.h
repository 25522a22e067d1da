#pragma once

#include "DownloadExpectation.h"
#include "Fetcher.h"

#include <QObject>
#include <QUrl>

#include <functional>
#include <memory>

// What a file must hash to, asked of a server while the file downloads, so
// that nothing waits for the answer before the download starts. It goes with
// the download, not the pane: it outlives a pane that is closed meanwhile.
class LateCheck final : public QObject {
    Q_OBJECT

public:
    struct Verdict {
        FileIdentity identity;
        // Why there is nothing to check against; empty when there is.
        QString unverifiedReason;
    };
    // Reads what the server answered into a verdict.
    using Reader = std::function<Verdict(const HttpAnswer&)>;

    // A check that its maker settles, after asking whatever it needs with the
    // check itself as the fetcher's context, so that the asking ends with it.
    // `against` names the answer in the download window ("镜像的版本描述").
    // A check worth waiting for holds up the end of its download until it is
    // settled, which the fetcher's time limit bounds; any other is used only
    // if it has settled by then.
    static std::shared_ptr<LateCheck> Begin(const QString& against, bool worthWaitingFor);
    // One answer: asks `from` now, through `fetcher`, which must outlive
    // every check.
    static std::shared_ptr<LateCheck> Ask(Fetcher& fetcher, const QUrl& from,
                                          const QString& against, bool worthWaitingFor,
                                          Reader read);

    // Only from inside an answer of the fetcher, once.
    void Settle(Verdict verdict);

    bool IsSettled() const { return settled_; }
    bool WorthWaitingFor() const { return worthWaitingFor_; }
    const QString& Against() const { return against_; }
    const Verdict& Result() const { return verdict_; }
    // Settled with a SHA-1 or a size to check against.
    bool Vouches() const { return settled_ && verdict_.identity.Known(); }

Q_SIGNALS:
    void Settled();

private:
    LateCheck(QString against, bool worthWaitingFor);

    QString against_;
    bool worthWaitingFor_;
    bool settled_ = false;
    bool answering_ = false;
    Verdict verdict_;
};

// What a finished download is checked against, and on whose word.
struct CheckBasis {
    FileIdentity identity;
    // The late check that vouched, as the window names it; empty when the
    // identity is the pane's own.
    QString against;
    // Why there is nothing to check against although checks were asked
    // for; empty otherwise.
    QString unverifiedReason;
};

// The first of `expected`'s late checks that vouches for the file by now;
// else what the pane knew, with why no late check vouched where any was asked.
CheckBasis CheckToApply(const DownloadExpectation& expected);

// Whether the end of the download must still wait: no check before it
// vouches yet, and one worth waiting for is still asking.
bool MustWaitForChecks(const DownloadExpectation& expected);
