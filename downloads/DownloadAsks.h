#pragma once

#include "DownloadExpectation.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

// The downloads a pane has asked the engine for and not yet been offered.
// Each ask gets a name of its own, which the pane passes to the engine as the
// download's suggested file name; the request the engine sends back carries
// it whatever became of the page meanwhile (gone, or moved on to another
// site), so it is matched by that name, never by asking the engine for its
// page.
class DownloadAsks final {
public:
    struct Ask {
        QPointer<QObject> asker;
        DownloadExpectation expected;
    };

    enum class Match {
        // One of ours, still wanted; the ask is taken.
        Asked,
        // One of ours that its asker withdrew, or whose asker is gone.
        Withdrawn,
        // Not asked through here: the engine started it for a page.
        NotAsked,
    };

    DownloadAsks();

    // Files an ask and returns the name to start the download under.
    QString Add(QObject& asker, DownloadExpectation expected);
    // Withdraws every ask that `asker` has filed.
    void Withdraw(const QObject& asker);
    // What a request suggested under `name` is; an ask that matches is
    // taken out and, when `ask` is given, handed over there.
    Match Take(const QString& name, Ask* ask = nullptr);

    // A file `asker` loads to show before it offers it: should the engine
    // take that load as a download of its own (its server said
    // "attachment"), the download is still the asker's, with what it
    // expected of the file. One at a time per asker, until LoadEnded.
    void AddLoad(QObject& asker, const QUrl& file, DownloadExpectation expected);
    void LoadEnded(const QObject& asker);
    // Whether a download the engine started by itself, at `url`, is such a
    // load: the one of that address, else the only one under way (a redirect
    // changes the address the engine names a download by). Taken out and
    // handed over in `ask`.
    bool TakeLoad(const QUrl& url, Ask* ask);

    qsizetype OpenCount() const { return open_.size(); }

private:
    struct Load {
        QUrl file;
        Ask ask;
    };

    // Random for each run, so that no server can name a file as one of ours.
    QString prefix_;
    quint64 next_ = 0;
    QHash<QString, Ask> open_;
    QHash<const QObject*, Load> loads_;
};
