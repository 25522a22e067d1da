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
        // `detail`: the late check it was checked against; empty: what the
        // pane knew.
        Matched,
        // `detail`: how it differs, or why it could not be read.
        Mismatched,
        // `detail`: why there was nothing to check against, or that only
        // the size was; empty: nothing was asked for.
        Unchecked,
    };
    Kind kind;
    QString detail;
};

// Judges the file at `path` against what the pane knew, or against the first
// of `expected`'s late checks that vouches for it by now; waits for none.
// Only a SHA-1 makes it Matched: a right size alone leaves it Unchecked.
FileVerdict JudgeFile(const QString& path, const DownloadExpectation& expected);
