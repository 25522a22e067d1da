#include "MenuSaves.h"

#include "DownloadStarter.h"
#include "PanePage.h"

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
            // to it: a link is saved only when it is a web address, under its
            // last segment, as an image is.
            const bool link = save == QWebEnginePage::DownloadLinkToDisk;
            const QUrl file = link ? menu->linkUrl() : menu->mediaUrl();
            const QString scheme = file.scheme();
            if (!file.isValid() ||
                (link && scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
                return;
            }
            view.page()->download(file, downloads.ExpectOwnSave(file.fileName()));
        });
    }
}

} // namespace MenuSaves
