#pragma once

#include <QString>
#include <QtGlobal>

class QWebEngineDownloadRequest;

// What Qt WebEngine 6.4, the version Debian 12 ships, does that the pane
// works around, all in one place; each may go once the engine no longer
// needs it.
namespace EngineQuirks {

// A navigation to a longer address (in its encoded form) is dropped without
// a word: no load starts and the old page stays.
constexpr qsizetype kLongestAddress = 2 * 1024 * 1024;

// The name a download the pane started was asked under. The request's page()
// is never asked instead: it reads through the page's client without a
// check, and that client is null when the page has gone, or moved on to
// another site, before the server answered (and dangles when the page goes
// later). The name given to QWebEnginePage::download comes back as the
// suggested file name whatever became of the page, through redirects too.
QString AskedName(const QWebEngineDownloadRequest& request);

// Why a download was interrupted. The engine reports reasons its own list
// does not name (a connection that ended before the promised length is one)
// and then describes them as a cancel by the user; those get their number.
QString InterruptReason(const QWebEngineDownloadRequest& request);

// Accepts `request` into `directory`/`fileName`. Only possible inside the
// profile's downloadRequested handler: an unaccepted request is cancelled
// once the handler returns. The directory goes first, because setting it
// renames the file unless a name was set.
void AcceptInto(QWebEngineDownloadRequest& request, const QString& directory,
                const QString& fileName);

// A download asked of the page (QWebEnginePage::download) is reported about
// two seconds after its server answered, seen on a local server: a time
// limit on its start allows this much on top of the server's own.
constexpr int kDownloadStartMs = 5000;

// A new state is reported before the byte counts that go with it: whatever
// reads them is connected queued, so it reads all of a change at once.
constexpr Qt::ConnectionType kReadAfterChange = Qt::QueuedConnection;

// Also handled where it happens (EngineDownload::Follow): when a connection
// breaks, the engine starts the download over and asks again with a new
// request under the same id.

// And in WebPane::focusNextPrevChild: the engine hands the focus out of the
// page in two ways, its own "take focus" (QWebEngineView::focusNextPrevChild)
// and the key the page did not use, sent again to the view's parent. Either
// may come once the focus has already moved on, late or as a second one.

// And in EngineDownload::IsFinished: a download reported interrupted is not
// finished while the engine may resume it by itself, into the same part
// file; only isFinished says the engine has let go. cancel() on such a
// request never reaches the engine (it only marks the request cancelled and
// finished), so it is cancelled only once it has resumed.

} // namespace EngineQuirks
