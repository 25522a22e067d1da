#include "EffectCommand.h"

#include "EffectTable.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <variant>

namespace {

// Each part of the command is unset, a number, or text taken as it is.
using Part = std::variant<std::monostate, std::int16_t, std::string>;

std::string TextOf(const Part& part) {
    if (const auto* number = std::get_if<std::int16_t>(&part)) {
        return std::to_string(*number);
    }
    if (const auto* text = std::get_if<std::string>(&part)) {
        return *text;
    }
    return {};
}

// "/effect", then each piece after one space.
std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::string command = "/effect";
    for (const std::string_view piece : pieces) {
        command += ' ';
        command += piece;
    }
    return command;
}

} // namespace

EffectCommand BuildEffectCommand(const EffectChoices& choices) {
    const auto& chosen = choices.chosen;
    const auto rows = EffectRows();
    const EffectRow* effect = nullptr;
    bool clear = false;
    Part target;
    Part duration;
    Part amplifier;
    EffectForm form = EffectForm::Old;

    // The order below is the order the window reports its options in; a later
    // selected option overwrites an earlier one of the same part.
    for (std::size_t option = 1; option <= kFirstListedEffect; ++option) {
        if (chosen[option]) {
            effect = &rows[option - 1];
        }
    }
    if (choices.listedEffect && *choices.listedEffect < rows.size()) {
        effect = &rows[*choices.listedEffect];
    }
    if (chosen[24]) {
        target = std::string("@p");
    }
    if (chosen[25]) {
        target = std::string("@a");
    }
    if (chosen[26]) {
        target = std::string("@r");
    }
    if (chosen[27]) {
        target = choices.text1;
    }
    if (chosen[28]) {
        duration = choices.text2;
    }
    if (chosen[29]) {
        duration = std::string("99999");
    }
    // Comes after the ids, so "clear" replaces any effect picked above.
    if (chosen[30]) {
        clear = true;
    }
    if (chosen[31]) {
        amplifier = choices.text4;
    }
    if (chosen[32]) {
        amplifier = std::int16_t{1};
    }
    if (chosen[33]) {
        amplifier = std::int16_t{255};
    }
    if (chosen[34]) {
        form = EffectForm::Old;
    }
    if (chosen[35]) {
        form = EffectForm::Java;
    }
    if (chosen[36]) {
        form = EffectForm::Bedrock;
    }

    EffectCommand result;
    if (clear) {
        result.effectText = "clear";
    } else if (effect != nullptr) {
        const std::string_view id = EffectIdIn(*effect, form);
        const bool prefixed = form == EffectForm::Java && !id.empty();
        result.effectText = (prefixed ? "minecraft:" : "") + std::string(id);
    }
    result.amplifierText = TextOf(amplifier);
    const std::string targetText = TextOf(target);
    const std::string durationText = TextOf(duration);
    switch (form) {
    case EffectForm::Old:
        result.command =
            Joined({targetText, result.effectText, durationText, result.amplifierText});
        break;
    // Clearing takes no duration or amplifier in today's games.
    case EffectForm::Java:
        result.command = clear ? Joined({result.effectText, targetText})
                               : Joined({"give", targetText, result.effectText, durationText,
                                         result.amplifierText});
        break;
    case EffectForm::Bedrock:
        result.command =
            clear ? Joined({targetText, result.effectText})
                  : Joined({targetText, result.effectText, durationText, result.amplifierText});
        break;
    }
    // Every form but a clear ends in the amplifier, which "true" follows.
    if (choices.hideParticles && !clear) {
        result.command += " true";
    }
    return result;
}
