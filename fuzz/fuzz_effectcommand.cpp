// The "/effect" command builder on any choices and any bytes in the three
// boxes: the command is "/effect" and the parts of the chosen game's form,
// each after one space, each part the one the last chosen option of its group
// names, the custom texts byte for byte; an effect's name in today's forms is
// the same in both, made of lowercase letters and underscores; building it
// never reads or writes out of bounds.
//
// Input: from the end, eight bytes (little-endian) whose bits 0 to 36 say
// which options are chosen, any number at once; from the front the name box
// and the duration box (libFuzzer's length-delimited strings, ended by "\ ")
// and the rest for the amplifier box.
#include "EffectCommand.h"
#include "FuzzCheck.h"
#include "TextReader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace {

// What each group's last chosen option puts into the command, read off the
// option tables; an untouched group stays empty.
struct ExpectedParts {
    std::string target;
    std::string effect;
    std::string duration;
    std::string amplifier;
    bool clear = false;
};

enum class Form { Old, Java, Bedrock };

Form FormOf(const EffectChoices& choices) {
    Form form = Form::Old;
    for (const Form each : {Form::Old, Form::Java, Form::Bedrock}) {
        if (choices.chosen[34 + std::size_t(each)]) {
            form = each;
        }
    }
    return form;
}

// The effect's name in today's games, as the builder gives it for Bedrock.
std::string NameOf(EffectChoices choices) {
    choices.chosen[34] = choices.chosen[35] = false;
    choices.chosen[36] = true;
    return BuildEffectCommand(choices).effectText;
}

bool Follows(TextReader& reader, std::initializer_list<std::string_view> pieces) {
    return std::all_of(pieces.begin(), pieces.end(),
                       [&reader](std::string_view piece) { return reader.Next(piece); });
}

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
        parts.clear = true;
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
    ExpectedParts expected = Expect(choices);
    const Form form = FormOf(choices);
    if (form != Form::Old && !expected.clear && !expected.effect.empty()) {
        const std::string name = NameOf(choices);
        FUZZ_CHECK(!name.empty() &&
                   name.find_first_not_of("abcdefghijklmnopqrstuvwxyz_") == std::string::npos);
        expected.effect = form == Form::Java ? "minecraft:" + name : name;
    }

    FUZZ_CHECK(built.effectText == expected.effect);
    FUZZ_CHECK(built.amplifierText == expected.amplifier);
    TextReader reader(built.command);
    // Clearing in today's forms takes no duration or amplifier.
    if (expected.clear && form == Form::Java) {
        FUZZ_CHECK(Follows(reader, {"/effect clear ", expected.target}));
    } else if (expected.clear && form == Form::Bedrock) {
        FUZZ_CHECK(Follows(reader, {"/effect ", expected.target, " clear"}));
    } else {
        FUZZ_CHECK(Follows(reader,
                           {form == Form::Java ? "/effect give " : "/effect ", expected.target, " ",
                            expected.effect, " ", expected.duration, " ", expected.amplifier}));
    }
    FUZZ_CHECK(reader.AtEnd());
    return 0;
}
