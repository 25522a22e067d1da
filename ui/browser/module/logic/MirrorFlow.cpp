#include "MirrorFlow.h"

#include "LateCheck.h"
#include "ResolutionMessages.h"
#include "VersionAnswer.h"

namespace {

// What the official list says the version's description must hash to.
LateCheck::Verdict ReadManifestCheck(const HttpAnswer& answer, const QString& version) {
    if (!answer.IsOk()) {
        return {{}, -1, DescribeFailure(answer)};
    }
    const ManifestEntry entry = FindInManifest(answer.body, version);
    switch (entry.outcome) {
    case ManifestEntry::Outcome::Found:
        return {entry.sha1, -1, {}};
    case ManifestEntry::Outcome::Unknown:
        return {{}, -1, Because(Reason::NotInManifest, answer.host)};
    case ManifestEntry::Outcome::Malformed:
        break;
    }
    return {{}, -1, Because(Reason::ManifestUnreadable, answer.host)};
}

// What a version's description says one of its files must hash to.
LateCheck::Verdict ReadDescriptionCheck(const HttpAnswer& answer, const QString& key) {
    if (!answer.IsOk()) {
        return {{}, -1, DescribeFailure(answer)};
    }
    const VersionDownload download = FindDownload(answer.body, key);
    switch (download.outcome) {
    case VersionDownload::Outcome::Found:
        return {download.sha1, download.size, {}};
    case VersionDownload::Outcome::Missing:
        return {{}, -1, Because(Reason::DescriptionLacksFile, answer.host)};
    case VersionDownload::Outcome::Malformed:
        break;
    }
    return {{}, -1, Because(Reason::DescriptionUnreadable, answer.host)};
}

} // namespace

MirrorFlow::MirrorFlow(const QUrl& address, const LegacyAddress& legacy,
                       const LegacyEndpoints& endpoints, Fetcher& fetcher)
    : ResolutionFlow(endpoints, fetcher)
    , address_(address)
    , legacy_(legacy) {}

void MirrorFlow::Start() {
    const QUrl file = MirrorAddress(address_, legacy_);
    DownloadExpectation expected;
    expected.source = MirrorSourceName(file.authority());
    expected.fileName = address_.fileName();
    if (legacy_.file == VersionFile::VersionJson) {
        expected.late = LateCheck::Ask(fetcher_, endpoints_.Manifest(), OfficialManifestName(),
                                       false, [version = legacy_.version](const HttpAnswer& a) {
                                           return ReadManifestCheck(a, version);
                                       });
        Q_EMIT FileFound(file, true, expected);
        return;
    }
    LegacyAddress description = legacy_;
    description.file = VersionFile::VersionJson;
    expected.late =
        LateCheck::Ask(fetcher_, MirrorAddress(address_, description), MirrorDescriptionName(),
                       true, [key = DownloadKey(legacy_.file)](const HttpAnswer& a) {
                           return ReadDescriptionCheck(a, key);
                       });
    Q_EMIT FileFound(file, false, expected);
}
