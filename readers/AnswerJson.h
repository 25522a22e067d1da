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
