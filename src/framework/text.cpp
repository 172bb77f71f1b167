#include "framework/text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

#include "core/int64.h"

namespace fw {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// The leading decimal number of a text, as the scanner found it.
struct Scanned {
  bool found = false;
  bool negative = false;
  std::string_view intDigits;   // digits before the point
  std::string_view fracDigits;  // digits after the point
  int64_t exponent = 0;         // decimal exponent, clamped far beyond any use
  std::string_view unsignedText;  // the number without sign, for the double parse
};

// Leading blanks, optional sign, digits with an optional fraction (at least
// one digit in all), then an optional exponent that counts only when it has
// digits. Anything after that is ignored.
Scanned scan(std::string_view s) {
  Scanned r;
  size_t i = 0;
  while (i < s.size() && isBlank(s[i])) ++i;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
    r.negative = s[i] == '-';
    ++i;
  }
  const size_t start = i;
  while (i < s.size() && isDigit(s[i])) ++i;
  r.intDigits = s.substr(start, i - start);
  if (i < s.size() && s[i] == '.') {
    const size_t f = i + 1;
    size_t j = f;
    while (j < s.size() && isDigit(s[j])) ++j;
    r.fracDigits = s.substr(f, j - f);
    if (!r.intDigits.empty() || !r.fracDigits.empty()) i = j;
  }
  if (r.intDigits.empty() && r.fracDigits.empty()) return r;
  r.found = true;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    bool expNegative = false;
    if (j < s.size() && (s[j] == '-' || s[j] == '+')) {
      expNegative = s[j] == '-';
      ++j;
    }
    if (j < s.size() && isDigit(s[j])) {
      // Clamp: no text is long enough for an exponent beyond 10^15 to matter.
      constexpr int64_t kCap = 1'000'000'000'000'000;
      int64_t e = 0;
      while (j < s.size() && isDigit(s[j])) {
        if (e < kCap) e = e * 10 + (s[j] - '0');
        ++j;
      }
      r.exponent = expNegative ? -e : e;
      i = j;
    }
  }
  r.unsignedText = s.substr(start, i - start);
  return r;
}

}  // namespace

namespace {

// toInt64's rule; *beyond tells a value past the signed 64-bit range from one
// that only lies at its end.
int64_t scanInt64(std::string_view text, bool* beyond) {
  const Scanned n = scan(text);
  if (!n.found) return 0;

  // The significant digits are intDigits followed by fracDigits, leading zeros
  // dropped; the value is those digits times 10^(exponent - fraction length).
  const size_t total = n.intDigits.size() + n.fracDigits.size();
  auto digitAt = [&](size_t k) -> char {
    return k < n.intDigits.size() ? n.intDigits[k] : n.fracDigits[k - n.intDigits.size()];
  };
  size_t first = 0;
  while (first < total && digitAt(first) == '0') ++first;
  if (first == total) return 0;

  const int64_t significant = static_cast<int64_t>(total - first);
  const int64_t scale = n.exponent - static_cast<int64_t>(n.fracDigits.size());
  // Number of digits before the decimal point of the value.
  const int64_t intLength = significant + scale;
  if (intLength <= 0) return 0;  // |value| < 1, truncated
  if (intLength > 19) {  // >= 10^19
    *beyond = true;
    return n.negative ? core::kInt64Min : core::kInt64Max;
  }

  // At most 19 digits: < 10^19 < 2^64, exact in uint64_t.
  uint64_t v = 0;
  for (int64_t k = 0; k < intLength; ++k) {
    const char d = k < significant ? digitAt(first + static_cast<size_t>(k)) : '0';
    v = v * 10 + static_cast<uint64_t>(d - '0');
  }
  constexpr uint64_t kMinMagnitude = uint64_t{1} << 63;
  if (n.negative) {
    *beyond = v > kMinMagnitude;
    return v >= kMinMagnitude ? core::kInt64Min : -static_cast<int64_t>(v);
  }
  *beyond = v >= kMinMagnitude;
  return *beyond ? core::kInt64Max : static_cast<int64_t>(v);
}

}  // namespace

int64_t toInt64(std::string_view text) {
  bool beyond = false;
  return scanInt64(text, &beyond);
}

std::optional<int64_t> toInt64Checked(std::string_view text) {
  bool beyond = false;
  const int64_t v = scanInt64(text, &beyond);
  if (beyond) return std::nullopt;
  return v;
}

