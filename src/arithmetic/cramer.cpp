#include "arithmetic/cramer.h"

#include <flint/fmpz_mat.h>

#include "arithmetic/bareiss.h"
#include "arithmetic/bignum.h"
#include "arithmetic/quotient.h"

namespace ar {

namespace {

bool istSystem(const Matrix& S) { return S[0][0] >= 1 && S[0][0] <= kCramerMax && S[0][1] == S[0][0] + 1; }

// Fraction-free Gauss-Jordan on the system ends at [D' * I | D' * x] with
// D' = +-D: x_i = w[i][n] / w[i][i], both exact minors. kOverflow when a
// minor on the way leaves 64 bits.
detail::Elimination in64Bit(const Matrix& S, int n, detail::BareissArray& w) {
  for (int i = 0; i < n; ++i)
    for (int j = 0; j <= n; ++j) w[i][j] = S[i + 1][j + 1];
  return detail::bareiss(w, n, n + 1, true).outcome;
}

// FLINT's exact solution x = X / den for systems whose minors leave 64 bits;
// den is not 0, and neither it nor X is reduced.
class Exakt {
 public:
  Exakt(const Matrix& S, int n) {
    fmpz_mat_init(a_, n, n);
    fmpz_mat_init(b_, n, 1);
    fmpz_mat_init(x_, n, 1);
    fmpz_init(den_);
    fmpz_init(z_);
    fmpz_init(n_);
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < n; ++j) fmpz_set_si(fmpz_mat_entry(a_, i, j), S[i + 1][j + 1]);
      fmpz_set_si(fmpz_mat_entry(b_, i, 0), S[i + 1][n + 1]);
    }
    regulaer_ = fmpz_mat_solve(x_, den_, a_, b_) != 0;
  }
  ~Exakt() {
    fmpz_clear(n_);
    fmpz_clear(z_);
    fmpz_clear(den_);
    fmpz_mat_clear(x_);
    fmpz_mat_clear(b_);
    fmpz_mat_clear(a_);
  }
  Exakt(const Exakt&) = delete;
  Exakt& operator=(const Exakt&) = delete;

  bool regulaer() const { return regulaer_; }

  // x_i reduced, the sign in the numerator; false when it does not fit.
  bool bruch(int i, BruchT& x) {
    fmpz_gcd(n_, fmpz_mat_entry(x_, i, 0), den_);
    if (fmpz_sgn(den_) < 0) fmpz_neg(n_, n_);
    fmpz_divexact(z_, fmpz_mat_entry(x_, i, 0), n_);
    fmpz_divexact(n_, den_, n_);
    if (!fmpz_fits_si(z_) || !fmpz_fits_si(n_)) return false;
    x = BruchT{.N = fmpz_get_si(n_), .Z = fmpz_get_si(z_)};
    return true;
  }

  // The exact quotient needs no reduction.
  double dezimal(int i) const {
    return Dezimalquotient(big::fromFmpz(fmpz_mat_entry(x_, i, 0)), big::fromFmpz(den_));
  }

 private:
  fmpz_mat_t a_, b_, x_;
  fmpz_t den_, z_, n_;
  bool regulaer_;
};

// The system solved in 64 bits, or by FLINT when a minor on the way leaves
// them; each way hands its solution to its own writer.
template <class In64Bit, class Exaktes>
CramerFall loesen(const Matrix& S, In64Bit in64, Exaktes exakt) {
  if (!istSystem(S)) return CramerFall::kFormat;
  const auto n = static_cast<int>(S[0][0]);
  detail::BareissArray w;
  const detail::Elimination e = in64Bit(S, n, w);
  if (e == detail::Elimination::kNoPivot) return CramerFall::kSingulaer;
  if (e == detail::Elimination::kDone) {
    in64(w, n);
    return CramerFall::kGeloest;
  }
  Exakt loesung(S, n);
  if (!loesung.regulaer()) return CramerFall::kSingulaer;
  exakt(loesung, n);
  return CramerFall::kGeloest;
}

}  // namespace

CramerFall CramerBrueche(Context& ctx, const Matrix& S, std::array<BruchT, kCramerMax>& x) {
  return loesen(
      S,
      [&](const detail::BareissArray& w, int n) {
        for (int i = 0; i < n; ++i) {
          x[i] = BruchT{.N = w[i][i], .Z = w[i][n]};
          x[i].Kuerzen(ctx);
        }
      },
      [&](Exakt& loesung, int n) {
        // One component that does not fit ends the command: the rest is not needed.
        for (int i = 0; i < n; ++i)
          if (!loesung.bruch(i, x[i])) {
            ctx.overflow = true;
            return;
          }
      });
}

CramerFall CramerDezimal(const Matrix& S, std::array<double, kCramerMax>& x) {
  return loesen(
      S,
      [&](const detail::BareissArray& w, int n) {
        for (int i = 0; i < n; ++i) x[i] = Dezimalquotient(w[i][n], w[i][i]);
      },
      [&](Exakt& loesung, int n) {
        for (int i = 0; i < n; ++i) x[i] = loesung.dezimal(i);
      });
}

}  // namespace ar
