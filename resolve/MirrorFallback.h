#pragma once

#include "DownloadFallback.h"
#include "LegacyAddress.h"
#include "LegacyEndpoints.h"

#include <QUrl>

#include <memory>

class Fetcher;
class StoreFlow;

// The official store's copy of a mirror file, looked for only once the
// mirror has refused it: by the pane when no dialog has been shown yet, or
// by the download itself after one, into the name already chosen. It goes
// with the download, so it outlives a pane that is closed meanwhile.
class MirrorFallback final : public DownloadFallback {
    Q_OBJECT

public:
    static std::shared_ptr<MirrorFallback> For(const QUrl& address, const LegacyAddress& mirrorFile,
                                               const LegacyEndpoints& endpoints, Fetcher& fetcher);
    ~MirrorFallback() override;

    // The file found is checked as the store's route checks it.
    bool Find(const QString& why) override;
    Fetcher& Network() override { return fetcher_; }

private:
    MirrorFallback(const QUrl& address, const LegacyAddress& mirrorFile,
                   const LegacyEndpoints& endpoints, Fetcher& fetcher);

    const QUrl address_;
    const LegacyAddress file_;
    const LegacyEndpoints endpoints_;
    Fetcher& fetcher_;
    std::unique_ptr<StoreFlow> store_;
    bool telling_ = false;
};
