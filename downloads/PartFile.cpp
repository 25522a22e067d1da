#include "PartFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <filesystem>
#include <system_error>

namespace {

QStringList NamesStartingWith(const QString& directory, const QString& prefix) {
    QStringList found;
    const QStringList names = QDir(directory).entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (name.startsWith(prefix)) {
            found.append(name);
        }
    }
    return found;
}

} // namespace

PartFile::PartFile(const QString& chosenPath)
    : chosenPath_(chosenPath) {
    const QFileInfo chosen(chosenPath);
    directory_ = chosen.absolutePath();
    do {
        fileName_ = QStringLiteral("%1.%2.part")
                        .arg(chosen.fileName())
                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    } while (!NamesStartingWith(directory_, fileName_).isEmpty());
}

QString PartFile::Path() const {
    return QDir(directory_).filePath(fileName_);
}

QString PartFile::Commit() const {
    std::error_code error;
    std::filesystem::rename(QFile(Path()).filesystemFileName(),
                            QFile(chosenPath_).filesystemFileName(), error);
    if (error) {
        return QString::fromLocal8Bit(error.message());
    }
    return {};
}

void PartFile::Discard() const {
    QDir directory(directory_);
    for (const QString& name : NamesStartingWith(directory_, fileName_)) {
        directory.remove(name);
    }
}
