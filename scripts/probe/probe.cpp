// The probe of scripts/mutate.py --probe: runs the arithmetic, the term language, the protocol's plain
// functions and the main window's handlers on a fixed set of inputs and prints one line per input,
// "name | input | result", so that two builds of the program can be compared line by line. The same binary
// prints the same text on every run: fixed seeds, no addresses, times or hash orders in the output.
//
//   quenlor_probe                # every section; what mutate.py compares
//   quenlor_probe --quick        # a tenth of the random inputs
//   quenlor_probe --only terms   # only the sections whose name starts with "terms"
//   quenlor_probe --list         # the section names
//
// Before each call into the program the stack below the caller is filled with a non-zero byte pattern, so
// that a read of a cell nobody wrote gives a wrong number instead of a lucky zero; the calls that take FLINT's
// way run first and often, and FLINT's caches are released at the end, so that a value nobody releases shows
// as a leak.

#include <QApplication>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <flint/flint.h>

#include "app/gridnames.h"
#include "app/hauptfenster.h"
#include "arithmetic/algebra.h"
#include "arithmetic/bareiss.h"
#include "arithmetic/bignum.h"
#include "arithmetic/cramer.h"
#include "arithmetic/determinant.h"
#include "arithmetic/diagonal.h"
#include "arithmetic/elimination.h"
#include "arithmetic/exact.h"
#include "arithmetic/fraction.h"
#include "arithmetic/fused.h"
#include "arithmetic/inverse.h"
#include "arithmetic/matrix.h"
#include "arithmetic/orthogonal.h"
#include "arithmetic/quotient.h"
#include "arithmetic/random.h"
#include "arithmetic/rank.h"
#include "arithmetic/rowops.h"
#include "arithmetic/trace.h"
#include "core/speicher.h"
#include "framework/services.h"
#include "protocol/arbeitsdatei.h"
#include "protocol/protokollfenster.h"
#include "protocol/tex.h"
#include "terms/termauswerter.h"

namespace {

using ar::Matrix;
using ar::WideMatrix;
using i128 = __int128;
using u128 = unsigned __int128;

constexpr int64_t kP31 = int64_t{1} << 31;
constexpr int64_t kP62 = int64_t{1} << 62;

// ---------------------------------------------------------------------------------------------------------------
// Output

int gScale = 10;  // random inputs per unit of a section's count; --quick makes it 1
long gLines = 0;

void put(std::string_view name, const std::string& input, const std::string& result) {
  std::string s;
  s.reserve(name.size() + input.size() + result.size() + 8);
  s.append(name).append(" | ").append(input).append(" | ").append(result).push_back('\n');
  std::fwrite(s.data(), 1, s.size(), stdout);
  ++gLines;
}

// How many random inputs: n tenths of the full count.
int count(int full) { return std::max(1, full * gScale / 10); }

std::string str(int64_t v) { return std::to_string(v); }
std::string u128s(u128 m) {
  if (m == 0) return "0";
  std::string d;
  while (m != 0) {
    d += static_cast<char>('0' + static_cast<int>(m % 10));
    m /= 10;
  }
  return {d.rbegin(), d.rend()};
}
std::string s128(i128 v) {
  return v < 0 ? "-" + u128s(u128(0) - static_cast<u128>(v)) : u128s(static_cast<u128>(v));
}
std::string dbl(double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%a", x);
  return buf;
}
std::string bstr(bool b) { return b ? "1" : "0"; }
std::string hex(uint64_t h) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
  return buf;
}

// Texts as they are, with control characters, backslashes and bytes beyond ASCII escaped.
std::string esc(std::string_view t) {
  std::string s = "\"";
  for (const char c : t) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\') {
      s += "\\\\";
    } else if (c == '"') {
      s += "\\\"";
    } else if (c == '\r') {
      s += "\\r";
    } else if (c == '\n') {
      s += "\\n";
    } else if (c == '\f') {
      s += "\\f";
    } else if (u < 32 || u >= 127) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02x", u);
      s += buf;
    } else {
      s += c;
    }
  }
  return s + "\"";
}

struct Hash {
  uint64_t h = 1469598103934665603ULL;
  void add(uint64_t v) {
    for (int i = 0; i < 8; ++i) {
      h ^= (v >> (8 * i)) & 0xFF;
      h *= 1099511628211ULL;
    }
  }
  void add(std::string_view s) {
    add(s.size());
    for (const char c : s) {
      h ^= static_cast<unsigned char>(c);
      h *= 1099511628211ULL;
    }
  }
};

// A matrix: its header as it stands, the entries its header shows (clamped to the array, by the probe's own
// rule) and a hash of every cell, so that a change in a hidden cell shows too.
template <size_t C>
std::string mat(const ar::Grid<C>& M) {
  const int64_t kLast = static_cast<int64_t>(C) - 1;
  const int64_t rows = std::clamp<int64_t>(M[0][0], 0, 12), cols = std::clamp<int64_t>(M[0][1], 0, kLast);
  std::string s = "{" + str(M[0][0]) + "x" + str(M[0][1]) + " " + str(M[0][2]) + "/" + str(M[0][3]) + ":";
  for (int64_t i = 1; i <= rows; ++i) {
    for (int64_t j = 1; j <= cols; ++j) s += " " + str(M[static_cast<size_t>(i)][static_cast<size_t>(j)]);
    if (i < rows) s += " ;";
  }
  Hash h;
  for (const auto& row : M)
    for (int64_t v : row) h.add(static_cast<uint64_t>(v));
  return s + " #" + hex(h.h).substr(0, 10) + "}";
}

std::string ctxs(const ar::RecordingContext& c) {
  std::string s = "ov=" + bstr(c.overflow) + " ff=" + bstr(c.Formelfehler);
  for (const auto& [text, kind] : c.messages) s += " [" + str(kind) + "]" + esc(text);
  return s;
}

// Fills the stack below the caller with a non-zero pattern, so that the next call finds it in every cell it
// reads without writing first.
// Two patterns in turn: FLINT takes a word whose top bits are 01 for a pointer, so an integer it was never
// given shows as a wrong value under one pattern and as a wild pointer under the other.
[[gnu::noinline]] void fillStack() {
  static unsigned calls = 0;
  unsigned char buf[96 * 1024];
  std::memset(buf, ++calls % 2 == 0 ? 0xA5 : 0x5A, sizeof buf);
  asm volatile("" : : "r"(buf) : "memory");
}

// ---------------------------------------------------------------------------------------------------------------
// Inputs

struct Rng {
  uint64_t s;
  explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ULL + 0x1234567ULL) {}
  uint64_t next() {
    uint64_t z = (s += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // lo..hi inclusive
  int64_t range(int64_t lo, int64_t hi) {
    const uint64_t span = static_cast<uint64_t>(hi) - static_cast<uint64_t>(lo) + 1;
    return span == 0 ? static_cast<int64_t>(next()) : static_cast<int64_t>(static_cast<uint64_t>(lo) + next() % span);
  }
  bool chance(int percent) { return range(0, 99) < percent; }
  template <class T, size_t N>
  const T& pick(const T (&a)[N]) {
    return a[static_cast<size_t>(range(0, N - 1))];
  }
  int pick(std::initializer_list<int> a) { return a.begin()[range(0, static_cast<int64_t>(a.size()) - 1)]; }
  template <class T>
  const T& pick(const std::vector<T>& a) {
    return a[static_cast<size_t>(range(0, static_cast<int64_t>(a.size()) - 1))];
  }
};

const int64_t kEdge[] = {0,
                         1,
                         -1,
                         2,
                         -2,
                         3,
                         -3,
                         5,
                         7,
                         12,
                         13,
                         kP31 - 1,
                         -(kP31 - 1),
                         kP31,
                         -kP31,
                         kP31 + 1,
                         2147483629,
                         4294967295,
                         4294967296,
                         -4294967296,
                         3037000499,
                         3037000500,
                         -3037000500,
                         (int64_t{1} << 53) + 1,
                         kP62,
                         -kP62,
                         kP62 + 1,
                         kP62 - 1,
                         3 * (int64_t{1} << 61),
                         -3 * (int64_t{1} << 61),
                         int64_t{1} << 61,
                         1000000000000000000,
                         6148914691236517205,
                         INT64_MAX,
                         INT64_MIN,
                         INT64_MAX - 1,
                         INT64_MIN + 1};

// One value of a size class: 0 small, 1 up to 2^20, 2 near 2^31, 3 up to 2^32, 4 near 2^62, 5 any 64 bits,
// 6 from the edge list, 7 a random bit length.
int64_t value(Rng& r, int cls) {
  const int64_t sign = r.chance(50) ? -1 : 1;
  switch (cls) {
    case 0:
      return r.range(-9, 9);
    case 1:
      return r.range(-(1 << 20), 1 << 20);
    case 2:
      return sign * (kP31 + r.range(-3, 3));
    case 3:
      return r.range(-(int64_t{1} << 32), int64_t{1} << 32);
    case 4: {
      static const int64_t near[] = {kP62, 3 * (int64_t{1} << 61), int64_t{1} << 61, kP62 - 1, INT64_MAX};
      const int64_t v = r.pick(near);
      return v == INT64_MAX ? (sign < 0 ? INT64_MIN : INT64_MAX) : sign * (v - r.range(0, 2));
    }
    case 5:
      return static_cast<int64_t>(r.next());
    case 6:
      return r.pick(kEdge);
    default:
      return static_cast<int64_t>(r.next() >> r.range(1, 63)) * sign;
  }
}
// The product modulo 2^64, as the inputs want it: no undefined behaviour in the probe itself.
int64_t wrapMul(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) * static_cast<uint64_t>(b));
}
int sizeClass(Rng& r) {
  static const int classes[] = {0, 0, 0, 1, 1, 2, 3, 4, 5, 6, 6, 7};
  return r.pick(classes);
}
int dimension(Rng& r) { return r.chance(35) ? (r.chance(50) ? 1 : 12) : static_cast<int>(r.range(1, 12)); }

// Non-zero junk in every cell a header of rows x cols does not show: rows and columns beyond, column 0 and the
// header row's unused cells.
template <size_t C>
void junk(Rng& r, ar::Grid<C>& M, int rows, int cols) {
  for (size_t i = 0; i < 13; ++i)
    for (size_t j = 0; j < C; ++j) {
      const bool header = i == 0 && j < 4;
      const bool shown = i >= 1 && j >= 1 && static_cast<int>(i) <= rows && static_cast<int>(j) <= cols;
      if (!header && !shown) M[i][j] = r.chance(30) ? value(r, 6) | 1 : static_cast<int64_t>(r.next() | 1);
    }
}

void factor(Rng& r, Matrix& M) {
  const int64_t p = r.range(0, 99);
  int64_t z = 1, n = 1;
  if (p < 45) {
  } else if (p < 60) {
    z = r.range(-20, 20), n = r.range(1, 20) * (r.chance(20) ? -1 : 1);
  } else if (p < 65) {
    z = 0, n = r.range(-5, 5) | 1;
  } else if (p < 70) {
    z = r.range(-5, 5), n = 0;
  } else if (p < 75) {
    z = r.range(1, 9), n = -r.range(1, 9);
  } else if (p < 92) {
    z = r.pick(kEdge), n = r.pick(kEdge);
  } else {
    z = value(r, 7), n = value(r, 7);
  }
  M[0][2] = z;
  M[0][3] = n;
}

// Exact product of two rows x inner and inner x cols blocks; false when an entry leaves 64 bits.
bool multiply(const Matrix& X, const Matrix& Y, int rows, int inner, int cols, Matrix& out) {
  Matrix T = out;
  for (int i = 1; i <= rows; ++i)
    for (int j = 1; j <= cols; ++j) {
      i128 s = 0;
      for (int k = 1; k <= inner; ++k) s += static_cast<i128>(X[i][k]) * Y[k][j];
      if (!ar::exact::fits64(s)) return false;
      T[i][j] = static_cast<int64_t>(s);
    }
  out = T;
  return true;
}

enum Kind {
  kRandom, kLowRank, kSingular, kUnimodular, kDiagonal, kZero, kPrimes, kTriangular, kConstant, kEdgeSteps, kKinds
};

