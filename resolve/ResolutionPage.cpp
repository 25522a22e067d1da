#include "ResolutionPage.h"

namespace {

// Every text from outside is escaped; should one ever slip through, the
// page may still load nothing and run nothing.
QString Page(const QString& title, const QString& body) {
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                          "<meta http-equiv=\"Content-Security-Policy\" "
                          "content=\"default-src 'none'; style-src 'unsafe-inline'\">"
                          "<title>%1</title></head>"
                          "<body style=\"font-family: sans-serif; color: #202020; "
                          "background: #ffffff; margin: 12px;\">%2</body></html>")
        .arg(title.toHtmlEscaped(), body);
}

} // namespace

QString LookingUpPage(const QString& what) {
    const QString title = QStringLiteral("正在查找…");
    return Page(
        title,
        QStringLiteral("<p>%1</p><p>%2</p>").arg(title.toHtmlEscaped(), what.toHtmlEscaped()));
}

QString FoundPage(const QString& what) {
    const QString title = QStringLiteral("已找到");
    return Page(title, QStringLiteral("<p>%1%2</p><p>%3</p>")
                           .arg(title.toHtmlEscaped(), what.toHtmlEscaped(),
                                QStringLiteral("保存位置和下载进度见弹出的窗口。")));
}

QString FetchingPage(const QString& source, const QString& what) {
    const QString title = QStringLiteral("正在下载");
    return Page(title, QStringLiteral("<p>正在从%1下载%2。</p><p>%3</p>")
                           .arg(source.toHtmlEscaped(), what.toHtmlEscaped(),
                                QStringLiteral("保存位置和下载进度见弹出的窗口。")));
}

QString ReroutedPage(const QString& refusal, const QString& what) {
    const QString title = QStringLiteral("正在改从官方仓库查找…");
    return Page(title,
                QStringLiteral("<p>%1</p><p>%2</p><p>%3</p>")
                    .arg(refusal.toHtmlEscaped(), title.toHtmlEscaped(), what.toHtmlEscaped()));
}

QString ResolutionErrorPage(const QString& heading, const QString& detail) {
    return Page(heading, QStringLiteral("<h3>%1</h3><p>%2</p>")
                             .arg(heading.toHtmlEscaped(), detail.toHtmlEscaped()));
}

QString AddressTooLongPage(qsizetype length, qsizetype longest) {
    return ResolutionErrorPage(
        QStringLiteral("无法打开此网页"),
        QStringLiteral("网址长度为 %1 个字符，超过了浏览器能打开的 %2 个字符。")
            .arg(length)
            .arg(longest));
}
