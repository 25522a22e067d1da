#pragma once

#include <QString>
#include <QUrl>

// Where the pane finds the files that the old official addresses used to
// name, and which old addresses it resolves. Hosts may carry a ":port".
struct LegacyEndpoints {
    // Off: every address loads as written, the old ones included.
    bool resolve = true;
    // The old bases the windows still build on.
    QString officialSkinHost;
    QString skinmeHost;
    QString storeHost;
    QString mirrorHost;
    // Today's services.
    QString scheme = QStringLiteral("https");
    QString lookupHost;
    QString fallbackLookupHost;
    QString sessionHost;
    QString manifestHost;
    // Where players of the gone Skinme keep their skins today: a skin site
    // with a CustomSkinAPI.
    QString skinSiteHost;
    // For each request of a resolution, in milliseconds.
    int timeoutMs = 15000;

    // `scheme`://`host``path`; `path` is taken as already percent-encoded.
    QUrl At(const QString& host, const QString& path) const;
    // The official list of versions.
    QUrl Manifest() const;
};

// The endpoints chosen when the module was configured.
LegacyEndpoints ConfiguredLegacyEndpoints();