// The entries of a rows x cols matrix of one kind; the header and the rest of the array are left to the caller.
void entries(Rng& r, Matrix& M, int rows, int cols, int kind) {
  const int cls = sizeClass(r);
  const int zeros = r.chance(30) ? static_cast<int>(r.range(10, 60)) : 0;
  auto any = [&] { return r.chance(zeros) ? 0 : value(r, cls); };
  switch (kind) {
    case kLowRank: {
      Matrix P{}, Q{};
      const int k = static_cast<int>(r.range(0, std::min(rows, cols)));
      const int c1 = r.chance(50) ? 0 : sizeClass(r);
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= k; ++j) P[i][j] = value(r, c1);
      for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= cols; ++j) Q[i][j] = r.range(-4, 4);
      if (!multiply(P, Q, rows, k, cols, M))
        for (int i = 1; i <= rows; ++i)
          for (int j = 1; j <= cols; ++j) M[i][j] = 0;
      break;
    }
    case kSingular: {
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) M[i][j] = any();
      if (rows >= 2) {
        const int a = static_cast<int>(r.range(1, rows)), b = static_cast<int>(r.range(1, rows));
        const int t = static_cast<int>(r.range(1, rows));
        for (int j = 1; j <= cols; ++j) {
          const i128 s = static_cast<i128>(M[a][j]) + (a == t ? 0 : M[b][j] * (b == t ? 0 : 1));
          M[t][j] = ar::exact::fits64(s) && a != t ? static_cast<int64_t>(s) : 0;
        }
      } else if (cols >= 1) {
        M[1][static_cast<size_t>(r.range(1, cols))] = 0;
        if (r.chance(50))
          for (int j = 1; j <= cols; ++j) M[1][j] = 0;
      }
      break;
    }
    case kUnimodular: {
      // Products of unit triangular matrices: big entries, determinant +-1, small inverse steps.
      const int n = std::max(rows, cols);
      Matrix P{};
      for (int i = 1; i <= n; ++i) P[i][i] = 1;
      const int steps = static_cast<int>(r.range(1, 14));
      for (int s = 0; s < steps; ++s) {
        Matrix T{};
        const bool upper = s % 2 == 0;
        for (int i = 1; i <= n; ++i) {
          T[i][i] = r.chance(10) ? -1 : 1;
          for (int j = 1; j <= n; ++j)
            if (upper ? j > i : j < i) T[i][j] = r.range(-3, 3);
        }
        if (!multiply(P, T, n, n, n, P)) break;
      }
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) M[i][j] = P[i][j];
      break;
    }
    case kDiagonal: {
      const int64_t d = r.chance(50) ? value(r, cls) : 0;
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) M[i][j] = i == j ? (d != 0 ? d : any()) : 0;
      break;
    }
    case kZero:
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) M[i][j] = 0;
      break;
    case kPrimes: {
      // Multiples of the primes that the rank works modulo.
      static const int64_t primes[] = {2147483647, 2147483629, 2147483587, 2147483497, 4611686014132420609};
      const int64_t p = r.pick(primes);
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) {
          const int64_t f = r.chance(40) ? 0 : r.range(-3, 3);
          M[i][j] = (p > kP62 / 4 && f != 0) ? (f > 0 ? p : -p) : f * p;
          if (r.chance(10) && i == j) M[i][j] = p;
        }
      break;
    }
    case kConstant: {
      // One value everywhere, maybe with alternating signs: sums of equal products, 2^128 among them.
      const int64_t v = r.chance(60) ? r.pick(kEdge) : value(r, cls);
      const bool alternate = r.chance(30);
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
          M[i][j] = alternate && (i + j) % 2 == 1 ? static_cast<int64_t>(0 - static_cast<uint64_t>(v)) : v;
      break;
    }
    case kEdgeSteps: {
      // The identity changed by a few row steps with multipliers from the edge list: determinant +-1, entries
      // at the ends of the range, an inverse or solution near them.
      const int n = std::max(rows, cols);
      Matrix P{};
      for (int i = 1; i <= n; ++i) P[i][i] = r.chance(20) ? -1 : 1;
      for (int step = static_cast<int>(r.range(1, 4)); step > 0 && n > 1; --step) {
        const int i = static_cast<int>(r.range(1, n)), j = static_cast<int>(r.range(1, n));
        if (i == j) continue;
        const int64_t f = r.chance(60) ? r.pick(kEdge) : r.range(-3, 3);
        Matrix T = P;
        bool fits = true;
        for (int c = 1; c <= n && fits; ++c) {
          const i128 x = static_cast<i128>(P[i][c]) + static_cast<i128>(f) * P[j][c];
          fits = ar::exact::fits64(x);
          T[i][c] = static_cast<int64_t>(x);
        }
        if (fits) P = T;
      }
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) M[i][j] = P[i][j];
      break;
    }
    case kTriangular:
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) M[i][j] = j < i ? 0 : j == i ? (r.chance(70) ? 1 : any()) : any();
      break;
    default:
      for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) M[i][j] = any();
  }
}

// A whole array: header rows x cols, a factor, entries of a random kind, junk or zeros elsewhere.
Matrix gen(Rng& r, int rows, int cols, bool withJunk = true, int kind = -1) {
  Matrix M{};
  M[0][0] = rows;
  M[0][1] = cols;
  factor(r, M);
  const int shownRows = std::clamp(rows, 0, 12), shownCols = std::clamp(cols, 0, 12);
  entries(r, M, shownRows, shownCols, kind >= 0 ? kind : static_cast<int>(r.range(0, kKinds - 1)));
  if (withJunk && r.chance(50)) junk(r, M, shownRows, shownCols);
  return M;
}
// Square, a third of them regular with big entries.
Matrix genSquare(Rng& r) {
  const int n = dimension(r);
  return gen(r, n, n, true, r.chance(30) ? (r.chance(50) ? kUnimodular : kEdgeSteps) : -1);
}
// A factor as users mostly type it: 1/1 or small, now and then near the ends.
void plainFactor(Rng& r, Matrix& M) {
  if (r.chance(60)) {
    M[0][2] = M[0][3] = 1;
  } else if (r.chance(75)) {
    M[0][2] = r.range(-9, 9) | 1;
    M[0][3] = r.range(1, 9) * (r.chance(15) ? -1 : 1);
  } else {
    M[0][2] = r.pick(kEdge);
    M[0][3] = r.pick(kEdge) | 1;
  }
}
Matrix genAny(Rng& r) { return gen(r, dimension(r), dimension(r)); }

WideMatrix wide(Rng& r, int rows, int cols) {
  WideMatrix W{};
  const Matrix M = gen(r, rows, std::min(cols, 12));
  for (size_t i = 0; i < 13; ++i)
    for (size_t j = 0; j < 25; ++j) W[i][j] = j < 13 ? M[i][j] : (r.chance(50) ? value(r, sizeClass(r)) : 0);
  W[0][0] = rows;
  W[0][1] = cols;
  return W;
}

u128 bits128(Rng& r, int L) {
  if (L <= 0) return 0;
  u128 x = (static_cast<u128>(r.next()) << 64) | r.next();
  if (L < 128) x &= (u128(1) << L) - 1;
  return x | (u128(1) << (L - 1));
}
int bitLength(Rng& r) {
  static const int lengths[] = {1, 2, 5, 31, 32, 33, 62, 63, 64, 64, 65, 65, 66, 70, 96, 100, 126, 127, 128};
  return r.chance(70) ? r.pick(lengths) : static_cast<int>(r.range(0, 128));
}

// ---------------------------------------------------------------------------------------------------------------
// src/arithmetic/exact.h and fused.h

void sectionExact() {
  Rng r(1);
  namespace ex = ar::exact;
  const i128 k63 = i128(1) << 63, k64 = i128(1) << 64;
  for (const i128 v : {i128(0), k63 - 1, k63, k63 + 1, -k63, -k63 - 1, -k63 + 1, k64, -k64, i128(1) << 100,
                       -(i128(1) << 126), static_cast<i128>(~u128(0) >> 1)})
    put("fits64", s128(v), bstr(ex::fits64(v)) + " mag128=" + u128s(ex::mag128(v)));
  for (const int64_t v : kEdge) put("mag64", str(v), std::to_string(ex::mag64(v)));
  for (int s = 0; s < 128; ++s) {
    const u128 x = (bits128(r, 128 - s) | 1) << s;
    put("ctz128", u128s(x), str(ex::ctz128(x)));
  }
  for (int k = 0; k < count(120); ++k) {
    const uint64_t g = r.chance(50) ? 1 : r.next() >> r.range(33, 63);
    const uint64_t a = (r.next() >> r.range(0, 63)) * g, b = r.chance(10) ? 0 : (r.next() >> r.range(0, 63)) * g;
    put("gcd64", std::to_string(a) + " " + std::to_string(b), std::to_string(ex::gcd64(a, b)));
  }
  // Each side below, at or above 2^64, with common factors, so that every fast path and the loop's exit run.
  for (int k = 0; k < count(400); ++k) {
    const int la = bitLength(r), lb = bitLength(r);
    u128 a = bits128(r, la), b = bits128(r, lb);
    if (r.chance(60)) {
      const int lg = static_cast<int>(r.range(1, 64));
      const u128 g = bits128(r, lg);
      const u128 ma = a >> std::min(127, lg), mb = b >> std::min(127, lg);
      a = ma * g;
      b = mb * g;
    }
    if (k % 7 == 0) std::swap(a, b);
    put("gcd128", u128s(a) + " " + u128s(b), u128s(ex::gcd128(a, b)));
  }
  for (int k = 0; k < count(60); ++k) {
    ex::Sum128 s;
    std::string in;
    const int n = static_cast<int>(r.range(1, 12));
    for (int i = 0; i < n; ++i) {
      const i128 x = static_cast<i128>(static_cast<u128>(bits128(r, bitLength(r))) >> 1) * (r.chance(50) ? -1 : 1);
      in += s128(x) + " ";
      s.add(x);
    }
    put("Sum128", in, s128(s.value) + " carry=" + str(s.carry) + " exact=" + bstr(s.exact()));
  }
  for (int k = 0; k < count(40); ++k) {
    const uint64_t odd = r.next() >> r.range(0, 63) | 1;
    const u128 odd2 = bits128(r, bitLength(r)) | 1;
    put("inverse", std::to_string(odd) + " " + u128s(odd2),
         std::to_string(ex::inverse64(odd)) + " " + u128s(ex::inverse128(odd2)));
  }
  const auto divide = [](int64_t d, i128 x) {
    const ex::ExactDivisor64 div(d);
    int64_t out = -77;
    const bool ok = div.divide(x, out);
    std::string res = bstr(ok) + " " + str(out);
    if (ex::fits64(x) && x % d == 0) res += " exact=" + str(div.exact(static_cast<int64_t>(x)));
    put("ExactDivisor64", str(d) + " " + s128(x), res);
  };
  for (int k = 0; k < count(300); ++k) {
    int64_t d = r.chance(30) ? r.pick(kEdge) : value(r, sizeClass(r));
    if (d == 0) d = r.chance(50) ? INT64_MIN : 7;
    const int64_t q = value(r, sizeClass(r));
    divide(d, static_cast<i128>(d) * q + (r.chance(20) ? r.range(-2, 2) : 0));
  }
  // Quotients of +-2^63, which no int64_t q above gives: 2^63 does not fit, whatever the sign of d.
  for (const int64_t d : {int64_t{1}, int64_t{-1}, int64_t{2}, int64_t{-2}, int64_t{3}, int64_t{-3}, kP31, -kP31, -kP62,
                          INT64_MAX, INT64_MIN + 1, INT64_MIN})
    for (const i128 q : {k63, -k63}) divide(d, d * q);
  for (int k = 0; k < count(200); ++k) {
    const u128 g = bits128(r, bitLength(r)) | (r.chance(50) ? 0 : 1);
    if (g == 0) continue;
    const ex::ExactDivisor128 div(g);
    const u128 q = bits128(r, static_cast<int>(r.range(0, 128)));
    u128 a;
    if (__builtin_mul_overflow(g, q, &a)) a = g;
    if (r.chance(25)) a += 1;
    const bool d = div.divides(a);
    put("ExactDivisor128", u128s(g) + " " + u128s(a), bstr(d) + (d ? " q=" + u128s(div.quotient(a)) : ""));
  }
  for (int k = 0; k < count(240); ++k) {
    const int n = static_cast<int>(r.range(1, 24));
    i128 v[24];
    const int64_t g = r.chance(30) ? 1 : value(r, sizeClass(r));
    std::string in;
    for (int c = 0; c < n; ++c) {
      v[c] = r.chance(20) ? 0 : static_cast<i128>(g) * value(r, r.chance(50) ? 0 : sizeClass(r));
      in += s128(v[c]) + " ";
    }
    int64_t out[24];
    std::fill(out, out + 24, -5);
    const bool ok = ex::storePrimitive(v, n, out);
    std::string res = "content=" + u128s(ex::content(v, n)) + " store=" + bstr(ok);
    for (int c = 0; c < 24; ++c) res += " " + str(out[c]);
    put("storePrimitive", in, res);
  }
}

template <size_t C>
void fusedOn(Rng& r, const char* name) {
  for (int k = 0; k < count(240); ++k) {
    ar::Grid<C> M{};
    const int rows = dimension(r), cols = static_cast<int>(r.range(1, static_cast<int64_t>(C) - 1));
    const Matrix src = gen(r, rows, std::min(cols, 12));
    for (size_t i = 0; i < 13; ++i)
      for (size_t j = 0; j < C; ++j) M[i][j] = j < 13 ? src[i][j] : value(r, sizeClass(r));
    const auto j = static_cast<int32_t>(r.range(1, rows)), kk = static_cast<int32_t>(r.range(1, rows));
    const auto p = static_cast<int32_t>(r.range(1, cols));
    if (r.chance(40) && j != kk) {
      // Row j a multiple of row k but for a column or two, the last one now and then 0: the combination is 0
      // but for those.
      const int64_t t = r.range(-3, 3) | 1;
      for (int c = 1; c <= cols; ++c) M[j][c] = wrapMul(M[kk][c], t);
      M[kk][p] = M[kk][p] == 0 ? 1 : M[kk][p];
      M[j][p] = wrapMul(M[kk][p], t);
      for (int c = static_cast<int>(r.range(0, 2)); c > 0; --c) M[j][r.range(1, cols)] = r.range(-4, 4);
      if (r.chance(50)) M[j][cols] = 0;
    }
    const auto zeroCols = static_cast<int32_t>(r.range(0, cols + 1 < static_cast<int>(C) ? cols + 1 : cols));
    const std::string in = mat(M) + " j=" + str(j) + " k=" + str(kk) + " p=" + str(p) + " cols=" + str(cols) +
                           " zero=" + str(zeroCols);
    ar::Grid<C> A = M;
    fillStack();
    const bool ok = ar::fused::clearEntry(A, j, kk, p, cols, zeroCols);
    put(std::string("clearEntry") + name, in, bstr(ok) + " " + mat(A));
    A = M;
    fillStack();
    ar::fused::reduceRow(A, j, cols);
    put(std::string("reduceRow") + name, in, mat(A));
    A = M;
    fillStack();
    const bool neg = ar::fused::negateRow(A, j, cols);
    put(std::string("negateRow") + name, in, bstr(neg) + " " + mat(A));
  }
}

void sectionFused() {
  Rng r(2);
  fusedOn<13>(r, "13");
  fusedOn<25>(r, "25");
}

// ---------------------------------------------------------------------------------------------------------------
// src/arithmetic/matrix.h, bignum.h, bareiss.h

