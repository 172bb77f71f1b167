// The term language as a table: term -> exact value, or term -> the boxes
// shown. Every expected value is worked out by hand from the stores below.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "terms/termauswerter.h"

namespace {

using ar::Matrix;
using Rows = std::vector<std::vector<int64_t>>;
using Boxes = std::vector<std::pair<std::string, int>>;

// The evaluator only flags an overflow; the window shows its one message.
const Boxes::value_type kFehlerhaft{"Formel fehlerhaft ?", 0}, kTerm{"Der Term scheint fehlerhaft zu sein.", 0},
    kFormat{"Die Matrixformate passen nicht zusammen", 0}, kFormate{"Matrizen haben verschiedene Formate", 0},
    kSingulaer{"Die Matrix ist nicht regulaer", 49}, kUeberlauf{"(overflow)", -1};
Boxes redux(const std::string& slotterm) {
  return {{"In der Prozedur Redux: " + slotterm + " ist ein Fehler aufgetreten", 0}, kFehlerhaft};
}

Matrix matrix(int64_t z, int64_t n, const Rows& rows) {
  Matrix M{};
  M[0] = {static_cast<int64_t>(rows.size()), static_cast<int64_t>(rows[0].size()), z, n};
  for (size_t i = 0; i < rows.size(); ++i)
    for (size_t j = 0; j < rows[i].size(); ++j) M[i + 1][j + 1] = rows[i][j];
  return M;
}

class TermTest : public ::testing::Test {
 protected:
  // A; B, B^-1 = (1,-1;-1,2); C, C^n = (1,n;0,1); D, 2 x 3; F, no denominator; G = 2^32; H, singular.
  std::array<Matrix, 7> speicher{matrix(1, 1, {{1, 2}, {3, 4}}), matrix(1, 1, {{2, 1}, {1, 1}}),
                                 matrix(1, 1, {{1, 1}, {0, 1}}), matrix(1, 2, {{1, 0, 2}, {0, 1, 3}}),
                                 matrix(1, 0, {{1}}), matrix(1, 1, {{4294967296}}), matrix(1, 1, {{1, 2}, {2, 4}})};
  Matrix X = matrix(-1, 1, {{0, 1}, {1, 0}});
  const terms::Vorzeichenpaare V{
      {{"6", ""}, {"+-", "-"}, {"**", "*"}, {"*+", "*"}, {"-+", "-"}, {"++", "+"}, {"--", "+"}}};
  ar::RecordingContext ctx;
  terms::Termauswerter auswerter{ctx, speicher, X, V};

