// The protocol's LaTeX blocks, byte for byte.

#include <gtest/gtest.h>

#include <limits>

#include "app/fenster_fixture.h"

namespace {

ar::Matrix matrix(int64_t rows, int64_t cols, int64_t num, int64_t den, std::initializer_list<int64_t> entries) {
  ar::Matrix M{};
  M[0] = {rows, cols, num, den};
  auto it = entries.begin();
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= cols && it != entries.end(); ++c) M[r][c] = *it++;
  return M;
}

const ar::Matrix k1234 = matrix(2, 2, 1, 1, {1, 2, 3, 4});

ar::Matrix withFactor(ar::Matrix M, int64_t num, int64_t den) {
  M[0][2] = num;
  M[0][3] = den;
  return M;
}

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

}  // namespace

TEST_F(FensterTest, InsProtokollWritesHeadingFactorAndArray) {
  const std::string body1234 = "\\left( \\begin {array} {cc}1&2\\\\\r3&4\\\\\r\\end{array} \\right) \r";
  const struct {
    const char* what;
    ar::Matrix m;
    std::string heading;
    std::string expected;
  } cases[] = {
      {"factor 1/2", withFactor(k1234, 1, 2), "A = ", "A = \\frac {1} {2} \\cdot  " + body1234},
      {"integer factor", withFactor(k1234, 3, 1), "A = ", "A = 3 \\cdot  " + body1234},
      {"factor 1/1", k1234, "A = ", "A = " + body1234},
      {"numerator 0", withFactor(k1234, 0, 5), "", body1234},
      {"denominator 0", withFactor(k1234, 5, 0), "", body1234},
      {"factor 0/0", withFactor(k1234, 0, 0), "", body1234},
      {"one entry", matrix(1, 1, 1, 1, {7}), "", "\\left( \\begin {array} {c}7\\\\\r\\end{array} \\right) \r"},
      {"negative entries", matrix(1, 2, 1, 1, {-5, 0}), "\\det ",
       "\\det \\left( \\begin {array} {cc}-5&0\\\\\r\\end{array} \\right) \r"},
      // Negative factors keep their own numbers; the sign stands in the numerator.
      {"negative numerator", withFactor(k1234, -2, 4), "", "\\frac {-2} {4} \\cdot  " + body1234},
      {"negative denominator", withFactor(k1234, 3, -4), "", "\\frac {-3} {4} \\cdot  " + body1234},
      {"both negative", withFactor(k1234, -3, -4), "", "\\frac {3} {4} \\cdot  " + body1234},
      {"minus one", withFactor(k1234, -1, 1), "", "-1 \\cdot  " + body1234},
      {"denominator -1", withFactor(k1234, 2, -1), "", "-2 \\cdot  " + body1234},
      {"-1/-1 is one", withFactor(k1234, -1, -1), "", body1234},
      // A product of numerator and denominator beyond 64 bits must not matter.
      {"large factor", withFactor(k1234, 4294967296, 4294967297), "",
       "\\frac {4294967296} {4294967297} \\cdot  " + body1234},
      {"smallest numerator", withFactor(k1234, kMin, 3), "",
       "\\frac {-9223372036854775808} {3} \\cdot  " + body1234},
      {"smallest denominator", withFactor(k1234, 5, kMin), "",
       "\\frac {-5} {9223372036854775808} \\cdot  " + body1234},
  };
  for (const auto& c : cases) {
    w->Protokoll = "$";
    w->InsProtokoll(c.m, c.heading);
    EXPECT_EQ(w->Protokoll, "$" + c.expected) << c.what;
  }
}

TEST_F(FensterTest, InsProtokoll2WritesTheAugmentedSystem) {
  const std::string body = "\\left( \\begin {array} {cccc}1&2&| &5\\\\\r3&4&| &6\\\\\r\\end{array} \\right) ";
  const ar::Matrix sys = matrix(2, 3, 1, 1, {1, 2, 5, 3, 4, 6});
  const struct {
    const char* what;
    ar::Matrix m;
    std::string trailer;
    std::string expected;
  } cases[] = {
      {"factor 1/1", sys, "\\rightarrow", body + "\\rightarrow\r"},
      {"no integer form", withFactor(sys, 2, 1), ".", "\\frac {2} {1} \\cdot  " + body + ".\r"},
      {"factor 3/4", withFactor(sys, 3, 4), "", "\\frac {3} {4} \\cdot  " + body + "\r"},
      {"numerator 0", withFactor(sys, 0, 4), ".", body + ".\r"},
      {"negative numerator", withFactor(sys, -2, 4), ".", "\\frac {-2} {4} \\cdot  " + body + ".\r"},
      {"negative denominator", withFactor(sys, 1, -1), ".", "\\frac {-1} {1} \\cdot  " + body + ".\r"},
      {"one entry", matrix(1, 1, 1, 1, {7}), ".", "\\left( \\begin {array} {cc}| &7\\\\\r\\end{array} \\right) .\r"},
  };
  for (const auto& c : cases) {
    w->Protokoll = "$";
    w->InsProtokoll2(c.m, c.trailer);
    EXPECT_EQ(w->Protokoll, "$" + c.expected) << c.what;
  }
}

TEST_F(FensterTest, EntriesFollowOneAnother) {
  EXPECT_EQ(w->Protokoll, "$");
  w->InsProtokoll(matrix(1, 1, 1, 1, {-2}), "\\det ");
  w->Protokoll += " = -2";
  w->PZeilenumbruch();
  w->PZeilenumbruch();
  EXPECT_EQ(w->Protokoll,
            "$\\det \\left( \\begin {array} {c}-2\\\\\r\\end{array} \\right) \r = -2\\\\\r\\\\\r");
}
