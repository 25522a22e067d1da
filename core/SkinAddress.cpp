#include "SkinAddress.h"

#include "HttpBase.h"
#include "OldAddressShapes.h"

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

std::string ConfiguredBase(SkinChoice choice) {
    const OldSkinShape& shape = OldSkinShapeOf(choice);
    return HttpBase(ConfiguredHost(shape.host), shape.folder);
}

} // namespace

const SkinBases& ConfiguredSkinBases() {
    static const SkinBases bases{
        ConfiguredBase(SkinChoice::OfficialSkin),
        ConfiguredBase(SkinChoice::OfficialCape),
        ConfiguredBase(SkinChoice::SkinmeSkin),
        ConfiguredBase(SkinChoice::SkinmeCape),
    };
    return bases;
}

std::string BuildSkinAddress(SkinChoice choice, std::string_view playerName,
                             const SkinBases& bases) {
    const std::string& base = BaseFor(choice, bases);
    const OldFileName& file = OldSkinShapeOf(choice).file;
    std::string address;
    address.reserve(base.size() + file.prefix.size() + playerName.size() + file.suffix.size());
    address += base;
    address += file.prefix;
    address += playerName;
    address += file.suffix;
    return address;
}
