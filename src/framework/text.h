#pragma once
// Text functions and the one text-to-number rule of the program. Texts are
// UTF-8; positions and lengths count characters, from 1; case-sensitive.
// Plain C++, no Qt.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fw {

// The one text-to-integer rule, used for every number the program reads from a
// text (grid cells, size and factor fields, files, the output field): leading
// blanks are skipped, then an optional sign and a decimal number with an
// optional fraction and exponent are scanned; whatever follows is ignored.
// Integers are exact over the whole signed 64-bit range; a fraction or an
// exponent is truncated toward zero; values beyond the range saturate at its
// ends; no number at all gives 0.
int64_t toInt64(std::string_view text);
// The same rule, but none where that value lies beyond the signed 64-bit
// range (toInt64 would saturate); a value at an end of the range is kept.
std::optional<int64_t> toInt64Checked(std::string_view text);
// Int32 clamp of a 64-bit value (saturating).
int32_t clampInt32(int64_t v);
// toInt64 followed by the Int32 clamp.
inline int32_t toInt32(std::string_view text) { return clampInt32(toInt64(text)); }

// Double value of the decimal number that starts the text, 0 if none (same
// scanner as toInt64; no locale, no hex, no inf/nan).
double Val(std::string_view text);

std::string Str(int32_t v);
std::string Str(int64_t v);
// Shortest text that reads back to the same double ("0.8", "1.4", "-1"); never "-0".
std::string Str(double v);

// Position of the first occurrence of part in text, 0 if none or part is "".
int32_t InStr(std::string_view text, std::string_view part);
// Same, starting the search at position start.
int32_t InStr(int32_t start, std::string_view text, std::string_view part);
std::string Mid(std::string_view text, int32_t start);
std::string Mid(std::string_view text, int32_t start, int32_t length);
std::string Left(std::string_view text, int32_t length);
int32_t Len(std::string_view text);
std::string Chr(int32_t code);
// Three-way comparison: 0 equal, < 0 if a sorts before b, > 0 after (a prefix sorts first).
int StrComp(std::string_view a, std::string_view b);

}  // namespace fw
