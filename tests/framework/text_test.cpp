#include "framework/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();

// The one text-to-integer rule: a leading decimal number, exact over the whole
// 64-bit range, fraction and exponent truncated toward zero, saturated at the ends.
TEST(ToInt64, LeadingDecimalNumber) {
  const struct {
    const char* text;
    int64_t expected;
  } cases[] = {
      // what may follow a number, and blanks before it; a plus sign as a calculator user types it
      {"3abc", 3}, {"1/2", 1}, {"1,5", 1}, {"+5", 5}, {" 5", 5}, {"\t-7", -7}, {"- 5", 0}, {"+-5", 0},
      // no number at all
      {"", 0}, {"-", 0}, {"-.", 0}, {"abc", 0}, {"Det() = 5", 0}, {"inf", 0}, {"nan", 0}, {"0x10", 0}, {"e5", 0},
      // fractions truncate toward zero
      {"2.7", 2}, {"-2.7", -2}, {"2.999999999999999999999", 2}, {".5", 0}, {"-0.9", 0}, {"-12.", -12},
      // exponents; one without digits is not part of the number
      {"1e3", 1000}, {"1E+3", 1000}, {"1e-5", 0}, {"-12e-1", -1}, {"1.9e1", 19}, {"0.00123e4", 12},
      {"123456e-3", 123}, {"5e", 5}, {"0e999999", 0}, {"1e0003", 1000}, {"9.223372036854775807e18", kMax64},
      // exact beyond 2^53
      {"9007199254740993", 9007199254740993}, {"9223372036854775807", kMax64}, {"-9223372036854775808", kMin64},
      {"00000000000000000000000000009223372036854775807", kMax64},
      {"9223372036854775806.99", 9223372036854775806},
      // saturation
      {"9223372036854775808", kMax64}, {"-9223372036854775809", kMin64}, {"1e19", kMax64}, {"1e400", kMax64},
      {"-1e400", kMin64}, {"1e99999999999999999999999", kMax64}, {"1e-99999999999999999999999", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(fw::toInt64(c.text), c.expected) << "text \"" << c.text << "\"";
  // The scan stops at the end of the view.
  EXPECT_EQ(fw::toInt64(std::string_view("123456").substr(0, 3)), 123);
  EXPECT_EQ(fw::toInt64(std::string_view("12e", 3)), 12);
  EXPECT_EQ(fw::toInt64(std::string("7\0" "9", 3)), 7);
}

TEST(ToInt32, ClampsTheSameScan) {
  const struct {
    const char* text;
    int32_t expected;
  } cases[] = {{"-3.9", -3}, {"2147483647", 2147483647}, {"2147483648", 2147483647}, {"-2147483648", kMin32},
               {"-2147483649", kMin32}, {"1e400", 2147483647}, {"-9223372036854775808", kMin32}, {"x", 0}};
  for (const auto& c : cases) EXPECT_EQ(fw::toInt32(c.text), c.expected) << c.text;
  EXPECT_EQ(fw::clampInt32(kMax64), 2147483647);
  EXPECT_EQ(fw::clampInt32(kMin64), kMin32);
  EXPECT_EQ(fw::clampInt32(-5), -5);
}

TEST(Val, DoubleOfTheLeadingNumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* text;
    double expected;
  } cases[] = {{"", 0.0},        {"3abc", 3.0}, {"-2.5", -2.5}, {"+0.25", 0.25}, {".5", 0.5},     {"1.5e-1", 0.15},
               {" 7", 7.0},       {"1,5", 1.0},  {"0x10", 0.0},  {"inf", 0.0},    {"nan", 0.0},    {"1e-400", 0.0},
               {"1e400", inf},    {"-1e400", -inf}, {"9007199254740992", 9007199254740992.0}};
  for (const auto& c : cases) EXPECT_EQ(fw::Val(c.text), c.expected) << c.text;
  EXPECT_FALSE(std::signbit(fw::Val("-0")));
}

TEST(Str, IntegersAndShortestRoundTripDoubles) {
  EXPECT_EQ(fw::Str(int32_t{-17}), "-17");
  EXPECT_EQ(fw::Str(kMin64), "-9223372036854775808");
  EXPECT_EQ(fw::Str(int64_t{9007199254740993}), "9007199254740993");
  const struct {
    double value;
    const char* expected;
  } cases[] = {{0.8, "0.8"}, {1.4, "1.4"}, {0.25, "0.25"}, {-1.0, "-1"}, {-0.0, "0"}, {123456.0, "123456"},
               {0.1 + 0.2, "0.30000000000000004"}, {1.0 / 3.0, "0.3333333333333333"}};
  for (const auto& c : cases) EXPECT_EQ(fw::Str(c.value), c.expected) << c.value;
  // Whatever the form, it reads back to the same double.
  for (double v : {1e21, 1e-7, 6.02214076e23, -4.9e-324, 1.7976931348623157e308}) {
    EXPECT_EQ(fw::Val(fw::Str(v)), v) << fw::Str(v);
  }
}

TEST(TextSlices, PositionsAndLengthsInCharactersFromOne) {
  const struct {
    const char* what;
    std::string got;
    const char* expected;
  } cases[] = {
      {"Mid rest", fw::Mid("Quenlor", 3), "enlor"},       {"Mid past end", fw::Mid("Quenlor", 8), ""},
      {"Mid from 0", fw::Mid("Quenlor", 0), "Quenlor"},   {"Mid far past end", fw::Mid("Quenlor", 2147483647), ""},
      {"Mid n", fw::Mid("Quenlor", 2, 3), "uen"},         {"Mid n past end", fw::Mid("Quenlor", 5, 10), "lor"},
      {"Mid n < 0", fw::Mid("Quenlor", 2, -1), ""},       {"Mid start past end with n", fw::Mid("abc", 4, 1), ""},
      {"Mid start 0 with 2", fw::Mid("abc", 0, 2), "a"},  {"Mid huge n", fw::Mid("abc", 2, 2147483647), "bc"},
      {"Mid start 0 reads nothing before the text", fw::Mid("abc", 0, 1), ""},
      {"Left past end", fw::Left("Quenlor", 99), "Quenlor"}, {"Left negative", fw::Left("Quenlor", -2), ""},
      {"Mid umlaut", fw::Mid("Größe", 3, 2), "öß"}, {"Left umlaut", fw::Left("Ärger", 2), "Är"},
      {"Mid after euro", fw::Mid("€5", 2), "5"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
  EXPECT_EQ(fw::Len(""), 0);
  EXPECT_EQ(fw::Len("Größe"), 5);
  EXPECT_EQ(fw::Len("€"), 1);
  EXPECT_EQ(fw::Len(std::string("a\0b", 3)), 3);
}

TEST(InStr, FirstOccurrenceFromOne) {
  const struct {
    int32_t start;
    const char* text;
    const char* part;
    int32_t expected;
  } cases[] = {
      {1, "Det() = 5", "=", 7}, {3, "abcabc", "bc", 5}, {5, "abcabc", "bc", 5}, {6, "abcabc", "bc", 0},
      {99, "abcabc", "a", 0},   {0, "abcabc", "a", 1},  {-4, "abcabc", "c", 3}, {1, "abc", "", 0},
      {1, "", "", 0},           {1, "abc", "abcd", 0},  {1, "Matrix", "m", 0},  // case-sensitive
      {1, "Größe=1", "=", 6},   {3, "äöüäöü", "ä", 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fw::InStr(c.start, c.text, c.part), c.expected)
        << "InStr(" << c.start << ", \"" << c.text << "\", \"" << c.part << "\")";
  }
  EXPECT_EQ(fw::InStr("M1+M2", "+"), 3);
}

TEST(Chr, OneCharacter) {
  const struct {
    int32_t code;
    std::string expected;
  } cases[] = {{12, "\f"}, {13, "\r"}, {0, std::string(1, '\0')}, {0xE4, "ä"}, {0x20AC, "€"},
               {0x1F600, "\xF0\x9F\x98\x80"}, {-1, ""}, {0xD800, ""}, {0x110000, ""}};
  for (const auto& c : cases) EXPECT_EQ(fw::Chr(c.code), c.expected) << c.code;
}

TEST(StrComp, ThreeWay) {
  const struct {
    const char *a, *b;
    int sign;
  } cases[] = {
      {"", "", 0},        {"$", "$", 0},   {"$x", "$", 1}, {"$", "$x", -1}, {"", "$", -1},
      {"abc", "abd", -1}, {"b", "abc", 1}, {"A", "a", -1},  // case-sensitive
      {"ä", "z", 1},      // by code point
  };
  for (const auto& c : cases) {
    const int r = fw::StrComp(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << "\"" << c.a << "\" vs \"" << c.b << "\"";
  }
}

}  // namespace
