#pragma once

#include "DownloadExpectation.h"
#include "DownloadSource.h"
#include "PartFile.h"

#include <QObject>

#include <memory>

class DownloadFallback;
struct FileVerdict;

// One accepted download from start to end: follows its source while it
// writes the part file, checks a complete file against what it must be
// (waiting for a late check worth waiting for), and then either moves it
// onto the chosen name or discards it. A file that grows past the size it
// must have is stopped there. One whose server refuses it before its first
// byte, or sends one that is not what it must be, is fetched from where else
// it may be had, into the same name: its first source is stopped and swept
// (PartSweeper), and the file is written under a part name of its own. A job
// that ends without its file, or is deleted while it runs, leaves no file
// behind, whatever its source writes until it lets go.
class DownloadJob final : public QObject {
    Q_OBJECT

public:
    enum class State {
        Running,
        // Whole, waiting for what it must hash to.
        AwaitingCheck,
        Succeeded,
        Failed,
        Cancelled,
    };

    DownloadJob(PartFile part, DownloadExpectation expected, std::unique_ptr<DownloadSource> source,
                QObject* parent = nullptr);
    ~DownloadJob() override;

    State Now() const { return state_; }
    bool IsRunning() const { return state_ == State::Running || state_ == State::AwaitingCheck; }
    qint64 ReceivedBytes() const { return received_; }
    qint64 TotalBytes() const { return total_; }
    // Where it goes, and who serves it when that must be named.
    const PartFile& Part() const { return part_; }
    const QString& Source() const { return expected_.source; }
    // What the job is doing or how it ended, in Chinese.
    const QString& Status() const { return status_; }

    // Stops a running download; its part file goes.
    void Cancel();
    // Whether `source` still writes its file: not once it was looked for elsewhere.
    bool Follows(const DownloadSource& source) const { return source_.get() == &source; }

Q_SIGNALS:
    void Changed();
    // Its server refused it (`refusal`, plain text): it is looked for elsewhere.
    void Rerouted(const QString& refusal);

private:
    void Follow();
    // Stops the download once it has, or is promised, more than it may have.
    void Bound();
    // Ends a download that had more than it may have (overSize_), its part
    // gone, or looks for the file elsewhere.
    void RefuseOversize();
    // Looks for the file elsewhere after its server refused it or sent
    // something else (`why`); false when there is nowhere else.
    bool FallBack(const QString& why);
    // Writes the file found elsewhere into a part of its own.
    void TakeOver(const QUrl& file, const DownloadExpectation& expected);
    // Once whole: waits for a late check worth waiting for, then judges.
    void Finish();
    // Hears no more from the late checks it had.
    void DropChecks();
    // Moves a file that passed onto the chosen name, or discards it, and ends.
    void Place(const FileVerdict& verdict);
    void End(State state, const QString& status);

    PartFile part_;
    DownloadExpectation expected_;
    std::unique_ptr<DownloadSource> source_;
    State state_ = State::Running;
    QString status_;
    qint64 received_ = 0;
    qint64 total_ = 0;
    // The size it may not pass, once stopped for passing it; else -1. That
    // size is a cap when nothing said the size.
    qint64 overSize_ = -1;
    bool overCap_ = false;
    // Looking elsewhere for the file, its first source having refused it.
    std::shared_ptr<DownloadFallback> fallingBack_;
};
