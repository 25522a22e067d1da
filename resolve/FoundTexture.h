#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// A player's skin or cape, fetched once by the toolbox itself: the pane draws
// it and saves these very bytes.
struct FoundTexture {
    // As the user typed it; for a UUID typed, the profile's current name.
    QString player;
    bool cape = false;
    // A skin worn with slim (3-pixel) arms.
    bool slim = false;
    QUrl address;
    // As served, unchecked.
    QByteArray bytes;
};

// The most a texture may be: an HD skin 1024 pixels wide is a few hundred
// kilobytes.
inline constexpr qint64 kLargestTexture = 1024 * 1024;

// The name a texture is offered under, as the old address named it: the
// player's name with `suffix`. A cape's name says so after the player's
// ("Creeper-cape.png"): the skin and cape of one player land side by side
// and apart, and no official player's name holds a "-", so it names no
// other player's skin.
QString TextureFileName(const FoundTexture& texture, const QString& suffix);
