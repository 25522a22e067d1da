#include "HttpAnswer.h"

#include <QLocale>

QString DescribeFailure(const HttpAnswer& answer) {
    if (!answer.failure.isEmpty()) {
        return answer.failure;
    }
    // Filled at once: a value holding "%2" is not filled in again.
    if (answer.AsksToWait()) {
        return answer.retryAfterSeconds >= 0
                   ? QStringLiteral("%1 要求等待 %2 秒后再试")
                         .arg(answer.host, QString::number(answer.retryAfterSeconds))
                   : QStringLiteral("%1 要求稍后再试").arg(answer.host);
    }
    return QStringLiteral("%1 回答 HTTP %2").arg(answer.host, QString::number(answer.status));
}

QString TooLargeFailure(const QString& host, qint64 maxBytes) {
    // "64 KiB", "4 MiB": the bound as a size, in the C locale's digits.
    return QStringLiteral("%1 的回答超过 %2，工具箱没有读取")
        .arg(host, QLocale::c().formattedDataSize(maxBytes, 0, QLocale::DataSizeIecFormat));
}
