#include "InterruptWords.h"

#include "EngineQuirks.h"

#include <QWebEngineDownloadRequest>

QString InterruptWords(const QWebEngineDownloadRequest& request) {
    using R = QWebEngineDownloadRequest::DownloadInterruptReason;
    const QString host = request.url().authority();
    switch (request.interruptReason()) {
    case R::ServerBadContent:
        return QStringLiteral("%1 上没有这个文件").arg(host);
    case R::ServerForbidden:
    case R::ServerUnauthorized:
        return QStringLiteral("%1 拒绝了访问").arg(host);
    case R::ServerFailed:
        return QStringLiteral("%1 出错或要求稍后再试").arg(host);
    case R::ServerCertProblem:
        return QStringLiteral("%1 的证书有问题").arg(host);
    case R::NetworkFailed:
    case R::NetworkTimeout:
    case R::NetworkDisconnected:
    case R::NetworkServerDown:
    case R::ServerUnreachable:
        return QStringLiteral("与 %1 的连接失败").arg(host);
    default:
        break;
    }
    return EngineQuirks::InterruptReason(request);
}
