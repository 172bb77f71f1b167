#pragma once
// The largest matrix: rows and columns 1 to 12.

namespace core {

inline constexpr int kMax = 12;

}  // namespace core
