#pragma once

#include "DownloadExpectation.h"
#include "FileIdentity.h"

#include <QString>

// Compares the file at `path` with the size and SHA-1 expected of it.
// Returns an empty string when it matches, else why not, in Chinese.
QString CheckFile(const QString& path, const FileIdentity& expected);

// How a whole download compares with what it must be.
struct FileVerdict {
    enum class Kind {
        // It is what whoever publishes it says it must be, SHA-1 and all.
        Matched,
        // It matches only its own server's word; `detail`: why nothing
        // better was had.
        Unconfirmed,
        // `detail`: how it differs, or why it could not be read.
        Mismatched,
        // `detail`: why there was nothing to check against, or no SHA-1;
        // empty: nothing was asked for.
        Unchecked,
    };
    Kind kind;
    QString detail;
    // The late check it was judged against; empty: what the pane knew.
    QString against;
};

// Judges the file at `path` against what the pane knew, or against the first
// of `expected`'s late checks that vouches for it by now; waits for none. A
// file is Matched only against a SHA-1: a size alone leaves it Unchecked.
FileVerdict JudgeFile(const QString& path, const DownloadExpectation& expected);
