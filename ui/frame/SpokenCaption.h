#pragma once

#include <QString>

// What a screen reader says for a caption. The frame controls are drawn as
// single symbols ("←", "╳", "＿"); they are read by what they do. Every other
// caption is read as written.
QString SpokenCaption(const QString& caption);
