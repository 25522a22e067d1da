#pragma once

#include <cstdint>

// Drag-to-move state of one window, kept by the window instance for its whole
// life. Positions are twips relative to the window.
struct DragState {
    std::int16_t dragging = 0; // -1 while a drag is active, 0 otherwise
    std::int32_t pressX = 0;
    std::int32_t pressY = 0;
};

// Mouse buttons as the frame handlers see them: one bit each.
inline constexpr std::int16_t kLeftButton = 1;
inline constexpr std::int16_t kRightButton = 2;
inline constexpr std::int16_t kMiddleButton = 4;

// Nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4). Throws
// std::overflow_error when the result leaves the 32-bit signed range.
std::int32_t RoundHalfEven(double value);

// A press on the window background: any button takes the offsets, only the
// left button alone starts a drag.
void PressOnBackground(DragState& state, std::int16_t button, float x, float y);

// New left (or top) of a dragged window: edge - press + pointer, subtracting
// first, in double precision, rounded halves to even.
std::int32_t DraggedEdge(double edge, std::int32_t press, float pointer);

// Any button released ends the drag.
void ReleaseOnBackground(DragState& state);
