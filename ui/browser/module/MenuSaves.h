#pragma once

class DownloadStarter;
class QWebEngineView;

// The right-click menu's "保存图片", "保存链接" and the like are the user's
// own saves, but the engine would start them as it starts a page's download:
// the request it sends back says nothing of where it came from (Qt
// WebEngine 6.4 sets no flag for them; only a saved page is told apart,
// QWebEngineDownloadRequest::isSavePageDownload), so the page's limit would
// count them. Instead of the engine, the view's menu items start them as
// asks of the user's own (DownloadStarter::ExpectOwnSave), known by name
// when they come back.
namespace MenuSaves {

// Takes over the view's menu items that save what the pointer was on.
void Route(QWebEngineView& view, DownloadStarter& downloads);

} // namespace MenuSaves
