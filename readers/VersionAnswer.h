#pragma once

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
    // Lower-case hex of the version JSON's SHA-1; empty when not given.
    QByteArray sha1;
};

ManifestEntry FindInManifest(const QByteArray& manifest, const QString& version);

// One file named under "downloads" in a version JSON ({"downloads": {"client":
// {"sha1", "size", "url"}, "server": {...}}}).
struct VersionDownload {
    enum class Outcome { Found, Missing, Malformed };
    Outcome outcome = Outcome::Malformed;
    QUrl url;
    QByteArray sha1;  // lower-case hex, or empty
    qint64 size = -1; // or -1
};

// `key` is "client" or "server".
VersionDownload FindDownload(const QByteArray& versionJson, const QString& key);

// True for 40 hex digits.
bool IsSha1Hex(const QByteArray& text);
