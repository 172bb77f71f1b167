// The row and column steps of the algorithms, the minor, the fraction's operations, the gcd and the integral
// test: exact, bounded by the header and the array; what fails is reported and leaves its target as it was.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "arithmetic/determinant.h"
#include "arithmetic/fraction.h"
#include "arithmetic/matrix_helpers.h"
#include "arithmetic/rowops.h"

namespace {

using namespace test;
enum Report { kNone, kOverflows, kFehler, kZero };
Messages fehler(bool shown, const std::string& proc) {
  return Messages(shown, {"In der Prozedur " + proc + " ist ein Fehler aufgetreten", core::kMsgPlain});
}

// 't' Zeilentrans(i, a, b, j), 'k' ZeileKuerzen(i), 'm' Zeilenmult(i, a), 'c' SpalteKuerzen(column i, the flag set
// before when a = 1; kZero: set after), 'u' Untermatrix(row i) into kBefore (its factor stays, its row n keeps a
// copy of A's row n); 'p' SkalProd(columns i, a) or NormQ where i = a, 'z' IstNullspalte(column i): the value b
// (0 when reported). Expected {}: as before.
struct Step { const char* name; char op; Matrix before, expected; int64_t i, a = 0, b = 0, j = 0;
               Report report = kNone; };

TEST(RowAndColumnSteps, Table) {
  const Matrix r = M("2 4 6; 3 5 7"), a = M("1 2 3; 4 5 6; 7 8 10"), u = M("2 3; 8 10; 8 10 | 2/2", 2, 2);
  const Step steps[] = {
      {"pivot step", 't', r, M("2 4 6; 0 -2 -4"), 2, 2, -3, 1}, {"a = 0", 't', r, {}, 2, 0, 1, 1, kFehler},
      {"i = j", 't', r, {}, 1, 1, 1, 1, kFehler}, {"header row", 't', r, {}, 0, 1, 1, 1},
      {"99 columns", 't', M("1 2; 3 4", 2, 99), M("1 2; 0 -2", 2, 99), 2, 1, -3, 1},
      {"beyond the columns", 't', M("1 2 5; 3 4 7", 2, 2), M("1 2 5; 4 6 7", 2, 2), 2, 1, 1, 1},
      {"2^63 - 1", 't', M("min; 1"), M("max; 1"), 1, -1, -1, 2},
      {"2^63", 't', M("1 min; 1 0"), {}, 1, -1, 0, 2, kOverflows},
      {"2^127 in column 2", 't', M("1 min; -1 min"), {}, 1, kMin, kMin, 2, kOverflows},
      {"-6 0 9", 'k', M("-6 0 9"), M("-2 0 3"), 1}, {"zero row", 'k', M("0 0"), {}, 1},
      {"0 0 5", 'k', M("0 0 5"), M("0 0 1"), 1}, {"-2^63 2^62", 'k', M("min 2^62"), M("-2 1"), 1},
      {"2^53 + 1", 'k', M("2^54+2 2"), M("2^53+1 1"), 1}, {"header row", 'k', M("2 4 | 2/4"), {}, 0},
      {"beyond the columns", 'k', M("4 6 3", 1, 2), M("2 3 3", 1, 2), 1}, {"header row", 'm', M("1 2"), {}, 0, 2},
      {"f = 0", 'm', M("1 2; 3 4"), M("1 2; 0 0"), 2, 0}, {"-2^63", 'm', M("2^62 -1"), M("min 2"), 1, -2},
      {"column 0 too", 'm', with(M("1 -2 5", 1, 2), 1, 0, 3), with(M("-1 2 5", 1, 2), 1, 0, -3), 1, -1},
      {"2^63", 'm', M("1 min"), {}, 1, -1, 0, 0, kOverflows}, {"0 0 6 -9", 'c', M("0; 0; 6; -9"), M("0; 0; 2; -3"), 1},
      {"-5", 'c', M("0 1; -5 1"), M("0 1; -1 1"), 1}, {"zero column", 'c', M("0 1; 0 2"), {}, 1, 0, 0, 0, kZero},
      {"column 13", 'c', M("2; 4"), {}, 13}, {"flag stays", 'c', M("2; 4"), M("1; 2"), 1, 1, 0, 0, kZero},
      {"below the rows", 'c', M("4; 6", 1, 1), M("1; 6", 1, 1), 1}, {"-2^63 2^62", 'c', M("min; 2^62"), M("-2; 1"), 1},
      {"row 2", 'u', a, u, 2}, {"row 1", 'u', a, M("5 6; 8 10; 8 10 | 2/2", 2, 2), 1},
      {"row n", 'u', a, M("2 3; 5 6; 8 10 | 2/2", 2, 2), 3}, {"1 x 1", 'u', M("7"), M("9 | 2/2", 0, 0), 1},
      {"counts and factor not read", 'u', M("1 2 3; 4 5 6; 7 8 10 | 0/0", 3, 1), u, 2},
      {"1*2 + 3*4", 'p', M("1 2; 3 4"), {}, 1, 2, 14}, {"NormQ", 'p', M("1 2; 3 4"), {}, 2, 2, 20},
      {"below the rows", 'p', M("1 2; 3 4", 1, 2), {}, 1, 2, 2}, {"column 13", 'p', M("1 2; 3 4"), {}, 13, 1, 0},
      {"3037000500^2", 'p', M("3037000500"), {}, 1, 1, 0, 0, kOverflows},
      {"2^64 - 2^64", 'p', M("2^32 2^32; 2^32 -2^32"), {}, 1, 2, 0},
      {"2^128", 'p', M("min; min; min; min"), {}, 1, 1, 0, 0, kOverflows},
      {"2^126 - 2^126 + max", 'p', M("min min; min max; 1 -1"), {}, 1, 2, kMax},
      {"2^127 on the way", 'p', M("min min; min min; min max; min max; 2^32 -2^32"), {}, 1, 2, 0},
      // 2^127 - 1 + 1 leaves 128 bits upwards, the next product brings it back: exact.
      {"2^127 by a product 1", 'p', M("min min; -max min; max 1; 1 1; min max; min max; min 2; 7 1"), {}, 1, 2, 7},
      {"column 12", 'p', with(M("2"), 1, 12, 3), {}, 12, 1, 6},
      {"column 0", 'p', with(M("2; 3"), 1, 0, 5), {}, 1, 0, 10},
      {"column 0 first", 'p', with(M("2; 3"), 1, 0, 5), {}, 0, 1, 10},
      // Next to column -1 lies row 1's column 12, next to column 13 row 2's column 0: neither is read.
      {"column -1", 'p', with(with(M("0; 0"), 1, 12, 1), 2, 12, 1), {}, 12, -1, 0},
      {"column 13", 'p', with(M("1; 1"), 2, 0, 7), {}, 13, 1, 0},
      {"column 12", 'c', with(with(M("0; 0"), 1, 12, 4), 2, 12, 6), with(with(M("0; 0"), 1, 12, 2), 2, 12, 3), 12},
      {"-2^63 and 3", 'c', M("min; 3"), {}, 1},
      {"only row 1", 'z', M("3; 0"), {}, 1, 0, 0}, {"column 0", 'z', with(M("0; 0"), 2, 0, 4), {}, 0, 0, 0},
      {"zero", 'z', M("0 1; 0 2"), {}, 1, 0, 1}, {"-2^63", 'z', M("0; min"), {}, 1, 0, 0},
      {"below the rows", 'z', M("0; 5", 1, 1), {}, 1, 0, 1},
      {"column 12", 'z', with(M("0"), 1, 12, 3), {}, 12, 0, 0},
      {"column 12 second", 'p', with(M("2"), 1, 12, 3), {}, 1, 12, 6},
      {"column 0", 'c', with(with(M("1; 1"), 1, 0, 4), 2, 0, 6), with(with(M("1; 1"), 1, 0, 2), 2, 0, 3), 0},
      {"row 0 is no entry row: the factor stays", 'u', a, M("5 6; 8 10; 8 10 | 2/2", 2, 2), 0}};
  for (const Step& s : steps) {
    ar::RecordingContext ctx;
    Matrix m = s.op == 'u' ? kBefore : s.before;
    bool zero = s.op == 'c' && s.a == 1;
    if (s.op == 't') ar::Zeilentrans(ctx, m, s.i, s.a, s.b, s.j);
    if (s.op == 'k') ar::ZeileKuerzen(m, s.i);
    if (s.op == 'm') ar::Zeilenmult(ctx, m, s.i, s.a);
    if (s.op == 'c') ar::SpalteKuerzen(m, s.i, zero);
    if (s.op == 'u') ar::Untermatrix(s.before, s.i, m);
    if (s.op == 'z') { EXPECT_EQ(ar::IstNullspalte(m, s.i), s.b) << s.name; }
    if (s.op == 'p') { EXPECT_EQ(s.i == s.a ? ar::NormQ(ctx, m, s.i) : ar::SkalProd(ctx, m, s.i, s.a), s.b) << s.name; }
    EXPECT_EQ(m, s.expected == Matrix{} ? s.before : s.expected) << s.name;
    EXPECT_EQ(std::tie(ctx.overflow, zero, ctx.messages),
              std::make_tuple(s.report == kOverflows, s.report == kZero, fehler(s.report == kFehler, "Zeilentrans")))
        << s.name;
  }
  // The inverse's working array, 24 columns (a header of 99 is read as 24): rows (a1 .. a24) and (b1 .. b24).
  auto W = [](int64_t a1, int64_t a24, int64_t b1, int64_t b24) {
    ar::WideMatrix w{{{2, 99, 1, 1}}};
    return w[1][1] = a1, w[1][24] = a24, w[2][1] = b1, w[2][24] = b24, w;
  };
  ar::RecordingContext ctx;
  ar::WideMatrix w = W(6, 9, 4, 6);
  ar::Zeilenmult(ctx, w, 2, -3), ar::Zeilentrans(ctx, w, 2, 1, 2, 1), ar::ZeileKuerzen(w, 1);
  EXPECT_EQ(std::tie(w, ctx.overflow), std::make_tuple(W(2, 3, 0, 0), false));
  ar::Zeilenmult(ctx, w, 1, kMax);
  EXPECT_EQ(std::tie(w, ctx.overflow), std::make_tuple(W(2, 3, 0, 0), true));
  // Klone fills its columns 0 to 12, the header too; columns 13 to 24 stay.
  ar::WideMatrix klon{}, want{{{2, 2, 2, 3}, {0, 1, 2}, {0, 3, 4}}};
  klon[0][4] = 8, klon[1][13] = want[1][13] = 5;
  ar::Klone(M("1 2; 3 4 | 2/3"), klon);
  EXPECT_EQ(klon, want);
}

// Column j replaced by the right-hand side n + 1; the rest copied whole, the factor kept, the size n x n.
TEST(Cramermatrix, ColumnByTheRightHandSide) {
  // Column 12 is a column of the array too; column 0 is none.
  for (const auto& [j, b] : {std::pair{1, "5 2 5; 6 4 6"}, {2, "1 5 5; 3 6 6"}, {3, "1 2 5; 3 4 6"},
                             {12, "1 2 5 0 0 0 0 0 0 0 0 5; 3 4 6 0 0 0 0 0 0 0 0 6"}, {0, "1 2 5; 3 4 6"}}) {
    Matrix out = kBefore;
    EXPECT_EQ((ar::Cramermatrix(M("1 2 5; 3 4 6 | 2/3"), j, out), out), M(std::string(b) + " | 2/3", 2, 2)) << j;
  }
  // Eleven equations: the right-hand side in column 12, the array's last. A header of 13 rows reads as 12.
  Matrix elf = M("", 11, 12), out = kBefore;
  for (int i = 1; i <= 11; ++i) elf[i][i] = 1, elf[i][12] = 10 * i;
  Matrix want = with(elf, 0, 1, 11);
  for (int i = 1; i <= 11; ++i) want[i][1] = 10 * i;
  EXPECT_EQ((ar::Cramermatrix(elf, 1, out), out), want);
  EXPECT_EQ((ar::Cramermatrix(M("1 2 5; 3 4 6", 13, 14), 1, out), out), M("1 2 5; 3 4 6", 12, 12));
  // The minor writes columns 1 to n - 1 only: column 0 of its target stays.
  Matrix minor = with(with(kBefore, 2, 0, 4), 3, 0, 6);
  ar::Untermatrix(M("1 2 3; 4 5 6; 7 8 10"), 2, minor);
  EXPECT_EQ(minor, with(with(M("2 3; 8 10; 8 10 | 2/2", 2, 2), 2, 0, 4), 3, 0, 6));
}

// Kuerzen reduces x itself, the sign into the numerator, and Plus reduces so too; Mal and Kehrwert do not reduce;
// what fails leaves c as it was (7/7, or x for Kuerzen). "x ?" gives IstNull(x)/IstDefiniert(x), "a ggt b"
// ggt(a, b)/ggt(b, a): 2^63 does not fit, the greatest divisor that does comes back.
TEST(BruchT, Operations) {
  auto f = [](const std::string& s) {
    const size_t p = s.find('/');
    return s.empty() ? ar::BruchT{} : ar::BruchT{.N = num(s.substr(p + 1)), .Z = num(s.substr(0, p))};
  };
  const std::pair<std::string, std::string> cases[] = {
      {"1/2 + 1/3", "5/6"}, {"1/2 + -1/2", "0/1"}, {"1/-2 + 1/3", "-1/6"}, {"-3/0 + 1/2", "-1/0"}, {"1/0 + 1/0", "0/0"},
      {"max/2 + max/2", "max/1"}, {"1/3 + 1/9007199254740993", "1000799917193444/3002399751580331"},
      {"min/min + min/min", "2/1"}, {"1/min + 1/min", "-1/2^62"}, {"min/1 + -1/1", "overflow"},
      {"1/min + 0/1", "overflow"}, {"2/3 * 3/4", "6/12"}, {"1/-2 * -1/3", "-1/-6"}, {"-2^31/1 * 2^32/1", "min/1"},
      {"min/1 * -1/1", "overflow"}, {"1/2^32 * 1/2^32", "overflow"}, {"2/3 Kehrwert", "3/2"}, {"-2/3 Kehrwert", "3/-2"},
      {"min/max Kehrwert", "max/min"}, {"0/5 Kehrwert", "Fehler"}, {"0/5 ?", "1/1"}, {"3/0 ?", "0/0"},
      {"4/-6 Kuerzen", "-2/3"}, {"-4/-6 Kuerzen", "2/3"}, {"0/-5 Kuerzen", "0/1"}, {"-5/0 Kuerzen", "-1/0"},
      {"0/0 Kuerzen", "0/0"}, {"2^53+1/3 Kuerzen", "3002399751580331/1"}, {"2/min Kuerzen", "-1/2^62"},
      {"1/min Kuerzen", "overflow"}, {"0 ggt 0", "0/0"}, {"0 ggt -7", "7/7"}, {"-4 ggt 6", "2/2"}, {"12 ggt 18", "6/6"},
      {"1 ggt 0", "1/1"}, {"max ggt 7", "7/7"}, {"2^53+1 ggt 3", "3/3"}, {"min ggt 6", "2/2"}, {"min ggt max", "1/1"},
      {"min ggt 0", "2^62/2^62"}, {"min ggt min", "2^62/2^62"}, {"max ggt 0", "max/max"},
      {"max ggt -max", "max/max"}};
  for (const auto& [call, result] : cases) {
    std::istringstream in(call);
    std::string x, op, y;
    in >> x >> op >> y;
    ar::RecordingContext ctx;
    const ar::BruchT a = f(x), b = f(y);
    ar::BruchT c = op == "Kuerzen" ? a : ar::BruchT{.N = 7, .Z = 7};
    if (op == "?") c = ar::BruchT{.N = a.IstDefiniert(), .Z = a.IstNull()};
    if (op == "ggt") c = ar::BruchT{.N = ar::ggt(num(y), num(x)), .Z = ar::ggt(num(x), num(y))};
    const ar::BruchT e = result == "overflow" || result == "Fehler" ? c : f(result);
    const ar::BruchT* r = op == "+" ? &a.Plus(ctx, b, c) : op == "*" ? &a.Mal(ctx, b, c) : &c;
    if (op == "Kehrwert") r = &a.Kehrwert(ctx, c);
    if (op == "Kuerzen") c.Kuerzen(ctx);
    EXPECT_EQ(std::make_tuple(r, c.Z, c.N, ctx.overflow, ctx.messages),
              std::make_tuple(&c, e.Z, e.N, result == "overflow", fehler(result == "Fehler", "Kehrwert")))
        << call;
  }
}

// A new fraction is 0/0.
TEST(BruchT, New) {
  const ar::BruchT b;
  EXPECT_EQ(std::make_pair(b.Z, b.N), std::make_pair(int64_t{0}, int64_t{0}));
}

TEST(Ganzzahlig, FloorEqualsValue) {
  const std::pair<double, bool> cases[] = {{-0.0, 1}, {-1.0, 1}, {2.5, 0}, {-2.5, 0}, {0.1 + 0.2, 0}, {1 - 0x1p-53, 0},
      {0x1p52 - 0.5, 0}, {0x1p53 + 2, 1}, {-0x1p63, 1}, {5e-324, 0}, {INFINITY, 1}, {NAN, 0}};
  for (const auto& [x, expected] : cases) EXPECT_EQ(ar::ganzzahlig(x), expected) << x;
}

}  // namespace
