#include "FoundTexture.h"

QString TextureFileName(const FoundTexture& texture, const QString& suffix) {
    return texture.player + (texture.cape ? QStringLiteral("-cape.") : QStringLiteral(".")) +
           suffix;
}
