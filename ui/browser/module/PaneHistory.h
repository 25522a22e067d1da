#pragma once

#include <QObject>
#include <QString>

class QWebEngineLoadingInfo;
class QWebEngineView;

// The pane's history holds results, not waits. A page that only says what
// is being looked up ("正在查找…") is an entry of the view's history like any
// page, and the engine offers no way to leave it out; once its look-up has
// ended, nothing would ever end it. So a wait the history comes back to is
// passed over, on in the direction the history was going (or back where it
// came from when there is nothing further), and only the wait still being
// waited on stays.
class PaneHistory final : public QObject {
    Q_OBJECT

public:
    explicit PaneHistory(QWebEngineView& view);

    // Shows `html`, a page that says what the pane waits for.
    void ShowWait(const QString& html);

private:
    void OnLoadingChanged(const QWebEngineLoadingInfo& info);

    QWebEngineView& view_;
    // Each wait shown is marked with its number; the one still waited on,
    // until another page has shown (0: none).
    quint64 shown_ = 0;
    quint64 live_ = 0;
    // Where in the history the last page shown stands.
    int lastIndex_ = 0;
};
