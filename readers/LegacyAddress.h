#pragma once

#include "VersionFileAddress.h"

#include <QString>
#include <QUrl>

struct LegacyEndpoints;

// What an address under one of the old official bases asks for: the kinds of
// core's table of old addresses (OldAddressShapes.h), skins and capes by
// server and version files by route, in one enum with "none of them".
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

// Which file of a version: core's kind, under the name the pane has for it.
using VersionFile = VersionFileKind;

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

// Reads `address` against the old bases of `endpoints`, with the shapes the
// windows build them in (core/OldAddressShapes.h): a skin or a cape on the
// official skin server's or Skinme's host, its folder and then the player's
// name in a file name; a version file on the store's or the mirror's host,
// its folder, a folder named for the version, and the file named for the same
// version. Only http and https, with no query or fragment, on the host of the
// kind (a skin server's host is read for skins and capes only); the name is
// read decoded and may not hold a "/", the version as encoded and may.
LegacyAddress ReadLegacyAddress(const QUrl& address, const LegacyEndpoints& endpoints);

// Where the mirror keeps a file today: "/version/<V>/client", "json" or
// "server" on the configured mirror host, V as encoded in the old address.
// The scheme is the endpoints' (https but for local stand-ins), whatever
// the old address said: the jar and the description that vouches for it
// must not both come in the clear.
QUrl MirrorAddress(const LegacyAddress& file, const LegacyEndpoints& endpoints);