void sectionMatrix() {
  Rng r(3);
  for (int k = 0; k < count(120); ++k) {
    const int64_t a = r.chance(40) ? r.pick(kEdge) : value(r, sizeClass(r));
    const int64_t b = r.chance(40) ? r.pick(kEdge) : wrapMul(value(r, sizeClass(r)), r.chance(50) ? a : 1);
    put("ggt", str(a) + " " + str(b), str(ar::ggt(a, b)));
  }
  // Every pair of the ends: 2^63 - 1 is its own gcd with 0 and with itself; only 2^63 does not fit.
  const int64_t ends[] = {0, 1, -1, kP62, -kP62, INT64_MAX, -INT64_MAX, INT64_MAX - 1, INT64_MIN};
  for (const int64_t a : ends)
    for (const int64_t b : ends) put("ggt.ends", str(a) + " " + str(b), str(ar::ggt(a, b)));
  {
    ar::RecordingContext c;
    ar::Fehler(c, "Zeilentrans");
    put("Fehler", "Zeilentrans", ctxs(c));
  }
  for (const double x : {0.0, -0.0, 1.0, 2.5, -2.5, 1e300, -1e-300, 9007199254740993.0, 0.5, HUGE_VAL, std::nan("")})
    put("ganzzahlig", dbl(x), bstr(ar::ganzzahlig(x)));
  for (int k = 0; k < count(300); ++k) {
    Matrix M = genAny(r);
    if (r.chance(10)) M[0][0] = r.pick(kEdge);
    if (r.chance(10)) M[0][1] = r.pick(kEdge);
    const std::string in = mat(M);
    Matrix B{};
    junk(r, B, 0, 0);
    fillStack();
    ar::Klone(M, B);
    WideMatrix W = wide(r, 3, 20);
    ar::Klone(M, W);
    put("Klone", in, mat(B) + " " + mat(W));
    put("rowsOf", in,
         str(ar::rowsOf(M)) + " " + str(ar::colsOf(M)) + " " + str(ar::rowsOf(W)) + " " + str(ar::colsOf(W)) + " " +
             str(ar::clampCount(M[0][0], 12)) + " " + str(ar::clampCount(M[0][1], 7)));
    ar::RecordingContext c;
    Matrix N = M;
    fillStack();
    ar::MKuerzen(c, N);
    put("MKuerzen", in, mat(N) + " " + ctxs(c));
    fillStack();
    put("Nullform", in, mat(ar::Nullform(M)));
  }
  // The normal form of wide entries and factors, as products and sums leave them.
  for (int k = 0; k < count(300); ++k) {
    const int rows = dimension(r), cols = dimension(r);
    const Matrix A = gen(r, rows, cols), B = gen(r, rows, cols);
    ar::detail::WideEntries E{};
    for (int i = 1; i <= rows; ++i)
      for (int j = 1; j <= cols; ++j) E[i][j] = static_cast<i128>(A[i][j]) * (r.chance(50) ? B[i][j] : 1);
    const i128 Z = static_cast<i128>(A[0][2]) * (r.chance(50) ? B[0][2] : 1);
    const i128 N = static_cast<i128>(A[0][3]) * (r.chance(50) ? B[0][3] : 1);
    Matrix out = B;
    fillStack();
    const bool ok = ar::detail::normalForm(E, rows, cols, Z, N, out);
    Matrix out2 = B;
    fillStack();
    const bool ok2 = ar::detail::normalForm(A, rows, cols, Z, N, out2);
    put("normalForm", mat(A) + " " + mat(B) + " Z=" + s128(Z) + " N=" + s128(N),
         bstr(ok) + " " + mat(out) + " narrow " + bstr(ok2) + " " + mat(out2));
  }
  // An entry and a denominator at the ends of the range beside a 1, which keeps the gcd at 1: -2^63 fits, -2^63 - 1
  // and 2^63 do not.
  const i128 top = i128{1} << 63;
  for (const i128 e : {-top - 1, -top, -top + 1, top - 1, top, top + 1})
    for (const i128 N : {i128{1}, i128{-1}, e}) {
      ar::detail::WideEntries E{};
      E[1][1] = e, E[1][2] = 1;
      Matrix out{}, one{}, out2{};
      out[0] = out2[0] = {1, 2};  // shows the entries
      one[1][1] = 1, one[1][2] = 1;
      fillStack();
      const bool ok = ar::detail::normalForm(E, 1, 2, 1, N, out);
      fillStack();
      const bool ok2 = ar::detail::normalForm(one, 1, 2, 1, N, out2);
      put("normalForm.ends", s128(e) + " 1 N=" + s128(N), bstr(ok) + " " + mat(out) + " narrow " + bstr(ok2) + " " +
          mat(out2));
    }
}

void sectionBignum() {
  Rng r(4);
  namespace bg = ar::big;
  for (int k = 0; k < count(80); ++k) {
    const i128 v = static_cast<i128>(bits128(r, bitLength(r)));
    put("big::of", s128(v), bg::of(v).get_str());
  }
  for (int k = 0; k < count(300); ++k) {
    Matrix M = genAny(r);
    if (r.chance(10)) M[0][0] = r.pick(kEdge);
    if (r.chance(10)) M[0][1] = r.pick(kEdge);
    const std::string in = mat(M);
    bg::BigMatrix B = bg::of(M);
    // Scaled by a big number in places, with a big factor: the normal form has something to divide.
    const mpz_class f = bg::of(static_cast<i128>(bits128(r, bitLength(r)) >> 1)) + 1;
    const bool scale = r.chance(50);
    if (scale)
      for (size_t i = 1; i <= 12; ++i)
        for (size_t j = 1; j <= 12; ++j) B[i][j] *= f;
    if (r.chance(30)) B[0][2] *= f;
    if (r.chance(20)) B[0][0] = f;
    const int32_t rows = bg::rowsOf(B), cols = bg::colsOf(B);
    fillStack();
    bg::normalize(B);
    const size_t bits = bg::bits(B);
    Matrix back = gen(r, 2, 2);
    const bool stored = bg::store(B, back);
    Hash h;
    for (const auto& row : B)
      for (const auto& v : row) h.add(v.get_str(16));
    put("big::normalize", in + " scale=" + f.get_str() + " " + bstr(scale),
         str(rows) + "x" + str(cols) + " " + B[0][2].get_str() + "/" + B[0][3].get_str() + " bits=" + str(int64_t(bits)) +
             " #" + hex(h.h) + " store=" + bstr(stored) + " " + mat(back));
  }
}

void sectionBareiss() {
  Rng r(5);
  for (int k = 0; k < count(400); ++k) {
    const int n = dimension(r);
    const int width = static_cast<int>(r.range(n, std::min(24, 2 * n + 1)));
    const bool jordan = r.chance(50);
    const Matrix A = gen(r, n, std::min(width, 12), false), B = gen(r, n, 12, false);
    // The cells a caller can use (n <= 12 rows, width <= 2n columns): junk beyond n x width, all compared, so that
    // a write beyond shows. Further cells of the array are no caller's: neither filled nor compared.
    constexpr int kRows = core::kMax, kCols = 2 * core::kMax;
    ar::detail::BareissArray w;
    for (int i = 0; i < kRows; ++i)
      for (int j = 0; j < kCols; ++j)
        w[i][j] = i < n && j < width ? (j < 12 ? A[i + 1][j + 1] : B[i + 1][j - 11]) : static_cast<int64_t>(r.next());
    std::string in = str(n) + "x" + str(width) + " jordan=" + bstr(jordan) + ":";
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < width; ++j) in += " " + str(w[i][j]);
      in += " ;";
    }
    fillStack();
    const ar::detail::BareissResult res = ar::detail::bareiss(w, n, width, jordan);
    std::string out = str(static_cast<int>(res.outcome)) + " col=" + str(res.column) + " odd=" + bstr(res.oddSwaps);
    // After an overflow the array is spoilt by contract.
    if (res.outcome != ar::detail::Elimination::kOverflow) {
      Hash h;
      for (int i = 0; i < kRows; ++i)
        for (int j = 0; j < kCols; ++j) h.add(static_cast<uint64_t>(w[i][j]));
      out += " #" + hex(h.h);
      if (n >= 1) out += " last=" + str(w[n - 1][n - 1]) + " first=" + str(w[0][0]);
    }
    put("bareiss", in, out);
  }
}

// ---------------------------------------------------------------------------------------------------------------
// src/arithmetic/algebra.h

// Matrices whose powers stay exact a long way or blow up at once.
Matrix powerBase(Rng& r) {
  const int n = dimension(r);
  Matrix M{};
  M[0][0] = M[0][1] = n;
  M[0][2] = M[0][3] = 1;
  switch (r.range(0, 9)) {
    case 0: {  // nilpotent, with small or big entries: powers beyond 64 bits on the way, then 0
      const int cls = r.chance(50) ? 0 : r.pick({1, 2, 3, 7});
      for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) M[i][j] = r.chance(30) ? 0 : value(r, cls);
      break;
    }
    case 1:  // unipotent
      for (int i = 1; i <= n; ++i) {
        M[i][i] = 1;
        for (int j = i + 1; j <= n; ++j) M[i][j] = r.range(-2, 2);
      }
      break;
    case 2:  // 2I or I/2
      for (int i = 1; i <= n; ++i) M[i][i] = 1;
      if (r.chance(50)) M[0][2] = 2;
      else M[0][3] = 2;
      break;
    case 3:  // a permutation with signs
      for (int i = 1; i <= n; ++i) M[i][i % n + 1] = r.chance(80) ? 1 : -1;
      break;
    case 4:  // 1 x 1 near 2^62
      M = Matrix{};
      M[0] = {1, 1, 1, 1};
      M[1][1] = r.chance(50) ? kP62 : r.pick(kEdge);
      if (r.chance(30)) M[0][2] = r.pick(kEdge);
      break;
    default:
      M = gen(r, n, n);
      if (r.chance(20)) M[0][1] = n + 1;  // not square
  }
  if (r.chance(30)) junk(r, M, n, n);
  return M;
}

void sectionAlgebra() {
  Rng r(6);
  for (int k = 0; k < count(500); ++k) {
    const int rows = dimension(r), inner = dimension(r), cols = dimension(r);
    const Matrix A = gen(r, rows, inner);
    Matrix B = gen(r, r.chance(85) ? inner : dimension(r), cols);
    Matrix R = gen(r, 3, 3);
    const std::string in = mat(A) + " " + mat(B) + " " + mat(R);
    ar::RecordingContext c;
    fillStack();
    ar::MatMult(c, A, B, R);
    put("MatMult", in, mat(R) + " " + ctxs(c));
  }
  // Rows and columns of one value at the ends of the range: sums of equal products that pass 2^127 and 2^128.
  const int64_t ends[] = {INT64_MIN, INT64_MAX, -INT64_MAX, 3 * (int64_t{1} << 61), kP62, -kP62};
  for (const int inner : {2, 3, 4, 5, 8, 12})
    for (const int64_t v : ends)
      for (const int64_t u : ends) {
        Matrix A{}, B{}, R{};
        A[0] = {2, inner, 1, 1};
        B[0] = {inner, 2, 1, 1};
        for (int k = 1; k <= inner; ++k) {
          A[1][k] = v, A[2][k] = k % 2 == 0 ? u : v;
          B[k][1] = u, B[k][2] = k % 3 == 0 ? v : u;
        }
        ar::RecordingContext c;
        fillStack();
        ar::MatMult(c, A, B, R);
        put("MatMult.ends", mat(A) + " " + mat(B), mat(R) + " " + ctxs(c));
      }
  // A product, a sum and a denominator that land one beyond the ends of the range beside a 1: (v, u) (1 0; 1 1)
  // and (v, u) + (u, 0) give (v + u, u); 1/3 times 1/d gives 1/(3d), also -2^63 - 1.
  for (const int64_t v : {INT64_MIN, INT64_MIN + 1, INT64_MAX, INT64_MAX - 1})
    for (const int64_t u : {int64_t{-1}, int64_t{1}}) {
      Matrix A{}, B{}, S{}, R{}, T{};
      A[0] = {1, 2, 1, 1}, A[1][1] = v, A[1][2] = u;
      B[0] = {2, 2, 1, 1}, B[1][1] = B[2][1] = B[2][2] = 1;
      S[0] = {1, 2, 1, 1}, S[1][1] = u;
      ar::RecordingContext c, c2;
      fillStack();
      ar::MatMult(c, A, B, R);
      fillStack();
      ar::MatPlus(c2, A, S, T);
      put("MatMult.MatPlus.ends", str(v) + " " + str(u), mat(R) + " " + ctxs(c) + " " + mat(T) + " " + ctxs(c2));
    }
  for (const int64_t d : {int64_t{3074457345618258603}, int64_t{-3074457345618258603}, int64_t{3074457345618258602},
                          int64_t{-3074457345618258602}}) {
    Matrix M{};
    M[0] = {1, 1, 1, d}, M[1][1] = 1;
    ar::RecordingContext c;
    fillStack();
    ar::MatSkalMul(c, 1, 3, M);
    put("MatSkalMul.ends", "1/" + str(d) + " * 1/3", mat(M) + " " + ctxs(c));
  }
  for (int k = 0; k < count(600); ++k) {
    const int rows = dimension(r), cols = dimension(r);
    Matrix A = gen(r, rows, cols), B = gen(r, rows, cols), R = gen(r, 2, 2);
    if (r.chance(10)) B[0][1] = cols % 12 + 1;
    // Factors that push the numerators over a common denominator beyond 64 bits.
    if (r.chance(30)) {
      A[0][3] = r.chance(50) ? r.range(2, 9) : value(r, 2);
      B[0][2] = r.chance(50) ? r.pick(kEdge) : value(r, 4);
    }
    const std::string in = mat(A) + " " + mat(B) + " " + mat(R);
    ar::RecordingContext c;
    const int64_t alias = r.range(0, 4);
    fillStack();
    if (alias == 0)
      ar::MatPlus(c, A, B, A);
    else if (alias == 1)
      ar::MatPlus(c, A, B, B);
    else
      ar::MatPlus(c, A, B, R);
    put("MatPlus", in + " into=" + str(alias), mat(A) + " " + mat(B) + " " + mat(R) + " " + ctxs(c));
  }
  for (int k = 0; k < count(300); ++k) {
    Matrix M = genAny(r);
    const int64_t z = r.chance(50) ? r.pick(kEdge) : value(r, sizeClass(r));
    const int64_t n = r.chance(50) ? r.pick(kEdge) : value(r, sizeClass(r));
    const std::string in = mat(M) + " " + str(z) + "/" + str(n);
    ar::RecordingContext c;
    fillStack();
    ar::MatSkalMul(c, z, n, M);
    put("MatSkalMul", in, mat(M) + " " + ctxs(c));
  }
  const int32_t exponents[] = {0, 1, 2, 3, 4, 5, 7, 11, 12, 13, 31, 64, 1000, 65536, 2147483647, 2147483646, 1073741824,
                               -1, INT32_MIN};
  for (int k = 0; k < count(400); ++k) {
    const Matrix A = powerBase(r);
    const int32_t p = r.chance(80) ? r.pick(exponents) : static_cast<int32_t>(r.range(0, INT32_MAX));
    Matrix B = gen(r, 2, 3);
    const bool alias = r.chance(20);
    const std::string in = mat(A) + " p=" + str(p) + (alias ? " into A" : " " + mat(B));
    ar::RecordingContext c;
    Matrix A2 = A;
    fillStack();
    ar::MatPot(c, A2, p, alias ? A2 : B);
    put("MatPot", in, mat(alias ? A2 : B) + " " + ctxs(c));
  }
  for (int k = 0; k < count(120); ++k) {
    Matrix A = genAny(r), B = gen(r, 4, 4);
    const std::string in = mat(A) + " " + mat(B);
    fillStack();
    if (k % 3 == 0) {
      ar::Transponieren(A, A);
      B = A;
    } else {
      ar::Transponieren(A, B);
    }
    put("Transponieren", in, mat(B));
  }
}

