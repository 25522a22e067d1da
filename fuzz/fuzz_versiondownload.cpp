// The reader of a version's description, the official one and the mirror's
// alike, on any bytes, for the client and the server jar: a file it finds has
// an http or https address, no SHA-1 or one of 40 lower-case hex digits, and
// no size or exactly the whole number the JSON gives, from 0 to 2^53; a file
// it does not find has none of these; and the verdict is the same with the
// JSON written out another way.
//
// Input: the description's body as it came.
#include "AnswerChecks.h"
#include "VersionAnswer.h"

#include <cstdint>
#include <tuple>

namespace {

// The "size" under downloads.<key>, read apart from the reader.
QJsonValue GivenSize(const QByteArray& description, const QString& key) {
    const QJsonObject root = QJsonDocument::fromJson(description).object();
    return root.value(QLatin1String("downloads"))
        .toObject()
        .value(key)
        .toObject()
        .value(QLatin1String("size"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray description(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QString key : {QStringLiteral("client"), QStringLiteral("server")}) {
        const VersionDownload file = FindDownload(description, key);
        if (file.outcome == VersionDownload::Outcome::Found) {
            FUZZ_CHECK(IsWebAddress(file.url));
            FUZZ_CHECK(file.identity.sha1.isEmpty() || IsLowerHex(file.identity.sha1, 40));
            FUZZ_CHECK(file.identity.size == -1 ||
                       (file.identity.size >= 0 && file.identity.size <= (qint64(1) << 53)));
            FUZZ_CHECK(file.identity.size == -1 ||
                       GivenSize(description, key).toInteger(-1) == file.identity.size);
        } else {
            FUZZ_CHECK(file.url.isEmpty() && file.identity.sha1.isEmpty() &&
                       file.identity.size == -1);
        }
        CheckSameVerdictReshaped(description, [&key](const QByteArray& body) {
            const VersionDownload again = FindDownload(body, key);
            return std::tuple{again.outcome, again.url, again.identity.sha1, again.identity.size};
        });
    }
    return 0;
}
