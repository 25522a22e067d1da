#pragma once

// The old official addresses the windows still build, each shape written
// once: the builders in SkinAddress.cpp and VersionFileAddress.cpp write
// from these tables and the pane's reader (readers/LegacyAddress.cpp) reads
// with them.
//
//   player image:  "http://" host folder prefix <name> suffix
//   version file:  "http://" host folder <V> "/" prefix <V> suffix
//
// Standard C++ only, like the rest of core/.

#include "ConfiguredHosts.h"
#include "SkinAddress.h"
#include "VersionFileAddress.h"

#include <algorithm>
#include <array>
#include <string_view>

// Which server an old address is on. The builders write the host configured
// for it (ConfiguredHost); the pane reads against the hosts it was handed,
// which a test may point elsewhere.
enum class OldHost { OfficialSkin, Skinme, Store, Mirror };

constexpr std::string_view ConfiguredHost(OldHost host) {
    switch (host) {
    case OldHost::OfficialSkin:
        return kOfficialSkinHost;
    case OldHost::Skinme:
        return kSkinmeHost;
    case OldHost::Store:
        return kStoreHost;
    case OldHost::Mirror:
        return kMirrorHost;
    }
    return {};
}

// A file name made of a name or a version with text either side.
struct OldFileName {
    std::string_view prefix;
    std::string_view suffix;
};

// Skins and capes: one folder each, the same on both servers.
inline constexpr std::string_view kOldSkinFolder = "/MinecraftSkins/";
inline constexpr std::string_view kOldCapeFolder = "/MinecraftCloaks/";
inline constexpr OldFileName kOldPlayerImage{"", ".png"};

struct OldSkinShape {
    SkinChoice choice;
    OldHost host;
    // Starts and ends with '/'.
    std::string_view folder;
    // Around the player name.
    OldFileName file;
};

inline constexpr std::array kOldSkinShapes{
    OldSkinShape{SkinChoice::OfficialSkin, OldHost::OfficialSkin, kOldSkinFolder, kOldPlayerImage},
    OldSkinShape{SkinChoice::OfficialCape, OldHost::OfficialSkin, kOldCapeFolder, kOldPlayerImage},
    OldSkinShape{SkinChoice::SkinmeSkin, OldHost::Skinme, kOldSkinFolder, kOldPlayerImage},
    OldSkinShape{SkinChoice::SkinmeCape, OldHost::Skinme, kOldCapeFolder, kOldPlayerImage},
};

// Version files: the route's folder, then a folder named for the version
// that ends in kOldVersionFolderEnd, then the file named for the version.
struct OldVersionFolder {
    DownloadRoute route;
    OldHost host;
    // Starts and ends with '/'. The store keeps each version's folder right
    // under its root folder.
    std::string_view folder;
};

inline constexpr std::array kOldVersionFolders{
    OldVersionFolder{DownloadRoute::DomesticMirror, OldHost::Mirror, "/versions/"},
    OldVersionFolder{DownloadRoute::OfficialStore, OldHost::Store, "/Minecraft.Download/"},
};

inline constexpr std::string_view kOldVersionFolderEnd = "/";

struct OldVersionFile {
    VersionFileKind kind;
    // Around the version.
    OldFileName file;
};

inline constexpr std::array kOldVersionFiles{
    OldVersionFile{VersionFileKind::ClientJar, {"", ".jar"}},
    OldVersionFile{VersionFileKind::VersionJson, {"", ".json"}},
    OldVersionFile{VersionFileKind::ServerJar, {"minecraft_server.", ".jar"}},
};

// The entry of a kind. A value that no entry has can only come from a cast:
// building an address must not fail, so a skin choice falls back to the first
// entry (the official skins), a route to the first (the mirror), and a file
// kind to no file name at all.
constexpr const OldSkinShape& OldSkinShapeOf(SkinChoice choice) {
    for (const OldSkinShape& shape : kOldSkinShapes) {
        if (shape.choice == choice) {
            return shape;
        }
    }
    return kOldSkinShapes.front();
}

constexpr const OldVersionFolder& OldVersionFolderOf(DownloadRoute route) {
    for (const OldVersionFolder& folder : kOldVersionFolders) {
        if (folder.route == route) {
            return folder;
        }
    }
    return kOldVersionFolders.front();
}

constexpr const OldVersionFile* OldVersionFileOf(VersionFileKind kind) {
    for (const OldVersionFile& file : kOldVersionFiles) {
        if (file.kind == kind) {
            return &file;
        }
    }
    return nullptr;
}

// Every kind has exactly one entry, and every folder starts and ends with '/'.
namespace old_address_shapes_detail {

template <typename Table, typename Member, typename... Kinds>
constexpr bool OneEntryEach(const Table& table, Member member, Kinds... kinds) {
    return table.size() == sizeof...(kinds) &&
           ((std::ranges::count(table, kinds, member) == 1) && ...);
}

template <typename Table> constexpr bool FoldersEndInSlashes(const Table& table) {
    return std::ranges::all_of(table, [](const auto& entry) {
        return entry.folder.starts_with('/') && entry.folder.ends_with('/');
    });
}

} // namespace old_address_shapes_detail

static_assert(old_address_shapes_detail::OneEntryEach(
    kOldSkinShapes, &OldSkinShape::choice, SkinChoice::OfficialSkin, SkinChoice::OfficialCape,
    SkinChoice::SkinmeSkin, SkinChoice::SkinmeCape));
static_assert(old_address_shapes_detail::OneEntryEach(kOldVersionFolders, &OldVersionFolder::route,
                                                      DownloadRoute::DomesticMirror,
                                                      DownloadRoute::OfficialStore));
static_assert(old_address_shapes_detail::OneEntryEach(kOldVersionFiles, &OldVersionFile::kind,
                                                      VersionFileKind::ClientJar,
                                                      VersionFileKind::VersionJson,
                                                      VersionFileKind::ServerJar));
static_assert(old_address_shapes_detail::FoldersEndInSlashes(kOldSkinShapes));
static_assert(old_address_shapes_detail::FoldersEndInSlashes(kOldVersionFolders));
