#include "framework/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();

struct IntCase {
  const char* text;
  int64_t expected;
};

// The one text-to-integer rule: a leading decimal number, exact over the whole
// 64-bit range, fraction and exponent truncated toward zero, saturated at the ends.
TEST(ToInt64, LeadingDecimalNumber) {
  const IntCase cases[] = {
      // plain integers and what may follow them
      {"0", 0},
      {"42", 42},
      {"-42", -42},
      {"+5", 5},  // a plus sign is accepted, as a calculator user would type it
      {"-0", 0},
      {"007", 7},
      {"3abc", 3},
      {"1/2", 1},
      {"1,5", 1},  // no decimal comma
      {"12 34", 12},
      {"5=", 5},
      {"Det() = 5", 0},
      // blanks
      {" 5", 5},
      {"\t-7", -7},
      {"- 5", 0},  // the sign belongs to the digits
      {"--5", 0},
      {"+-5", 0},
      // no number at all
      {"", 0},
      {"-", 0},
      {"+", 0},
      {".", 0},
      {"-.", 0},
      {"abc", 0},
      {"inf", 0},
      {"-inf", 0},
      {"nan", 0},
      {"0x10", 0},
      {"e5", 0},
      // fractions truncate toward zero
      {"2.7", 2},
      {"-2.7", -2},
      {"2.999999999999999999999", 2},
      {".5", 0},
      {"-.5", 0},
      {"-0.9", 0},
      {"5.", 5},
      {"-12.", -12},
      // exponents
      {"1e3", 1000},
      {"1E3", 1000},
      {"1e+3", 1000},
      {"1e-5", 0},
      {"12e-1", 1},
      {"-12e-1", -1},
      {"1.9e1", 19},
      {"0.00123e4", 12},
      {"123456e-3", 123},
      {"5e", 5},  // an exponent without digits is not part of the number
      {"5e+", 5},
      {"5ex", 5},
      {"0e999999", 0},
      {"1e0003", 1000},
      {"1e18", 1000000000000000000},
      {"9.223372036854775807e18", kMax64},
      // exact beyond 2^53
      {"9007199254740993", 9007199254740993},
      {"-9007199254740993", -9007199254740993},
      {"9223372036854775807", kMax64},
      {"-9223372036854775807", -kMax64},
      {"-9223372036854775808", kMin64},
      {"00000000000000000000000000009223372036854775807", kMax64},
      {"9223372036854775806.99", 9223372036854775806},
      // saturation
      {"9223372036854775808", kMax64},
      {"-9223372036854775809", kMin64},
      {"99999999999999999999", kMax64},
      {"1e19", kMax64},
      {"1e400", kMax64},
      {"-1e400", kMin64},
      {"1e99999999999999999999999", kMax64},
      {"1e-99999999999999999999999", 0},
  };
  for (const IntCase& c : cases) {
    EXPECT_EQ(fw::toInt64(c.text), c.expected) << "text \"" << c.text << "\"";
  }
}

TEST(ToInt64, StopsAtTheEndOfTheView) {
  const std::string s = "123456";
  EXPECT_EQ(fw::toInt64(std::string_view(s).substr(0, 3)), 123);
  EXPECT_EQ(fw::toInt64(std::string_view("12e", 3)), 12);
  EXPECT_EQ(fw::toInt64(std::string("7\0" "9", 3)), 7);
}

TEST(ToInt32, ClampsTheSameScan) {
  const struct {
    const char* text;
    int32_t expected;
  } cases[] = {
      {"12", 12},
      {"2.5", 2},
      {"-3.9", -3},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-2147483649", -2147483647 - 1},
      {"1e400", 2147483647},
      {"-9223372036854775808", -2147483647 - 1},
      {"x", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(fw::toInt32(c.text), c.expected) << c.text;
  EXPECT_EQ(fw::clampInt32(kMax64), 2147483647);
  EXPECT_EQ(fw::clampInt32(kMin64), -2147483647 - 1);
  EXPECT_EQ(fw::clampInt32(-5), -5);
}

TEST(Val, DoubleOfTheLeadingNumber) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"", 0.0},
      {"abc", 0.0},
      {"3abc", 3.0},
      {"2.5", 2.5},
      {"-2.5", -2.5},
      {"+0.25", 0.25},
      {".5", 0.5},
      {"1e3", 1000.0},
      {"1.5e-1", 0.15},
      {" 7", 7.0},
      {"1,5", 1.0},
      {"1/2", 1.0},
      {"0x10", 0.0},
      {"inf", 0.0},
      {"nan", 0.0},
      {"9007199254740992", 9007199254740992.0},
      {"1e-400", 0.0},
  };
  for (const auto& c : cases) EXPECT_EQ(fw::Val(c.text), c.expected) << c.text;
  EXPECT_FALSE(std::signbit(fw::Val("-0")));
  EXPECT_EQ(fw::Val("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(fw::Val("-1e400"), -std::numeric_limits<double>::infinity());
}

TEST(Str, Integers) {
  EXPECT_EQ(fw::Str(int32_t{0}), "0");
  EXPECT_EQ(fw::Str(int32_t{-17}), "-17");
  EXPECT_EQ(fw::Str(int32_t{2147483647}), "2147483647");
  EXPECT_EQ(fw::Str(kMin64), "-9223372036854775808");
  EXPECT_EQ(fw::Str(kMax64), "9223372036854775807");
  EXPECT_EQ(fw::Str(int64_t{9007199254740993}), "9007199254740993");
}

TEST(Str, DoubleIsShortestRoundTrip) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {
      {0.8, "0.8"},      {1.4, "1.4"},     {0.25, "0.25"}, {-1.0, "-1"},  {0.0, "0"},
      {-0.0, "0"},       {2.0, "2"},       {-2.5, "-2.5"}, {0.1 + 0.2, "0.30000000000000004"},
      {1.0 / 3.0, "0.3333333333333333"},   {123456.0, "123456"},
  };
  for (const auto& c : cases) EXPECT_EQ(fw::Str(c.value), c.expected) << c.value;
  // Whatever the form, it reads back to the same double.
  for (double v : {1e21, 1e-7, 6.02214076e23, -4.9e-324, 1.7976931348623157e308}) {
    EXPECT_EQ(fw::Val(fw::Str(v)), v) << fw::Str(v);
  }
}

