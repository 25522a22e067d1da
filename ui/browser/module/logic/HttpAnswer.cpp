#include "HttpAnswer.h"

QString DescribeFailure(const HttpAnswer& answer) {
    if (!answer.failure.isEmpty()) {
        return answer.failure;
    }
    return QStringLiteral("%1 回答 HTTP %2").arg(answer.host).arg(answer.status);
}
