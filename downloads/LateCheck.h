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

    // How far a check's word goes.
    enum class Weight {
        // The word of whoever publishes the file: the end of the download
        // waits for it, which the fetcher's time limit bounds.
        Decisive,
        // The same, used only if it has settled by the end; nothing waits.
        IfInTime,
        // The word of the file's own server: waited for, but used only once
        // every check before it has settled with nothing to check against,
        // and a file that matches it is still of unconfirmed source.
        OwnWord,
    };

    // A check that its maker settles, after asking whatever it needs with the
    // check itself as the fetcher's context, so that the asking ends with it.
    // `against` names the answer in the download window ("镜像的版本描述").
    static std::shared_ptr<LateCheck> Begin(const QString& against, Weight weight);
    // One answer: asks `from` now, through `fetcher`, which must outlive
    // every check.
    static std::shared_ptr<LateCheck> Ask(Fetcher& fetcher, const QUrl& from,
                                          const QString& against, Weight weight, Reader read);

    // Only from inside an answer of the fetcher, once.
    void Settle(Verdict verdict);

    bool IsSettled() const { return settled_; }
    bool WorthWaitingFor() const { return weight_ != Weight::IfInTime; }
    // A file that matches it is of the source it must come from.
    bool Confirms() const { return weight_ != Weight::OwnWord; }
    const QString& Against() const { return against_; }
    const Verdict& Result() const { return verdict_; }
    // Settled with a SHA-1 or a size to check against.
    bool Vouches() const { return settled_ && verdict_.identity.Known(); }

Q_SIGNALS:
    void Settled();

private:
    LateCheck(QString against, Weight weight);

    QString against_;
    Weight weight_;
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
    // Why the checks before it gave nothing to check against: where none
    // vouched although checks were asked for, or where the one that vouched
    // is the file's own server's word. Empty otherwise.
    QString unverifiedReason;
    // False when the one that vouched is the file's own server's word.
    bool confirms = true;
};

// The first of `expected`'s late checks that vouches for the file by now;
// else what the pane knew, with why no late check vouched where any was asked.
CheckBasis CheckToApply(const DownloadExpectation& expected);

// The check the end of the download must still wait for: the first still
// asking that is worth waiting for, with none before it vouching; else null.
const LateCheck* CheckToWaitFor(const DownloadExpectation& expected);
