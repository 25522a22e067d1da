#pragma once

#include <QString>
#include <QtGlobal>

// Where a download is written until it is whole: a sibling of the chosen file
// under a name nothing else in that folder starts with. A failed or cancelled
// download so never touches the chosen name, and a whole one replaces only
// the file the user agreed to replace when choosing the name.
class PartFile final {
public:
    // The most a chosen name grows by on disk while a download writes: ours,
    // ".<8 hex digits>.part" (14 bytes), then the engine's own ".download"
    // (9) on top while it writes. A name this much under the file system's 255 bytes can be
    // written under every name it passes through.
    static constexpr qsizetype kLongestSuffixBytes = 14 + 9;

    // Picks a fresh name beside `chosenPath`, and notes what is under
    // `chosenPath` now: made as the save dialog closes, that is what the user
    // agreed to replace, if anything. Creates nothing.
    explicit PartFile(const QString& chosenPath);

    const QString& ChosenPath() const { return chosenPath_; }
    const QString& Directory() const { return directory_; }
    const QString& FileName() const { return fileName_; }
    QString Path() const;

    // Another part beside the same chosen name, under a fresh name of its
    // own, with the same agreement.
    PartFile Fresh() const;

    enum class Placed {
        Done,
        // Something the user did not agree to replace is under the chosen
        // name (another file, or theirs changed): it is left as it is, and so
        // is the part.
        NameTaken,
        // `error` says why.
        Failed,
    };
    // Moves the part onto the chosen name in one step: over the file the user
    // agreed to replace while that very file is still there unchanged, else
    // only where nothing is.
    Placed Commit(QString* error) const;

    // Removes the part and anything else whose name starts with the part's:
    // the engine keeps names of its own beside it while it writes.
    void Discard() const;

private:
    void PickName();

    // A file as it stands on disk: one put in its place under the same name
    // differs in its inode, or in its change time where an inode number was
    // used again; a change to the file itself shows in its change time too.
    struct Occupant {
        bool present = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 changedSeconds = 0;
        qint64 changedNanoseconds = 0;

        bool operator==(const Occupant&) const = default;
    };
    static Occupant At(const QString& path);

    QString chosenPath_;
    QString directory_;
    QString fileName_;
    Occupant agreed_;
};
