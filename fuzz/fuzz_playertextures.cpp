// The session profile's reader on any bytes: a profile it takes names only
// http or https images, one it refuses names none and says why, and the
// verdict is the same with the JSON written out another way.
//
// Input: the profile's body, then one byte; when that byte is odd the body is
// instead the textures JSON, which the target sends base64 inside a profile
// as the session server does, so the inner reader sees shapes of its own.
#include "AnswerChecks.h"
#include "ProfileAnswer.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <tuple>

namespace {

QByteArray SessionProfile(const QByteArray& textures) {
    return "{\"id\":\"069a79f444e94726a5befca90e38aaf5\",\"name\":\"Notch\",\"properties\":"
           "[{\"name\":\"textures\",\"value\":\"" +
           textures.toBase64() + "\"}]}";
}

auto Verdict(const QByteArray& profile) {
    const PlayerTextures read = ReadPlayerTextures(profile);
    return std::tuple{read.skin, read.slim, read.cape, read.problem};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool wrapped = input.ConsumeBool();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const QByteArray body(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QByteArray profile = wrapped ? SessionProfile(body) : body;

    const PlayerTextures read = ReadPlayerTextures(profile);
    if (read.problem.isEmpty()) {
        FUZZ_CHECK(read.skin.isEmpty() || IsWebAddress(read.skin));
        FUZZ_CHECK(read.cape.isEmpty() || IsWebAddress(read.cape));
        // Slim arms are the skin's; no skin, no model.
        FUZZ_CHECK(!read.slim || !read.skin.isEmpty());
    } else {
        FUZZ_CHECK(read.skin.isEmpty() && read.cape.isEmpty());
    }
    if (wrapped) {
        CheckSameVerdictReshaped(
            body, [](const QByteArray& textures) { return Verdict(SessionProfile(textures)); });
    } else {
        CheckSameVerdictReshaped(profile, Verdict);
    }
    return 0;
}
