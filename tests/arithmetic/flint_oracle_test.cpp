// Random 12 x 12 matrices, entries from -10..10 up to near 2^62, checked
// against FLINT: determinant, rank, inverse, echelon form, product, power.

#include <flint/fmpq_mat.h>
#include <flint/fmpz_mat.h>
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

#include "arithmetic/cramer.h"
#include "arithmetic/determinant.h"
#include "arithmetic/matrix_helpers.h"

namespace {

using namespace test;

struct Flint {
  fmpz_mat_t m;
  Flint(const Matrix& a) {
    fmpz_mat_init(m, a[0][0], a[0][1]);
    for (int i = 0; i < a[0][0]; ++i)
      for (int j = 0; j < a[0][1]; ++j) fmpz_set_si(at(i, j), a[i + 1][j + 1]);
  }
  ~Flint() { fmpz_mat_clear(m); }
  fmpz* at(int i, int j) { return fmpz_mat_entry(m, i, j); }
};
struct Int { fmpz_t v; Int(int64_t x = 0) { fmpz_init_set_si(v, x); } ~Int() { fmpz_clear(v); } };

// Ours against FLINT's exact e with factor 1/1: its content in the factor, or an overflow when that does not fit.
void expectNormalForm(Flint& e, const Matrix& got, bool overflow) {
  Int c;
  fmpz_mat_content(c.v, e.m);
  if (!fmpz_is_zero(c.v)) fmpz_mat_scalar_divexact_fmpz(e.m, e.m, c.v);
  const int cols = static_cast<int>(fmpz_mat_ncols(e.m));
  bool fits = fmpz_fits_si(c.v), same = got[0][2] == (fmpz_is_zero(c.v) ? 1 : fmpz_get_si(c.v)) && got[0][3] == 1;
  for (int i = 0; i < fmpz_mat_nrows(e.m) * cols; ++i) {
    fits &= fmpz_fits_si(e.at(i / cols, i % cols));
    same &= fmpz_equal_si(e.at(i / cols, i % cols), got[i / cols + 1][i % cols + 1]);
  }
  EXPECT_EQ(overflow, !fits);
  EXPECT_TRUE(!fits || same);
}

// v is the double nearest to x, a tie going to the even one: checked in exact rationals.
bool nearest(const mpq_class& x, double v) {
  const mpq_class d = abs(x - v), below = abs(x - std::nextafter(v, -INFINITY)),
      above = abs(x - std::nextafter(v, INFINITY));
  return d <= below && d <= above && ((d < below && d < above) || (std::bit_cast<uint64_t>(v) & 1) == 0);
}

// Cramer's rule against FLINT's exact solution: the reduced fractions, or an
// overflow when one does not fit; the decimals nearest to it.
void expectCramer(const Matrix& sys) {
  Flint a(with(sys, 0, 1, 11)), b(M("", 11, 1));
  for (int i = 0; i < 11; ++i) fmpz_set_si(b.at(i, 0), sys[i + 1][12]);
  fmpq_mat_t x;
  fmpq_mat_init(x, 11, 1);
  const bool regular = fmpq_mat_solve_fmpz_mat(x, a.m, b.m);
  std::array<ar::BruchT, 11> fractions{};
  std::array<double, 11> decimals{};
  ar::RecordingContext ctx;
  const auto expected = regular ? ar::CramerFall::kGeloest : ar::CramerFall::kSingulaer;
  EXPECT_EQ(ar::CramerBrueche(ctx, sys, fractions), expected);
  EXPECT_EQ(ar::CramerDezimal(sys, decimals), expected);
  bool fits = true;
  for (int i = 0; i < 11 && regular; ++i) {
    const fmpz *num = fmpq_mat_entry_num(x, i, 0), *den = fmpq_mat_entry_den(x, i, 0);
    fits &= fmpz_fits_si(num) && fmpz_fits_si(den);
    EXPECT_TRUE(!fits || ctx.overflow || (fmpz_equal_si(num, fractions[i].Z) && fmpz_equal_si(den, fractions[i].N)));
    mpq_class exact;
    fmpq_get_mpq(exact.get_mpq_t(), fmpq_mat_entry(x, i, 0));
    EXPECT_TRUE(nearest(exact, decimals[i])) << "x_" << i + 1;
  }
  EXPECT_EQ(ctx.overflow, !fits);
  fmpq_mat_clear(x);
}

Matrix random(std::mt19937_64& rng, int n, int64_t bound) {
  std::uniform_int_distribution<int64_t> entry(-bound, bound);
  Matrix m = M("", n, n);
  for (int i = 1; i <= n * n; ++i) m[(i - 1) / n + 1][(i - 1) % n + 1] = entry(rng);
  if (rng() % 4 == 0) m[n] = m[1];  // singular now and then
  return m;
}

TEST(AgainstFlint, RandomTwelveByTwelve) {
  std::mt19937_64 rng(2024);
  const int64_t bounds[] = {10, 10, 1000, P(20), P(40), P(62)};
  for (int round = 0; round < 120; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const Matrix a = random(rng, 12, bounds[round % 6]), b = random(rng, 12, bounds[round % 6]);
    Flint fa(a), fb(b);
    ar::RecordingContext ctx;
    Int det;
    fmpz_mat_det(det.v, fa.m);
    EXPECT_EQ(ar::Det(ctx, a), fmpz_fits_si(det.v) ? fmpz_get_si(det.v) : 0);
    EXPECT_EQ(ctx.overflow, !fmpz_fits_si(det.v));
    Matrix r = a;
    EXPECT_EQ(ar::Rang(ctx, r), fmpz_mat_rank(fa.m));

    // The inverse, factor 1/d: a * r = d * I, d > 0, r's entries and d coprime.
    ctx.overflow = false;
    bool failed = false;
    ar::Invertieren(ctx, a, r, failed);
    EXPECT_EQ(failed, fmpz_is_zero(det.v));
    Flint fr(r), prod(r);
    fmpz_mat_mul(prod.m, fa.m, fr.m);
    Int d(r[0][3]), g;
    fmpz_mat_content(g.v, fr.m);
    fmpz_gcd(g.v, g.v, d.v);
    fmpz_mat_scalar_divexact_fmpz(prod.m, prod.m, d.v);
    EXPECT_TRUE(failed || ctx.overflow || (r[0][2] == 1 && r[0][3] > 0 && fmpz_is_one(g.v) && fmpz_mat_is_one(prod.m)));

    // The echelon form of an 11 x 12 system, of rank 10 now and then: FLINT's
    // rows made primitive, pivots positive; a row whose pivot is off the diagonal may keep a minus.
    Matrix sys = with(a, 0, 0, 11);
    sys[11] = round % 3 == 0 ? sys[1] : sys[11];
    expectCramer(sys);
    Flint fs(sys), rref(sys);
    Int den;
    const int rank = static_cast<int>(fmpz_mat_rref(rref.m, den.v, fs.m));
    ctx.overflow = false;
    ar::Verfahren(ctx, sys);
    bool fits = true, same = true;
    for (int i = 0; i < rank; ++i) {
      Int c;
      _fmpz_vec_content(c.v, rref.m->rows[i], 12);
      if (fmpz_sgn(den.v) < 0) fmpz_neg(c.v, c.v);
      for (int j = 0; j < 12; ++j) {
        Int ours(sys[i + 1][j + 1]);
        fmpz_divexact(rref.at(i, j), rref.at(i, j), c.v);
        fits &= fmpz_fits_si(rref.at(i, j));
        same &= sys[i + 1][i + 1] != 0 ? fmpz_equal(rref.at(i, j), ours.v) : fmpz_cmpabs(rref.at(i, j), ours.v) == 0;
      }
    }
    EXPECT_EQ(ctx.overflow, !fits);
    EXPECT_TRUE(!fits || (same && sys[0][0] == rank));

    // The product, and a power of a small matrix.
    Matrix got = M("7");
    Flint fp(a), fpow(M("", 4, 4));
    fmpz_mat_mul(fp.m, fa.m, fb.m);
    ar::RecordingContext product, power;
    ar::MatMult(product, a, b, got);
    expectNormalForm(fp, got, product.overflow);
    const Matrix small = random(rng, 4, 3);
    const auto p = static_cast<int32_t>(rng() % 40);
    fmpz_mat_pow(fpow.m, Flint(small).m, static_cast<ulong>(p));
    ar::MatPot(power, small, p, got);
    expectNormalForm(fpow, got, power.overflow);
  }
}

}  // namespace
