#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// What the name look-up answered: {"id": "<32 hex digits>", "name": "..."}.
struct PlayerLookup {
    // Lower-case hex, no dashes; empty when the answer was no use.
    QString id;
    // Why the answer was no use, in Chinese; empty when `id` is set.
    QString problem;
};

PlayerLookup ReadPlayerLookup(const QByteArray& answer);

// The player UUID typed in place of a name: 32 hex digits, alone or with
// the four dashes (8-4-4-4-12), as lower-case hex without dashes; empty for
// anything else, every player name included (at most 16 characters).
QString TypedPlayerUuid(const QString& typed);

// The image addresses in a session profile's "textures" property.
struct PlayerTextures {
    QUrl skin;
    QUrl cape;
    // The skin is worn with slim (3-pixel) arms.
    bool slim = false;
    QString problem;
    // The player's current name, as the profile gives it when it is one (1
    // to 16 letters, digits or "_"); empty otherwise.
    QString name;
};

// A session profile, {"id", "name", "properties": [{"name": "textures",
// "value": <base64 of {"textures": {"SKIN": {"url", "metadata": {"model":
// "slim"}}, "CAPE": {"url"}}}>}]}; a skin without that metadata is worn
// with classic arms. Only http and https images count; anything else is
// refused.
PlayerTextures ReadPlayerTextures(const QByteArray& answer);
