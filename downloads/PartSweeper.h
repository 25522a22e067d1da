#pragma once

#include "DownloadSource.h"
#include "PartFile.h"

#include <QFileSystemWatcher>
#include <QObject>

#include <memory>

// What is left of a download that ended without its file: its writer may go
// on putting things under the part's name after it reported the end (the
// engine writes on a thread of its own, and may resume a broken download by
// itself). Until the writer says it has let go, everything under that name
// is removed whenever it reports, and a writer that starts again is stopped.
// Even once it has let go, work the engine's file thread had queued may
// still land (seen: its intermediate file, made after the cancel was
// reported), so the part's folder is watched a while longer, and swept one
// last time when the program ends.
class PartSweeper final : public QObject {
    Q_OBJECT

public:
    // How long the folder is watched after the writer let go.
    static constexpr int kLateWritesMs = 30 * 1000;

    // Sweeps once now, then as long as `writer` holds on and a while after;
    // the sweeper and the writer go then, or with the application.
    static void Follow(std::unique_ptr<DownloadSource> writer, const PartFile& part);

    ~PartSweeper() override;

private:
    PartSweeper(std::unique_ptr<DownloadSource> writer, const PartFile& part);
    void Sweep();
    void WatchForLateWrites();

    std::unique_ptr<DownloadSource> writer_;
    PartFile part_;
    QFileSystemWatcher folder_;
};
