#pragma once

// Layouts and mouse positions are kept in twips, as the stored layouts give
// them; Qt works in logical pixels. 1440 twips to the inch at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;
