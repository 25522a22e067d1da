#pragma once

#include "FileIdentity.h"

#include <QString>

// Compares the file at `path` with the size and SHA-1 expected of it.
// Returns an empty string when it matches, else why not, in Chinese.
QString CheckFile(const QString& path, const FileIdentity& expected);
