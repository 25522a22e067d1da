#pragma once

#include <QByteArray>
#include <QString>

// What a skin site's CustomSkinAPI answered for a player
// (GET <site>/csl/<name>.json): {"username": "...", "skins": {"default":
// "<hash>"} or {"slim": "<hash>"}, "cape": "<hash>"}, a key absent when the
// player has no such texture. Each hash names <site>/textures/<hash>.
struct SkinSiteTextures {
    // The skin's hash, "default" before "slim"; empty when there is none.
    QString skin;
    // The skin is the "slim" one, worn with 3-pixel arms.
    bool slim = false;
    QString cape;
    // Why the answer was no use, in Chinese; empty when it was read.
    QString problem;
};

// A hash goes into the next address, so it must be a plain path segment:
// letters and digits only, at most 128 of them.
SkinSiteTextures ReadSkinSiteTextures(const QByteArray& answer);
