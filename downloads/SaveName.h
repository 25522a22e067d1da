#pragma once

#include <QString>

// The name the save dialog offers for a download, made from whatever a server
// or a page suggested: the last part of any path (servers send Windows ones
// too), without control or format characters (bidirectional overrides,
// zero-width characters), leading dots or surrounding spaces, cut
// (keeping the extension where it can) so that its part file's name still
// fits the file system. "下载" when nothing is left.
QString PlainFileName(const QString& suggested);
