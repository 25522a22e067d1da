#include "EffectCommand.h"

#include <cstdint>
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

} // namespace

EffectCommand BuildEffectCommand(const EffectChoices& choices) {
    const auto& chosen = choices.chosen;
    Part effect;
    Part target;
    Part duration;
    Part amplifier;

    // The order below is the order the window reports its options in; a later
    // selected option overwrites an earlier one of the same part.
    for (std::int16_t id = 1; id <= 23; ++id) {
        if (chosen[id]) {
            effect = id;
        }
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
        effect = std::string("clear");
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

    EffectCommand result;
    result.effectText = TextOf(effect);
    result.amplifierText = TextOf(amplifier);
    result.command = "/effect " + TextOf(target) + ' ' + result.effectText + ' ' +
                     TextOf(duration) + ' ' + result.amplifierText;
    return result;
}
