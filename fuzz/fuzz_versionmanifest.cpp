// The version manifest's reader on any bytes: an entry it finds has an http
// or https address and no SHA-1 or one of 40 lower-case hex digits, an entry
// it does not find has neither, and the verdict is the same with the JSON
// written out another way. The list of versions to choose from holds only
// ids that stand as one plain path segment, newest first, with the same
// verdict however the JSON is written.
//
// Input: the version asked for, a line feed, then the manifest's body; with
// no line feed, all of it is the manifest and the version is "1.7.2".
#include "AnswerChecks.h"
#include "VersionAnswer.h"
#include "VersionList.h"

#include <cstdint>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QString version =
        lineEnd < 0 ? QStringLiteral("1.7.2") : QString::fromUtf8(bytes.left(lineEnd));
    const QByteArray manifest = lineEnd < 0 ? bytes : bytes.mid(lineEnd + 1);

    const ManifestEntry entry = FindInManifest(manifest, version);
    if (entry.outcome == ManifestEntry::Outcome::Found) {
        FUZZ_CHECK(IsWebAddress(entry.url));
        FUZZ_CHECK(entry.identity.sha1.isEmpty() || IsLowerHex(entry.identity.sha1, 40));
    } else {
        FUZZ_CHECK(entry.url.isEmpty() && entry.identity.sha1.isEmpty());
    }
    CheckSameVerdictReshaped(manifest, [&version](const QByteArray& body) {
        const ManifestEntry again = FindInManifest(body, version);
        return std::tuple{again.outcome, again.url, again.identity.sha1};
    });
    const VersionList list = ReadVersionList(manifest);
    FUZZ_CHECK((list.outcome == VersionList::Outcome::Listed) == !list.versions.isEmpty());
    for (qsizetype i = 0; i < list.versions.size(); ++i) {
        const ListedVersion& listed = list.versions.at(i);
        FUZZ_CHECK(IsListableVersionId(listed.id) && !listed.id.contains(QLatin1Char('/')));
        FUZZ_CHECK(i == 0 || !listed.released.isValid() ||
                   list.versions.at(i - 1).released >= listed.released);
    }
    CheckSameVerdictReshaped(manifest, [](const QByteArray& body) {
        const VersionList again = ReadVersionList(body);
        QStringList ids;
        for (const ListedVersion& listed : again.versions) {
            ids.append(listed.id);
        }
        return std::tuple{again.outcome, ids, again.leftOut};
    });
    return 0;
}