// ---------------------------------------------------------------------------------------------------------------
// Determinant, Cramer, diagonal, elimination, fraction, inverse, orthogonal, quotient, random, rank, row
// operations, trace

void sectionDeterminant() {
  Rng r(7);
  for (int k = 0; k < count(600); ++k) {
    Matrix A = genSquare(r);
    if (r.chance(5)) A[0][0] = r.pick(kEdge);
    ar::RecordingContext c;
    fillStack();
    const int64_t d = ar::Det(c, A);
    put("Det", mat(A), str(d) + " " + ctxs(c));
    const auto n = static_cast<int32_t>(std::clamp<int64_t>(A[0][0], -1, 13));
    const int32_t js[] = {-1, 0, 1, 2, n - 1, n, n + 1, 12, 13};
    const int32_t j = r.pick(js);
    Matrix B = gen(r, 5, 5);
    fillStack();
    ar::Untermatrix(A, j, B);
    put("Untermatrix", mat(A) + " j=" + str(j), mat(B));
    Matrix S = gen(r, n, n + 1);
    Matrix T = gen(r, 2, 2);
    fillStack();
    ar::Cramermatrix(S, j, T);
    put("Cramermatrix", mat(S) + " j=" + str(j), mat(T));
  }
}

void sectionCramer() {
  Rng r(8);
  for (int k = 0; k < count(500); ++k) {
    const int n = r.chance(30) ? (r.chance(50) ? 1 : 11) : static_cast<int>(r.range(1, 11));
    Matrix S = gen(r, n, n + 1, true, r.chance(30) ? (r.chance(50) ? kUnimodular : kEdgeSteps) : -1);
    if (r.chance(8)) S[0][1] = n;
    if (r.chance(6)) {
      static const int64_t heads[] = {-1, 0, 1, 11, 12, 13, INT64_MIN, INT64_MAX};
      S[0][0] = r.pick(heads);
      S[0][1] = r.chance(70) && S[0][0] != INT64_MAX ? S[0][0] + 1 : r.pick(heads);
    }
    std::array<ar::BruchT, ar::kCramerMax> x;
    for (auto& b : x) b = ar::BruchT{.N = -3, .Z = 5};
    ar::RecordingContext c;
    fillStack();
    const ar::CramerFall f = ar::CramerBrueche(c, S, x);
    std::string out = str(static_cast<int>(f)) + " " + ctxs(c);
    for (const auto& b : x) out += " " + str(b.Z) + "/" + str(b.N);
    put("CramerBrueche", mat(S), out);
    std::array<double, ar::kCramerMax> y;
    y.fill(-0.25);
    fillStack();
    const ar::CramerFall g = ar::CramerDezimal(S, y);
    out = str(static_cast<int>(g));
    for (const double v : y) out += " " + dbl(v);
    put("CramerDezimal", mat(S), out);
  }
}

template <size_t C>
void diagonalOn(Rng& r, const char* name) {
  for (int k = 0; k < count(300); ++k) {
    ar::Grid<C> M{};
    const int rows = dimension(r);
    const int cols = C == 13 ? dimension(r) : static_cast<int>(r.range(1, 24));
    const Matrix A = gen(r, rows, std::min(cols, 12));
    for (size_t i = 0; i < 13; ++i)
      for (size_t j = 0; j < C; ++j) M[i][j] = j < 13 ? A[i][j] : (r.chance(60) ? value(r, sizeClass(r)) : 0);
    M[0][1] = cols;
    if (r.chance(30))
      for (int i = 1; i <= std::min(rows, cols); ++i) M[i][i] = r.chance(90) ? value(r, r.chance(50) ? 2 : 0) | 1 : 0;
    const std::string in = mat(M);
    ar::RecordingContext c;
    fillStack();
    ar::Vereinheitlichen(c, M);
    put(std::string("Vereinheitlichen") + name, in, mat(M) + " " + ctxs(c));
  }
}

void sectionDiagonal() {
  Rng r(9);
  diagonalOn<13>(r, "13");

}

void sectionElimination() {
  Rng r(10);
  auto run = [&](const Matrix& M, int32_t zz, int32_t sz, bool own) {
    Matrix A = M;
    ar::RecordingContext c;
    fillStack();
    if (own)
      ar::Verfahren(c, A);
    else
      ar::Verfahren(c, A, zz, sz);
    put("Verfahren", mat(M) + (own ? " own" : " zz=" + str(zz) + " sz=" + str(sz)), mat(A) + " " + ctxs(c));
  };
  // A system of more rows than columns, as the grid holds it.
  Matrix T{};
  T[0] = {4, 3, 1, 1};
  const int64_t t[4][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}, {1, 1, 1}};
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 3; ++j) T[i + 1][j + 1] = t[i][j];
  run(T, 4, 3, false);
  run(T, 4, 3, true);
  for (int k = 0; k < count(800); ++k) {
    const int rows = dimension(r), cols = dimension(r);
    Matrix M = gen(r, rows, cols);
    if (r.chance(5)) M[0][0] = r.pick({-1, 0, 13, -12});
    if (r.chance(5)) M[0][1] = r.pick({-1, 0, 13, 24});
    const int32_t counts[] = {rows, cols, rows - 1, cols - 1, rows + 1, cols + 1, 0, 12, 13, -1};
    const int choice = static_cast<int>(r.range(0, 3));
    if (choice == 0)
      run(M, 0, 0, true);
    else if (choice == 1)
      run(M, rows, cols, false);
    else
      run(M, r.pick(counts), r.pick(counts), false);
    const auto j = static_cast<int32_t>(r.range(-1, 13));
    fillStack();
    put("IstNullspalte", mat(M) + " j=" + str(j), bstr(ar::IstNullspalte(M, j)));
  }
}

void sectionFraction() {
  Rng r(11);
  {
    const ar::BruchT b;
    put("BruchT", "default", str(b.Z) + "/" + str(b.N) + " null=" + bstr(b.IstNull()) + " def=" + bstr(b.IstDefiniert()));
  }
  auto any = [&] { return r.chance(40) ? r.pick(kEdge) : value(r, sizeClass(r)); };
  for (int k = 0; k < count(600); ++k) {
    ar::BruchT a{.N = any(), .Z = any()}, b{.N = any(), .Z = any()};
    if (r.chance(30)) b.N = wrapMul(a.N, r.range(-3, 3)) ^ (r.chance(50) ? 0 : 1);
    const std::string in = str(a.Z) + "/" + str(a.N) + " " + str(b.Z) + "/" + str(b.N);
    ar::RecordingContext c;
    ar::BruchT red = a, sum{.N = 9, .Z = 9}, inv{.N = 8, .Z = 8}, prod{.N = 7, .Z = 7};
    fillStack();
    red.Kuerzen(c);
    a.Plus(c, b, sum);
    a.Kehrwert(c, inv);
    a.Mal(c, b, prod);
    put("BruchT", in,
         str(red.Z) + "/" + str(red.N) + " + " + str(sum.Z) + "/" + str(sum.N) + " inv " + str(inv.Z) + "/" +
             str(inv.N) + " * " + str(prod.Z) + "/" + str(prod.N) + " null=" + bstr(a.IstNull()) +
             " def=" + bstr(a.IstDefiniert()) + " " + ctxs(c));
  }
}

void sectionInverse() {
  Rng r(12);
  for (int k = 0; k < count(600); ++k) {
    Matrix S = genSquare(r);
    if (r.chance(8)) S[0][1] = S[0][0] % 12 + 1;
    if (r.chance(3)) S[0][0] = S[0][1] = r.pick(kEdge);
    Matrix R = gen(r, 3, 3);
    bool failed = r.chance(20);
    const std::string in = mat(S) + " " + mat(R) + " " + bstr(failed);
    ar::RecordingContext c;
    fillStack();
    ar::Invertieren(c, S, R, failed);
    put("Invertieren", in, mat(R) + " failed=" + bstr(failed) + " " + ctxs(c));
  }
  // 2 x 2 matrices with an entry from the edge list and a determinant of +-1 or +-2: inverses whose entries
  // reach 2^63 or stop just short of it.
  for (const int64_t a : kEdge)
    for (const int64_t b : {1, -1, 2})
      for (const int64_t d : {1, -1})
        for (const int64_t D : {1, -1, 2}) {
          // a*d - b*c = D
          const i128 bc = static_cast<i128>(a) * d - D;
          if (bc % b != 0 || !ar::exact::fits64(bc / b)) continue;
          Matrix S{}, R{};
          S[0] = {2, 2, 1, 1};
          S[1][1] = a, S[1][2] = b, S[2][1] = static_cast<int64_t>(bc / b), S[2][2] = d;
          bool failed = false;
          ar::RecordingContext c;
          fillStack();
          ar::Invertieren(c, S, R, failed);
          put("Invertieren.edge", mat(S), mat(R) + " failed=" + bstr(failed) + " " + ctxs(c));
        }
}

// B A^-1 (lin.Abb.): A of every kind, B of A's columns or not, and B = C A for a small C, whose result fits
// also where A^-1 leaves 64 bits.
void sectionAbbildung() {
  Rng r(31);
  for (int k = 0; k < count(600); ++k) {
    const Matrix A = genSquare(r);
    const int n = std::clamp(static_cast<int>(A[0][1]), 1, 12), zeilen = dimension(r);
    Matrix B = gen(r, zeilen, r.chance(90) ? n : dimension(r));
    if (r.chance(40) && B[0][1] == n) {
      const Matrix C = gen(r, zeilen, n, false, kRandom);
      for (int i = 1; i <= zeilen; ++i)
        for (int j = 1; j <= n; ++j) {
          i128 v = 0;
          for (int t = 1; t <= n; ++t) v += static_cast<i128>(C[i][t] % 4) * A[t][j];
          B[i][j] = ar::exact::fits64(v) ? static_cast<int64_t>(v) : 0;
        }
    }
    Matrix R = gen(r, 3, 3);
    bool failed = r.chance(20);
    const std::string in = mat(A) + " " + mat(B) + " " + mat(R) + " " + bstr(failed);
    ar::RecordingContext c;
    fillStack();
    ar::Abbildungsmatrix(c, A, B, R, failed);
    put("Abbildungsmatrix", in, mat(R) + " failed=" + bstr(failed) + " " + ctxs(c));
  }
}

void sectionOrthogonal() {
  Rng r(13);
  for (int k = 0; k < count(500); ++k) {
    Matrix M = genAny(r);
    const std::string in = mat(M);
    ar::RecordingContext c;
    Matrix A = M;
    fillStack();
    ar::Orthnorm(c, A);
    put("Orthnorm", in, mat(A) + " " + ctxs(c));
    const auto j = static_cast<int32_t>(r.range(-1, 13)), kk = static_cast<int32_t>(r.range(-1, 13));
    ar::RecordingContext c2;
    fillStack();
    const int64_t s = ar::SkalProd(c2, M, j, kk);
    const int64_t q = ar::NormQ(c2, M, j);
    put("SkalProd", in + " " + str(j) + " " + str(kk), str(s) + " " + str(q) + " " + ctxs(c2));
    A = M;
    bool null = r.chance(30);
    const bool before = null;
    fillStack();
    ar::SpalteKuerzen(A, kk, null);
    put("SpalteKuerzen", in + " " + str(kk) + " " + bstr(before), mat(A) + " " + bstr(null));
  }
}

void sectionQuotient() {
  Rng r(14);
  for (int k = 0; k < count(600); ++k) {
    const int64_t a = r.chance(30) ? r.pick(kEdge) : value(r, sizeClass(r));
    int64_t b = r.chance(30) ? r.pick(kEdge) : value(r, sizeClass(r));
    if (b == 0) b = 3;
    fillStack();
    put("Dezimalquotient", str(a) + " " + str(b), dbl(ar::Dezimalquotient(a, b)));
  }
  // Big operands: products of 64-bit values, powers of two near the ends of the doubles, ties.
  for (int k = 0; k < count(600); ++k) {
    mpz_class a = 1, b = 1;
    const int kind = static_cast<int>(r.range(0, 4));
    if (kind == 0) {
      for (int i = static_cast<int>(r.range(1, 20)); i > 0; --i) a *= static_cast<long>(value(r, 5) | 1);
      for (int i = static_cast<int>(r.range(1, 20)); i > 0; --i) b *= static_cast<long>(value(r, 5) | 1);
    } else if (kind == 1) {
      a = r.range(-7, 7);
      b = 1;
      b <<= static_cast<mp_bitcnt_t>(r.range(1015, 1090));
      if (r.chance(50)) b += r.range(-3, 3);
    } else if (kind == 2) {
      a = 1;
      a <<= static_cast<mp_bitcnt_t>(r.range(1000, 1100));
      a += r.range(-1, 1);
      b = r.range(1, 5);
    } else if (kind == 3) {
      // (2^53 + 1) / 2 and neighbours: halfway cases.
      a = 1;
      a <<= static_cast<mp_bitcnt_t>(r.range(53, 120));
      a += r.range(-3, 3);
      b = 2;
      b <<= static_cast<mp_bitcnt_t>(r.range(0, 60));
    } else {
      a = static_cast<long>(value(r, sizeClass(r)));
      b = static_cast<long>(value(r, sizeClass(r)) | 1);
    }
    if (r.chance(50)) b = -b;
    if (b == 0) b = 1;
    fillStack();
    put("Dezimalquotient.mpz", a.get_str(16) + " " + b.get_str(16), dbl(ar::Dezimalquotient(a, b)));
  }
  // Quotients near 2^-1021, where the two ways of rounding meet, with random low bits.
  for (int k = 0; k < count(400); ++k) {
    const auto la = static_cast<mp_bitcnt_t>(r.range(1, 200));
    mpz_class a = static_cast<unsigned long>(r.next()), b = static_cast<unsigned long>(r.next());
    for (mp_bitcnt_t bits = 64; bits < la + 1030; bits += 64) {
      a = (a << 64) + static_cast<unsigned long>(r.next());
      b = (b << 64) + static_cast<unsigned long>(r.next());
    }
    mpz_class one = 1;
    a = a % (one << la) + (one << (la - 1));
    const auto lb = static_cast<mp_bitcnt_t>(static_cast<int64_t>(la) + r.range(1018, 1024));
    b = b % (one << lb) + (one << (lb - 1));
    if (r.chance(30)) a = -a;
    fillStack();
    put("Dezimalquotient.fine", a.get_str(16) + " " + b.get_str(16), dbl(ar::Dezimalquotient(a, b)));
  }
  // Exact halves of the smallest steps: ties to even.
  for (const long a : {1, 3, 5, 7, -1, -3, 9, 15})
    for (mp_bitcnt_t e = 1072; e <= 1080; ++e) {
      mpz_class b = 1;
      b <<= e;
      put("Dezimalquotient.tie", str(a) + " 2^" + str(static_cast<int64_t>(e)), dbl(ar::Dezimalquotient(a, b)));
    }
}

