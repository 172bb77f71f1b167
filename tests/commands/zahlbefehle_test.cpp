// Det, Rang, Spur, Cramer, Rnd-> and lin.Abb., driven
// through their buttons.

#include <gtest/gtest.h>

#include <cmath>

#include "app/fenster_fixture.h"

namespace {

struct KnopfTest : FensterTest {
  // One row of a table: the grid typed with the factor 5/7, a text in the
  // output field and random entries scripted (as drawn); the boxes, the grid
  // (empty: as typed), the factor and the output field (empty: as typed)
  // afterwards. A refused command logs nothing.
  struct Fall { const char *what, *knopf; Rows in; std::string out; Boxes boxes = {}; Rows shown = {};
                std::string fak = "5/7", eingabe = "vorher"; std::vector<int> zuege = {}; };
  void run(const std::vector<Fall>& faelle) {
    for (const auto& f : faelle) {
      setGrid(f.in, "5", "7"), type("InOutF", f.eingabe);
      for (int e : f.zuege) services.queueRnd((e + 10.5) / 20);  // the middle of e's interval
      const std::string protokoll = w->Protokoll;
      EXPECT_EQ(press(f.knopf, oks(f.boxes)), f.boxes) << f.what;
      EXPECT_EQ(grid(), f.shown.empty() ? f.in : f.shown) << f.what;
      EXPECT_EQ(factor() + " " + text("InOutF"), f.fak + " " + (f.out.empty() ? f.eingabe : f.out)) << f.what;
      EXPECT_TRUE(f.boxes.empty() || w->Protokoll == protokoll) << f.what;
    }
  }
};

constexpr int64_t K = int64_t{1} << 62;
constexpr int kPlain = core::kMsgPlain, kCaution = core::kMsgCaution;

Rows square(size_t n, int64_t diag, int64_t off) {
  Rows m(n, std::vector<int64_t>(n, off));
  for (size_t i = 0; i < n; ++i) m[i][i] = diag;
  return m;
}

// Rows K + e_i for i < 11 are independent; the twelfth is row 1 - row 3 + row 2.
Rows rank11() {
  Rows m = square(12, K, K);
  for (size_t i = 0; i < 11; ++i) m[i][i] += 1;
  for (size_t j = 0; j < 12; ++j) m[11][j] = m[0][j] - m[2][j] + m[1][j];
  return m;
}

}  // namespace

