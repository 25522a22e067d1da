// The skin address builder on any bytes: the address is the chosen base, the
// name exactly as given, and ".png", and building it never reads or writes
// out of bounds.
//
// Input: the name first, then (from the end) one byte for the choice and one
// for the bases; when that byte is odd the configured bases are used, else
// four prefixes of up to 64 bytes are read before the name.
#include "ConfiguredHosts.h"
#include "FuzzCheck.h"
#include "SkinAddress.h"
#include "TextReader.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

namespace {

// The prefixes as the published addresses have them, put together here from
// the configured hosts rather than by the code under test.
SkinBases ExpectedConfiguredBases() {
    const std::string official = "http://" + std::string(kOfficialSkinHost);
    const std::string skinme = "http://" + std::string(kSkinmeHost);
    return {official + "/MinecraftSkins/", official + "/MinecraftCloaks/",
            skinme + "/MinecraftSkins/", skinme + "/MinecraftCloaks/"};
}

// Four values name a base; any other value can only come from a cast, and
// the builder then falls back to the official skins.
const std::string& ExpectedBase(std::uint8_t choice, const SkinBases& bases) {
    switch (choice) {
    case 1:
        return bases.officialCape;
    case 2:
        return bases.skinmeSkin;
    case 3:
        return bases.skinmeCape;
    default:
        return bases.officialSkin;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto choice = input.ConsumeIntegral<std::uint8_t>();
    const bool configured = input.ConsumeIntegral<std::uint8_t>() % 2 == 1;

    const SkinBases expectedConfigured = ExpectedConfiguredBases();
    SkinBases bases;
    if (configured) {
        const SkinBases& actual = ConfiguredSkinBases();
        FUZZ_CHECK(actual.officialSkin == expectedConfigured.officialSkin);
        FUZZ_CHECK(actual.officialCape == expectedConfigured.officialCape);
        FUZZ_CHECK(actual.skinmeSkin == expectedConfigured.skinmeSkin);
        FUZZ_CHECK(actual.skinmeCape == expectedConfigured.skinmeCape);
        bases = actual;
    } else {
        bases.officialSkin = input.ConsumeRandomLengthString(64);
        bases.officialCape = input.ConsumeRandomLengthString(64);
        bases.skinmeSkin = input.ConsumeRandomLengthString(64);
        bases.skinmeCape = input.ConsumeRandomLengthString(64);
    }
    const std::string name = input.ConsumeRemainingBytesAsString();

    const std::string address =
        configured ? BuildSkinAddress(static_cast<SkinChoice>(choice), name)
                   : BuildSkinAddress(static_cast<SkinChoice>(choice), name, bases);

    const std::string& base = ExpectedBase(choice, bases);
    TextReader reader(address);
    FUZZ_CHECK(reader.Next(base));
    FUZZ_CHECK(reader.Next(name));
    FUZZ_CHECK(reader.Next(".png"));
    FUZZ_CHECK(reader.AtEnd());
    return 0;
}
