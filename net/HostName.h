#pragma once

#include <QString>

class QUrl;

// Who an address is on, to name in messages: its host, with the port when
// it has one. Never QUrl::authority(), which carries the user info a server
// may put in a redirect ("下载完成@host") into the text.
QString HostName(const QUrl& url);
