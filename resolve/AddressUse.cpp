#include "AddressUse.h"

#include "Fetcher.h"

#include <QUrl>

AddressUse UseOf(const QUrl& address) {
    const QString scheme = address.scheme();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (web && address.host().isEmpty()) {
        return AddressUse::Blank;
    }
    if (web && address.path().endsWith(QLatin1String(".json"), Qt::CaseInsensitive)) {
        return AddressUse::Download;
    }
    return AddressUse::Show;
}

DownloadExpectation ExpectedOfDownload() {
    DownloadExpectation expected;
    expected.sizeCap = Fetcher::kDocumentBytes;
    return expected;
}