// Grid and output field in, number, box or new grid out; logging is on, and
// a refused command logs nothing.
TEST_F(KnopfTest, NumberCommandsTable) {
  const char *det = "BevelButton16", *rang = "BevelButton32", *spur = "BevelButton33", *cramer = "BevelButton17",
             *rnd = "BevelButton27", *min = "-9223372036854775808";
  const Rows zwei(2, {0, 0, 0});
  // Cramer: D = 4 and the first numerator 2^64 - 2, but x = ((2^63 - 1)/2, 0) fits;
  // D = 3037000500^2 > 2^63 and x_1 = 3037000499/D does not.
  const Rows halb = {{2, 0, INT64_MAX}, {0, 2, 0}}, breit = {{3037000500, 1, 1}, {0, 3037000500, 1}};
  // With 12 rows, U drawn all 0 and L all 1, the product is lower triangular
  // with the diagonal 7, 1, ..., 1: its determinant is 7.
  Rows unten(12, std::vector<int64_t>(12));
  for (size_t i = 0; i < 12; ++i) std::fill_n(unten[i].begin(), i + 1, i ? 1 : 7);
  std::vector<int> zuege(132, 1);
  std::fill_n(zuege.begin(), 66, 0);
  button("ProtokollB").click();
  run({
      {"Det ignores the factor", det, {{1, 2}, {3, 4}}, "Det() = -2"},
      {"Det of I + J, 12 x 12", det, square(12, 2, 1), "Det() = 13"},
      {"Rang near 2^62", rang, rank11(), "Rang() = 11"},
      {"Det not square", det, {{1, 2, 3}, {4, 5, 6}}, "", {{"Keine quadratische Matrix", kPlain}}},
      {"Det beyond 64 bits", det, square(2, 3037000500, 0), "", kUeberlaufBox},
      {"Rang 1", rang, {{1, 2, 3}, {2, 4, 6}}, "Rang() = 1"}, {"Spur 2^63", spur, square(2, K, 0), "", kUeberlaufBox},
      {"Spur 2^31", spur, {{2147483648}}, "Spur() = 2147483648"}, {"1 x 1", rnd, {{0, 0}}, "", {}, {{1}}, "5/1", "5"},
      {"Spur not square", spur, zwei, "", {{"Eine Spur ist nur für quadratische Matrizen erklärt", kPlain}}},
      {"decimals", cramer, {{2, 1, 3}, {1, 3, 5}}, "", {{"L = (0.8 ; 1.4 ) ", kPlain}}},
      {"(2^53 + 1) / 3 rounded once", cramer, {{3, 9007199254740993}}, "", {{"L = (3002399751580331 ) ", kPlain}}},
      {"2^63 as a decimal", cramer, {{-1, INT64_MIN}}, "", {{"L = (9223372036854775808 ) ", kPlain}}},
      {"2^64 - 2 on the way, decimal", cramer, halb, "", {{"L = (4611686018427387904 ; 0 ) ", kPlain}}},
      {"D and x beyond 64 bits, decimal", cramer, breit, "",
          {{"L = (3.292722538803427e-10 ; 3.292722539887629e-10 ) ", kPlain}}},
      {"square", cramer, {{1, 2}, {3, 4}}, "", {{"Format des Systems passt nicht zu Cramer", kCaution}}},
      {"plain 2 x 3", rnd, zwei, "", {}, {{-10, 9, -4}, {-3, 0, 1}}, "1/1", "", {-10, 9, -4, -3, 0, 1}},
      {"plain after a result", rnd, {{0, 0}}, "", {}, {{3, 4}}, "1/1", "Det() = 7", {3, 4}},
      // U = [[7, 1, 2], [0, 1, -1], [0, 0, 1]], L = [[1, 0, 0], [2, 1, 0], [-3, 1, 1]]
      {"3 x 3", rnd, Rows(3, {0, 0}), "", {}, {{3, 3, 2}, {5, 0, -1}, {-3, 1, 1}}, "1/1", "7", {1, 2, -1, 2, -3, 1}},
      {"12 x 12", rnd, Rows(12, {0}), "", {}, unten, "1/1", "7", zuege},
      {"-2^63 fits", rnd, zwei, "", {}, {{-9223372036854775807, 1}, {1, 1}}, "1/1", min, {1, 1}},
      // d + ab leaves 64 bits, d - ab does not: L's entry turns.
      {"-2^63 - 1 turned", rnd, zwei, "", {}, {{-9223372036854775807, -1}, {-1, 1}}, "1/1", min, {-1, 1}},
      {"2^63 + 80 turned", rnd, zwei, "", {}, {{INT64_MAX - 81, 9}, {-9, 1}}, "1/1", "9223372036854775807", {9, 9}},
      {"2^63", rnd, zwei, "", kUeberlaufBox, {}, "5/7", "9223372036854775808"}});
  w->as<fw::RadioButton>("BruchB").click();
  run({
      {"fractions", cramer, {{2, 1, 3}, {1, 3, 5}}, "", {{"L = (4/5; 7/5)", kPlain}}},
      {"negative D: positive denominators", cramer, {{1, 2, 3}, {3, 4, 5}}, "", {{"L = (-1/1; 2/1)", kPlain}}},
      {"2^64 - 2 on the way", cramer, halb, "", {{"L = (9223372036854775807/2; 0/1)", kPlain}}},
      {"D beyond 64 bits, x fits", cramer, {{3037000500, 0, 1}, {0, 3037000500, 1}}, "",
          {{"L = (1/3037000500; 1/3037000500)", kPlain}}},
      {"D and x beyond 64 bits", cramer, breit, "", kUeberlaufBox},
      {"2^63 does not fit", cramer, {{-1, INT64_MIN}}, "", kUeberlaufBox},
      {"singular", cramer, {{1, 2, 3}, {2, 4, 6}}, "", {{"Systemmatrix darf nicht verschwinden", kPlain}}}});
  // The ends of [0, 1): 0 gives -10, the largest double below 1 gives 9; inside, floor(20 (x - 1/2)).
  setGrid({{0, 0, 0, 0}}), type("InOutF", "");
  for (double x : {0.0, 0.55, 0.99, std::nextafter(1.0, 0.0)}) services.queueRnd(x);
  EXPECT_EQ((press(rnd), grid()), (Rows{{-10, 1, 9, 9}}));
  // Counts beyond the grid, as no size field leaves them: twelve rows of twelve entries, and no more.
  w->Zzahl = 13, w->Szahl = 13;
  for (int k = 0; k < 144; ++k) services.queueRnd(0.55);
  EXPECT_EQ((press(rnd), grid()), Rows(12, std::vector<int64_t>(12, 1)));
}

TEST_F(KnopfTest, DetRangSpurLogTheGridAsTypedAndTheirNumber) {
  const std::string block = "\\frac {1} {2} \\cdot  \\left( \\begin {array} {c}5\\\\\r" + kEnde;
  setGrid({{5}}, "1", "2");
  for (const char* b : {"ProtokollB", "BevelButton16", "BevelButton32", "BevelButton33", "ProtokollB",
                        "BevelButton16", "BevelButton32", "BevelButton33"})
    press(b);  // the second round with logging off
  EXPECT_EQ(w->Protokoll, "$\\det \\left( \\begin {array} {c}5\\\\\r" + kEnde + " = 5" + kUmbruch + "\\mathrm{rg} " +
                              block + " = 1" + kUmbruch + "\\mathrm{spur} " + block + " = 5" + kUmbruch);
  w->Protokoll = "$", setGrid({{5}}, "3", "2"), press("ProtokollB"), press("BevelButton16");
  EXPECT_EQ(w->Protokoll, "$\\det \\left( \\begin {array} {c}5\\\\\r" + kEnde + " = 5" + kUmbruch) << "factor 3/2";
}

