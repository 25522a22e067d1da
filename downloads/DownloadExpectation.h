#pragma once

#include "FileIdentity.h"

#include <QString>

#include <memory>
#include <vector>

class DownloadFallback;
class LateCheck;

// What the pane knows of a file before it is downloaded: where it comes
// from, and what it must be.
struct DownloadExpectation {
    // What the pane already knows it must be.
    FileIdentity identity;
    // The most it may grow to while nothing has said its size; -1: no bound.
    qint64 sizeCap = -1;
    // Who serves it, when that must be named ("来源：…"); empty otherwise.
    QString source;
    // Where what it must be is still being asked for, if anywhere, the most
    // trusted first.
    std::vector<std::shared_ptr<LateCheck>> late;
    // Where else the file may be had if its server refuses it before its
    // first byte; empty when nowhere.
    std::shared_ptr<DownloadFallback> fallback;
    // The name the user asked for, offered in the save dialog; empty: the
    // server's. Today's addresses end in names such as "server" or a hash.
    QString fileName;
};
