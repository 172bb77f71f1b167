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
  // The factor of (1 2; 3 4), or of the system (1 2 | 5; 3 4 | 6), the text, and the factor as written: a
  // numerator 0 is written, a denominator 0 is not, a factor 1 is left out, any other integer has no fraction.
  const struct { bool system; int64_t num, den; const char *text, *tex; } faelle[] = {
      {false, 1, 2, "A = ", "\\frac {1} {2} \\cdot  "}, {false, 3, 1, "A = ", "3 \\cdot  "}, {false, 1, 1, "A = ", ""},
      {false, 0, 5, "", "\\frac {0} {5} \\cdot  "}, {false, 0, -1, "", "0 \\cdot  "}, {false, 5, 0, "", ""},
      {false, -2, 4, "", "\\frac {-2} {4} \\cdot  "}, {false, 3, -4, "", "\\frac {-3} {4} \\cdot  "},
      {false, -3, -4, "", "\\frac {3} {4} \\cdot  "}, {false, -1, 1, "", "-1 \\cdot  "},
      {false, 2, -1, "", "-2 \\cdot  "}, {false, -1, -1, "", ""},
      {false, 4294967296, 4294967297, "", "\\frac {4294967296} {4294967297} \\cdot  "},
      {false, INT64_MIN, 3, "", "\\frac {-9223372036854775808} {3} \\cdot  "},
      {false, 5, INT64_MIN, "", "\\frac {-5} {9223372036854775808} \\cdot  "}, {true, 1, 1, "\\rightarrow", ""},
      {true, 2, 1, ".", "\\frac {2} {1} \\cdot  "}, {true, 0, 1, ".", "\\frac {0} {1} \\cdot  "},
      {true, 1, -1, "", "\\frac {-1} {1} \\cdot  "}};
  for (const auto& f : faelle) {
    w->Protokoll = "$";
    if (f.system) w->InsProtokoll2(matrix(2, 3, f.num, f.den, {1, 2, 5, 3, 4, 6}), f.text);
    if (!f.system) w->InsProtokoll(matrix(2, 2, f.num, f.den, {1, 2, 3, 4}), f.text);
    EXPECT_EQ(w->Protokoll, "$" + (f.system ? f.tex + sys + f.text + "\r" : f.text + (f.tex + a)))
        << (f.system ? "system, factor " : "factor ") << f.num << "/" << f.den;
  }
  // One entry, negative entries, and one entry behind the bar.
  w->Protokoll = "$";
  w->InsProtokoll(matrix(1, 1, 1, 1, {7}), "");
  w->InsProtokoll(matrix(1, 2, 1, 1, {-5, 0}), "\\det ");
  w->InsProtokoll2(matrix(1, 1, 1, 1, {7}), ".");
  EXPECT_EQ(w->Protokoll, "$\\left( \\begin {array} {c}7\\\\\r\\end{array} \\right) \r"
                          "\\det \\left( \\begin {array} {cc}-5&0\\\\\r\\end{array} \\right) \r"
                          "\\left( \\begin {array} {cc}| &7\\\\\r\\end{array} \\right) .\r");
  // A row of no columns has no entries: column 0 carries nothing and is never written.
  w->Protokoll = "$";
  ar::Matrix leer = matrix(1, 0, 1, 1);
  leer[1][0] = 9;
  w->InsProtokoll(leer, ""), w->InsProtokoll2(leer, ".");
  EXPECT_EQ(w->Protokoll, "$\\left( \\begin {array} {}\\\\\r\\end{array} \\right) \r"
                          "\\left( \\begin {array} {c}\\\\\r\\end{array} \\right) .\r");
}
