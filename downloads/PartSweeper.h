#pragma once

#include "DownloadSource.h"
#include "PartFile.h"

#include <QObject>

#include <memory>

// What is left of a download that ended without its file: its writer may go
// on putting things under the part's name after it reported the end (the
// engine writes on a thread of its own, and may resume a broken download by
// itself). Until the writer says it has let go, everything under that name
// is removed whenever it reports, and a writer that starts again is stopped.
class PartSweeper final : public QObject {
    Q_OBJECT

public:
    // Sweeps once now, then as long as `writer` holds on; the sweeper and
    // the writer go when it lets go, or with the application.
    static void Follow(std::unique_ptr<DownloadSource> writer, const PartFile& part);

private:
    PartSweeper(std::unique_ptr<DownloadSource> writer, const PartFile& part);
    void Sweep();

    std::unique_ptr<DownloadSource> writer_;
    PartFile part_;
};
