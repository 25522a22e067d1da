#include "HostName.h"

#include <QUrl>

QString HostName(const QUrl& url) {
    QString host = url.host();
    // An IPv6 address is written in brackets, as in the address itself.
    if (host.contains(QLatin1Char(':'))) {
        host = QLatin1Char('[') + host + QLatin1Char(']');
    }
    const int port = url.port();
    return port < 0 ? host : host + QLatin1Char(':') + QString::number(port);
}
