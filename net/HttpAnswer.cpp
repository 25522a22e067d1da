#include "HttpAnswer.h"

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
