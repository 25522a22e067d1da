#include "FileCheck.h"

#include "LateCheck.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLocale>

QString CheckFile(const QString& path, const FileIdentity& expected) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("无法读取下载的文件（%1）").arg(file.errorString());
    }
    // The size first: it is cheap, and a short file needs no hashing.
    if (expected.size >= 0 && file.size() != expected.size) {
        return QStringLiteral("大小为 %1 字节，应为 %2 字节")
            .arg(QLocale::c().toString(file.size()), QLocale::c().toString(expected.size));
    }
    if (!expected.sha1.isEmpty()) {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        if (!hash.addData(&file)) {
            return QStringLiteral("无法读取下载的文件（%1）").arg(file.errorString());
        }
        const QByteArray actual = hash.result().toHex();
        if (actual != expected.sha1.toLower()) {
            return QStringLiteral("SHA-1 为 %1，应为 %2")
                .arg(QString::fromLatin1(actual), QString::fromLatin1(expected.sha1));
        }
    }
    return {};
}

FileVerdict JudgeFile(const QString& path, const DownloadExpectation& expected) {
    const CheckBasis basis = CheckToApply(expected);
    if (!basis.identity.Known()) {
        return {FileVerdict::Kind::Unchecked, basis.unverifiedReason};
    }
    const QString mismatch = CheckFile(path, basis.identity);
    if (!mismatch.isEmpty()) {
        return {FileVerdict::Kind::Mismatched, mismatch};
    }
    return {FileVerdict::Kind::Matched, basis.against};
}
