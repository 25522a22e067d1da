// The name look-up's reader on any bytes: an answer it takes gives 32
// lower-case hex digits and no problem, one it refuses a problem and no id,
// and the verdict is the same with the JSON written out another way.
//
// Input: the answer's body as it came.
#include "AnswerChecks.h"
#include "ProfileAnswer.h"

#include <cstdint>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray answer(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const PlayerLookup read = ReadPlayerLookup(answer);
    FUZZ_CHECK(read.id.isEmpty() != read.problem.isEmpty());
    FUZZ_CHECK(read.id.isEmpty() || IsLowerHex(read.id.toUtf8(), 32));
    CheckSameVerdictReshaped(answer, [](const QByteArray& body) {
        const PlayerLookup again = ReadPlayerLookup(body);
        return std::tuple{again.id, again.problem};
    });
    return 0;
}
