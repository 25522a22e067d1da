#include "VersionChecks.h"

#include "AnswerJson.h"
#include "LateCheck.h"
#include "ResolutionMessages.h"
#include "VersionAnswer.h"

#include <QCryptographicHash>

namespace {

// What a version's description says one of its files must hash to; when
// `sha1` is given, the description must itself hash to it.
LateCheck::Verdict ReadDescriptionCheck(const HttpAnswer& answer, const QString& key,
                                        const QByteArray& sha1 = {}) {
    if (!answer.IsOk()) {
        return {{}, DescribeFailure(answer)};
    }
    if (!sha1.isEmpty() &&
        QCryptographicHash::hash(answer.body, QCryptographicHash::Sha1).toHex() != sha1) {
        return {{}, Because(Reason::DescriptionDoesNotMatch, answer.host)};
    }
    const VersionDownload download = FindDownload(answer.body, key);
    switch (download.outcome) {
    case VersionDownload::Outcome::Found:
        return {download.identity, {}};
    case VersionDownload::Outcome::Missing:
        return {{}, Because(Reason::DescriptionLacksFile, answer.host)};
    case VersionDownload::Outcome::Malformed:
        break;
    }
    return {{}, Because(Reason::DescriptionUnreadable, answer.host)};
}

// The version's entry in the official list, or why there is none.
ManifestEntry ReadManifest(const HttpAnswer& answer, const QString& version, QString* why) {
    if (!answer.IsOk()) {
        *why = DescribeFailure(answer);
        return {};
    }
    const ManifestEntry entry = FindInManifest(answer.body, version);
    switch (entry.outcome) {
    case ManifestEntry::Outcome::Found:
        return entry;
    case ManifestEntry::Outcome::Unknown:
        *why = Because(Reason::NotInManifest, answer.host);
        return entry;
    case ManifestEntry::Outcome::Malformed:
        break;
    }
    *why = Because(Reason::ManifestUnreadable, answer.host);
    return entry;
}

} // namespace

std::shared_ptr<LateCheck> AskOfficialDescription(Fetcher& fetcher,
                                                  const LegacyEndpoints& endpoints,
                                                  const QString& version, const QString& key) {
    std::shared_ptr<LateCheck> check =
        LateCheck::Begin(OfficialDescriptionName(), LateCheck::Weight::Decisive);
    LateCheck* self = check.get();
    fetcher.Get(
        endpoints.Manifest(), Fetcher::kDocumentBytes, *self,
        [self, &fetcher, scheme = endpoints.scheme, version, key](const HttpAnswer& answer) {
            QString why;
            const ManifestEntry entry = ReadManifest(answer, version, &why);
            if (entry.outcome != ManifestEntry::Outcome::Found) {
                self->Settle({{}, why});
                return;
            }
            fetcher.Get(AddressOver(entry.url, scheme), Fetcher::kDocumentBytes, *self,
                        [self, key, entry](const HttpAnswer& a) {
                            self->Settle(ReadDescriptionCheck(a, key, entry.identity.sha1));
                        });
        });
    return check;
}

std::shared_ptr<LateCheck> AskOfficialManifest(Fetcher& fetcher, const LegacyEndpoints& endpoints,
                                               const QString& version) {
    return LateCheck::Ask(fetcher, endpoints.Manifest(), OfficialManifestName(),
                          LateCheck::Weight::IfInTime,
                          [version](const HttpAnswer& answer) -> LateCheck::Verdict {
                              QString why;
                              const ManifestEntry entry = ReadManifest(answer, version, &why);
                              return {entry.identity, why};
                          });
}

std::shared_ptr<LateCheck> AskMirrorDescription(Fetcher& fetcher, const LegacyEndpoints& endpoints,
                                                const LegacyAddress& jar) {
    LegacyAddress description = jar;
    description.file = VersionFile::VersionJson;
    return LateCheck::Ask(fetcher, MirrorAddress(description, endpoints), MirrorDescriptionName(),
                          LateCheck::Weight::OwnWord,
                          [key = DownloadKey(jar.file)](const HttpAnswer& answer) {
                              return ReadDescriptionCheck(answer, key);
                          });
}
