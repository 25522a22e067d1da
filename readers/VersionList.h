#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// The versions the version manifest names, to choose from ({"latest":
// {"release", "snapshot"}, "versions": [{"id", "type", "releaseTime", ...}]}).

enum class VersionKind { Release, Snapshot, OldBeta, OldAlpha, Other };

struct ListedVersion {
    QString id;
    VersionKind kind = VersionKind::Other;
    // UTC; invalid when the manifest gives no readable time.
    QDateTime released;
    // The manifest's "latest" release or snapshot.
    bool latest = false;
};

struct VersionList {
    enum class Outcome { Listed, NotJson, NotManifest, NoneUsable };
    Outcome outcome = Outcome::NotJson;
    // Newest first; a version with no readable time after all that have one.
    QList<ListedVersion> versions;
    // Entries left out: not an object, no id, an id that cannot stand in an
    // address as one path segment, or an id listed before.
    int leftOut = 0;
};

VersionList ReadVersionList(const QByteArray& manifest);

// Whether `id` can go into the version box as it is: one plain path segment
// of a file address, shown on one line. No "/", "\\", "?", "#", "%", no
// control, format or line-breaking characters, no spaces, not "." or "..",
// and at most 64 characters (the longest ids are some twenty).
bool IsListableVersionId(const QString& id);
