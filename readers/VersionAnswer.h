#pragma once

#include "FileIdentity.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

// One version's entry in the version manifest (version_manifest_v2.json:
// {"versions": [{"id", "type", "url", "time", "releaseTime", "sha1",
// "complianceLevel"}, ...]}).
struct ManifestEntry {
    enum class Outcome { Found, Unknown, Malformed };
    Outcome outcome = Outcome::Malformed;
    QUrl url;
    // The version JSON's SHA-1 when given; the manifest gives no size.
    FileIdentity identity;
};

ManifestEntry FindInManifest(const QByteArray& manifest, const QString& version);

// One file named under "downloads" in a version JSON ({"downloads": {"client":
// {"sha1", "size", "url"}, "server": {...}}}).
struct VersionDownload {
    enum class Outcome { Found, Missing, Malformed };
    Outcome outcome = Outcome::Malformed;
    QUrl url;
    FileIdentity identity;
};

// `key` is "client" or "server".
VersionDownload FindDownload(const QByteArray& versionJson, const QString& key);

// True for 40 hex digits.
bool IsSha1Hex(const QByteArray& text);