// Calls that take FLINT's way beyond 64 bits, many of them, so that a value FLINT holds and nobody releases
// shows as a leak at the end of the run.
void sectionFlint() {
  Rng r(23);
  auto big = [&r](int rows, int cols) {
    Matrix M{};
    M[0] = {rows, cols, 1, 1};
    for (int i = 1; i <= rows; ++i)
      for (int j = 1; j <= cols; ++j) M[i][j] = value(r, r.chance(80) ? 5 : 4);
    return M;
  };
  for (int k = 0; k < count(400); ++k) {
    const int n = static_cast<int>(r.range(2, 11));
    const Matrix A = big(n, n), S = big(n, n + 1);
    ar::RecordingContext c;
    fillStack();
    const int64_t d = ar::Det(c, A);
    Matrix R{};
    bool failed = false;
    fillStack();
    ar::Invertieren(c, A, R, failed);
    std::array<ar::BruchT, ar::kCramerMax> x{};
    std::array<double, ar::kCramerMax> y{};
    fillStack();
    const ar::CramerFall f = ar::CramerBrueche(c, S, x);
    fillStack();
    const ar::CramerFall g = ar::CramerDezimal(S, y);
    // Rank below full with big entries: the primes cannot settle it.
    Matrix L = gen(r, n, n, false, kLowRank);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) L[i][j] = wrapMul(L[i][j], int64_t{1} << 40) | (i == j && r.chance(10) ? 1 : 0);
    L[0][2] = 1;
    fillStack();
    const int32_t rank = ar::Rang(c, L);
    std::string out = str(d) + " " + mat(R) + " " + bstr(failed) + " " + str(static_cast<int>(f)) + " " +
                      str(static_cast<int>(g)) + " " + str(rank);
    for (int i = 0; i < n; ++i) out += " " + str(x[static_cast<size_t>(i)].Z) + "/" + str(x[static_cast<size_t>(i)].N) + " " + dbl(y[static_cast<size_t>(i)]);
    put("flint", mat(A) + " " + mat(S) + " " + mat(L), out + " " + ctxs(c));
  }
  // FLINT keeps its big integers in blocks of a few thousand: one that is never released shows as a leak only
  // once such a block is used up, after some ten thousand calls. One line per batch of calls.
  constexpr int kBatch = 250, kBatches = 48;  // the whole length also with --quick
  for (int batch = 0; batch < kBatches; ++batch) {
    Hash h;
    ar::RecordingContext c;
    for (int k = 0; k < kBatch; ++k) {
      const Matrix A = big(2, 2), S = big(2, 3);
      fillStack();
      h.add(static_cast<uint64_t>(ar::Det(c, A)));
      Matrix R{};
      bool failed = false;
      fillStack();
      ar::Invertieren(c, A, R, failed);
      h.add(static_cast<uint64_t>(R[1][1]));
      std::array<ar::BruchT, ar::kCramerMax> x{};
      std::array<double, ar::kCramerMax> y{};
      fillStack();
      h.add(static_cast<uint64_t>(ar::CramerBrueche(c, S, x)));
      fillStack();
      h.add(static_cast<uint64_t>(ar::CramerDezimal(S, y)));
      Matrix L{};
      fillStack();
      ar::Abbildungsmatrix(c, A, A, L, failed);
      h.add(static_cast<uint64_t>(L[1][1]));
      h.add(static_cast<uint64_t>(x[0].Z));
      h.add(std::bit_cast<uint64_t>(y[1]));
    }
    put("flint.batch", "seed 23 batch " + str(batch) + " of " + str(kBatch) + " 2x2 and 2x3 calls",
        "#" + hex(h.h) + " " + ctxs(c).substr(0, 9) + " boxes=" + str(static_cast<int64_t>(c.messages.size())));
  }
}

void sectionRandom() {
  Rng r(15);
  for (int k = 0; k < count(300); ++k) {
    const int32_t ns[] = {-1, 0, 1, 2, 3, 5, 11, 12, 13};
    const int32_t n = r.chance(50) ? r.pick(ns) : static_cast<int32_t>(r.range(1, 12));
    const int64_t d = r.chance(60) ? r.pick(kEdge) : value(r, sizeClass(r));
    std::vector<int64_t> script;
    const int cls = r.chance(70) ? 0 : sizeClass(r);
    for (int i = 0; i < 200; ++i) script.push_back(r.chance(30) ? 0 : value(r, cls));
    size_t used = 0;
    Matrix M = gen(r, 3, 3);
    ar::RecordingContext c;
    const std::string in = "n=" + str(n) + " d=" + str(d) + " cls=" + str(cls) + " " + mat(M);
    fillStack();
    ar::Zufallsmatrix(c, n, d, [&] { return script[used++ % script.size()]; }, M);
    put("Zufallsmatrix", in, mat(M) + " drawn=" + str(static_cast<int64_t>(used)) + " " + ctxs(c));
  }
}

void sectionRank() {
  Rng r(16);
  Matrix D{};
  D[0] = {2, 2, 1, 1};
  D[1][1] = D[2][2] = 2147483647;
  for (int k = 0; k < count(800) + 1; ++k) {
    Matrix M = k == 0 ? D : genAny(r);
    const int32_t counts[] = {0, 1, 5, 11, 12, 13, -1};
    const bool own = r.chance(40);
    const int32_t zz = r.chance(50) ? static_cast<int32_t>(M[0][0]) : r.pick(counts);
    const int32_t sz = r.chance(50) ? static_cast<int32_t>(M[0][1]) : r.pick(counts);
    const std::string in = mat(M) + (own ? " own" : " " + str(zz) + " " + str(sz));
    ar::RecordingContext c;
    fillStack();
    const int32_t rank = own ? ar::Rang(c, M) : ar::Rang(c, M, zz, sz);
    put("Rang", in, str(rank) + " " + mat(M) + " " + ctxs(c));
  }
}

template <size_t C>
void rowopsOn(Rng& r, const char* name) {
  const std::string suffix = name;
  for (int k = 0; k < count(240); ++k) {
    ar::Grid<C> M{};
    const int rows = dimension(r), cols = static_cast<int>(r.range(1, static_cast<int64_t>(C) - 1));
    const Matrix A = gen(r, rows, std::min(cols, 12));
    for (size_t i = 0; i < 13; ++i)
      for (size_t j = 0; j < C; ++j) M[i][j] = j < 13 ? A[i][j] : (r.chance(50) ? value(r, sizeClass(r)) : 0);
    M[0][1] = r.chance(10) ? r.pick(kEdge) : cols;
    const auto i = static_cast<int32_t>(r.chance(90) ? r.range(1, rows) : r.range(-1, 13));
    const auto j = static_cast<int32_t>(r.chance(90) ? r.range(1, rows) : r.range(-1, 13));
    const int64_t a = r.chance(40) ? r.pick(kEdge) : value(r, sizeClass(r));
    const int64_t b = r.chance(40) ? r.pick(kEdge) : value(r, sizeClass(r));
    const std::string in = mat(M) + " i=" + str(i) + " j=" + str(j) + " a=" + str(a) + " b=" + str(b);
    ar::Grid<C> X = M;
    ar::RecordingContext c;
    fillStack();
    ar::Zeilentrans(c, X, i, a, b, j);
    put("Zeilentrans" + suffix, in, mat(X) + " " + ctxs(c));
    X = M;
    fillStack();
    ar::Zeilentausch(X, i, j);
    put("Zeilentausch" + suffix, in, mat(X));
    X = M;
    fillStack();
    ar::ZeileKuerzen(X, i);
    put("ZeileKuerzen" + suffix, in, mat(X));
    X = M;
    const auto zz = static_cast<int32_t>(r.range(-1, 13)), sz = static_cast<int32_t>(r.range(-1, 25));
    fillStack();
    ar::ZeileLoeschen(X, i, zz, sz);
    put("ZeileLoeschen" + suffix, in + " " + str(zz) + " " + str(sz), mat(X));
    fillStack();
    put("IstNullzeile" + suffix, in + " " + str(sz), bstr(ar::IstNullzeile(M, i, sz)));
    X = M;
    ar::RecordingContext c2;
    fillStack();
    ar::Zeilenmult(c2, X, i, a);
    put("Zeilenmult" + suffix, in, mat(X) + " " + ctxs(c2));
  }
}

void sectionRowops() {
  Rng r(17);
  rowopsOn<13>(r, "13");
  rowopsOn<25>(r, "25");
}

void sectionTrace() {
  Rng r(18);
  for (int k = 0; k < count(200); ++k) {
    Matrix M = genAny(r);
    if (r.chance(30))
      for (int i = 1; i <= 12; ++i) M[i][i] = value(r, 4);
    ar::RecordingContext c;
    fillStack();
    const int64_t s = ar::Spur(c, M);
    put("Spur", mat(M), str(s) + " " + ctxs(c));
  }
}

// ---------------------------------------------------------------------------------------------------------------
// src/terms/

terms::Vorzeichenpaare startPairs() {
  terms::Vorzeichenpaare V{};
  V[1] = {"+-", "-"};
  V[2] = {"**", "*"};
  V[3] = {"*+", "*"};
  V[4] = {"-+", "-"};
  V[5] = {"++", "+"};
  V[6] = {"--", "+"};
  V[0][0] = "6";
  return V;
}

const char* const kNumbers[] = {"0", "1", "2", "3", "7", "10", "12", "4294967296", "2147483647", "2147483648",
                                "4611686018427387904", "9223372036854775807", "9223372036854775808",
                                "3037000500", "99999999999999999999", "6148914691236517205"};
const char* const kExponents[] = {"0", "1", "2", "3", "5", "31", "2147483647", "2147483648", "4294967296",
                                  "9223372036854775807", "99999999999999999999", "-1", "-2", "-0", "(2)",
                                  "1/2", "-(3)", "(-1)", "2/1", "1073741824", "12", "(1/2+1/2)", "(4/2)",
                                  "(2/1*1)", "1152921505680588800", "3221225477", "4611686018427387904"};

// A number: mostly small, now and then one of the big ones.
std::string number(Rng& r) { return r.chance(70) ? str(r.range(0, 12)) : r.pick(kNumbers); }
std::string coefficient(Rng& r) {
  switch (r.range(0, 5)) {
    case 0:
      return "(" + number(r) + "/" + number(r) + "+" + number(r) + "/" + std::to_string(r.range(1, 9)) + ")";
    case 1:
    case 2:
      return number(r) + "/" + (r.chance(4) ? "0" : r.chance(70) ? std::to_string(r.range(1, 12)) : r.pick(kNumbers));
    default:
      return number(r);
  }
}

// A term of the language: sums of products of an optional number and matrices, powers and brackets; now and
// then a fault or a blank.
std::string genTerm(Rng& r, int depth) {
  std::string t;
  if (r.chance(15)) t += r.chance(70) ? "-" : "+";
  const int summands = static_cast<int>(r.range(1, depth > 0 ? 3 : 2));
  for (int i = 0; i < summands; ++i) {
    if (i > 0) {
      static const char* ops[] = {"+", "-", "+", "-", "+-", "--", "-+"};
      t += r.pick(ops);
    }
    if (r.chance(40)) t += coefficient(r) + (r.chance(10) ? "*-" : "*");
    const int factors = static_cast<int>(r.range(1, 2));
    for (int k = 0; k < factors; ++k) {
      if (k > 0) t += "*";
      if (depth > 0 && r.chance(25))
        t += "(" + genTerm(r, depth - 1) + ")";
      else
        t += "ABCDFGHXX"[r.range(0, 8)];
      if (r.chance(25)) t += std::string("^") + r.pick(kExponents);
    }
    if (r.chance(10)) t += "*" + coefficient(r);
  }
  if (r.chance(10)) {
    static const char* faults[] = {"+", "*", "/", "^", "(", ")", ".", ";", "E", "e", "2 5", "//", "^^", "A",
                                   "/A", "--", "+*", "\t", "3+", "-", "-", "*-"};
    t.insert(static_cast<size_t>(r.range(0, static_cast<int64_t>(t.size()))), r.pick(faults));
  }
  if (r.chance(8)) t.insert(static_cast<size_t>(r.range(0, static_cast<int64_t>(t.size()))), " ");
  return t;
}

