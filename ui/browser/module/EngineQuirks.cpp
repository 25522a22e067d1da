#include "EngineQuirks.h"

#include <QMetaEnum>
#include <QWebEngineDownloadRequest>

namespace EngineQuirks {

QString AskedName(const QWebEngineDownloadRequest& request) {
    return request.suggestedFileName();
}

QString InterruptReason(const QWebEngineDownloadRequest& request) {
    const QMetaEnum reasons =
        QMetaEnum::fromType<QWebEngineDownloadRequest::DownloadInterruptReason>();
    if (reasons.valueToKey(request.interruptReason()) == nullptr) {
        return QStringLiteral("下载中断（原因 %1）").arg(request.interruptReason());
    }
    return request.interruptReasonString();
}

void AcceptInto(QWebEngineDownloadRequest& request, const QString& directory,
                const QString& fileName) {
    request.setDownloadDirectory(directory);
    request.setDownloadFileName(fileName);
    request.accept();
}

} // namespace EngineQuirks
