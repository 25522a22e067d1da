// The "/effect" command builder on any choices and any bytes in the three
// boxes: the command is "/effect" and the parts of the chosen game's form,
// each after one space, each part the one the last chosen option of its group
// names (a listed effect after the options), the custom texts byte for byte,
// "true" last when particles are hidden and nothing is cleared; an effect is
// named as its row of the table says for the form's game, in lowercase
// letters and underscores, or left empty where that game lacks it; building
// it never reads or writes out of bounds.
//
// Input: from the end, eight bytes (little-endian) whose bits 0 to 36 say
// which options are chosen, any number at once, bit 37 whether particles are
// hidden, bits 40 to 45 a listed row (63: none; past the table: ignored);
// from the front the name box and the duration box (libFuzzer's
// length-delimited strings, ended by "\ ") and the rest for the amplifier box.
#include "EffectCommand.h"
#include "EffectTable.h"
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

EffectForm FormOf(const EffectChoices& choices) {
    EffectForm form = EffectForm::Old;
    for (const EffectForm each : {EffectForm::Old, EffectForm::Java, EffectForm::Bedrock}) {
        if (choices.chosen[34 + std::size_t(each)]) {
            form = each;
        }
    }
    return form;
}

bool IsName(std::string_view id) {
    return !id.empty() && id.find_first_not_of("abcdefghijklmnopqrstuvwxyz_") == id.npos;
}

// The row's effect as `form` writes it, read off the table's columns.
std::string WrittenIn(const EffectRow& row, EffectForm form) {
    switch (form) {
    case EffectForm::Old:
        return row.number == 0 ? std::string() : std::to_string(row.number);
    case EffectForm::Java:
        FUZZ_CHECK(row.java.empty() || IsName(row.java));
        return row.java.empty() ? std::string() : "minecraft:" + std::string(row.java);
    case EffectForm::Bedrock:
        FUZZ_CHECK(row.bedrock.empty() || IsName(row.bedrock));
        return std::string(row.bedrock);
    }
    return {};
}

bool Follows(TextReader& reader, std::initializer_list<std::string_view> pieces) {
    return std::all_of(pieces.begin(), pieces.end(),
                       [&reader](std::string_view piece) { return reader.Next(piece); });
}

ExpectedParts Expect(const EffectChoices& choices, EffectForm form) {
    const auto& chosen = choices.chosen;
    const auto rows = EffectRows();
    ExpectedParts parts;
    for (std::size_t id = 1; id <= 23; ++id) {
        if (chosen[id]) {
            // The options' rows keep their old numbers.
            FUZZ_CHECK(rows[id - 1].number == std::int16_t(id));
            parts.effect = WrittenIn(rows[id - 1], form);
        }
    }
    if (choices.listedEffect && *choices.listedEffect < rows.size()) {
        parts.effect = WrittenIn(rows[*choices.listedEffect], form);
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
    choices.hideParticles = (bits >> 37) & 1U;
    if (const auto listed = (bits >> 40) & 0x3FU; listed != 0x3F) {
        choices.listedEffect = std::size_t(listed);
    }
    choices.text1 = input.ConsumeRandomLengthString();
    choices.text2 = input.ConsumeRandomLengthString();
    choices.text4 = input.ConsumeRemainingBytesAsString();

    const EffectCommand built = BuildEffectCommand(choices);
    const EffectForm form = FormOf(choices);
    const ExpectedParts expected = Expect(choices, form);

    FUZZ_CHECK(built.effectText == expected.effect);
    FUZZ_CHECK(built.amplifierText == expected.amplifier);
    TextReader reader(built.command);
    // Clearing in today's forms takes no duration or amplifier.
    if (expected.clear && form == EffectForm::Java) {
        FUZZ_CHECK(Follows(reader, {"/effect clear ", expected.target}));
    } else if (expected.clear && form == EffectForm::Bedrock) {
        FUZZ_CHECK(Follows(reader, {"/effect ", expected.target, " clear"}));
    } else {
        FUZZ_CHECK(Follows(reader, {form == EffectForm::Java ? "/effect give " : "/effect ",
                                    expected.target, " ", expected.effect, " ", expected.duration,
                                    " ", expected.amplifier}));
    }
    if (choices.hideParticles && !expected.clear) {
        FUZZ_CHECK(reader.Next(" true"));
    }
    FUZZ_CHECK(reader.AtEnd());
    return 0;
}