const char* const kTerms[] = {
    "4294967296/3*4294967296*X", "33899982933222623/447369*154671/101699948799667869*X",
    "8681198717/13751392275*337420702200444895/773343275361094765*X", "X^2147483647", "X^2147483648", "X^4294967296",
    "X^9223372036854775807", "X^99999999999999999999", "A^-1", "B^-1", "D^-1", "(A+B)^2",
    "2/3*A+(3/5+3/7)*B^-1+2*C^3", "A+A-A", "--A", "-A", "+A", "A^-0", "H^-0", "A^(2)", "((((A))))", "A(B+2)", "AB",
    "A/2", "A^4/2", "3/4/5*A", "3/0*A", "0/3*A", "A^2^3", "1/3*A+4611686018427387904*B", "A*B*C*D*F*G*H*X",
    "A+B+C+D+F+G+H+X+A", "1+2+3+4+5+6+7+8+9*A", "(A", "A)", ")A(", "()", "", " ", "A+", "*A", "A*", "2", "2/3",
    "2*3*X", "X^0", "X^1", "X^2", "X^31", "X^-2", "X^-(2)", "2^3*X", "X*2^3", "(2)^3*X", "A^X", "A^B", "X-X",
    "X+-X", "X*-1", "-1*X", "9223372036854775807*X", "9223372036854775808*X", "-9223372036854775807*X-X",
    "1/9223372036854775807*X", "X*(1/2+1/3)", "(1/2+1/3)*X", "A+(B+(C+(D+(F+(G+(H+X))))))", "A - B", "A + 2 5 * B",
    "2.5*A", "A;B", "E", "Y", "a", "X^2*X^-2", "G^-1*G", "F^12", "F^-12", "(X^2147483647)^2147483647",
    "1/4611686018427387904*X*4611686018427387904", "A-", "A--", "-", "(A-)", "A^2-", "2-", "A-(B)-", "A*-", "-(-A)",
    "A^-", "A^", "A^-(-1)", "B^-(-1)", "A^-(0-1)", "(3/+2)*A", "(3/4/5+2)*A", "(A)^2-B", "A^2147483648", "A^1152921505680588800", "B^3221225477", "A^4611686018427387904",
    "B^(2/1*1)", "A^(1/2+1/2)", "A^(4/2)", "A^-2147483648", "C^-4294967296", "C^1152921505680588801", "F^3", "F^2",
    "G^2", "H^9223372036854775807", "B^2147483648", "D^62", "D^63", "D^-62"};

// Stores of one kind per set, so that sums and products of one size find each other.
struct StoreSet {
  std::array<Matrix, 7> s{};
  Matrix X{};
};

std::vector<StoreSet> storeSets() {
  Rng r(19);
  std::vector<StoreSet> sets;
  auto square = [](int n, int64_t d, int64_t z, int64_t nn) {
    Matrix M{};
    M[0] = {n, n, z, nn};
    for (int i = 1; i <= n; ++i) M[i][i] = d;
    return M;
  };
  {
    // The edge cases: 2^62, 2I, I/2, diag(2^31 - 1), a 12 x 12 unimodular product, a non-square one, (1).
    StoreSet e;
    e.s[0] = square(1, kP62, 1, 1);
    e.s[1] = square(2, 1, 2, 1);
    e.s[2] = square(3, 1, 1, 2);
    e.s[3] = square(2, kP31 - 1, 1, 1);
    e.s[4] = gen(r, 12, 12);
    entries(r, e.s[4], 12, 12, kUnimodular);
    e.s[4][0][2] = e.s[4][0][3] = 1;
    e.s[5] = square(2, 1, 1, 1);  // [[1, 1024], [0, 1]]: its powers grow by 1024 a step
    e.s[5][1][2] = 1024;
    e.s[6] = gen(r, 2, 3);
    plainFactor(r, e.s[6]);
    e.X = square(1, 1, 1, 1);
    sets.push_back(e);
  }
  {
    // Powers that stay exact a long way, or come back: unipotent, of order 4, a nilpotent one beyond 64 bits
    // on the way, 2^k, a sign.
    StoreSet p;
    const int64_t big = int64_t{1} << 40;
    p.s[0] = square(2, 1, 1, 1), p.s[0][1][2] = 1;
    p.s[1] = square(2, 1, 1, 1), p.s[1][1][2] = 1024;
    p.s[2] = square(2, 0, 1, 1), p.s[2][1][2] = 1, p.s[2][2][1] = -1;
    p.s[3] = square(2, 1, 1, 1), p.s[3][1][1] = 2;
    p.s[4] = square(3, 0, 1, 1), p.s[4][1][2] = big, p.s[4][2][3] = big;
    p.s[5] = gen(r, 2, 3);
    plainFactor(r, p.s[5]);
    p.s[6] = square(2, 1, 1, 1), p.s[6][1][1] = -1;
    p.X = square(2, 1, 1, 1), p.X[1][2] = 2, p.X[2][1] = 3, p.X[2][2] = 4;
    sets.push_back(p);
  }
  for (const int n : {1, 1, 2, 3, 12}) {
    StoreSet t;
    for (auto& M : t.s) {
      M = gen(r, n, n);
      plainFactor(r, M);
    }
    t.X = gen(r, n, n);
    plainFactor(r, t.X);
    if (n == 3) t.s[5][0][3] = 0;  // a store taken while its denominator field showed 0
    if (n == 1) {
      // Factors near the ends, over denominators that make the sum's numerators wide.
      for (auto& M : t.s) {
        M[0][2] = r.pick(kEdge);
        M[0][3] = r.chance(50) ? r.range(1, 9) : value(r, r.chance(50) ? 2 : 4);
        if (M[0][3] == 0) M[0][3] = 3;
        M[1][1] = value(r, r.chance(50) ? 4 : 5);
      }
    }
    sets.push_back(t);
  }
  return sets;
}

void kalkuel(const char* name, const StoreSet& set, const terms::Vorzeichenpaare& V, std::string formel) {
  ar::RecordingContext c;
  terms::Termauswerter t(c, set.s, set.X, V);
  std::string cleaned = "(none)";
  t.Bereinigt = [&cleaned](const std::string& s) { cleaned = s; };
  Matrix out = set.X;
  out[5][5] = 55;
  const std::string in = esc(formel);
  fillStack();
  const bool ok = t.Kalkuel(formel, out);
  put(name, in, bstr(ok) + " " + esc(formel) + " " + esc(cleaned) + " " + mat(out) + " " + ctxs(c));
}

void sectionTerms() {
  Rng r(20);
  const terms::Vorzeichenpaare V = startPairs();
  const std::vector<StoreSet> sets = storeSets();
  for (size_t si = 0; si < sets.size(); ++si) {
    const std::string name = "Kalkuel" + str(static_cast<int64_t>(si));
    for (const char* t : kTerms) kalkuel(name.c_str(), sets[si], V, t);
    for (int k = 0; k < count(si == 0 ? 600 : 300); ++k) kalkuel(name.c_str(), sets[si], V, genTerm(r, 3));
  }
  // The steps on their own.
  for (int k = 0; k < count(300); ++k) {
    std::string whole = genTerm(r, 2);
    if (r.chance(30)) whole += std::string(1, "+-*/^()ABX0123456789 .;"[r.range(0, 22)]);
    // Half of them a view into a longer text: nothing beyond the view may count.
    const size_t cut = r.chance(50) ? whole.size() : static_cast<size_t>(r.range(0, static_cast<int64_t>(whole.size())));
    if (cut == whole.size() && r.chance(50)) whole += "/2)(";
    const std::string_view t = std::string_view(whole).substr(0, cut);
    const std::string in = esc(t) + " then " + esc(std::string_view(whole).substr(cut));
    std::string klasse = "?", token = "?";
    terms::Termauswerter::Analyse(t, klasse, token);
    int32_t i = -7, j = -7;
    terms::Termauswerter::HoleKlammern(t, i, j);
    put("term.static", in,
         bstr(terms::Termauswerter::Korrektheit(t)) + " " + esc(terms::Termauswerter::Stringreduktion(t)) + " " +
             klasse + " " + esc(token) + " " + str(terms::Termauswerter::Zahllaenge(t)) + " " + str(i) + " " + str(j));
    std::string e(t);
    const auto p = static_cast<int32_t>(r.range(0, static_cast<int64_t>(t.size()) + 1));
    const auto n = static_cast<int32_t>(r.range(-1, 4));
    terms::Termauswerter::Ausschneiden(e, p, n);
    std::string f = t.empty() ? "-" : std::string(t);
    const auto q = static_cast<int32_t>(r.range(1, static_cast<int64_t>(f.size())));
    terms::Termauswerter::Einplussen(f, q);
    put("term.cut", in + " " + str(p) + " " + str(n) + " " + str(q), esc(e) + " " + esc(f));
  }
  // Sign pairs under the start rules and under odd rule counts.
  terms::Vorzeichenpaare W = V;
  const char* counts[] = {"6", "0", "3", "10", "10", "11", "99", "x", "", "6x", "06"};
  for (int k = 0; k < count(200); ++k) {
    W[0][0] = k < 20 ? "6" : r.pick(counts);
    W[0][1] = r.chance(40) ? "x" : "";
    if (r.chance(20)) W[7] = {"*-", "-"};
    std::string s;
    for (int i = static_cast<int>(r.range(0, 14)); i > 0; --i) s += "+-*^bM10"[r.range(0, 7)];
    if (r.chance(30)) s.insert(static_cast<size_t>(r.range(0, static_cast<int64_t>(s.size()))), "10");
    const std::string in = esc(s) + " rules=" + esc(W[0][0]) + esc(W[0][1]);
    ar::RecordingContext c;
    const StoreSet& set = sets[0];
    terms::Termauswerter t(c, set.s, set.X, W);
    t.Doppelkillen(s);
    put("Doppelkillen", in, esc(s));
  }
  // Parser, Bruchparsen, Matrixparsen and Redux with the slotterm they fill.
  for (int k = 0; k < count(400); ++k) {
    const StoreSet& set = sets[static_cast<size_t>(r.range(0, static_cast<int64_t>(sets.size()) - 1))];
    ar::RecordingContext c;
    terms::Termauswerter t(c, set.s, set.X, V);
    std::string formel = genTerm(r, 2), slotterm = "?";
    const std::string in = esc(formel);
    fillStack();
    const bool ok = t.Parser(formel, slotterm);
    Hash h;
    for (const auto& M : t.SuperM)
      for (const auto& row : M)
        for (int64_t v : row) h.add(static_cast<uint64_t>(v));
    std::string nums;
    for (size_t s = 1; s <= 8; ++s)
      nums += " " + str(t.BruchZ[s]) + "/" + str(t.BruchN[s]) + (t.Bruchliteral[s] ? "L" : "");
    put("Parser", in, bstr(ok) + " " + esc(formel) + " " + esc(slotterm) + nums + " #" + hex(h.h) + " " + ctxs(c));
    if (ok && !slotterm.empty() && slotterm.find('(') == std::string::npos) {
      std::string s = slotterm;
      fillStack();
      t.Redux(s);
      Matrix M{};
      const int32_t slot = s.size() == 2 && s[0] == 'M' ? s[1] - '0' : 1;
      t.Matrixredux(slot, M);
      put("Redux", esc(slotterm), esc(s) + " " + mat(M) + " " + ctxs(c));
    }
    const std::string lit = std::string(r.pick(kNumbers)) + (r.chance(80) ? "/" : "") +
                            (r.chance(10) ? "" : r.pick(kNumbers)) + (r.chance(5) ? "/2" : "");
    const auto slot = static_cast<int32_t>(r.range(1, 8));
    ar::RecordingContext c2;
    terms::Termauswerter t2(c2, set.s, set.X, V);
    const bool b = t2.Bruchparsen(lit, slot);
    const char* names[] = {"A", "B", "C", "D", "E", "F", "G", "H", "X", "Y", "AB", ""};
    const std::string nm = r.pick(names);
    const bool m = t2.Matrixparsen(nm, slot);
    Matrix M{};
    t2.Decode(slot, M);
    Matrix E = gen(r, 2, 2);
    t2.Encode(E, slot % 8 + 1);
    Matrix back{};
    t2.Decode(slot % 8 + 1, back);
    put("Bruchparsen", esc(lit) + " " + esc(nm) + " " + str(slot),
         bstr(b) + " " + str(t2.BruchZ[static_cast<size_t>(slot)]) + "/" + str(t2.BruchN[static_cast<size_t>(slot)]) +
             " " + bstr(m) + " " + mat(M) + " " + bstr(back == E) + " " + ctxs(c2));
  }
}

// ---------------------------------------------------------------------------------------------------------------
// src/protocol/ plain functions

