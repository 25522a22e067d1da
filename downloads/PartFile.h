#pragma once

#include <QString>

// Where a download is written until it is whole: a sibling of the chosen file
// under a name nothing else in that folder starts with. A failed or cancelled
// download so never touches the chosen name, and a file already there is
// replaced only by a complete one.
class PartFile final {
public:
    // The most a chosen name grows by on disk while a download writes: ours,
    // ".<8 hex digits>.part" (14 bytes), then the engine's own ".download"
    // (9) on top while it writes. A name this much under the file system's 255 bytes can be
    // written under every name it passes through.
    static constexpr qsizetype kLongestSuffixBytes = 14 + 9;

    // Picks a fresh name beside `chosenPath`; creates nothing.
    explicit PartFile(const QString& chosenPath);

    const QString& ChosenPath() const { return chosenPath_; }
    const QString& Directory() const { return directory_; }
    const QString& FileName() const { return fileName_; }
    QString Path() const;

    // Moves the part onto the chosen name, replacing any file there in one
    // step. Returns why it could not, or an empty string.
    QString Commit() const;

    // Removes the part and anything else whose name starts with the part's:
    // the engine keeps names of its own beside it while it writes.
    void Discard() const;

private:
    QString chosenPath_;
    QString directory_;
    QString fileName_;
};
