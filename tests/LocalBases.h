#pragma once

#include "SkinAddress.h"
#include "VersionFileAddress.h"

#include <QString>

// The skin and version file bases of the toolbox on test servers, each root
// "http://127.0.0.1:<port>" (LocalHttpServer::Root), with the paths of the
// configured ones.

// The official skins and capes under `officialRoot`, Skinme's under `skinmeRoot`.
inline SkinBases SkinBasesAt(const QString& officialRoot, const QString& skinmeRoot) {
    const auto base = [](const QString& root, const char* folder) {
        return (root + QLatin1Char('/') + QLatin1String(folder) + QLatin1Char('/')).toStdString();
    };
    return SkinBases{base(officialRoot, "MinecraftSkins"), base(officialRoot, "MinecraftCloaks"),
                     base(skinmeRoot, "MinecraftSkins"), base(skinmeRoot, "MinecraftCloaks")};
}

// All four on one server.
inline SkinBases SkinBasesAt(const QString& root) {
    return SkinBasesAt(root, root);
}

inline VersionFileBases VersionFileBasesAt(const QString& root) {
    return VersionFileBases{(root + QStringLiteral("/versions/")).toStdString(),
                            (root + QStringLiteral("/Minecraft.Download/")).toStdString()};
}