void sectionProtocol() {
  Rng r(21);
  for (const char* t : kTerms) put("Tex", esc(t), esc(protokoll::Tex(t)));
  for (int k = 0; k < count(300); ++k) {
    std::string t = genTerm(r, 3);
    if (r.chance(20)) t += "^(" + genTerm(r, 1) + ")";
    if (r.chance(10)) t += "^-(" + genTerm(r, 1) + ")";
    if (r.chance(10)) t += "^2^3";
    put("Tex", esc(t), esc(protokoll::Tex(t)));
    // Views of its beginning: what follows the view must not count.
    const auto cut = static_cast<size_t>(r.range(0, static_cast<int64_t>(t.size())));
    put("Tex.view", esc(std::string_view(t).substr(0, cut)) + " then " + esc(std::string_view(t).substr(cut)),
        esc(protokoll::Tex(std::string_view(t).substr(0, cut))));
  }
  const char* fields[] = {"123;",  "-;",      "-0;",    "9223372036854775807;", "9223372036854775808;",
                          "-9223372036854775808;", "-9223372036854775809;", "12a;", "",  "abc", " 1;", "+1;",
                          ";",     "1;2;",    "00012;", "18446744073709551616;", "922337203685477580;", "-1;x", "123", "-5", "7"};
  for (const char* f : fields) {
    const std::string whole = std::string(f) + "7;x;";
    const std::string_view view = std::string_view(whole).substr(0, std::strlen(f));
    std::string_view a = view, b = view;
    const auto n = datei::NextNumber(a);
    const auto t = datei::NextText(b);
    put("NextNumber", esc(f),
         (n ? str(*n) : "none") + " rest=" + esc(a) + " " + (t ? esc(*t) : "none") + " rest=" + esc(b));
  }
  auto workspace = [&r] {
    datei::Arbeitsumgebung a;
    a.raster = genAny(r);
    for (auto& M : a.speicher) M = genAny(r);
    a.term = genTerm(r, 2);
    if (r.chance(30)) a.term += ";x";
    static const char* texts[] = {"$", "", "$\\det \\left( 1 \\right) \r", "a;b;c", "\r\n\r", "x\ny", "\xEF\xBB\xBF;"};
    a.protokoll = r.pick(texts);
    return a;
  };
  auto summary = [](const std::optional<datei::Arbeitsumgebung>& a) {
    if (!a) return std::string("none");
    std::string s = mat(a->raster);
    for (const auto& M : a->speicher) s += " " + mat(M);
    return s + " " + esc(a->term) + " " + esc(a->protokoll);
  };
  // Every row and column count of the eight blocks beyond 1..12 in turn: the file is refused.
  {
    datei::Arbeitsumgebung a = workspace();
    a.raster[0][0] = a.raster[0][1] = 2;
    for (auto& M : a.speicher) M[0][0] = M[0][1] = 3;
    a.protokoll = "$";
    const std::string file = datei::Codieren(a);
    for (int64_t field = 0; field < 8 * 169; field += field % 169 == 0 ? 1 : 168)
      for (const int64_t v : {0, 13, -1, 100}) {
        std::string bad = file;
        size_t at = 0;
        for (int64_t f = 0; f < field; ++f) at = bad.find(';', at) + 1;
        bad.replace(at, bad.find(';', at) - at, str(v));
        put("Zerlegen.count", "field " + str(field) + " = " + str(v), summary(datei::Zerlegen(bad)));
      }
  }
  for (int k = 0; k < count(200); ++k) {
    datei::Arbeitsumgebung a = workspace();
    // Headers within a file's range, so that most files load.
    if (r.chance(80)) {
      a.raster[0][0] = std::clamp<int64_t>(a.raster[0][0], 1, 12);
      for (auto& M : a.speicher) M[0][1] = std::clamp<int64_t>(M[0][1], 1, 12);
    }
    std::string file = datei::Codieren(a);
    Hash h;
    h.add(file);
    const std::string coded = "len=" + str(static_cast<int64_t>(file.size())) + " #" + hex(h.h);
    const int64_t change = r.range(0, 11);
    std::string how = "as written";
    if (change == 1) file = "\xEF\xBB\xBF" + file + "\r", how = "bom cr";
    if (change == 2) file += "\n", how = "lf";
    if (change == 3) file += "\r\n", how = "crlf";
    if (change == 4) file += "x", how = "trailing";
    if (change == 5) file.resize(static_cast<size_t>(r.range(0, static_cast<int64_t>(file.size())))), how = "cut";
    if (change == 6) {
      const auto p = static_cast<size_t>(r.range(0, static_cast<int64_t>(file.size()) - 1));
      file[p] = "0-;x9\r"[r.range(0, 5)];
      how = "byte " + str(static_cast<int64_t>(p));
    }
    if (change == 7) file.replace(0, file.find(';'), "13"), how = "13 rows";
    if (change == 9) {
      // A row or column count of one of the eight blocks.
      const int64_t field = r.range(0, 7) * 169 + r.range(0, 1);
      size_t at = 0;
      for (int64_t f = 0; f < field; ++f) at = file.find(';', at) + 1;
      const int64_t v = r.pick({0, 13, -1, 12, 1, 100});
      file.replace(at, file.find(';', at) - at, str(v));
      how = "field " + str(field) + " = " + str(v);
    }
    if (change == 8 && a.protokoll.find(';') == std::string::npos)
      file.resize(file.size() - a.protokoll.size() - 1), how = "no protocol";
    const std::string longer = file + "9;\r";  // a view must end where its text ends
    put("Codieren", summary(a) + " " + how,
        coded + " " + summary(datei::Zerlegen(file)) + " view " +
            summary(datei::Zerlegen(std::string_view(longer).substr(0, file.size()))));
  }
}

// ---------------------------------------------------------------------------------------------------------------
// The main window on services of the probe's own

// Random numbers of "Rnd->": both ends of [0, 1) and values strictly inside, some near the steps of the entries.
const double kRnd[] = {0.55, 0.99, 0.0, 0.9999999999999999, 0.5, 0.05, 0.45, 0.25, 0.75, 0.123, 0.875, 0.025,
                       0.975, 0.3, 0.6, 0.51, 0.49, 0.95, 0.0499, 0.15, 0.35, 0.65, 0.85, 0.7, 0.2, 0.4, 0.8,
                       0.999, 0.001, 0.5001, 0.4999, 0.1, 0.9, 0.33, 0.67, 0.525, 0.575, 0.625, 0.425};

class ProbeServices : public fw::Services {
 public:
  explicit ProbeServices(std::string dir) : dir_(std::move(dir)) {}

  std::vector<std::pair<std::string, int>> boxes;
  std::vector<std::string> suggested, written;
  bool cancel = false;  // questions answered Cancel or No instead of OK or Yes
  std::deque<std::optional<std::string>> saves, opens;  // scripted dialog answers; default: a file of the folder
  bool quitCalled = false;
  size_t rnds = 0;

  const std::string& dir() const { return dir_; }
  std::string lastSaved;

  std::optional<std::string> saveDialog(const std::string& name) override {
    suggested.push_back(name);
    std::optional<std::string> p = dir_ + "/" + name + ".txt";
    if (!saves.empty()) {
      p = saves.front();
      saves.pop_front();
    }
    if (p) written.push_back(*p), lastSaved = *p;
    return p;
  }
  std::optional<std::string> openDialog() override {
    std::optional<std::string> p = lastSaved;
    if (!opens.empty()) {
      p = opens.front();
      opens.pop_front();
    }
    return p;
  }
  void setClipboardText(const std::string& text) override { clip = text; }
  std::string clipboardText() override { return clip; }
  double rnd() override { return kRnd[rnds++ % std::size(kRnd)]; }
  void quit() override { quitCalled = true; }
  std::string clip;

 protected:
  int showBox(const std::string& text, int kind) override {
    boxes.emplace_back(text, kind);
    switch (kind & 0x0F) {
      case 1:
        return cancel ? core::kAnswerCancel : core::kAnswerOk;
      case 4:
        return cancel ? core::kAnswerNo : core::kAnswerYes;
      default:
        return core::kAnswerOk;
    }
  }

 private:
  std::string dir_;
};

struct Fenster {
  ProbeServices& s;
  HauptFenster& w;
  Rng r{22};

  fw::EditField& field(const std::string& name) const { return w.as<fw::EditField>(name); }
  std::string text(const std::string& name) const { return field(name).text(); }
  void type(const std::string& name, const std::string& t) const {
    fillStack();
    field(name).setText(t);
  }
  void press(const std::string& name) const {
    fillStack();
    w.as<fw::BevelButton>(name).click();
  }

  // A number as a user may type it: mostly plain, in some grids now and then with blanks, signs, decimals, an
  // exponent, text after it, or beyond 64 bits.
  int odd = 0;  // per mille of the cells typed oddly
  std::string cellText(int64_t v) {
    if (r.range(0, 999) >= odd) return str(v);
    switch (r.range(0, odd > 20 ? 9 : 5)) {
      case 0:
        return " " + str(v);
      case 1:
        return str(v) + ".9";
      case 2:
        return str(v) + "abc";
      case 3:
        return v == 0 ? "-0" : "+" + str(v);
      case 4:
        return "";
      case 5:
        return "1e3";
      case 6:
        return "9223372036854775808";
      case 7:
        return "-9223372036854775809";
      case 8:
        return "x";
      default:
        return "2.7";
    }
  }

  // Sizes, factor and all 144 cells, hidden ones included, as a user types them.
  void typeGrid(const Matrix& M, bool plain = false) {
    odd = r.chance(70) ? 0 : r.chance(70) ? 10 : 40;
    const int rows = static_cast<int>(std::clamp<int64_t>(M[0][0], 1, 12));
    const int cols = static_cast<int>(std::clamp<int64_t>(M[0][1], 1, 12));
    type("ZZahlF", str(rows));
    type("SZahlF", str(cols));
    type("FakZF", plain ? str(M[0][2]) : cellText(M[0][2]));
    type("FakNF", plain ? str(M[0][3]) : cellText(M[0][3]));
    for (int i = 1; i <= 12; ++i)
      for (int j = 1; j <= 12; ++j) {
        const std::string t = plain ? str(M[i][j]) : cellText(M[i][j]);
        if (t != text(grid::cellName(i, j))) type(grid::cellName(i, j), t);
      }
  }

  std::string cells() const {
    const int rows = std::clamp(std::atoi(text("ZZahlF").c_str()), 0, 12);
    const int cols = std::clamp(std::atoi(text("SZahlF").c_str()), 0, 12);
    std::string shown;
    for (int i = 1; i <= rows; ++i) {
      for (int j = 1; j <= cols; ++j) shown += " " + text(grid::cellName(i, j));
      if (i < rows) shown += " ;";
    }
    Hash h;
    for (int i = 1; i <= 12; ++i)
      for (int j = 1; j <= 12; ++j) h.add(text(grid::cellName(i, j)));
    return shown + " #" + hex(h.h).substr(0, 10);
  }

  // Everything the window shows or holds after a press.
  std::string state() const {
    std::string out = "grid " + text("ZZahlF") + "x" + text("SZahlF") + " " + text("FakZF") + "/" + text("FakNF") +
                      ":" + cells() + " zz=" + str(w.Zzahl) + " sz=" + str(w.Szahl);
    for (int c = 1; c <= 12; ++c) out += w.control(grid::columnLabelName(c)).visible() ? "s" : "-";
    for (int i = 1; i <= 12; ++i) out += w.control(grid::rowLabelName(i)).visible() ? "z" : "-";
    int shownCells = 0;
    for (int i = 1; i <= 12; ++i)
      for (int j = 1; j <= 12; ++j) shownCells += w.control(grid::cellName(i, j)).visible();
    out += " cells=" + str(shownCells);
    out += " io=" + esc(text("InOutF")) + " formel=" + esc(text("FormelF"));
    out += " boxes=[";
    for (const auto& [t, kind] : s.boxes) out += " " + str(kind) + ":" + esc(t);
    out += " ] prot=" + esc(w.Protokoll);
    const auto& pb = w.as<fw::BevelButton>("ProtokollB");
    out += " pb=" + bstr(pb.value()) + esc(pb.caption());
    out += " stores";
    for (size_t k = 0; k < 7; ++k)
      out += " " + mat(w.Speicher[k]) + (w.as<fw::BevelButton>(core::kSpeicher[k].speicherKnopf).value() ? "!" : "");
    out += " X=" + mat(w.X) + " S=" + mat(w.SMat) + " ff=" + bstr(w.Formelfehler) + " ov=" + bstr(w.overflow);
    out += " clip=" + esc(s.clip) + " quit=" + bstr(s.quitCalled) + " rnd=" + str(static_cast<int64_t>(s.rnds));
    out += " dez=" + bstr(w.as<fw::RadioButton>("DezBB").value()) + bstr(w.as<fw::RadioButton>("BruchB").value());
    for (const auto& name : s.suggested) out += " suggested=" + name;
    for (const auto& path : s.written) {
      std::ifstream f(path, std::ios::binary);
      std::stringstream b;
      b << f.rdbuf();
      const std::string content = b.str();
      Hash h;
      h.add(content);
      out += " file=" + str(static_cast<int64_t>(content.size())) + "#" + hex(h.h) + " " +
             esc(content.substr(0, 40));
    }
    if (w.protokollW_) out += " pw=" + esc(w.protokollW_->as<fw::EditField>("ProtokollF").text());
    return out;
  }

  // A fresh start, as after "Neu" answered with OK.
  void reset(bool logging, bool cancel = false) {
    w.Neustart();
    s.boxes.clear();
    s.suggested.clear();
    s.written.clear();
    s.saves.clear();
    s.opens.clear();
    s.quitCalled = false;
    s.clip.clear();
    s.cancel = cancel;
    s.rnds = 0;
    w.as<fw::RadioButton>(r.chance(50) ? "DezBB" : "BruchB").click();
    if (logging) press("ProtokollB");
  }

  void report(const std::string& name, const std::string& input) { put(name, input, state()); }
};

std::string gridInput(const Matrix& M) { return mat(M); }

// A grid for a command: mostly the shapes the command wants, mostly with a factor as users type it.
Matrix commandGrid(Rng& r, const std::string& button) {
  const bool square = button == "BevelButton4" || button == "BevelButton16" || button == "BevelButton33";
  Matrix M;
  if (button == "BevelButton17") {
    const int n = static_cast<int>(r.range(1, 11));
    M = gen(r, n, r.chance(90) ? n + 1 : n, true, r.chance(30) ? kUnimodular : -1);
  } else {
    M = square && r.chance(85) ? genSquare(r) : genAny(r);
  }
  if (r.chance(70)) plainFactor(r, M);
  return M;
}

