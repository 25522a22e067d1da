#pragma once

#include <string>
#include <string_view>

enum class SkinChoice { OfficialSkin, OfficialCape, SkinmeSkin, SkinmeCape };

// Address prefixes, each ending in '/', that a player name is appended to.
struct SkinBases {
    std::string officialSkin;
    std::string officialCape;
    std::string skinmeSkin;
    std::string skinmeCape;
};

// The four prefixes built from the hosts chosen when the program was configured
// and the folders of kOldSkinShapes (OldAddressShapes.h).
const SkinBases& ConfiguredSkinBases();

// base + playerName + ".png", the file name of kOldSkinShapes. The name goes
// in exactly as typed: the servers are asked for what the player entered,
// nothing more.
std::string BuildSkinAddress(SkinChoice choice, std::string_view playerName,
                             const SkinBases& bases = ConfiguredSkinBases());
