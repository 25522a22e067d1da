#pragma once

// The stored layouts name the Chinese system fonts of Windows ("黑体",
// "宋体", "微软雅黑"). Where a family is missing, Qt substitutes the first
// installed family of a matching style, so no caption ever shows as boxes.
// Call once, before the first window is built.
void InstallCjkFontFallbacks();
