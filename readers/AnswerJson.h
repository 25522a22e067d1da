#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QUrl>

#include <optional>

// What every reader of a service's answer needs first.

// The answer as a JSON object; nothing when it is not JSON or not an object.
std::optional<QJsonObject> ReadJsonObject(const QByteArray& bytes);

// An address the pane may follow: a string holding an http or https address
// with a host. Anything else (file:, javascript:, relative, not a string) is
// an empty address.
QUrl ReadWebAddress(const QJsonValue& value);

// An address an answer named, over `scheme` when that is https: the texture
// server names plain http images, and a description may name its jar so.
// With the endpoints on TLS, nothing an answer names is then fetched in the
// clear; an explicit :80 goes with the http.
QUrl AddressOver(const QUrl& address, const QString& scheme);
