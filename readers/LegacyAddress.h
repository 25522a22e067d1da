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
    // Under an old folder of one of those hosts, but with no name or version
    // to read (LegacyOddity says why): the pane says so and loads nothing.
    OddPlayer,
    OddVersion,
};

// Why an address under an old folder reads as no name or version.
enum class LegacyOddity {
    None,
    Query,      // a "?" in what was typed starts a query
    Fragment,   // a "#" starts a fragment
    Slash,      // "/" or "\", escaped or not: a folder
    DotSegment, // "." or "..": a folder too, once the address is resolved
    Empty,      // no version at all
    Shape,      // not the shape the windows build
};

// Which file of a version: core's kind, under the name the pane has for it.
using VersionFile = VersionFileKind;

// The key of a jar under a version description's "downloads"; the JSON has none.
QString DownloadKey(VersionFile file);

struct LegacyAddress {
    LegacyTarget target = LegacyTarget::None;
    // The player name, decoded, for a skin or a cape; for an odd player,
    // what stands in its place as the address writes it.
    QString name;
    VersionFile file = VersionFile::ClientJar;
    // The version as it stands in the address, percent-encoded, and decoded;
    // for an odd version, what stands in its place as the address writes it.
    QString encodedVersion;
    QString version;
    LegacyOddity oddity = LegacyOddity::None;
};

// Reads `address` against the old bases of `endpoints`, with the shapes the
// windows build them in (core/OldAddressShapes.h): a skin or a cape on the
// official skin server's or Skinme's host, its folder and then the player's
// name in a file name; a version file on the store's or the mirror's host,
// its folder, a folder named for the version, and the file named for the same
// version. Only http and https, on the host of the kind (a skin server's host
// is read for skins and capes only). Anything else under one of those
// folders is odd: a query or fragment, a name or version that holds a "/" or
// "\\" (escaped or not) or is a dot segment, no version, another shape. So
// a name or version read is one plain path segment; the version is kept as
// encoded too.
LegacyAddress ReadLegacyAddress(const QUrl& address, const LegacyEndpoints& endpoints);

// Where the mirror keeps a file today: "/version/<V>/client", "json" or
// "server" on the configured mirror host, V as encoded in the old address.
// The scheme is the endpoints' (https but for local stand-ins), whatever
// the old address said: the jar and the description that vouches for it
// must not both come in the clear.
QUrl MirrorAddress(const LegacyAddress& file, const LegacyEndpoints& endpoints);
