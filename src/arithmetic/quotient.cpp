#include "arithmetic/quotient.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "arithmetic/exact.h"

namespace ar {

namespace {

// The quotient is scaled by 2^s to lie between 2^54 and 2^56: 55 or 56 bits,
// so that below the 53 kept ones lie the rounding bit and a place for the
// sticky bit. Below 2^-1021 every double is a multiple of 2^-1074; there the
// scale stays at 2^1076, two bits below that step.
constexpr long kFein = 1076;
long skala(long la, long lb) { return 55 - (la - lb); }

// q = floor(|a / b| * 2^min(s, kFein)); rest: the division left a remainder.
double gerundet(uint64_t q, bool rest, long s, bool negativ) {
  double v;
  if (s <= kFein) {
    // The sticky bit in bit 0 lies below the rounding bit, so the one
    // conversion rounds right; the scaling is exact or overflows to infinity.
    v = std::ldexp(static_cast<double>(q | (rest ? 1 : 0)), static_cast<int>(std::clamp(-s, -kFein, 2 * kFein)));
  } else {
    // Rounded to a multiple of 4 by hand, ties to even.
    uint64_t k = q >> 2;
    if ((q & 2) != 0 && ((q & 1) != 0 || rest || (k & 1) != 0)) ++k;
    v = std::ldexp(static_cast<double>(k), -1074);
  }
  if (v == 0.0) return 0.0;
  return negativ ? -v : v;
}

long bitlaenge(uint64_t x) { return 64 - __builtin_clzll(x); }

}  // namespace

double Dezimalquotient(int64_t a, int64_t b) {
  assert(b != 0);
  if (a == 0) return 0.0;
  using exact::u128;
  const uint64_t am = exact::mag64(a), bm = exact::mag64(b);
  // s lies in -8..118, so the shifted operand fits in 128 bits.
  const long s = skala(bitlaenge(am), bitlaenge(bm));
  const u128 zaehler = s >= 0 ? u128{am} << s : u128{am};
  const u128 nenner = s >= 0 ? u128{bm} : u128{bm} << -s;
  return gerundet(static_cast<uint64_t>(zaehler / nenner), zaehler % nenner != 0, s, (a < 0) != (b < 0));
}

double Dezimalquotient(const mpz_class& a, const mpz_class& b) {
  assert(b != 0);
  if (a == 0) return 0.0;
  const auto bits = [](const mpz_class& x) { return static_cast<long>(mpz_sizeinbase(x.get_mpz_t(), 2)); };
  const long s = skala(bits(a), bits(b));
  mpz_class zaehler = abs(a), nenner = abs(b), q, r;
  if (s >= 0)
    zaehler <<= static_cast<mp_bitcnt_t>(std::min(s, kFein));
  else
    nenner <<= static_cast<mp_bitcnt_t>(-s);
  mpz_tdiv_qr(q.get_mpz_t(), r.get_mpz_t(), zaehler.get_mpz_t(), nenner.get_mpz_t());
  return gerundet(q.get_ui(), r != 0, s, sgn(a) != sgn(b));
}

}  // namespace ar
