#include "EffectCommand.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <variant>

namespace {

// The effect options in order: the number the old command takes, and the
// name every game since Java Edition 1.13 takes (Bedrock's is the same).
struct Effect {
    std::int16_t number;
    std::string_view id;
};

constexpr std::array<Effect, 23> kEffects{{
    {1, "speed"},
    {2, "slowness"},
    {3, "haste"},
    {4, "mining_fatigue"},
    {5, "strength"},
    {6, "instant_health"},
    {7, "instant_damage"},
    {8, "jump_boost"},
    {9, "nausea"},
    {10, "regeneration"},
    {11, "resistance"},
    {12, "fire_resistance"},
    {13, "water_breathing"},
    {14, "invisibility"},
    {15, "blindness"},
    {16, "night_vision"},
    {17, "hunger"},
    {18, "weakness"},
    {19, "poison"},
    {20, "wither"},
    {21, "health_boost"},
    {22, "absorption"},
    {23, "saturation"},
}};

enum class Form { Old, Java, Bedrock };

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
    const Effect* effect = nullptr;
    bool clear = false;
    Part target;
    Part duration;
    Part amplifier;
    Form form = Form::Old;

    // The order below is the order the window reports its options in; a later
    // selected option overwrites an earlier one of the same part.
    for (std::size_t option = 1; option <= kEffects.size(); ++option) {
        if (chosen[option]) {
            effect = &kEffects[option - 1];
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
        form = Form::Old;
    }
    if (chosen[35]) {
        form = Form::Java;
    }
    if (chosen[36]) {
        form = Form::Bedrock;
    }

    EffectCommand result;
    if (clear) {
        result.effectText = "clear";
    } else if (effect != nullptr) {
        result.effectText = form == Form::Old    ? std::to_string(effect->number)
                            : form == Form::Java ? "minecraft:" + std::string(effect->id)
                                                 : std::string(effect->id);
    }
    result.amplifierText = TextOf(amplifier);
    const std::string targetText = TextOf(target);
    const std::string durationText = TextOf(duration);
    switch (form) {
    case Form::Old:
        result.command =
            Joined({targetText, result.effectText, durationText, result.amplifierText});
        break;
    // Clearing takes no duration or amplifier in today's games.
    case Form::Java:
        result.command = clear ? Joined({result.effectText, targetText})
                               : Joined({"give", targetText, result.effectText, durationText,
                                         result.amplifierText});
        break;
    case Form::Bedrock:
        result.command =
            clear ? Joined({targetText, result.effectText})
                  : Joined({targetText, result.effectText, durationText, result.amplifierText});
        break;
    }
    return result;
}