int32_t clampInt32(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

double Val(std::string_view text) {
  const Scanned n = scan(text);
  if (!n.found) return 0.0;
  std::string_view digits = n.unsignedText;
  double v = 0.0;
  // from_chars is locale-free and correctly rounded; it wants no sign.
  const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Decide between overflow and underflow by the decimal magnitude.
    const int64_t total = static_cast<int64_t>(n.intDigits.size() + n.fracDigits.size());
    size_t k = 0;
    while (k < n.intDigits.size() && n.intDigits[k] == '0') ++k;
    int64_t leadingZeros = static_cast<int64_t>(k);
    if (k == n.intDigits.size()) {
      size_t f = 0;
      while (f < n.fracDigits.size() && n.fracDigits[f] == '0') ++f;
      leadingZeros += static_cast<int64_t>(f);
    }
    const int64_t magnitude = total - leadingZeros + n.exponent - static_cast<int64_t>(n.fracDigits.size());
    v = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (res.ec != std::errc()) {
    return 0.0;
  }
  if (v == 0.0) return 0.0;  // never -0
  return n.negative ? -v : v;
}

std::string Str(int32_t v) { return std::to_string(v); }
std::string Str(int64_t v) { return std::to_string(v); }

std::string Str(double v) {
  if (v == 0.0) return "0";  // also -0
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, res.ptr);
}

// ---- character positions over UTF-8 ----

namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

bool isAscii(std::string_view s) {
  for (char c : s) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Byte offset of the character with 0-based index k; s.size() if there is none.
// A character is a byte that is not a UTF-8 continuation byte together with the
// continuation bytes after it (a stray continuation byte at the start counts as one).
size_t byteOffset(std::string_view s, int64_t k, bool ascii) {
  if (k <= 0) return 0;
  if (ascii) return static_cast<uint64_t>(k) >= s.size() ? s.size() : static_cast<size_t>(k);
  int64_t count = 0;
  for (size_t i = 1; i < s.size(); ++i) {
    if (!isContinuation(static_cast<unsigned char>(s[i]))) {
      if (++count == k) return i;
    }
  }
  return s.size();
}

int32_t charIndex(std::string_view s, size_t byte, bool ascii) {
  if (ascii) return static_cast<int32_t>(byte);
  int32_t count = 0;
  for (size_t i = 1; i <= byte && i < s.size(); ++i) {
    if (!isContinuation(static_cast<unsigned char>(s[i]))) ++count;
  }
  return count;
}

// Characters [from, from + n) (0-based), clipped to the text.
std::string slice(std::string_view s, int64_t from, int64_t n) {
  if (n <= 0) return {};
  int64_t end = from + n;
  if (from < 0) from = 0;
  if (end <= from) return {};
  const bool ascii = isAscii(s);
  const size_t a = byteOffset(s, from, ascii);
  const size_t b = byteOffset(s, end, ascii);
  return std::string(s.substr(a, b - a));
}

}  // namespace

int32_t Len(std::string_view text) {
  if (text.empty()) return 0;
  int32_t n = 1;
  for (size_t i = 1; i < text.size(); ++i) {
    if (!isContinuation(static_cast<unsigned char>(text[i]))) ++n;
  }
  return n;
}

int32_t InStr(std::string_view text, std::string_view part) { return InStr(1, text, part); }

int32_t InStr(int32_t start, std::string_view text, std::string_view part) {
  if (part.empty()) return 0;
  if (start < 1) start = 1;
  const bool ascii = isAscii(text);
  const size_t from = byteOffset(text, int64_t{start} - 1, ascii);
  if (from >= text.size()) return 0;
  const size_t at = text.find(part, from);
  if (at == std::string_view::npos) return 0;
  return charIndex(text, at, ascii) + 1;
}

std::string Mid(std::string_view text, int32_t start) {
  return slice(text, int64_t{start} - 1, std::numeric_limits<int64_t>::max() / 2);
}

std::string Mid(std::string_view text, int32_t start, int32_t length) {
  return slice(text, int64_t{start} - 1, length);
}

std::string Left(std::string_view text, int32_t length) { return slice(text, 0, length); }

std::string Chr(int32_t code) {
  const auto c = static_cast<uint32_t>(code);
  std::string s;
  if (code < 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

int StrComp(std::string_view a, std::string_view b) {
  // Bytewise over UTF-8 orders by code point.
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace fw
