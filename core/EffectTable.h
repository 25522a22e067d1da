#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The game each form of the command is written for.
enum class EffectForm { Old, Java, Bedrock };

// One status effect: what each game calls it, and its Chinese name. An empty
// id, or number 0, means that game has no such effect.
struct EffectRow {
    std::int16_t number;      // Java Edition 1.8 to 1.12, which took numbers
    std::string_view java;    // Java Edition 1.13 on, after "minecraft:"
    std::string_view bedrock; // Bedrock Edition
    std::string_view name;    // as the Chinese edition of the game shows it
};

// Every effect, one row each. Rows 0 to 22 are the ones the window's option
// buttons 1 to 23 stand for, in that order; the rest are offered in a list.
std::span<const EffectRow> EffectRows();

// The rows past the option buttons' ones.
inline constexpr std::size_t kFirstListedEffect = 23;

// The effect as `form` writes it ("24", "glowing", ...), or empty where that
// game has no such effect.
std::string_view EffectIdIn(const EffectRow& row, EffectForm form);
