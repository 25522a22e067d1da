#include "RunTimeError.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>

#include <exception>

void ReportRunTimeError(const QString& description) {
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    QStringLiteral("运行时错误：\n\n%1").arg(description), QMessageBox::Ok);
    // What failed may name a path or a server's words: shown as written.
    box.setTextFormat(Qt::PlainText);
    box.exec();
    QCoreApplication::exit(1);
}

void RunHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ReportRunTimeError(QString::fromUtf8(error.what()));
    } catch (...) {
        ReportRunTimeError(QStringLiteral("未知错误"));
    }
}
