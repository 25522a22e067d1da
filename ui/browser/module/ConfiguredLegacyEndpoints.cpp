#include "LegacyEndpoints.h"

// Compiled into each module on its own, with the definitions of that module:
// the program's module and a test module share everything else.
LegacyEndpoints ConfiguredLegacyEndpoints() {
    LegacyEndpoints endpoints;
    endpoints.resolve = CT_RESOLVE_LEGACY_ADDRESSES != 0;
    endpoints.officialSkinHost = QStringLiteral(CT_OFFICIAL_SKIN_HOST);
    endpoints.skinmeHost = QStringLiteral(CT_SKINME_HOST);
    endpoints.storeHost = QStringLiteral(CT_STORE_HOST);
    endpoints.mirrorHost = QStringLiteral(CT_MIRROR_HOST);
    endpoints.scheme = QStringLiteral(CT_LEGACY_ENDPOINT_SCHEME);
    endpoints.lookupHost = QStringLiteral(CT_LOOKUP_HOST);
    endpoints.fallbackLookupHost = QStringLiteral(CT_FALLBACK_LOOKUP_HOST);
    endpoints.sessionHost = QStringLiteral(CT_SESSION_HOST);
    endpoints.manifestHost = QStringLiteral(CT_MANIFEST_HOST);
    endpoints.skinSiteHost = QStringLiteral(CT_SKIN_SITE_HOST);
    endpoints.timeoutMs = CT_LEGACY_LOOKUP_TIMEOUT_MS;
    return endpoints;
}
