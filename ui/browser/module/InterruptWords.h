#pragma once

#include <QString>

class QWebEngineDownloadRequest;

// Why the engine stopped a download, in words, naming the host where the
// server or the network is to blame. The engine tells the kind of failure,
// not the status that came with it.
QString InterruptWords(const QWebEngineDownloadRequest& request);
