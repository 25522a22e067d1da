// A skin site's CustomSkinAPI answer on any bytes: each hash it takes is a
// plain path segment (1 to 128 letters and digits), one it refuses gives
// neither hash and says why, and the verdict is the same with the JSON
// written out another way.
//
// Input: the answer's body as it came.
#include "AnswerChecks.h"
#include "SkinSiteAnswer.h"

#include <cstdint>
#include <tuple>

namespace {

bool IsPlainSegment(const QString& hash) {
    if (hash.isEmpty() || hash.size() > 128) {
        return false;
    }
    for (const QChar c : hash) {
        if (c.unicode() > 0x7f || !c.isLetterOrNumber()) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray answer(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SkinSiteTextures read = ReadSkinSiteTextures(answer);
    if (read.problem.isEmpty()) {
        FUZZ_CHECK(read.skin.isEmpty() || IsPlainSegment(read.skin));
        FUZZ_CHECK(read.cape.isEmpty() || IsPlainSegment(read.cape));
        // Slim arms are the skin's; no skin, no model.
        FUZZ_CHECK(!read.slim || !read.skin.isEmpty());
    } else {
        FUZZ_CHECK(read.skin.isEmpty() && read.cape.isEmpty());
    }
    CheckSameVerdictReshaped(answer, [](const QByteArray& body) {
        const SkinSiteTextures again = ReadSkinSiteTextures(body);
        return std::tuple{again.skin, again.slim, again.cape, again.problem};
    });
    return 0;
}
