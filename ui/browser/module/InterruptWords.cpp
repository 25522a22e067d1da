#include "InterruptWords.h"

#include "DownloadMessages.h"
#include "EngineQuirks.h"
#include "HostName.h"

#include <QWebEngineDownloadRequest>
#include <QWebEngineLoadingInfo>

QString InterruptWords(const QWebEngineDownloadRequest& request) {
    using R = QWebEngineDownloadRequest::DownloadInterruptReason;
    const QString host = HostName(request.url());
    switch (request.interruptReason()) {
    case R::ServerBadContent:
        return Say(DownloadText::NoSuchFile, host);
    case R::ServerForbidden:
    case R::ServerUnauthorized:
        return Say(DownloadText::AccessRefused, host);
    case R::ServerFailed:
        return Say(DownloadText::ServerFailed, host);
    case R::ServerCertProblem:
        return Say(DownloadText::CertificateProblem, host);
    case R::NetworkFailed:
    case R::NetworkTimeout:
    case R::NetworkDisconnected:
    case R::NetworkServerDown:
    case R::ServerUnreachable:
        return Say(DownloadText::ConnectionFailed, host);
    default:
        break;
    }
    return EngineQuirks::InterruptReason(request);
}

QString LoadFailureWords(const QWebEngineLoadingInfo& info, const QUrl& file) {
    const QString host = HostName(file);
    return info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain
               ? QStringLiteral("%1 回答 HTTP %2").arg(host, QString::number(info.errorCode()))
               : QStringLiteral("无法连接 %1（%2）").arg(host, info.errorString());
}