  Matrix m{};
  std::string formel;
  // Evaluates a term into m; a result (never over 0) comes exactly when nothing was said.
  Boxes run(const std::string& term) {
    ctx.messages.clear(), m = {}, formel = term;
    const bool ok = auswerter.Kalkuel(formel, m);
    Boxes boxes = ctx.messages;
    if (ctx.overflow) boxes.push_back(kUeberlauf);
    EXPECT_TRUE(ok == boxes.empty() && ok == !ctx.Formelfehler && (!ok || m[0][3] != 0)) << term;
    return boxes;
  }
};

// Pasted terms of a megabyte: a million signs, half a million brackets.
const std::string kPlusLang = "A" + std::string(1000000, '+') + "A";
const std::string kKlammernLang = std::string(500000, '(') + "A" + std::string(500000, ')');

TEST_F(TermTest, ValuesOfTerms) {
  const Rows a = {{1, 2}, {3, 4}}, minusA = {{-1, -2}, {-3, -4}}, x = {{0, -1}, {-1, 0}};
  const struct { std::vector<const char*> terms; int64_t z, n; Rows rows; } faelle[] = {
      // 2^62/3 * 3/2^62: the unreduced numerator 3 * 2^62 leaves 64 bits.
      {{"A", "(A)", "1/2*A+1/2*A", "(1/2+1/2)*A", "4611686018427387904/3*3/4611686018427387904*A",
        kKlammernLang.c_str(), "A^(1/2+1/2)", "A^-(-1)"}, 1, 1, a},  // A^-(-1) = A^1
      {{kPlusLang.c_str()}, 2, 1, a}, {{"X", "X^4294967297"}, 1, 1, x},  // X: the sign moves into the entries
      // 3/5+3/7 = 36/35; over 105: 2/3*A = (70,140;210,280), 36/35*B^-1 =
      // (108,-108;-108,216), 2*C^3 = (210,630;0,210); sum (388,662;102,706).
      {{"2/3*A+(3/5+3/7)*B^-1+2*C^3"}, 2, 105, {{194, 331}, {51, 353}}},
      {{"A+B", "A + B", "A+--B", "A-+-B"}, 1, 1, {{3, 3}, {4, 5}}},
      {{"A-B-C"}, 2, 1, {{-1, 0}, {1, 1}}},  // (-2,0;2,2)
      {{"-A"}, 1, 1, minusA}, {{"2*-A", "A*(-2)"}, 2, 1, minusA},
      {{"A*B*C"}, 1, 1, {{4, 7}, {10, 17}}}, {{"B*A"}, 1, 1, {{5, 8}, {4, 6}}},  // AB = (4,3;10,7)
      {{"A*D"}, 1, 2, {{1, 2, 8}, {3, 4, 18}}}, {{"A^-1"}, 1, 2, {{-4, 2}, {3, -1}}},
      {{"A^-2", "A^(-2)", "A^2^-1"}, 1, 4, {{22, -10}, {-15, 7}}},  // A^2 = (7,10;15,22), det 4
      {{"A^(3/2+1/2)", "A^-(1-3)"}, 1, 1, {{7, 10}, {15, 22}}},
      // (A^2)^3 = A^6, not A^8: A^3 = (37,54;81,118), squared.
      {{"A^2^3"}, 1, 1, {{5743, 8370}, {12555, 18298}}},
      {{"X^0", "A^-0"}, 1, 1, {{1, 0}, {0, 1}}}, {{"C^4294967298"}, 1, 1, {{1, 4294967298}, {0, 1}}},
      {{"9223372036854775807*A"}, 9223372036854775807, 1, a},
      {{"C ^ 4294967298"}, 1, 1, {{1, 4294967298}, {0, 1}}},  // a blank beside a number, none inside it
      {{"A+A+A+A+A+A+A+A", "(1+1+1+1+1+1+1+1)*A"}, 8, 1, a},  // eight slots of a kind
      // Products of numbers whose unreduced numerator and denominator leave 64 bits, their gcd found in 128.
      {{"33899982933222623/447369*154671/101699948799667869*A"}, 51557, 447369, a},
      {{"8681198717/13751392275*337420702200444895/773343275361094765*A"}, 3787730831, 13751392275, a}};
  for (const auto& f : faelle)
    for (const char* term : f.terms)  // m is read after run: pair takes both by reference
      EXPECT_EQ(std::pair(run(term), m), std::pair(Boxes{}, matrix(f.z, f.n, f.rows))) << term;
}

// A result of value zero is the zero matrix with factor 1/1, and a zero on
// the way never overflows, however large the factors it meets.
TEST_F(TermTest, ValueZeroIsTheZeroMatrixAndNeverOverflows) {
  speicher[0] = matrix(1, 4294967296, {{1, 2}, {3, 4}});  // A over 2^32
  speicher[2] = matrix(0, 1, {{1, 2}, {3, 4}});           // C, numerator 0
  speicher[3] = matrix(2, 1, {{0}});                      // D = 2 (0)
  speicher[5] = matrix(1, 3037000500, {{0}});             // G = (0) over 3037000500
  speicher[6] = matrix(1, 1, {{4294967296, 1}, {1, 1}});  // H, H*H beyond 64 bits
  X = matrix(1, 3, {{1, 2}, {3, 4}});
  const std::pair<std::vector<const char*>, Rows> faelle[] = {
      {{"0*A", "A*0", "(1-1)*A", "0*A^-1", "(0*A)^2", "A-A", "(A-A)*A", "(A-A)^2", "(X-X)^40", "0*H*H", "(0*H)^2",
        "C", "2*C*H"}, {{0, 0}, {0, 0}}},
      {{"G*G", "G^2", "D^64", "3/7*D"}, {{0}}}};
  for (const auto& [terms, rows] : faelle)
    for (const char* term : terms) EXPECT_EQ(std::pair(run(term), m), std::pair(Boxes{}, matrix(1, 1, rows))) << term;
}

// Over the common denominator 8 (2^59 - 1), B's numerator is 65 (2^59 - 1), past 64 bits, and its products with
// B's entries pass 128: the sum is exact all the same (the value from python3's fractions).
TEST_F(TermTest, ASumPast128BitsOnTheWay) {
  speicher[0] = matrix(1, 1, {{-7, 6}}), speicher[1] = matrix(1, 1, {{1, 5352849842817503806}});
  EXPECT_EQ(std::pair(run("1/4611686018427387896*A+65/8*B"), m),
            std::pair(Boxes{}, matrix(4683743612465315831, 576460752303423487, {{1, 5352849842817503807}})));
}

TEST_F(TermTest, RefusedTermsSayWhy) {
  const struct { std::vector<const char*> terms; Boxes boxes; } faelle[] = {
      {{"", "   ", "2/3", "A+2", "2+A", "AB", "A)", "A2", "A(B+2)", "A()", "(A", "((A)", "(A)+((B)",
        kKlammernLang.c_str() + 1}, {kFehlerhaft}},
      {{"A+*B", "A+ *B", "A-^2", "A^^2", "A+A+A+A+A+A+A+A+A", "(1+1+1+1+1+1+1+1+1)*A"}, {kFehlerhaft}},
      {{"A/2", "(1+2)/3*A", "2.5*A", "E+A", "Ab", "1 000*A", "A^T", "3/4/5*A", "3/*A", "3/0*A", "3/*A+"}, {kTerm}},
      {{"2^3"}, redux("b1^b2")}, {{"A^"}, redux("M1^")}, {{"^2"}, redux("^b1")}, {{"A^B"}, redux("M1^M2")},
      {{"A^-B"}, redux("M1^-M2")}, {{"A-"}, redux("M1-")}, {{"+A"}, redux("+M1")},
      // A fraction typed as exponent, whatever its value.
      {{"A^3/2", "A^4/2", "A^2/1", "A^(4/2)", "A^(-4/2)"}, redux("M1^b1")}, {{"A^-4/2"}, redux("M1^-b1")},
      {{"A)+B"}, redux("M1)+M2")}, {{"D*A", "D^2", "D^0"}, {kFormat}}, {{"A+D"}, {kFormate}},
      {{"D*A+A"}, {kFormat, kFormate}},  // every step still runs
      {{"(AB)*C"}, {kFehlerhaft}},  // a bracket that leaves two operands is not its first one
      // H^29 = 5^28 H does not fit, but after the refusal nothing more is reported.
      {{"H^-1", "H^-0", "(0*A)^-1", "H^-29"}, {kSingulaer}}, {{"(A-D)^-1"}, {kFormate}}, {{"(D*A)^-1"}, {kFormat}},
      {{"D^-0", "D^-1"}, {kSingulaer, kFormat}},  // the inverse first, then the power of D
      {{"(D^2)+(H^-1)"}, {kSingulaer, kFormat}},  // the last bracket first
      {{"99999999999999999999*A", "9223372036854775808*A", "4611686018427387904*2*A"}, {kUeberlauf}},
      {{"4611686018427387904*4*A", "1/4294967297*1/4294967295*A", "4294967296/3*4294967296*A"},
       {kUeberlauf}},  // 2^64, 1/(2^64 - 1), 2^64/3
      // The term is read from the left and its first fault ends the reading.
      {{"99999999999999999999*A/2", "9223372036854775808/3*A+1/0*A"}, {kUeberlauf}},
      // G^2+H^-1 stops before the singular H.
      {{"(9223372036854775807+1)*A", "G*G", "G^2+H^-1", "A^4294967298", "F", "A+F"}, {kUeberlauf}}};
  for (const auto& f : faelle) for (const char* term : f.terms) EXPECT_EQ(run(term), f.boxes) << term;
}

TEST_F(TermTest, FormulaFieldShowsTheCleanedTermUnlessRefusedBeforeCleaning) {
  for (const auto& [term, gezeigt] : {std::pair{"A + B", "A+B"}, {"   ", ""}, {"A+ *B", "A+*B"}, {"2.5*A", "2.5*A"}})
    EXPECT_EQ((run(term), formel), gezeigt) << term;
}

TEST_F(TermTest, SignPairsCollapseAsByRepeatedSweeps) {
  // Expected texts from sweeping the rules over the text until none applies.
  const std::pair<std::string, std::string> faelle[] = {
      {"M1+--M2", "M1+M2"}, {"M1-+-M2", "M1+M2"}, {"+-+-", "+"}, {"^-*-*+*M1", "^-*-*M1"},
      {"+++--+-*+*++*+--+-+++**-++++++", "-*-*-"}, {std::string(1000001, '+'), "+"}, {std::string(1000000, '-'), "+"},
      {"M1" + std::string(1000001, '-') + "*" + std::string(999999, '+') + "M2", "M1-*M2"}};
  for (const auto& [term, erwartet] : faelle) {
    std::string s = term;
    auswerter.Doppelkillen(s);
    EXPECT_EQ(s, erwartet) << term.substr(0, 40);
  }
}

// Random texts over the term alphabet and a few bytes outside it: each gives
// a result or a refusal that says why (checked in run), never a crash or a
// read outside the slots (the sanitizer build runs this too).
// The last "(" and the first ")" after it, 0 when there is none.
TEST(HoleKlammern, InnermostPair) {
  for (const auto& [s, i, j] : {std::tuple{"(M1+(M2-b1))*M3", 5, 11}, {"((M1)", 2, 5}, {"(M1", 1, 0}}) {
    int32_t gi = 0, gj = -1;
    terms::Termauswerter::HoleKlammern(s, gi, gj);
    EXPECT_EQ(std::pair(gi, gj), std::pair(i, j)) << s;
  }
}

// Without a "(", i keeps what it held and the scan for ")" runs down to the first position.
TEST(HoleKlammern, ClosingBracketFirstWithoutOpening) {
  int32_t i = 0, j = -1;
  terms::Termauswerter::HoleKlammern(")M1", i, j);
  EXPECT_EQ(std::pair(i, j), std::pair(0, 1));
}

// A number that ends its text ends there, even where the text was cut from a longer one.
TEST(Zahllaenge, EndsWithTheText) {
  EXPECT_EQ(terms::Termauswerter::Zahllaenge(std::string_view("3/45").substr(0, 3)), 3);
}

// Positions count from 1; one outside the text, or nothing to cut, leaves it as it is.
TEST(Ausschneiden, CutsInsideTheTextOnly) {
  const struct { int32_t p, n; const char* danach; } faelle[] = {
      {1, 1, "bcd"}, {2, 2, "ad"}, {4, 1, "abc"}, {3, 9, "ab"}, {0, 1, "abcd"}, {-1, 2, "abcd"}, {5, 1, "abcd"},
      {2, 0, "abcd"}, {2, -1, "abcd"}};
  for (const auto& f : faelle) {
    std::string s = "abcd";
    terms::Termauswerter::Ausschneiden(s, f.p, f.n);
    EXPECT_EQ(s, f.danach) << f.p << " " << f.n;
  }
}

TEST_F(TermTest, RandomTextsGiveAResultOrARefusal) {
  const std::string alphabet = "+-*/^0123456789ABCDFGHX()", fremd = std::string(" E.bM\xff\0", 7);
  std::mt19937 rng(20240611);
  int ergebnisse = 0;
  for (int n = 0; n < 20000; ++n) {
    std::string term(rng() % 14, ' ');
    for (char& c : term) c = rng() % 16 ? alphabet[rng() % alphabet.size()] : fremd[rng() % fremd.size()];
    ergebnisse += run(term).empty();
  }
  EXPECT_GT(ergebnisse, 100) << "some random terms have a value";
}

}  // namespace
