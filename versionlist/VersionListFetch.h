#pragma once

#include "VersionList.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <optional>

class Fetcher;
struct HttpAnswer;

// Where the downloader's list of versions is read: the official manifest,
// and the domestic mirror's copy of it.
struct VersionListSources {
    QUrl official;
    QUrl mirror;
};

// The configured ones (scheme and hosts chosen when configuring).
VersionListSources ConfiguredVersionListSources();
// The time limit of the program's own requests for the list, in milliseconds.
int ConfiguredVersionListTimeoutMs();

// Which copy is read: the mirror's for the domestic route, the official one
// for the foreign route or for none.
enum class ListRoute { Mirror, Official, NoneChosen };

// A list read, or why none could be, and where it came from: one line each.
struct VersionListAnswer {
    QString source;
    std::optional<VersionList> list;
    QString reason;
};

// Reads each copy of the manifest at most once (the fetcher bounds its size
// and time) and keeps what it read in memory for as long as it lives, which
// is one load of the window. A copy that gave no list is asked again at the
// next opening.
class VersionListFetch final : public QObject {
    Q_OBJECT
public:
    using Then = std::function<void(const VersionListAnswer&)>;

    VersionListFetch(Fetcher& fetcher, VersionListSources sources, QObject* parent);

    // Calls `then` once, at once when the copy was read before, else when it
    // has answered; not once `context` has gone.
    void Ask(ListRoute route, QObject& context, Then then);

private:
    struct Copy {
        std::optional<VersionListAnswer> kept;
        bool asking = false;
        QList<std::pair<QPointer<QObject>, Then>> waiting;
    };
    void Answered(ListRoute route, const HttpAnswer& answer);
    Copy& CopyFor(ListRoute route) { return route == ListRoute::Mirror ? mirror_ : official_; }

    Fetcher& fetcher_;
    const VersionListSources sources_;
    Copy official_;
    Copy mirror_;
};

// Where a route's list comes from, as the list names it.
QString ListSourceLine(ListRoute route, const QUrl& address);
// Why `answer` gave no list, or nothing when `read` is a list.
QString WhyNoList(const HttpAnswer& answer, const VersionList& read);
