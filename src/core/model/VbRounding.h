#pragma once

#include <cmath>

// Whole-number conversion as the diagrams' numbers have always used it: halves to even.
inline double roundHalfEven(double value) {
    return std::nearbyint(value);
}
