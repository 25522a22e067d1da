#include "LegacyEndpoints.h"

namespace {

// A test's module (CT_LEGACY_HOSTS_FROM_ENVIRONMENT) finds its stand-ins,
// on ports picked when the test runs, in variables the test sets, named as
// the settings are; the program's module is built without it and reads
// nothing at run time.
QString Host(const char* variable, const char* configured) {
#if CT_LEGACY_HOSTS_FROM_ENVIRONMENT
    Q_UNUSED(configured);
    const QString host = qEnvironmentVariable(variable);
    if (host.isEmpty()) {
        qFatal("%s is not set: this module takes its hosts from the environment", variable);
    }
    return host;
#else
    Q_UNUSED(variable);
    return QString::fromUtf8(configured);
#endif
}

} // namespace

#define CT_CONFIGURED_HOST(name) Host(#name, name)

// Compiled into each module on its own, with the definitions of that module:
// the program's module and a test module share everything else.
LegacyEndpoints ConfiguredLegacyEndpoints() {
    LegacyEndpoints endpoints;
    endpoints.resolve = CT_RESOLVE_LEGACY_ADDRESSES != 0;
    endpoints.officialSkinHost = CT_CONFIGURED_HOST(CT_OFFICIAL_SKIN_HOST);
    endpoints.skinmeHost = CT_CONFIGURED_HOST(CT_SKINME_HOST);
    endpoints.storeHost = CT_CONFIGURED_HOST(CT_STORE_HOST);
    endpoints.mirrorHost = CT_CONFIGURED_HOST(CT_MIRROR_HOST);
    endpoints.scheme = QStringLiteral(CT_LEGACY_ENDPOINT_SCHEME);
    endpoints.lookupHost = CT_CONFIGURED_HOST(CT_LOOKUP_HOST);
    endpoints.fallbackLookupHost = CT_CONFIGURED_HOST(CT_FALLBACK_LOOKUP_HOST);
    endpoints.sessionHost = CT_CONFIGURED_HOST(CT_SESSION_HOST);
    endpoints.manifestHost = CT_CONFIGURED_HOST(CT_MANIFEST_HOST);
    endpoints.skinSiteHost = CT_CONFIGURED_HOST(CT_SKIN_SITE_HOST);
    endpoints.timeoutMs = CT_LEGACY_LOOKUP_TIMEOUT_MS;
    return endpoints;
}
