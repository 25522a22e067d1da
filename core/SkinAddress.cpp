#include "SkinAddress.h"

#include "ConfiguredHosts.h"
#include "HttpBase.h"

namespace {

const std::string& BaseFor(SkinChoice choice, const SkinBases& bases) {
    switch (choice) {
    case SkinChoice::OfficialSkin:
        return bases.officialSkin;
    case SkinChoice::OfficialCape:
        return bases.officialCape;
    case SkinChoice::SkinmeSkin:
        return bases.skinmeSkin;
    case SkinChoice::SkinmeCape:
        return bases.skinmeCape;
    }
    // Only a cast can produce another value; building an address must not fail.
    return bases.officialSkin;
}

} // namespace

const SkinBases& ConfiguredSkinBases() {
    static const SkinBases bases{
        HttpBase(kOfficialSkinHost, "/MinecraftSkins/"),
        HttpBase(kOfficialSkinHost, "/MinecraftCloaks/"),
        HttpBase(kSkinmeHost, "/MinecraftSkins/"),
        HttpBase(kSkinmeHost, "/MinecraftCloaks/"),
    };
    return bases;
}

std::string BuildSkinAddress(SkinChoice choice, std::string_view playerName,
                             const SkinBases& bases) {
    const std::string& base = BaseFor(choice, bases);
    std::string address;
    address.reserve(base.size() + playerName.size() + 4);
    address += base;
    address += playerName;
    address += ".png";
    return address;
}
