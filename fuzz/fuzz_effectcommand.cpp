// The "/effect" command builder on any choices and any bytes in the three
// boxes: the command is "/effect" and the four parts, each after one space,
// each part the one the last chosen option of its group names, the custom
// texts byte for byte; building it never reads or writes out of bounds.
//
// Input: from the end, eight bytes (little-endian) whose bits 0 to 33 say
// which options are chosen, any number at once; from the front the name box
// and the duration box (libFuzzer's length-delimited strings, ended by "\ ")
// and the rest for the amplifier box.
#include "EffectCommand.h"
#include "FuzzCheck.h"
#include "TextReader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

namespace {

// What each group's last chosen option puts into the command, read off the
// option tables; an untouched group stays empty.
struct ExpectedParts {
    std::string target;
    std::string effect;
    std::string duration;
    std::string amplifier;
};

ExpectedParts Expect(const EffectChoices& choices) {
    const auto& chosen = choices.chosen;
    ExpectedParts parts;
    for (int id = 1; id <= 23; ++id) {
        if (chosen[std::size_t(id)]) {
            parts.effect = std::to_string(id);
        }
    }
    const std::string targets[] = {"@p", "@a", "@r", choices.text1};
    for (std::size_t n = 24; n <= 27; ++n) {
        if (chosen[n]) {
            parts.target = targets[n - 24];
        }
    }
    if (chosen[28]) {
        parts.duration = choices.text2;
    }
    if (chosen[29]) {
        parts.duration = "99999";
    }
    if (chosen[30]) {
        parts.effect = "clear";
    }
    const std::string amplifiers[] = {choices.text4, "1", "255"};
    for (std::size_t n = 31; n <= 33; ++n) {
        if (chosen[n]) {
            parts.amplifier = amplifiers[n - 31];
        }
    }
    return parts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto bits = input.ConsumeIntegral<std::uint64_t>();
    EffectChoices choices;
    for (std::size_t n = 0; n < choices.chosen.size(); ++n) {
        choices.chosen[n] = (bits >> n) & 1U;
    }
    choices.text1 = input.ConsumeRandomLengthString();
    choices.text2 = input.ConsumeRandomLengthString();
    choices.text4 = input.ConsumeRemainingBytesAsString();

    const EffectCommand built = BuildEffectCommand(choices);
    const ExpectedParts expected = Expect(choices);

    FUZZ_CHECK(built.effectText == expected.effect);
    FUZZ_CHECK(built.amplifierText == expected.amplifier);
    TextReader reader(built.command);
    FUZZ_CHECK(reader.Next("/effect "));
    FUZZ_CHECK(reader.Next(expected.target));
    FUZZ_CHECK(reader.Next(" "));
    FUZZ_CHECK(reader.Next(expected.effect));
    FUZZ_CHECK(reader.Next(" "));
    FUZZ_CHECK(reader.Next(expected.duration));
    FUZZ_CHECK(reader.Next(" "));
    FUZZ_CHECK(reader.Next(expected.amplifier));
    FUZZ_CHECK(reader.AtEnd());
    return 0;
}
