#pragma once

#include "DownloadExpectation.h"
#include "LegacyAddress.h"
#include "LegacyEndpoints.h"

#include <QObject>
#include <QUrl>

#include <memory>

class Fetcher;
class StoreFlow;

// The official store's copy of a mirror file, looked for only once the
// mirror has refused it: by the pane when no dialog has been shown yet, or
// by the download itself after one, into the name already chosen. It goes
// with the download, so it outlives a pane that is closed meanwhile.
class MirrorFallback final : public QObject {
    Q_OBJECT

public:
    static std::shared_ptr<MirrorFallback> For(const QUrl& address, const LegacyAddress& mirrorFile,
                                               const LegacyEndpoints& endpoints, Fetcher& fetcher);
    ~MirrorFallback() override;

    // Starts looking, after the mirror refused with `why`; false when it has
    // looked already.
    bool Find(const QString& why);
    Fetcher& Network() { return fetcher_; }

Q_SIGNALS:
    // At once, from Find: who refused and why, plain text.
    void Rerouted(const QString& refusal);
    // Then one of these. The file is checked as the store's route checks it.
    void Found(const QUrl& file, bool showFirst, const DownloadExpectation& expected);
    void Failed(const QString& heading, const QString& detail);

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
