#include "EffectTable.h"

#include <array>

namespace {

// Ids from the games' own data: Java's effect registry, Bedrock's /effect
// documentation. Names from the Chinese edition of the game.
constexpr std::array<EffectRow, 41> kRows{{
    {1, "speed", "speed", "速度"},
    {2, "slowness", "slowness", "缓慢"},
    {3, "haste", "haste", "急迫"},
    {4, "mining_fatigue", "mining_fatigue", "挖掘疲劳"},
    {5, "strength", "strength", "力量"},
    {6, "instant_health", "instant_health", "瞬间治疗"},
    {7, "instant_damage", "instant_damage", "瞬间伤害"},
    {8, "jump_boost", "jump_boost", "跳跃提升"},
    {9, "nausea", "nausea", "反胃"},
    {10, "regeneration", "regeneration", "生命恢复"},
    {11, "resistance", "resistance", "抗性提升"},
    {12, "fire_resistance", "fire_resistance", "防火"},
    {13, "water_breathing", "water_breathing", "水下呼吸"},
    {14, "invisibility", "invisibility", "隐身"},
    {15, "blindness", "blindness", "失明"},
    {16, "night_vision", "night_vision", "夜视"},
    {17, "hunger", "hunger", "饥饿"},
    {18, "weakness", "weakness", "虚弱"},
    {19, "poison", "poison", "中毒"},
    {20, "wither", "wither", "凋零"},
    {21, "health_boost", "health_boost", "生命提升"},
    {22, "absorption", "absorption", "伤害吸收"},
    {23, "saturation", "saturation", "饱和"},
    // Added in Java Edition 1.9, numbered until 1.12.
    {24, "glowing", "", "发光"},
    {25, "levitation", "levitation", "飘浮"},
    {26, "luck", "", "幸运"},
    {27, "unluck", "", "霉运"},
    // Named only.
    {0, "slow_falling", "slow_falling", "缓降"},
    {0, "conduit_power", "conduit_power", "潮涌能量"},
    {0, "dolphins_grace", "", "海豚的恩惠"},
    {0, "bad_omen", "bad_omen", "不祥之兆"},
    {0, "hero_of_the_village", "village_hero", "村庄英雄"},
    {0, "darkness", "darkness", "黑暗"},
    {0, "trial_omen", "trial_omen", "试炼之兆"},
    {0, "raid_omen", "raid_omen", "袭击之兆"},
    {0, "wind_charged", "wind_charged", "蓄风"},
    {0, "weaving", "weaving", "盘丝"},
    {0, "oozing", "oozing", "渗浆"},
    {0, "infested", "infested", "寄生"},
    {0, "breath_of_the_nautilus", "", "鹦鹉螺之息"},
    {0, "", "fatal_poison", "剧毒"},
}};

// The old numbers as text, so that a row's id is a view like the others.
constexpr std::array<std::string_view, 28> kNumbers{
    "",   "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12", "13",
    "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27",
};

} // namespace

std::span<const EffectRow> EffectRows() {
    return kRows;
}

std::string_view EffectIdIn(const EffectRow& row, EffectForm form) {
    switch (form) {
    case EffectForm::Old:
        return kNumbers.at(static_cast<std::size_t>(row.number));
    case EffectForm::Java:
        return row.java;
    case EffectForm::Bedrock:
        return row.bedrock;
    }
    return {};
}
