// The version file address builder on any bytes: the address is the route's
// base, the version exactly as given, "/", and the file name of the kind with
// the version in it again, byte for byte; building it never reads or writes
// out of bounds.
//
// Input: the version first, then (from the end) one byte for the kind (taken
// modulo 3), one for the route and one for the bases; when that byte is odd
// the configured bases are used, else two prefixes of up to 64 bytes are read
// before the version.
#include "ConfiguredHosts.h"
#include "FuzzCheck.h"
#include "TextReader.h"
#include "VersionFileAddress.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto kindValue = input.ConsumeIntegralInRange<std::uint8_t>(0, 2);
    const auto routeValue = input.ConsumeIntegral<std::uint8_t>();
    const bool configured = input.ConsumeIntegral<std::uint8_t>() % 2 == 1;

    VersionFileBases bases;
    if (configured) {
        const VersionFileBases& actual = ConfiguredVersionFileBases();
        FUZZ_CHECK(actual.domesticMirror == "http://" + std::string(kMirrorHost) + "/versions/");
        FUZZ_CHECK(actual.officialStore ==
                   "http://" + std::string(kStoreHost) + "/Minecraft.Download/");
        bases = actual;
    } else {
        bases.domesticMirror = input.ConsumeRandomLengthString(64);
        bases.officialStore = input.ConsumeRandomLengthString(64);
    }
    const std::string version = input.ConsumeRemainingBytesAsString();

    const auto kind = static_cast<VersionFileKind>(kindValue);
    // Route values other than the two can only come from a cast; the builder
    // then uses the mirror.
    const auto route = static_cast<DownloadRoute>(routeValue);
    const std::string address = configured ? BuildVersionFileAddress(kind, route, version)
                                           : BuildVersionFileAddress(kind, route, version, bases);

    TextReader reader(address);
    FUZZ_CHECK(reader.Next(routeValue == 1 ? bases.officialStore : bases.domesticMirror));
    FUZZ_CHECK(reader.Next(version));
    FUZZ_CHECK(reader.Next("/"));
    switch (kind) {
    case VersionFileKind::ClientJar:
        FUZZ_CHECK(reader.Next(version));
        FUZZ_CHECK(reader.Next(".jar"));
        break;
    case VersionFileKind::VersionJson:
        FUZZ_CHECK(reader.Next(version));
        FUZZ_CHECK(reader.Next(".json"));
        break;
    case VersionFileKind::ServerJar:
        FUZZ_CHECK(reader.Next("minecraft_server."));
        FUZZ_CHECK(reader.Next(version));
        FUZZ_CHECK(reader.Next(".jar"));
        break;
    }
    FUZZ_CHECK(reader.AtEnd());
    return 0;
}
