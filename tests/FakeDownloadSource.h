#pragma once

// A download source the test drives: it writes what the test gives into
// the part file and reports the states the test sets.
#include "DownloadSource.h"

#include <QFile>

class FakeDownloadSource final : public DownloadSource {
public:
    // Counts its cancels in `cancels`, which outlives it.
    FakeDownloadSource(QString partPath, int& cancels)
        : partPath_(std::move(partPath))
        , cancels_(cancels) {}

    // Writes `bytes` more of the file and reports them.
    void Write(const QByteArray& bytes, qint64 total) {
        QFile part(partPath_);
        if (part.open(QIODevice::Append)) {
            part.write(bytes);
        }
        received_ += bytes.size();
        total_ = total;
        Q_EMIT Changed();
    }
    void Become(State state, const QString& reason = {}) {
        state_ = state;
        reason_ = reason;
        Q_EMIT Changed();
    }
    // Holds on to the file past the end it reports, as the engine's file
    // thread may, until it lets go.
    void HoldOn() { holding_ = true; }
    void LetGo() {
        holding_ = false;
        Q_EMIT Changed();
    }

    State Now() const override { return state_; }
    qint64 ReceivedBytes() const override { return received_; }
    qint64 TotalBytes() const override { return total_; }
    QString InterruptReason() const override { return reason_; }
    void Cancel() override { ++cancels_; }
    bool IsFinished() const override { return state_ != State::Running && !holding_; }

private:
    QString partPath_;
    int& cancels_;
    State state_ = State::Running;
    QString reason_;
    qint64 received_ = 0;
    qint64 total_ = 0;
    bool holding_ = false;
};
