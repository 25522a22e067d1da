#pragma once

#include <QString>
#include <QUrl>

struct LegacyEndpoints;

// What an address under one of the old official bases asks for.
enum class LegacyTarget {
    None, // not one of them: the pane loads it as written
    OfficialSkin,
    OfficialCape,
    // Skinme's, which is gone: looked for on a skin site instead.
    SkinmeSkin,
    SkinmeCape,
    StoreFile,
    MirrorFile,
};

enum class VersionFile { ClientJar, VersionJson, ServerJar };

// The key of a jar under a version description's "downloads"; the JSON has none.
QString DownloadKey(VersionFile file);

struct LegacyAddress {
    LegacyTarget target = LegacyTarget::None;
    // The player name, decoded, for a skin or a cape.
    QString name;
    VersionFile file = VersionFile::ClientJar;
    // The version as it stands in the address, percent-encoded, and decoded.
    QString encodedVersion;
    QString version;
};

// Reads `address` against the old bases of `endpoints`: the official skin
// server's and Skinme's "/MinecraftSkins/<name>.png" and
// "/MinecraftCloaks/<name>.png",
// the store's "/Minecraft.Download/<V>/<file>" and the mirror's
// "/versions/<V>/<file>", where <file> is "<V>.jar", "<V>.json" or
// "minecraft_server.<V>.jar" with the same V twice.
LegacyAddress ReadLegacyAddress(const QUrl& address, const LegacyEndpoints& endpoints);

// Where the mirror keeps a file today: "/version/<V>/client", "json" or
// "server" on the configured mirror host, V as encoded in the old address.
// The scheme is the endpoints' (https but for local stand-ins), whatever
// the old address said: the jar and the description that vouches for it
// must not both come in the clear.
QUrl MirrorAddress(const LegacyAddress& file, const LegacyEndpoints& endpoints);
