#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

class LateCheck;
class MirrorFallback;

// What the pane knows of a file before it is downloaded: where it comes
// from, and what it must hash to.
struct DownloadExpectation {
    // Lower-case hex SHA-1, or empty.
    QByteArray sha1;
    // In bytes, or -1.
    qint64 size = -1;
    // Who serves it, when that must be named ("来源：…"); empty otherwise.
    QString source;
    // Why it cannot be checked although checks were wanted; empty otherwise.
    QString unverifiedReason;
    // What the SHA-1 and size come from, when the window should say so.
    QString checkedAgainst;
    // Where the SHA-1 and size are still being asked for, if anywhere, the
    // most trusted first.
    std::vector<std::shared_ptr<LateCheck>> late;
    // Where else the file may be had if its server refuses it before its
    // first byte; empty when nowhere.
    std::shared_ptr<MirrorFallback> fallback;
    // The name the user asked for, offered in the save dialog; empty: the
    // server's. Today's addresses end in names such as "server" or a hash.
    QString fileName;

    bool Checkable() const { return !sha1.isEmpty() || size >= 0; }
};
