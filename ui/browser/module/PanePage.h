#pragma once

#include <QWebEnginePage>

// The pane's page. On a page of the toolbox's own, every way the engine's
// menu saves (the page, an image, a link) asks the pane instead, which
// offers what the page shows as a file of its own (SaveWanted, with the
// page's address, which names what it shows).
class PanePage final : public QWebEnginePage {
    Q_OBJECT

public:
    PanePage(QWebEngineProfile& profile, QObject* parent);

    // The menu's items all come here (Qt WebEngine 6.4 connects each item's
    // action to this, by the virtual call).
    void triggerAction(WebAction action, bool checked = false) override;

    // Whether what it shows is the toolbox's own, which saves itself.
    bool SavesItself() const;

Q_SIGNALS:
    void SaveWanted(const QUrl& page);
};
