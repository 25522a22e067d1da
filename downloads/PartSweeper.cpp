#include "PartSweeper.h"

#include <QCoreApplication>

void PartSweeper::Follow(std::unique_ptr<DownloadSource> writer, const PartFile& part) {
    if (writer->IsFinished()) {
        part.Discard();
        return;
    }
    auto* sweeper = new PartSweeper(std::move(writer), part);
    sweeper->Sweep();
}

PartSweeper::PartSweeper(std::unique_ptr<DownloadSource> writer, const PartFile& part)
    : QObject(QCoreApplication::instance())
    , writer_(std::move(writer))
    , part_(part) {
    connect(writer_.get(), &DownloadSource::Changed, this, &PartSweeper::Sweep);
}

void PartSweeper::Sweep() {
    part_.Discard();
    if (writer_->IsFinished()) {
        disconnect(writer_.get(), nullptr, this, nullptr);
        deleteLater();
        return;
    }
    if (writer_->Now() == DownloadSource::State::Running) {
        writer_->Cancel();
    }
}
