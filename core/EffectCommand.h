#pragma once

#include <array>
#include <string>

// What the "/effect" window shows: which option buttons are selected and what
// the three free-text boxes hold.
struct EffectChoices {
    std::array<bool, 34> chosen{}; // chosen[n]: option button n is selected; 0 is never looked at
    std::string text1;             // player name box
    std::string text2;             // custom duration box
    std::string text4;             // custom amplifier box
};

struct EffectCommand {
    std::string effectText;
    std::string amplifierText;
    std::string command; // "/effect <target> <effect> <duration> <amplifier>"
};

// Builds the command from the selected options. Options 1..23 pick an effect id,
// 24..27 the target, 28..29 the duration, 30 clears effects, 31..33 the
// amplifier; within a group the later option wins. Box texts are copied byte
// for byte, and unset parts leave an empty slot between the spaces.
EffectCommand BuildEffectCommand(const EffectChoices& choices);
