#include "MirrorFlow.h"

#include "LateCheck.h"
#include "MirrorFallback.h"
#include "ResolutionMessages.h"
#include "VersionChecks.h"

MirrorFlow::MirrorFlow(const QUrl& address, const LegacyAddress& legacy,
                       const LegacyEndpoints& endpoints, Fetcher& fetcher)
    : ResolutionFlow(endpoints, fetcher)
    , address_(address)
    , legacy_(legacy)
    , fallback_(MirrorFallback::For(address, legacy, endpoints, fetcher)) {}

void MirrorFlow::Start() {
    const QUrl file = MirrorAddress(legacy_, endpoints_);
    DownloadExpectation expected;
    expected.source = MirrorSourceName(endpoints_.mirrorHost);
    expected.fileName = address_.fileName();
    expected.fallback = fallback_;
    if (legacy_.file == VersionFile::VersionJson) {
        expected.late = {AskOfficialManifest(fetcher_, endpoints_, legacy_.version)};
        expected.sizeCap = kLargestVersionJson;
        Q_EMIT FileFound(file, true, expected);
        return;
    }
    expected.late = {
        AskOfficialDescription(fetcher_, endpoints_, legacy_.version, DownloadKey(legacy_.file)),
        AskMirrorDescription(fetcher_, endpoints_, legacy_)};
    expected.sizeCap = kLargestVersionJar;
    Q_EMIT FileFound(file, false, expected);
}

// Refused before any dialog: the store's copy is offered as a file of its
// own, under the name asked for.
bool MirrorFlow::FallBack(const QString& why) {
    connect(fallback_.get(), &MirrorFallback::Rerouted, this, &ResolutionFlow::Rerouted,
            Qt::UniqueConnection);
    connect(fallback_.get(), &MirrorFallback::Found, this, &ResolutionFlow::FileFound,
            Qt::UniqueConnection);
    connect(fallback_.get(), &MirrorFallback::Failed, this, &ResolutionFlow::Failed,
            Qt::UniqueConnection);
    return fallback_->Find(why);
}
