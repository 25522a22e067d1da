#pragma once

#include <QString>

// Everything a download says of how it goes and how it ended, in one table
// so the wording is read and changed in one place. Plain text.
enum class DownloadText {
    Downloading,
    AwaitingChecks, // %1: the check waited for
    Rerouted,       // %1: who refused the file and why
    Done,
    DoneChecked,
    DoneCheckedAgainst, // %1: what it was checked against
    DoneUnconfirmed,    // %1: why its source is not confirmed; %2: the one check it matched
    DoneUnchecked,      // %1: why it could not be
    Cancelled,
    Failed,          // %1: why
    ElsewhereFailed, // %1: the heading; %2: why
    Aborted,
    Mismatched, // %1: how the file differs
    Discarded,  // %1: why it may not be kept
    CannotSave, // %1: the chosen path; %2: why
    NameTaken,  // %1: the chosen path
    NotStarted, // %1: the host; %2: the seconds it was given

    // Why a page's download got no save dialog.
    PageRefused,
    PageTooMany, // %1: how many a minute

    // How a file differs from what it must be.
    Unreadable,    // %1: why
    SizeDiffers,   // %1: its size; %2: the size it must have
    Sha1Differs,   // %1: its SHA-1; %2: the one it must have
    DiffersFrom,   // %1: what it was checked against; %2: how it differs
    OverDescribed, // %1: the size it must have, in bytes
    OverCap,       // %1: the most a file of unknown size may have, in bytes

    // Why there is nothing to check a file against.
    CheckLate,  // %1: the check
    CheckEmpty, // %1: the check
    NoSha1,     // %1: what gave a size but no SHA-1
    DescriptionName,
    ReasonsJoiner,

    // Why a server or the network stopped a download; %1: the host.
    NoSuchFile,
    AccessRefused,
    ServerFailed,
    CertificateProblem,
    ConnectionFailed,
};

// The text, with %1 and %2 filled in where it has them.
QString Say(DownloadText text, const QString& first = {}, const QString& second = {});
