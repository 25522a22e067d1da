#include "MenuSaves.h"

#include "DownloadStarter.h"
#include "PanePage.h"
#include "ToolkitPages.h"

#include <QAction>
#include <QWebEngineContextMenuRequest>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace MenuSaves {

void Route(QWebEngineView& view, DownloadStarter& downloads) {
    for (const QWebEnginePage::WebAction save :
         {QWebEnginePage::DownloadImageToDisk, QWebEnginePage::DownloadMediaToDisk,
          QWebEnginePage::DownloadLinkToDisk}) {
        QAction* item = view.pageAction(save);
        // The page's own handler (QWebEnginePage::triggerAction) would start
        // the download as the engine's; ours starts the same one as an ask.
        QObject::disconnect(item, &QAction::triggered, view.page(), nullptr);
        QObject::connect(item, &QAction::triggered, &view, [&view, &downloads, save] {
            // A page of the toolbox's own offers its file under a name of its own.
            if (auto* own = qobject_cast<PanePage*>(view.page()); own && own->SavesItself()) {
                own->triggerAction(save);
                return;
            }
            const QWebEngineContextMenuRequest* menu = view.lastContextMenuRequest();
            if (menu == nullptr) {
                return;
            }
            // The engine's own filtered link and suggested name are private
            // to it: a link, an image or media is saved only when it is a
            // web address (or the toolbox's own), under its last segment. A
            // page's file:, data: or blob: image is nothing the user could
            // tell from a web one.
            const bool link = save == QWebEnginePage::DownloadLinkToDisk;
            const QUrl file = link ? menu->linkUrl() : menu->mediaUrl();
            const QString scheme = file.scheme();
            const bool own = !link && scheme == QLatin1String(ToolkitPages::kScheme);
            if (!file.isValid() ||
                (scheme != QLatin1String("http") && scheme != QLatin1String("https") && !own)) {
                return;
            }
            view.page()->download(file, downloads.ExpectOwnSave(file.fileName()));
        });
    }
}

} // namespace MenuSaves
