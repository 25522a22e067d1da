#pragma once

#include <QObject>
#include <QString>

// A download as whatever writes it reports it: the engine in the program, a
// stand-in in tests. It writes into the part file its job gave it.
class DownloadSource : public QObject {
    Q_OBJECT

public:
    enum class State {
        Running,
        Completed,
        Cancelled,
        Interrupted,
        // The writer went away without a word.
        Gone,
    };

    virtual State Now() const = 0;
    virtual qint64 ReceivedBytes() const = 0;
    // 0 or less when unknown.
    virtual qint64 TotalBytes() const = 0;
    // Why it was interrupted, in words.
    virtual QString InterruptReason() const = 0;
    // Asks the writer to stop; Changed tells when it has.
    virtual void Cancel() = 0;
    // The writer will touch the file no more. A writer that reports its end
    // before it lets go of the file says so here, later.
    virtual bool IsFinished() const { return Now() != State::Running; }

Q_SIGNALS:
    // The state or the byte counts changed; all of a change is in place by
    // the time this is emitted.
    void Changed();
};
