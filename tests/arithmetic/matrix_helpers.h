#pragma once
// Matrices for the arithmetic tests, written as text, and the table runner.

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "arithmetic/algebra.h"
#include "arithmetic/diagonal.h"
#include "arithmetic/elimination.h"
#include "arithmetic/rank.h"
#include "arithmetic/inverse.h"
#include "arithmetic/orthogonal.h"

namespace test {

using ar::Matrix;
using Messages = std::vector<std::pair<std::string, int>>;
inline constexpr int64_t kMin = INT64_MIN, kMax = INT64_MAX;
constexpr int64_t P(int e) { return int64_t{1} << e; }

// A number as a sum of products of integers and powers: "-2^63", "3*2^61+1", "max", "min".
inline __int128 wide(const std::string& s) {
  if (const size_t p = s.find_last_of("+-"); p != std::string::npos && p > 0)
    return wide(s.substr(0, p)) + (s[p] == '-' ? -1 : 1) * wide(s.substr(p + 1));
  if (s[0] == '-') return -wide(s.substr(1));
  if (const size_t p = s.find('*'); p != std::string::npos) return wide(s.substr(0, p)) * wide(s.substr(p + 1));
  if (const size_t p = s.find('^'); p != std::string::npos) {
    __int128 v = 1;
    for (int e = std::stoi(s.substr(p + 1)); e > 0; --e) v *= wide(s.substr(0, p));
    return v;
  }
  return s == "max" ? kMax : s == "min" ? kMin : std::stoll(s);
}
inline int64_t num(const std::string& s) { return static_cast<int64_t>(wide(s)); }

// "2 4; 6 8 | 1/3": the rows, then the factor (1/1 when left out); other cells 0.
// The counts come from the rows unless given.
inline Matrix M(const std::string& text, int64_t rows = -1, int64_t cols = -1) {
  Matrix m{};
  std::istringstream in(text.substr(0, text.find('|')));
  std::string row, t;
  for (int64_t i = 1; std::getline(in, row, ';'); ++i)
    for (std::istringstream r(row); r >> t; m[0][1] = std::max(m[0][1], m[i][0])) m[i][++m[i][0]] = num(t);
  for (int64_t i = 1; i <= 12; ++i) m[0][0] += m[i][0] != 0, m[i][0] = 0;
  const std::string f = text.find('|') == std::string::npos ? "1/1" : text.substr(text.find('|') + 2);
  m[0][2] = num(f.substr(0, f.find('/'))), m[0][3] = num(f.substr(f.find('/') + 1));
  if (rows >= 0) m[0][0] = rows, m[0][1] = cols;
  return m;
}
// What a third array holds before: a failing operation leaves it so.
inline const Matrix kBefore = M("9 | 2/2", 3, 3);
inline Matrix identity(int64_t n) { Matrix m = M("", n, n); for (int64_t i = 1; i <= n; ++i) m[i][i] = 1; return m; }
// One more cell set, for cells that must stay.
template <class T> T with(T m, size_t i, size_t j, int64_t v) { return m[i][j] = v, m; }

// Fills the stack below the caller with 0x55 bytes, so that a value read before it is written is neither 0 nor a
// small FLINT integer: a word of them has the top bits 01 that mark a pointer to a big one. Called just before
// the operation, whose frames then lie in the filled region.
[[gnu::noinline]] inline void scribble() {
  unsigned char s[1 << 16];
  std::memset(s, 0x55, sizeof s);
  asm volatile("" : : "r"(s) : "memory");  // the stores stay
}

enum Outcome { kQuiet, kOverflow, kFormat, kSingular };

// '*' a * b, '+' a + b, 's' a times b's factor, '^' a to the power b(0,0), 't' a transposed, each into a third
// array; 'n' MKuerzen twice, 'v' Vereinheitlichen, 'o' Orthnorm, 'e' Verfahren on a itself (and Rang, found apart:
// the row count, its matrix left as it was); 'i' Invertieren and 'l' Abbildungsmatrix (b a^-1) into a third array.
// What fails changes nothing; a failing power leaves the identity, a singular matrix its copy.
// aZ, bZ: the sum's operands' numerators afterwards, those over L.
struct Op { const char* name; Matrix a, b, expected; Outcome outcome = kQuiet; int64_t aZ = 0, bZ = 0; };

inline void run(char op, const std::vector<Op>& cases) {
  for (const Op& c : cases) {
    SCOPED_TRACE(c.name);
    ar::RecordingContext ctx;
    const bool third = op == '*' || op == '+' || op == '^' || op == 't' || op == 'i' || op == 'l';
    bool failed = false;
    Matrix a = c.a, b = c.b, r = with(third ? kBefore : c.a, 9, 9, 77);  // outside the result: kept
    scribble();
    if (op == '*') ar::MatMult(ctx, a, b, r);
    if (op == '+') ar::MatPlus(ctx, a, b, r);
    if (op == '^') ar::MatPot(ctx, a, static_cast<int32_t>(b[0][0]), r);
    if (op == 't') ar::Transponieren(a, r);
    if (op == 's') ar::MatSkalMul(ctx, b[0][2], b[0][3], r);
    if (op == 'n') ar::MKuerzen(ctx, r), ar::MKuerzen(ctx, r);
    if (op == 'v') ar::Vereinheitlichen(ctx, r);
    if (op == 'o') ar::Orthnorm(ctx, r);
    if (op == 'e') ar::Verfahren(ctx, r);
    if (op == 'i') ar::Invertieren(ctx, a, r, failed);
    if (op == 'l') ar::Abbildungsmatrix(ctx, a, b, r, failed);
    EXPECT_EQ(r, op == '^' ? c.expected : with(c.expected, 9, 9, c.outcome == kSingular ? 0 : 77));
    EXPECT_TRUE(op != '+' || (a == with(c.a, 0, 2, c.aZ) && b == with(c.b, 0, 2, c.bZ)));
    EXPECT_EQ(std::tie(failed, ctx.overflow, ctx.Formelfehler),
              std::make_tuple(c.outcome == kSingular, c.outcome == kOverflow, c.outcome == kFormat));
    const bool singular = c.outcome == kSingular;
    const char* text = singular ? "Die Matrix ist nicht regulaer"
                       : op == '+' ? "Matrizen haben verschiedene Formate" : "Die Matrixformate passen nicht zusammen";
    EXPECT_EQ(ctx.messages, Messages(c.outcome == kFormat || singular,
                                     {text, singular ? core::kMsgCautionOkCancel : core::kMsgPlain}));
    if (op == 'e') {
      Matrix s = c.a;
      ar::RecordingContext rank;
      EXPECT_EQ(std::make_tuple(ar::Rang(rank, s), s, rank.overflow), std::make_tuple(c.expected[0][0], c.a, false));
    }
  }
}

}  // namespace test
