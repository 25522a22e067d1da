#include "StoreFlow.h"

#include "AnswerJson.h"
#include "ResolutionMessages.h"
#include "VersionAnswer.h"
#include "VersionChecks.h"

#include <QCryptographicHash>

StoreFlow::StoreFlow(const QUrl& address, const LegacyAddress& legacy,
                     const LegacyEndpoints& endpoints, Fetcher& fetcher)
    : ResolutionFlow(endpoints, fetcher)
    , fileName_(address.fileName())
    , legacy_(legacy) {}

void StoreFlow::Start() {
    step_ = Step::Manifest;
    Get(endpoints_.Manifest(), Fetcher::kDocumentBytes,
        [this](const HttpAnswer& answer) { OnManifest(answer); });
}

void StoreFlow::OnManifest(const HttpAnswer& answer) {
    if (!Answered(answer)) {
        return;
    }
    const ManifestEntry entry = FindInManifest(answer.body, legacy_.version);
    switch (entry.outcome) {
    case ManifestEntry::Outcome::Unknown:
        Finish(Failure::NoSuchVersion);
        return;
    case ManifestEntry::Outcome::Malformed:
        Finish(Failure::VersionLookupFailed, Because(Reason::ManifestUnreadable, answer.host));
        return;
    case ManifestEntry::Outcome::Found:
        break;
    }
    // Over TLS when the endpoints are, whatever the list says.
    const QUrl description = AddressOver(entry.url, endpoints_.scheme);
    if (legacy_.file == VersionFile::VersionJson) {
        Offer(description, entry.identity);
    } else {
        Description(description, entry.identity.sha1);
    }
}

void StoreFlow::Description(const QUrl& url, const QByteArray& sha1) {
    step_ = Step::Description;
    Get(url, Fetcher::kDocumentBytes,
        [this, sha1](const HttpAnswer& answer) { OnDescription(answer, sha1); });
}

void StoreFlow::OnDescription(const HttpAnswer& answer, const QByteArray& sha1) {
    if (!Answered(answer)) {
        return;
    }
    if (!sha1.isEmpty() &&
        QCryptographicHash::hash(answer.body, QCryptographicHash::Sha1).toHex() != sha1) {
        Finish(Failure::VersionLookupFailed, Because(Reason::DescriptionDoesNotMatch, answer.host));
        return;
    }
    const VersionDownload download = FindDownload(answer.body, DownloadKey(legacy_.file));
    switch (download.outcome) {
    case VersionDownload::Outcome::Found:
        Offer(AddressOver(download.url, endpoints_.scheme), download.identity);
        return;
    case VersionDownload::Outcome::Missing:
        Finish(legacy_.file == VersionFile::ServerJar ? Failure::NoServerJar
                                                      : Failure::NoClientJar);
        return;
    case VersionDownload::Outcome::Malformed:
        Finish(Failure::VersionLookupFailed, Because(Reason::DescriptionUnreadable, answer.host));
        return;
    }
}

bool StoreFlow::Answered(const HttpAnswer& answer) {
    if (FailIfAskedToWait(answer)) {
        step_ = Step::Done;
        return false;
    }
    if (!answer.IsOk()) {
        Finish(Failure::VersionLookupFailed, DescribeFailure(answer));
        return false;
    }
    return true;
}

void StoreFlow::Offer(const QUrl& file, const FileIdentity& identity) {
    step_ = Step::Done;
    DownloadExpectation expected;
    expected.fileName = fileName_;
    expected.identity = identity;
    expected.sizeCap =
        legacy_.file == VersionFile::VersionJson ? kLargestVersionJson : kLargestVersionJar;
    Q_EMIT FileFound(file, legacy_.file == VersionFile::VersionJson, expected);
}

void StoreFlow::Finish(Failure failure, const QString& detail) {
    step_ = Step::Done;
    Fail(Explain(failure, legacy_.version, detail));
}
