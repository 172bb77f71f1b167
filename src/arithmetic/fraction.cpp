#include "arithmetic/fraction.h"

#include "core/int64.h"

namespace ar {

namespace {
using exact::fits64;
using exact::i128;
using exact::u128;

// Reduced z/n with n >= 0, from exact wide values; false when it does not fit.
bool reduce(i128 z, i128 n, BruchT& out) {
  if (n < 0) {
    z = -z;
    n = -n;
  }
  const u128 g = exact::gcd128(exact::mag128(z), exact::mag128(n));
  if (g > 1) {  // g = 0 only for 0/0, which stays
    z /= static_cast<i128>(g);
    n /= static_cast<i128>(g);
  }
  if (!fits64(z) || !fits64(n)) return false;
  out.Z = static_cast<int64_t>(z);
  out.N = static_cast<int64_t>(n);
  return true;
}
}  // namespace

void BruchT::Kuerzen(Context& ctx) {
  if (!reduce(Z, N, *this)) ctx.overflow = true;
}

BruchT& BruchT::Plus(Context& ctx, const BruchT& b, BruchT& c) const {
  if (N == 0 && b.N == 0) {
    c.Z = 0;
    c.N = 0;
    return c;
  }
  // Over the least common multiple, so that the 128-bit sum cannot wrap; the
  // reduced result is the same as over the product of the denominators.
  const i128 g = static_cast<i128>(exact::gcd64(exact::mag64(N), exact::mag64(b.N)));
  const i128 z = static_cast<i128>(Z) * (b.N / g) + static_cast<i128>(b.Z) * (N / g);
  const i128 n = static_cast<i128>(N) * (b.N / g);
  if (!reduce(z, n, c)) ctx.overflow = true;
  return c;
}

BruchT& BruchT::Kehrwert(Context& ctx, BruchT& c) const {
  if (Z == 0) {
    Fehler(ctx, "Kehrwert");
    return c;
  }
  const int64_t z = N;
  c.N = Z;
  c.Z = z;
  return c;
}

BruchT& BruchT::Mal(Context& ctx, const BruchT& b, BruchT& c) const {
  int64_t z = 0;
  int64_t n = 0;
  if (core::mulOverflow(Z, b.Z, &z) || core::mulOverflow(N, b.N, &n)) {
    ctx.overflow = true;
    return c;
  }
  c.Z = z;
  c.N = n;
  return c;
}

}  // namespace ar
