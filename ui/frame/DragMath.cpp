#include "DragMath.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <stdexcept>

std::int32_t RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode; make sure it is the default one.
    const int previousMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previousMode);

    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        throw std::overflow_error("溢出");
    }
    return static_cast<std::int32_t>(rounded);
}

void PressOnBackground(DragState& state, std::int16_t button, float x, float y) {
    if (button == kLeftButton) {
        state.dragging = -1;
    }
    state.pressX = RoundHalfEven(x);
    state.pressY = RoundHalfEven(y);
}

std::int32_t DraggedEdge(double edge, std::int32_t press, float pointer) {
    const double withoutPress = edge - static_cast<double>(press);
    return RoundHalfEven(withoutPress + static_cast<double>(pointer));
}

void ReleaseOnBackground(DragState& state) {
    state.dragging = 0;
}
