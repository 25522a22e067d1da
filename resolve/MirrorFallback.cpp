#include "MirrorFallback.h"

#include "ResolutionMessages.h"
#include "StoreFlow.h"

std::shared_ptr<MirrorFallback> MirrorFallback::For(const QUrl& address,
                                                    const LegacyAddress& mirrorFile,
                                                    const LegacyEndpoints& endpoints,
                                                    Fetcher& fetcher) {
    // Its last owner may let go inside one of its own signals: only then is
    // it deleted later.
    return std::shared_ptr<MirrorFallback>(
        new MirrorFallback(address, mirrorFile, endpoints, fetcher), [](MirrorFallback* gone) {
            if (gone->telling_) {
                gone->deleteLater();
            } else {
                delete gone;
            }
        });
}

MirrorFallback::MirrorFallback(const QUrl& address, const LegacyAddress& mirrorFile,
                               const LegacyEndpoints& endpoints, Fetcher& fetcher)
    : address_(address)
    , file_(mirrorFile)
    , endpoints_(endpoints)
    , fetcher_(fetcher) {}

MirrorFallback::~MirrorFallback() = default;

bool MirrorFallback::Find(const QString& why) {
    if (store_ != nullptr) {
        return false;
    }
    const QString refusal = MirrorRefusal(endpoints_.mirrorHost, why);
    LegacyAddress store = file_;
    store.target = LegacyTarget::StoreFile;
    store_ = std::make_unique<StoreFlow>(address_, store, endpoints_, fetcher_);
    connect(store_.get(), &ResolutionFlow::FileFound, this,
            [this, refusal](const QUrl& file, bool showFirst, const DownloadExpectation& found) {
                DownloadExpectation expected = found;
                expected.source = OfficialInsteadOfMirror(refusal);
                telling_ = true;
                Q_EMIT Found(file, showFirst, expected);
                telling_ = false;
            });
    connect(store_.get(), &ResolutionFlow::Failed, this,
            [this, refusal](const QString& heading, const QString& detail) {
                telling_ = true;
                Q_EMIT Failed(heading, QStringLiteral("%1（%2）").arg(detail, refusal));
                telling_ = false;
            });
    telling_ = true;
    Q_EMIT Rerouted(refusal);
    telling_ = false;
    store_->Start();
    return true;
}
