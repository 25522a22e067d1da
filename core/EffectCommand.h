#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

// What the "/effect" window shows: which option buttons are selected and what
// the three free-text boxes hold.
struct EffectChoices {
    std::array<bool, 37> chosen{}; // chosen[n]: option button n is selected; 0 is never looked at
    std::string text1;             // player name box
    std::string text2;             // custom duration box
    std::string text4;             // custom amplifier box
    // A row of EffectRows() chosen in the list beside the effect options.
    std::optional<std::size_t> listedEffect;
    bool hideParticles = false; // "true" after the amplifier
};

struct EffectCommand {
    std::string effectText; // the effect as the command names it, or "clear"
    std::string amplifierText;
    std::string command;
};

// Builds the command from the selected options. Options 1..23 pick an effect,
// as does the listed one after them, 24..27 the target, 28..29 the duration,
// 30 clears effects, 31..33 the amplifier, 34..36 the game the command is
// written for. Within a group the later option wins; an effect the chosen
// game lacks is unset. Each piece follows one space; box texts are copied
// byte for byte, and an unset piece leaves an empty slot between the spaces.
// Hidden particles add "true" after the amplifier of any form but a clear.
//   Java Edition 1.8 to 1.12 (also when none of 34..36 is chosen):
//       /effect <target> <number, or "clear"> <duration> <amplifier>
//   Java Edition 1.13 and later:
//       /effect give <target> minecraft:<id> <duration> <amplifier>
//       /effect clear <target>
//   Bedrock Edition:
//       /effect <target> <id> <duration> <amplifier>
//       /effect <target> clear
EffectCommand BuildEffectCommand(const EffectChoices& choices);
