#pragma once

#include "DownloadExpectation.h"

class QUrl;

// What the pane does with an address it is sent to.
enum class AddressUse {
    Show,     // load and show it, the engine's error page included
    Download, // load it, then offer it as a file through the download handling
    Blank,    // show an empty page: the address names no server to ask
};

// A web address without a host (such as "http:///") goes nowhere. One whose
// path names a ".json" file is a file the user wants, not a page: the engine
// would show it as text in a pane too small to read. Anything else shows.
AddressUse UseOf(const QUrl& address);

// What a file the pane downloads by its use is expected to be: a JSON
// document, bounded as every one the toolbox reads.
DownloadExpectation ExpectedOfDownload();
