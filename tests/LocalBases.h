#pragma once

#include "SkinAddress.h"
#include "VersionFileAddress.h"

#include <QString>

// The skin and version file bases of the toolbox, all on one test server at
// `root` ("http://127.0.0.1:<port>"), with the paths of the configured ones.
inline SkinBases SkinBasesAt(const QString& root) {
    const std::string skins = (root + QStringLiteral("/MinecraftSkins/")).toStdString();
    const std::string capes = (root + QStringLiteral("/MinecraftCloaks/")).toStdString();
    return SkinBases{skins, capes, skins, capes};
}

inline VersionFileBases VersionFileBasesAt(const QString& root) {
    return VersionFileBases{(root + QStringLiteral("/versions/")).toStdString(),
                            (root + QStringLiteral("/Minecraft.Download/")).toStdString()};
}
