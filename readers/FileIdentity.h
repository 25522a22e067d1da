#pragma once

#include <QByteArray>
#include <QtGlobal>

// What a file must be, as far as anyone has said: what it hashes to and how
// long it is. Either may be unknown.
struct FileIdentity {
    // Lower-case hex SHA-1, or empty.
    QByteArray sha1;
    // In bytes, or -1.
    qint64 size = -1;

    // Something to check a file against.
    bool Known() const { return !sha1.isEmpty() || size >= 0; }
};
