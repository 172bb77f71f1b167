#pragma once
// The solution of a linear system by Cramer's rule, x_i = det_i / D, exact
// whatever size the determinants reach on the way.

#include <array>

#include "arithmetic/fraction.h"
#include "arithmetic/matrix.h"

namespace ar {

// At most 11 equations: the right-hand side takes the twelfth column.
inline constexpr int kCramerMax = 11;

enum class CramerFall {
  kGeloest,
  kFormat,     // not n rows and n + 1 columns with n from 1 to 11
  kSingulaer,  // D = 0
};

// The system S: n = S(0,0) equations, S(0,1) = n + 1 columns, the right-hand
// side in column n + 1; the factor plays no part. Only kGeloest writes x, and
// only x[0..n).

// x[i] reduced with the sign in the numerator. A component that does not fit
// in 64 bits sets ctx.overflow.
CramerFall CramerBrueche(Context& ctx, const Matrix& S, std::array<BruchT, kCramerMax>& x);

// x[i] the double nearest to the exact quotient. There is no overflow: by
// Hadamard's bound every determinant of n <= 11 entries of at most 2^63 lies
// below (sqrt(11) * 2^63)^11 < 2^713, and D is at least 1, so every
// component lies between 2^-713 and 2^713 or is 0.
CramerFall CramerDezimal(const Matrix& S, std::array<double, kCramerMax>& x);

}  // namespace ar
