#pragma once

#include <QString>

struct HttpAnswer;
struct LegacyAddress;
struct LegacyEndpoints;

// Everything the pane says while it resolves an old address, in one table so
// the wording is read and changed in one place. Plain text; the pages escape it.

// A page's heading and why, when an old address leads to nothing to show.
struct ResolutionFailure {
    QString heading;
    QString detail;
};

enum class Failure {
    NoPlayerName,
    NoSuchPlayer,       // nobody by that name
    PlayerLookupFailed, // detail: why
    NoProfile,          // detail: the host that has no profile
    ProfileFailed,      // detail: why
    NoCape,
    NoSkin,
    VersionLookupFailed, // detail: why
    NoSuchVersion,
    NoServerJar,
    NoClientJar,
    NoSuchSitePlayer, // detail: the skin site
    SiteLookupFailed, // detail: why
    NoSiteSkin,       // detail: the skin site
    NoSiteCape,       // detail: the skin site
    SkinImageFailed,  // detail: why
    CapeImageFailed,  // detail: why
    SkinNotShown,     // detail: why
    CapeNotShown,     // detail: why
    OddPlayer,        // subject: as the address writes it; detail: WhyNotRead()
    OddVersion,       // subject: as the address writes it; detail: WhyNotRead()
    UuidOnSkinSite,   // subject: the UUID typed; detail: the skin site
    AskedToWait,      // detail: WaitAsked()
};

// `subject` is the player's name or the version; `detail` fills the rows
// that say why.
ResolutionFailure Explain(Failure failure, const QString& subject, const QString& detail = {});

// Why an answer is no use, naming the host that gave it.
enum class Reason {
    ManifestUnreadable,
    DescriptionUnreadable,
    DescriptionDoesNotMatch, // its hash is not the one the manifest gives
    DescriptionLacksFile,
    NotInManifest,
    NotAnImage,    // problem: its size in bytes
    ImageTooLarge, // problem: its width and height
    HostSays,      // "<host>：<problem>"
};

QString Because(Reason reason, const QString& host, const QString& problem = {});

// Why an odd old address (LegacyTarget::OddPlayer, OddVersion) holds no
// player name or version.
QString WhyNotRead(const LegacyAddress& legacy);

// What the pane looks up for an old address, as its pages name it.
QString WhatIsLookedUp(const LegacyAddress& legacy, const LegacyEndpoints& endpoints);

// That a service asked to wait (429), for how long if it said, and that
// nothing is asked again by itself.
QString WaitAsked(const HttpAnswer& answer);

// What a download's hash is asked of, as its window names it, and who
// serves a mirrored file.
QString OfficialManifestName();
QString OfficialDescriptionName();
QString MirrorDescriptionName();
QString MirrorSourceName(const QString& authority);

// That the mirror could not give a file, and why; and who serves it instead.
QString MirrorRefusal(const QString& authority, const QString& why);
QString OfficialInsteadOfMirror(const QString& refusal);
