#pragma once

#include <QString>

class QUrl;
class QWebEngineDownloadRequest;
class QWebEngineLoadingInfo;

// Why the engine stopped a download, in words, naming the host where the
// server or the network is to blame. The engine tells the kind of failure,
// not the status that came with it.
QString InterruptWords(const QWebEngineDownloadRequest& request);

// Why a load of `file` failed, in words naming its host.
QString LoadFailureWords(const QWebEngineLoadingInfo& info, const QUrl& file);
