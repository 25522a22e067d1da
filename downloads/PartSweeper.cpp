#include "PartSweeper.h"

#include <QCoreApplication>
#include <QTimer>

void PartSweeper::Follow(std::unique_ptr<DownloadSource> writer, const PartFile& part) {
    auto* sweeper = new PartSweeper(std::move(writer), part);
    sweeper->Sweep();
}

PartSweeper::PartSweeper(std::unique_ptr<DownloadSource> writer, const PartFile& part)
    : QObject(QCoreApplication::instance())
    , writer_(std::move(writer))
    , part_(part) {
    connect(writer_.get(), &DownloadSource::Changed, this, &PartSweeper::Sweep);
}

PartSweeper::~PartSweeper() {
    part_.Discard();
}

void PartSweeper::Sweep() {
    part_.Discard();
    if (writer_ == nullptr) {
        return;
    }
    if (writer_->IsFinished()) {
        disconnect(writer_.get(), nullptr, this, nullptr);
        // It may be reporting right now: deleted once it has.
        writer_.release()->deleteLater();
        WatchForLateWrites();
        return;
    }
    if (writer_->Now() == DownloadSource::State::Running) {
        writer_->Cancel();
    }
}

void PartSweeper::WatchForLateWrites() {
    connect(&folder_, &QFileSystemWatcher::directoryChanged, this, &PartSweeper::Sweep);
    folder_.addPath(part_.Directory());
    part_.Discard(); // whatever came before the watch began
    QTimer::singleShot(kLateWritesMs, this, &QObject::deleteLater);
}
