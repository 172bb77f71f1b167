#pragma once
// The double nearest to an exact quotient of integers, rounded once (to
// nearest, ties to even). Converting both operands to doubles first would
// round each of them beyond 2^53 and then the quotient a second time.

#include <gmpxx.h>

#include <cstdint>

namespace ar {

// a / b for b != 0; 0 gives 0, never -0.
double Dezimalquotient(int64_t a, int64_t b);
// The same for integers of any size: beyond the range of doubles the result
// is the infinity of its sign, below 2^-1022 the nearest subnormal.
double Dezimalquotient(const mpz_class& a, const mpz_class& b);

}  // namespace ar
