#include "FileCheck.h"

#include "DownloadMessages.h"
#include "LateCheck.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLocale>

QString CheckFile(const QString& path, const FileIdentity& expected) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Say(DownloadText::Unreadable, file.errorString());
    }
    // The size first: it is cheap, and a short file needs no hashing.
    if (expected.size >= 0 && file.size() != expected.size) {
        return Say(DownloadText::SizeDiffers, QLocale::c().toString(file.size()),
                   QLocale::c().toString(expected.size));
    }
    if (!expected.sha1.isEmpty()) {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        if (!hash.addData(&file)) {
            return Say(DownloadText::Unreadable, file.errorString());
        }
        const QByteArray actual = hash.result().toHex();
        if (actual != expected.sha1.toLower()) {
            return Say(DownloadText::Sha1Differs, QString::fromLatin1(actual),
                       QString::fromLatin1(expected.sha1));
        }
    }
    return {};
}

FileVerdict JudgeFile(const QString& path, const DownloadExpectation& expected) {
    const CheckBasis basis = CheckToApply(expected);
    if (!basis.identity.Known()) {
        return {FileVerdict::Kind::Unchecked, basis.unverifiedReason, {}};
    }
    const QString mismatch = CheckFile(path, basis.identity);
    if (!mismatch.isEmpty()) {
        return {FileVerdict::Kind::Mismatched, mismatch, basis.against};
    }
    if (!basis.confirms) {
        return {FileVerdict::Kind::Unconfirmed, basis.unverifiedReason, basis.against};
    }
    if (basis.identity.sha1.isEmpty()) {
        const QString by =
            basis.against.isEmpty() ? Say(DownloadText::DescriptionName) : basis.against;
        return {FileVerdict::Kind::Unchecked, Say(DownloadText::NoSha1, by), basis.against};
    }
    return {FileVerdict::Kind::Matched, {}, basis.against};
}