void sectionWindow(HauptFenster& w, ProbeServices& s) {
  Fenster f{s, w};
  Rng& r = f.r;
  const std::string commands[] = {"BevelButton1",  "BevelButton4",  "BevelButton5",  "BevelButton6",  "BevelButton16",
                                  "BevelButton17", "BevelButton22", "BevelButton23", "BevelButton27", "BevelButton28",
                                  "BevelButton32", "BevelButton33", "BevelButton35"};
  // The issue's own inputs first: they name what a fault would change.
  {
    f.reset(true);
    Matrix M{};
    M[0] = {4, 3, 1, 1};
    const int64_t t[4][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}, {1, 1, 1}};
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 3; ++j) M[i + 1][j + 1] = t[i][j];
    f.typeGrid(M, true);
    f.press("BevelButton1");
    f.report("Transformieren", gridInput(M));
    M = Matrix{};
    M[0] = {2, 2, 1, 1};
    M[1][1] = M[2][2] = 2147483647;
    f.reset(true);
    f.typeGrid(M, true);
    f.press("BevelButton32");
    f.report("Rang", gridInput(M));
  }
  for (const char* formel : {"4294967296/3*4294967296*X", "33899982933222623/447369*154671/101699948799667869*X",
                             "8681198717/13751392275*337420702200444895/773343275361094765*X", "X^2147483647"}) {
    Matrix M{};
    M[0] = {1, 1, 1, 1};
    M[1][1] = std::string_view(formel) == "X^2147483647" ? kP62 : 1;
    f.reset(true);
    f.typeGrid(M, true);
    f.type("FormelF", formel);
    f.press("BevelButton22");
    f.report("=", esc(formel) + " " + gridInput(M));
  }
  // Every command on grids of every kind, with logging on or off and a store or two filled for the terms and
  // for lin.Abb.
  for (int k = 0; k < count(60); ++k) {
    for (const std::string& b : commands) {
      const bool logging = r.chance(60);
      f.reset(logging);
      std::string in = b + (logging ? " log" : "");
      if (b == "BevelButton22" || b == "BevelButton35") {
        const int n = dimension(r);
        for (const char* store : {"InAB", "InBB", "InCB"}) {
          Matrix S = r.chance(80) ? gen(r, n, n) : genAny(r);
          if (r.chance(70)) plainFactor(r, S);
          if (b == "BevelButton35" && store[2] == 'A' && r.chance(60)) {
            entries(r, S, n, n, kUnimodular);
            S[0][2] = S[0][3] = 1;
          }
          f.typeGrid(S);
          f.press(store);
          in += std::string(" ") + store + "=" + mat(S);
        }
      }
      const Matrix M = commandGrid(r, b);
      f.typeGrid(M);
      if (b == "BevelButton22") {
        std::string t = genTerm(r, 2);
        f.type("FormelF", t);
        in += " " + esc(t);
      }
      if (b == "BevelButton27") {
        const char* typed[] = {"", "", "7", "-1", "0", "Det() = 3", "9223372036854775807", "-9223372036854775808",
                               "9223372036854775808", "12abc", " 5", "2.5", "4611686018427387904"};
        const std::string t = r.chance(50) ? r.pick(typed) : str(value(r, sizeClass(r)));
        f.type("InOutF", t);
        s.rnds = static_cast<size_t>(r.range(0, 38));
        in += " io=" + esc(t) + " rnd@" + str(static_cast<int64_t>(s.rnds));
      } else if (r.chance(20)) {
        f.type("InOutF", "vorher");
      }
      s.boxes.clear();
      f.press(b);
      f.report(b, in + " " + gridInput(M));
    }
  }
  // Stores: into a store that holds more than one row (asked, OK or Cancel), recalled with logging on or off.
  for (int k = 0; k < count(40); ++k) {
    const size_t which = static_cast<size_t>(r.range(0, 6));
    const bool cancel = r.chance(40), logging = r.chance(50);
    f.reset(logging, cancel);
    const Matrix first = genAny(r), second = genAny(r);
    f.typeGrid(first);
    f.press(core::kSpeicher[which].speicherKnopf);
    f.typeGrid(second);
    f.press(core::kSpeicher[which].speicherKnopf);
    f.press(core::kSpeicher[which].abrufKnopf);
    f.press(core::kSpeicher[(which + 1) % 7].abrufKnopf);
    f.report("store", str(static_cast<int64_t>(which)) + (cancel ? " cancel" : " ok") + (logging ? " log " : " ") +
                          mat(first) + " " + mat(second));
  }
  // Sizes: typed values out of range and the arrows at both ends.
  const char* sizes[] = {"0", "1", "5", "12", "13", "-3", "abc", "", "99999999999999999999", "2.9", " 7"};
  for (int k = 0; k < count(30); ++k) {
    f.reset(false);
    const std::string zz = r.pick(sizes), sz = r.pick(sizes);
    f.type("ZZahlF", zz);
    f.type("SZahlF", sz);
    std::string in = esc(zz) + " " + esc(sz);
    for (int i = static_cast<int>(r.range(0, 14)); i > 0; --i) {
      static const char* arrows[] = {"SzUpDownArrows", "ZzUpDownArrows"};
      const std::string a = r.pick(arrows);
      const bool up = r.chance(50);
      fillStack();
      if (up)
        w.as<fw::UpDownArrows>(a).pressUp();
      else
        w.as<fw::UpDownArrows>(a).pressDown();
      in += " " + a.substr(0, 2) + (up ? "+" : "-");
    }
    f.report("sizes", in);
  }
  // The protocol: logged commands, "Loeschen", "->K", "Zeigen" and the protocol window's buttons, saving the
  // protocol, "Neu", the about box and "Beenden", each with OK and with Cancel.
  for (int k = 0; k < count(30); ++k) {
    const bool cancel = r.chance(40);
    f.reset(true, cancel);
    const Matrix M = genSquare(r);
    f.typeGrid(M);
    std::string in = mat(M) + (cancel ? " cancel" : " ok");
    const char* steps[] = {"BevelButton16", "BevelButton28", "ProtokollB", "BevelButton30", "BevelButton31",
                           "BevelButton29", "Txt_insKlemmbettB", "SwitchProtB", "AppendPB", "AppendPB1",
                           "BevelButton24", "BevelButton21", "BevelButton18", "BevelButton3", "type",
                           "BevelButton7", "BevelButton4", "BevelButton23"};
    for (int i = static_cast<int>(r.range(2, 9)); i > 0; --i) {
      const std::string step = r.pick(steps);
      in += " " + step;
      if (step == "type") {
        if (w.protokollW_) w.protokollW_->as<fw::EditField>("ProtokollF").setText("neu;\r\\\\x");
      } else if (step == "Txt_insKlemmbettB" || step == "SwitchProtB" || step == "AppendPB" ||
                 step == "AppendPB1") {
        ProtokollW& pw = w.ProtokollFenster();
        fillStack();
        pw.as<fw::BevelButton>(step).click();
      } else {
        if (step == "BevelButton24" && r.chance(30)) s.saves.push_back(r.chance(50) ? std::nullopt : std::optional(s.dir()));
        f.press(step);
      }
    }
    f.report("protocol", in);
  }
  // The workspace: saved, changed and loaded back; damaged files; dialogs cancelled; a save that fails.
  for (int k = 0; k < count(30); ++k) {
    f.reset(r.chance(50));
    std::string in;
    for (const char* store : {"InAB", "InFB"}) {
      const Matrix S = genAny(r);
      f.typeGrid(S);
      f.press(store);
      in += std::string(store) + "=" + mat(S) + " ";
    }
    const Matrix M = genAny(r);
    f.typeGrid(M);
    const std::string t = genTerm(r, 1) + (r.chance(20) ? ";" : "");
    f.type("FormelF", t);
    in += mat(M) + " " + esc(t);
    const int64_t how = r.range(0, 5);
    if (how == 1) s.saves.push_back(std::nullopt), in += " save-cancel";
    if (how == 2) s.saves.push_back(s.dir()), in += " save-fails";
    f.press("BevelButton19");
    f.typeGrid(genAny(r));
    f.press("BevelButton16");
    if (how == 3) {
      // The saved file damaged in one byte.
      std::ifstream fin(s.lastSaved, std::ios::binary);
      std::stringstream b;
      b << fin.rdbuf();
      std::string content = b.str();
      if (!content.empty()) content[static_cast<size_t>(r.range(0, static_cast<int64_t>(content.size()) - 1))] = 'x';
      const std::string bad = s.dir() + "/kaputt.txt";
      std::ofstream(bad, std::ios::binary) << content;
      s.opens.push_back(bad);
      in += " damaged";
    }
    if (how == 4) s.opens.push_back(std::nullopt), in += " open-cancel";
    if (how == 5) s.opens.push_back(s.dir() + "/fehlt.txt"), in += " missing";
    f.press("BevelButton20");
    f.report("workspace", in);
    std::filesystem::remove(s.dir() + "/kaputt.txt");
  }
  // "Rnd->" for every size with a determinant at the ends of the range or none.
  for (int n = 1; n <= 12; ++n)
    for (const char* d : {"-9223372036854775808", "9223372036854775807", "-7", ""}) {
      f.reset(n % 2 == 0);
      Matrix M{};
      M[0] = {n, r.chance(50) ? n : 13 - n, 1, 1};
      f.typeGrid(M, true);
      f.type("InOutF", d);
      s.rnds = static_cast<size_t>(r.range(0, 38));
      f.press("BevelButton27");
      f.report("BevelButton27", "n=" + str(n) + " io=" + esc(d) + " rnd@" + str(static_cast<int64_t>(s.rnds)));
    }
  // Commands on a window whose counts were set beyond the grid's range by a caller.
  for (const int32_t count : {0, 13, 100, -1}) {
    for (const char* b : {"BevelButton6", "BevelButton16", "BevelButton32", "BevelButton1"}) {
      f.reset(true);
      const Matrix M = genSquare(r);
      f.typeGrid(M);
      w.Zzahl = count;
      w.Szahl = r.chance(50) ? count : 3;
      const std::string in = str(w.Zzahl) + "x" + str(w.Szahl) + " " + mat(M);
      f.press(b);
      f.report(b, in);
    }
  }
  // Fields left: the denominator field repaired, the output field emptied.
  for (const char* t : {"", "0", "0.0", "abc", "-3", "0.5", "-0", "7"}) {
    f.reset(false);
    f.type("FakNF", t);
    f.type("InOutF", t);
    fillStack();
    w.FakNF_LostFocus();
    w.InOutF_LostFocus();
    f.report("LostFocus", esc(t));
  }
  // The LaTeX of matrices, as the protocol writes them, for headers of any kind.
  for (int k = 0; k < count(40); ++k) {
    f.reset(false);
    Matrix M = genAny(r);
    if (r.chance(20)) M[0][0] = r.pick(kEdge);
    if (r.chance(20)) M[0][1] = r.pick(kEdge);
    w.Protokoll.clear();
    fillStack();
    w.InsProtokoll(M, "H = ");
    w.InsProtokoll2(M, "\\rightarrow");
    w.PZeilenumbruch();
    put("InsProtokoll", mat(M), esc(w.Protokoll) + " " + bstr(w.ProtokollAn()));
  }
  // Matrices shown straight in the grid: headers beyond the grid's range, zero denominators, normal forms that
  // do not fit.
  for (int k = 0; k < count(30); ++k) {
    f.reset(false);
    Matrix M = genAny(r);
    static const int64_t heads[] = {0, -1, 1, 12, 13, 100, INT64_MIN, INT64_MAX, 4294967297};
    if (r.chance(40)) M[0][0] = r.pick(heads);
    if (r.chance(40)) M[0][1] = r.pick(heads);
    const bool normal = r.chance(60);
    fillStack();
    if (normal)
      w.Ausgabe(M);
    else
      w.Darstellen(M);
    Matrix back = gen(r, 2, 2);
    w.overflow = false;
    fillStack();
    const bool read = w.Einlesen(back);
    put(normal ? "Ausgabe" : "Darstellen", mat(M),
        mat(M) + " " + bstr(read) + " " + mat(back) + " " + f.state());
  }
  // Workspace texts straight into the window, and out of it.
  for (int k = 0; k < count(20); ++k) {
    f.reset(false);
    datei::Arbeitsumgebung a;
    a.raster = genAny(r);
    a.raster[0][0] = std::clamp<int64_t>(a.raster[0][0], 1, 12);
    for (auto& M : a.speicher) {
      M = genAny(r);
      M[0][0] = std::clamp<int64_t>(M[0][0], 1, 12);
    }
    a.term = genTerm(r, 1);
    a.protokoll = "$x;y\r";
    std::string file = datei::Codieren(a);
    if (r.chance(30)) file[static_cast<size_t>(r.range(0, static_cast<int64_t>(file.size()) - 1))] = ';';
    fillStack();
    const bool ok = w.AlleDatenEinfuegen(file);
    std::string again;
    const bool coded = w.AlleDatenCodieren(again);
    Hash h;
    h.add(again);
    put("AlleDaten", mat(a.raster) + " " + esc(a.term),
         bstr(ok) + " " + bstr(coded) + " #" + hex(h.h) + " " + f.state());
  }
}

// ---------------------------------------------------------------------------------------------------------------

struct Section {
  const char* name;
  std::function<void()> run;
};

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 1 << 16);  // a crash keeps every line printed before it
  std::string only;
  bool list = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--quick") {
      gScale = 1;
    } else if (a == "--only" && i + 1 < argc) {
      only = argv[++i];
    } else if (a == "--list") {
      list = true;
    } else {
      std::fprintf(stderr, "usage: %s [--quick] [--only PREFIX] [--list]\n", argv[0]);
      return 2;
    }
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qargc = 1;
  QApplication app(qargc, argv);

  char dirTemplate[] = "/tmp/quenlor-probe-XXXXXX";
  const char* dir = mkdtemp(dirTemplate);
  if (dir == nullptr) {
    std::perror("mkdtemp");
    return 2;
  }
  int status = 0;
  {
    ProbeServices services(dir);
    HauptFenster fenster(services);
    // FLINT's way first: a value that FLINT holds and nobody releases shows as a leak only while FLINT's store
    // of big integers is still fresh.
    const Section sections[] = {
        {"flint", sectionFlint},
        {"exact", sectionExact},
        {"fused", sectionFused},
        {"matrix", sectionMatrix},
        {"bignum", sectionBignum},
        {"bareiss", sectionBareiss},
        {"algebra", sectionAlgebra},
        {"determinant", sectionDeterminant},
        {"cramer", sectionCramer},
        {"diagonal", sectionDiagonal},
        {"elimination", sectionElimination},
        {"fraction", sectionFraction},
        {"inverse", sectionInverse},
        {"abbildung", sectionAbbildung},
        {"orthogonal", sectionOrthogonal},
        {"quotient", sectionQuotient},
        {"random", sectionRandom},
        {"rank", sectionRank},
        {"rowops", sectionRowops},
        {"trace", sectionTrace},
        {"terms", sectionTerms},
        {"protocol", sectionProtocol},
        {"window", [&] { sectionWindow(fenster, services); }},
    };
    for (const Section& sec : sections) {
      if (list) {
        std::printf("%s\n", sec.name);
        continue;
      }
      if (!std::string_view(sec.name).starts_with(only)) continue;
      sec.run();
    }
  }
  std::filesystem::remove_all(dir);
  flint_cleanup_master();  // FLINT's caches go, so that what is left at the end is a leak
  if (!list) std::fprintf(stderr, "%ld lines\n", gLines);
  return status;
}