TEST_F(KnopfTest, LinAbbMapsTheColumnsOfAToThoseOfB) {
  const std::string basis = "Die Spalten der Matrix A bilden keine Basis von R^";
  const Rows e2 = square(2, 1, 0);
  // The grid shown afterwards ("": the grid (9 9 9) stays); aSpalten: A taken from the grid narrowed to it.
  const struct { const char *what, *aNum, *aDen, *bDen; Rows a, b; const char* out; Boxes boxes;
    const char* aSpalten = nullptr; const char* bNum = "1"; } faelle[] = {
      {"A 1 x 1 zero, as after start", "1", "1", "1", {{0}}, {{0}}, "", {{basis + "1", kCaution}}},
      {"A 2 x 3", "1", "1", "1", {{1, 0, 0}, {0, 1, 0}}, {{1, 0, 0}}, "", {{basis + "3", kCaution}}},
      {"A 3 x 2", "1", "1", "1", {{1, 0}, {0, 1}, {0, 0}}, e2, "", {{basis + "2", kCaution}}},
      {"A^-1 beyond 64 bits", "4611686018427387904", "1", "1", {{3}}, {{1}}, "", kUeberlaufBox},
      {"A singular, hidden column", "1", "1", "1", {{1, 2, 0}, {2, 4, 1}}, e2, "", {{basis + "2", kCaution}}, "2"},
      {"A with factor 0", "0", "1", "1", e2, e2, "", {{basis + "2", kCaution}}},
      {"inverse of A", "1", "1", "1", {{1, 1}, {0, 1}}, e2, "1/1: 1 -1 | 0 1", {}},
      {"A the identity", "1", "1", "1", square(3, 1, 0), {{1, 2, 3}, {4, 5, 6}}, "1/1: 1 2 3 | 4 5 6", {}},
      {"B of 3 columns", "1", "1", "1", e2, {{1, 2, 3}}, "",
       {{"Die Spaltenanzahlen der Matrizen A und B muessen gleich sein!", kCaution}}},
      {"A over 0", "1", "0", "1", e2, e2, "", kUeberlaufBox}, {"B over 0", "1", "1", "0", e2, e2, "", kUeberlaufBox},
      {"B with factor 0 near 2^63: the zero map", "1", "1", "1", {{1, 1}, {0, 1}}, {{INT64_MAX, INT64_MIN}}, "1/1: 0 0",
       {}, nullptr, "0"},
      // A^-1 = diag(2^-62, 1/3) has the denominator 3 * 2^62; the results fit.
      {"B = A near 2^62", "1", "1", "1", {{K, 0}, {0, 3}}, {{K, 0}, {0, 3}}, "1/1: 1 0 | 0 1", {}},
      {"B of one row, A near 2^62", "1", "1", "1", {{K, 0}, {0, 3}}, {{K, 0}}, "1/1: 1 0", {}},
      {"B zero, A near 2^62", "1", "1", "1", {{K, 0}, {0, 3}}, {{0, 0}, {0, 0}}, "1/1: 0 0 | 0 0", {}},
      {"B A^-1 = (1 1/3; 0 1)", "1", "1", "1", {{K, 0}, {0, 3}}, {{K, 1}, {0, 3}}, "1/3: 3 1 | 0 3", {}},
      {"B A^-1 = (1 1/3; 0 1) over -2", "-2", "1", "1", {{K, 0}, {0, 3}}, {{K, 1}, {0, 3}}, "1/-6: 3 1 | 0 3",
       {}},
      {"factors", "1", "2", "1", {{1, 1}, {0, 1}}, square(2, 3, 0), "6/1: 1 -1 | 0 1", {}}};
  for (const auto& f : faelle) {
    w->Neustart(), button("ProtokollB").click();
    setGrid(f.a, f.aNum, f.aDen);
    if (f.aSpalten) type("SZahlF", f.aSpalten);
    press("InAB");
    setGrid(f.b, f.bNum, f.bDen), press("InBB");
    setGrid({{9, 9, 9}});
    EXPECT_EQ(press("BevelButton35", oks(f.boxes)), f.boxes) << f.what;
    EXPECT_EQ(shownGrid(), *f.out ? f.out : "1/1: 9 9 9") << f.what;
    EXPECT_TRUE(*f.out || w->Protokoll == "$") << f.what << ": a refusal logs nothing";
  }
  // The last: the stores logged as held, the result as the product left it.
  EXPECT_EQ(w->Protokoll, "$\\mathrm{Urbilder}:\\frac {1} {2} \\cdot  " + kCC + "1&1\\\\\r0&1\\\\\r" + kEnde +
      "\\mathrm{;\\ Bilder}:" + kCC + "3&0\\\\\r0&3\\\\\r" + kEnde +
      "\\mathrm{;\\ Abb.Matrix:\\ }6 \\cdot  " + kCC + "1&-1\\\\\r0&1\\\\\r" + kEnde + kUmbruch);
}
