// Cramer's rule in both forms, the decimal quotient rounded once and the
// random matrix with a given determinant. Expected doubles from
// python3's float(Fraction(a, b)).

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "arithmetic/cramer.h"
#include "arithmetic/matrix_helpers.h"
#include "arithmetic/quotient.h"
#include "arithmetic/random.h"

namespace {

using namespace test;
using enum ar::CramerFall;

mpz_class pow2(unsigned e) { return mpz_class(1) << e; }

TEST(Dezimalquotient, Table) {
  const struct { const char* what; mpz_class a, b; double x; } faelle[] = {
      {"sticky bit", 282142854078468500, 945218, 298495007583.93146}, {"negative numerator", -7, 2, -3.5},
      {"tie to even, down", P(54) + 2, 2, 9007199254740992.0}, {"tie to even, up", P(54) + 6, 2, 9007199254740996.0},
      {"-2^63 / -1", kMin, -1, 9.223372036854776e+18}, {"2^63 - 1 above 2^53", kMax, 1, 9.223372036854776e+18},
      {"-2^63 / 6", kMin, 6, -1.5372286728091292e+18}, {"2^63 - 1 over -2^63", kMax, kMin, -1.0},
      {"tiny", 1, kMax, 1.0842021724855044e-19}, {"zero", 0, -5, 0.0},
      // Beyond 64 bits: only the big overload.
      {"2^712 / 3", pow2(712), 3, 7.181838884247379e+213},
      {"sticky bit at 2^-701", pow2(700) * (P(54) + 2) + 1, pow2(701), 9007199254740994.0},
      {"largest double", pow2(1024) * (P(53) - 1) + pow2(1023) - 1, P(53), std::numeric_limits<double>::max()},
      {"beyond the doubles", -pow2(1100), 7, -std::numeric_limits<double>::infinity()},
      {"subnormal 2/3 of 2^-1074", 1, 3 * pow2(1073), 5e-324}, {"half of 2^-1074 to even", pow2(200), pow2(1275), 0.0},
      {"3 1/4 of 2^-1074 down to 3", 13, pow2(1076), 1.5e-323},
      {"tie at 3/2 of 2^-1074 up to even", 3, pow2(1075), 1e-323},
      {"just above half of 2^-1074", pow2(200) + 1, pow2(1275), 5e-324},
      {"3/4 of 2^-1074 up", 3, pow2(1076), 5e-324}, {"minus half of 2^-1074 to +0", -pow2(200), pow2(1275), 0.0},
      // Scaled by 2^1076 exactly, at the bottom of the normal doubles: rounded once, to 53 bits.
      {"(2^55 + 11) / 2^1076", pow2(55) + 11, pow2(1076), 4.450147717014404e-308}};
  for (const auto& f : faelle) {
    const double x = ar::Dezimalquotient(f.a, f.b);
    EXPECT_EQ(x, f.x) << f.what;
    EXPECT_FALSE(std::signbit(x) && x == 0.0) << f.what << ": -0";
    const bool klein = f.a.fits_slong_p() && f.b.fits_slong_p();
    EXPECT_EQ(klein ? ar::Dezimalquotient(f.a.get_si(), f.b.get_si()) : f.x, f.x) << f.what;
  }
}

// The system, the fractions ("" when kOverflow) and the decimals.
TEST(Cramer, BothForms) {
  const std::string mx = std::to_string(kMax);
  const struct { const char* what; Matrix s; ar::CramerFall fall; std::string brueche = "";
                 std::vector<double> dezimal = {}; } faelle[] = {
      {"1 x 1", M("2 3"), kGeloest, "3/2", {1.5}},
      {"numerator 2^64 - 2", M("2 0 max; 0 2 0"), kGeloest, mx + "/2 0/1", {9.223372036854776e+18 / 2, 0}},
      {"D beyond 64 bits", M("3037000500 0 1; 0 3037000500 1"), kGeloest, "1/3037000500 1/3037000500",
       {3.292722539887629e-10, 3.292722539887629e-10}},
      {"D = -2^63", M("min 2"), kGeloest, "-1/4611686018427387904", {-2.168404344971009e-19}},
      {"minors beyond 64 bits", M("max 0 0 1; 0 max 0 2; 0 0 max -3"), kGeloest, "1/" + mx + " 2/" + mx + " -3/" + mx,
       {1.0842021724855044e-19, 2.168404344971009e-19, -3.2526065174565133e-19}},
      {"x_1 beyond 64 bits", M("3037000500 1 1; 0 3037000500 1"), kGeloest, "",
       {3.292722538803427e-10, 3.292722539887629e-10}},
      {"x_2 = -2^64 over D = 1", M("1 0 4; 2^62 1 0"), kGeloest, "", {4, -1.8446744073709552e+19}},
      {"D = -(3037000500^2)", M("0 3037000500 1; 3037000500 0 1"), kGeloest, "1/3037000500 1/3037000500",
       {3.292722539887629e-10, 3.292722539887629e-10}},
      {"x = 2^63", M("-1 min"), kGeloest, "", {9.223372036854776e+18}},
      {"x = -2^-63", M("min 1"), kGeloest, "", {-1.0842021724855044e-19}},
      {"singular past 64 bits", M("3037000500 1 0 1; 0 3037000500 0 1; 1 1 0 2"), kSingulaer},
      {"square", M("1 2; 3 4"), kFormat}, {"no rows", M("", 0, 1), kFormat}, {"12 equations", M("", 12, 13), kFormat}};
  for (const auto& f : faelle) {
    ar::RecordingContext ctx;
    std::array<ar::BruchT, ar::kCramerMax> x{};
    std::array<double, ar::kCramerMax> d{};
    scribble();
    EXPECT_EQ(ar::CramerBrueche(ctx, f.s, x), f.fall) << f.what;
    scribble();
    EXPECT_EQ(ar::CramerDezimal(f.s, d), f.fall) << f.what;
    std::string brueche;
    for (size_t i = 0; i < f.dezimal.size(); ++i)
      brueche += (i ? " " : "") + std::to_string(x[i].Z) + "/" + std::to_string(x[i].N);
    EXPECT_EQ(std::vector<double>(d.begin(), d.begin() + std::ssize(f.dezimal)), f.dezimal) << f.what;
    EXPECT_EQ(std::make_tuple(ctx.overflow, ctx.overflow ? "" : brueche, ctx.messages.empty()),
              std::make_tuple(f.fall == kGeloest && f.brueche.empty(), f.brueche, true)) << f.what;
  }
}

// The entries are drawn for U row by row, then for L row by row:
// U = [[d, a], [0, 1]], L = [[1, 0], [b, 1]] give [[d + ab, a], [b, 1]].
TEST(Zufallsmatrix, Table) {
  const struct { const char* what; int32_t n; int64_t d; std::vector<int64_t> zuege; Matrix m;
                 bool overflow = false; } faelle[] = {
      {"2 x 2 in the order of the draws", 2, 1, {2, 3}, M("7 2; 3 1")},
      // U = [[7, 1, 2], [0, 1, -1], [0, 0, 1]], L = [[1, 0, 0], [2, 1, 0], [-3, 1, 1]]
      {"3 x 3", 3, 7, {1, 2, -1, 2, -3, 1}, M("3 3 2; 5 0 -1; -3 1 1")},
      {"-2^63 - 1 turned", 2, kMin, {-1, 1}, M("min+1 -1; -1 1")},
      {"1 x 1 in normal form", 1, 5, {}, M("1 | 5/1")},
      {"-2^63 fits", 2, kMin, {1, 1}, M("-9223372036854775807 1; 1 1")},
      // The corner d + s, s = 9a + 9b with L's first column (a, b): a, b = 9, -8 would give 2^63 + 8, so they turn.
      {"2^63 - 1, s = 9 turned", 3, kMax, {9, 9, -8, 9, -8, 5}, M("max-9 54 9; -73 -39 -8; 8 5 1")},
      {"2^63 - 1, s = -9 kept", 3, kMax, {9, 9, -8, -9, 8, 5}, M("max-9 54 9; -73 -39 -8; 8 5 1")},
      {"-2^63 on 1 x 1 needs 2^63", 1, kMin, {}, kBefore, true},
      {"n = 13 read as 12: 132 draws", 13, 5, std::vector<int64_t>(132), with(identity(12), 1, 1, 5)}};
  for (const auto& f : faelle) {
    ar::RecordingContext ctx;
    size_t gezogen = 0;
    Matrix m = kBefore;
    ar::Zufallsmatrix(ctx, f.n, f.d, [&] { return f.zuege.at(gezogen++); }, m);
    EXPECT_EQ(std::tie(m, gezogen, ctx.overflow), std::make_tuple(f.m, f.zuege.size(), f.overflow)) << f.what;
  }
}

}  // namespace
