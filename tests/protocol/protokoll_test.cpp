// The protocol's LaTeX blocks, byte for byte.

#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

// InsProtokoll writes heading, factor and array; InsProtokoll2 the augmented
// system (the last column behind a bar) and its trailer. The factor is written
// from its own numerator and denominator, the sign in the numerator; a product
// of the two beyond 64 bits must not matter.
TEST_F(FensterTest, InsProtokollAndInsProtokoll2WriteTheirBlocks) {
  const std::string a = "\\left( \\begin {array} {cc}1&2\\\\\r3&4\\\\\r\\end{array} \\right) \r";
  const std::string sys = "\\left( \\begin {array} {cccc}1&2&| &5\\\\\r3&4&| &6\\\\\r\\end{array} \\right) ";
  auto m = [](int64_t num, int64_t den) { return matrix(2, 2, num, den, {1, 2, 3, 4}); };
  auto s = [](int64_t num, int64_t den) { return matrix(2, 3, num, den, {1, 2, 5, 3, 4, 6}); };
  const struct { const char* what; bool augmented; ar::Matrix m; std::string text, expected; } cases[] = {
      {"factor 1/2", false, m(1, 2), "A = ", "A = \\frac {1} {2} \\cdot  " + a},
      {"integer factor", false, m(3, 1), "A = ", "A = 3 \\cdot  " + a},
      {"factor 1/1", false, m(1, 1), "A = ", "A = " + a},
      {"numerator 0 is written", false, m(0, 5), "", "\\frac {0} {5} \\cdot  " + a},
      {"numerator 0, denominator -1", false, m(0, -1), "", "0 \\cdot  " + a},
      {"denominator 0", false, m(5, 0), "", a},
      {"one entry", false, matrix(1, 1, 1, 1, {7}), "", "\\left( \\begin {array} {c}7\\\\\r\\end{array} \\right) \r"},
      {"negative entries", false, matrix(1, 2, 1, 1, {-5, 0}), "\\det ",
       "\\det \\left( \\begin {array} {cc}-5&0\\\\\r\\end{array} \\right) \r"},
      {"negative numerator", false, m(-2, 4), "", "\\frac {-2} {4} \\cdot  " + a},
      {"negative denominator", false, m(3, -4), "", "\\frac {-3} {4} \\cdot  " + a},
      {"both negative", false, m(-3, -4), "", "\\frac {3} {4} \\cdot  " + a},
      {"minus one", false, m(-1, 1), "", "-1 \\cdot  " + a},
      {"denominator -1", false, m(2, -1), "", "-2 \\cdot  " + a},
      {"-1/-1 is one", false, m(-1, -1), "", a},
      {"large factor", false, m(4294967296, 4294967297), "", "\\frac {4294967296} {4294967297} \\cdot  " + a},
      {"smallest numerator", false, m(INT64_MIN, 3), "", "\\frac {-9223372036854775808} {3} \\cdot  " + a},
      {"smallest denominator", false, m(5, INT64_MIN), "", "\\frac {-5} {9223372036854775808} \\cdot  " + a},
      {"system, factor 1/1", true, s(1, 1), "\\rightarrow", sys + "\\rightarrow\r"},
      {"system, no integer form", true, s(2, 1), ".", "\\frac {2} {1} \\cdot  " + sys + ".\r"},
      {"system, numerator 0", true, s(0, 1), ".", "\\frac {0} {1} \\cdot  " + sys + ".\r"},
      {"system, negative denominator", true, s(1, -1), "", "\\frac {-1} {1} \\cdot  " + sys + "\r"},
      {"system, one entry", true, matrix(1, 1, 1, 1, {7}), ".",
       "\\left( \\begin {array} {cc}| &7\\\\\r\\end{array} \\right) .\r"},
  };
  for (const auto& c : cases) {
    w->Protokoll = "$";
    c.augmented ? w->InsProtokoll2(c.m, c.text) : w->InsProtokoll(c.m, c.text);
    EXPECT_EQ(w->Protokoll, "$" + c.expected) << c.what;
  }
}
