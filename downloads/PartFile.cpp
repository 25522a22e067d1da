#include "PartFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

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

// Moves `from` to `to` only if nothing is at `to`, links included; 0 or the
// errno, EEXIST when something is there.
int MoveWithoutReplacing(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return errno;
    }
    // Not on this file system (NFS, some FUSE ones): a second link to the
    // part fails the same way when the name is taken.
    if (::link(from, to) == 0) {
        ::unlink(from);
        return 0;
    }
    if (errno != EPERM && errno != ENOSYS && errno != EOPNOTSUPP) {
        return errno;
    }
    // Neither (a few network file systems): the name is looked at just
    // before an ordinary rename, which leaves only that moment open.
    struct stat there {};
    if (::lstat(to, &there) == 0) {
        return EEXIST;
    }
    if (errno != ENOENT) {
        return errno;
    }
    return ::rename(from, to) == 0 ? 0 : errno;
}

} // namespace

PartFile::PartFile(const QString& chosenPath)
    : chosenPath_(chosenPath)
    , directory_(QFileInfo(chosenPath).absolutePath())
    , agreed_(At(chosenPath)) {
    PickName();
}

// Not followed through a link: replacing a link replaces the link.
PartFile::Occupant PartFile::At(const QString& path) {
    struct stat there {};
    if (::lstat(QFile::encodeName(path).constData(), &there) != 0) {
        return {};
    }
    return {true, static_cast<quint64>(there.st_dev), static_cast<quint64>(there.st_ino),
            there.st_ctim.tv_sec, there.st_ctim.tv_nsec};
}

void PartFile::PickName() {
    const QString chosen = QFileInfo(chosenPath_).fileName();
    do {
        fileName_ = QStringLiteral("%1.%2.part")
                        .arg(chosen)
                        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    } while (!NamesStartingWith(directory_, fileName_).isEmpty());
}

PartFile PartFile::Fresh() const {
    PartFile fresh = *this;
    fresh.PickName();
    return fresh;
}

QString PartFile::Path() const {
    return QDir(directory_).filePath(fileName_);
}

PartFile::Placed PartFile::Commit(QString* error) const {
    const QByteArray from = QFile::encodeName(Path());
    const QByteArray to = QFile::encodeName(chosenPath_);
    int failure = 0;
    // What stands there is looked at a moment before the rename: only
    // something put there in that moment could still be replaced.
    if (agreed_.present && At(chosenPath_) == agreed_) {
        failure = ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
    } else {
        failure = MoveWithoutReplacing(from.constData(), to.constData());
    }
    if (failure == 0) {
        return Placed::Done;
    }
    if (failure == EEXIST) {
        return Placed::NameTaken;
    }
    *error = QString::fromLocal8Bit(std::system_category().message(failure));
    return Placed::Failed;
}

void PartFile::Discard() const {
    QDir directory(directory_);
    for (const QString& name : NamesStartingWith(directory_, fileName_)) {
        directory.remove(name);
    }
}