TEST(TextSlices, PositionsFromOne) {
  const struct {
    const char* what;
    std::string got;
    const char* expected;
  } cases[] = {
      {"Mid rest", fw::Mid("Quenlor", 3), "enlor"},
      {"Mid from 1", fw::Mid("Quenlor", 1), "Quenlor"},
      {"Mid at last", fw::Mid("Quenlor", 7), "r"},
      {"Mid past end", fw::Mid("Quenlor", 8), ""},
      {"Mid far past end", fw::Mid("Quenlor", 2147483647), ""},
      {"Mid from 0", fw::Mid("Quenlor", 0), "Quenlor"},
      {"Mid n", fw::Mid("Quenlor", 2, 3), "uen"},
      {"Mid n past end", fw::Mid("Quenlor", 5, 10), "lor"},
      {"Mid n = 0", fw::Mid("Quenlor", 2, 0), ""},
      {"Mid n < 0", fw::Mid("Quenlor", 2, -1), ""},
      {"Mid start past end with n", fw::Mid("abc", 4, 1), ""},
      {"Mid start 0 reads nothing before the text", fw::Mid("abc", 0, 1), ""},
      {"Mid start 0 with 2", fw::Mid("abc", 0, 2), "a"},
      {"Mid huge n", fw::Mid("abc", 2, 2147483647), "bc"},
      {"Left", fw::Left("Quenlor", 3), "Que"},
      {"Left 0", fw::Left("Quenlor", 0), ""},
      {"Left past end", fw::Left("Quenlor", 99), "Quenlor"},
      {"Left negative", fw::Left("Quenlor", -2), ""},
      {"Right", fw::Right("Quenlor", 3), "lor"},
      {"Right past end", fw::Right("Quenlor", 99), "Quenlor"},
      {"Right 0", fw::Right("Quenlor", 0), ""},
      {"Mid of empty", fw::Mid("", 1, 1), ""},
      // characters, not bytes
      {"Mid umlaut", fw::Mid("Größe", 3, 2), "öß"},
      {"Left umlaut", fw::Left("Ärger", 2), "Är"},
      {"Right umlaut", fw::Right("Maß", 1), "ß"},
      {"Mid after euro", fw::Mid("€5", 2), "5"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST(TextSlices, LenCountsCharacters) {
  EXPECT_EQ(fw::Len(""), 0);
  EXPECT_EQ(fw::Len("Quenlor"), 7);
  EXPECT_EQ(fw::Len("Größe"), 5);
  EXPECT_EQ(fw::Len("€"), 1);
  EXPECT_EQ(fw::Len("a\rb"), 3);
  EXPECT_EQ(fw::Len(std::string("a\0b", 3)), 3);
}

TEST(InStr, FirstOccurrenceFromOne) {
  const struct {
    int32_t start;
    const char* text;
    const char* part;
    int32_t expected;
  } cases[] = {
      {1, "Det() = 5", "=", 7},
      {1, "abcabc", "bc", 2},
      {3, "abcabc", "bc", 5},
      {5, "abcabc", "bc", 5},
      {6, "abcabc", "bc", 0},
      {99, "abcabc", "a", 0},
      {0, "abcabc", "a", 1},
      {-4, "abcabc", "c", 3},
      {1, "abc", "", 0},
      {1, "", "", 0},
      {1, "", "a", 0},
      {1, "abc", "abcd", 0},
      {1, "Matrix", "m", 0},  // case-sensitive
      {1, "Größe=1", "=", 6},
      {3, "äöüäöü", "ä", 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fw::InStr(c.start, c.text, c.part), c.expected)
        << "InStr(" << c.start << ", \"" << c.text << "\", \"" << c.part << "\")";
  }
  EXPECT_EQ(fw::InStr("M1+M2", "+"), 3);
  EXPECT_EQ(fw::InStr("M1+M2", "-"), 0);
}

TEST(Chr, OneCharacter) {
  EXPECT_EQ(fw::Chr(12), "\f");
  EXPECT_EQ(fw::Chr(13), "\r");
  EXPECT_EQ(fw::Chr(65), "A");
  EXPECT_EQ(fw::Chr(0), std::string(1, '\0'));
  EXPECT_EQ(fw::Chr(0xE4), "ä");
  EXPECT_EQ(fw::Chr(0x20AC), "€");
  EXPECT_EQ(fw::Chr(0x1F600), "\xF0\x9F\x98\x80");
  EXPECT_EQ(fw::Chr(-1), "");
  EXPECT_EQ(fw::Chr(0xD800), "");
  EXPECT_EQ(fw::Chr(0x110000), "");
  EXPECT_EQ(fw::Len(fw::Chr(0xE4)), 1);
}

TEST(StrComp, ThreeWay) {
  const struct {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"", "", 0},         {"$", "$", 0},   {"$x", "$", 1},   {"$", "$x", -1}, {"", "$", -1},
      {"abc", "abd", -1},  {"b", "abc", 1}, {"A", "a", -1},   // case-sensitive
      {"ä", "z", 1},       // by code point
  };
  for (const auto& c : cases) {
    const int r = fw::StrComp(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << "\"" << c.a << "\" vs \"" << c.b << "\"";
  }
}

}  // namespace
