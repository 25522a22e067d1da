#include "PanePage.h"

#include "ToolkitPages.h"

PanePage::PanePage(QWebEngineProfile& profile, QObject* parent)
    : QWebEnginePage(&profile, parent) {}

void PanePage::triggerAction(WebAction action, bool checked) {
    const bool saves = action == SavePage || action == DownloadImageToDisk ||
                       action == DownloadLinkToDisk || action == DownloadMediaToDisk;
    if (saves && SavesItself()) {
        Q_EMIT SaveWanted(url());
        return;
    }
    QWebEnginePage::triggerAction(action, checked);
}

bool PanePage::SavesItself() const {
    return url().scheme() == QLatin1String(ToolkitPages::kScheme);
}
