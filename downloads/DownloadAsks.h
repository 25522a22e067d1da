#pragma once

#include "DownloadExpectation.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

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

    qsizetype OpenCount() const { return open_.size(); }

private:
    // Random for each run, so that no server can name a file as one of ours.
    QString prefix_;
    quint64 next_ = 0;
    QHash<QString, Ask> open_;
};
