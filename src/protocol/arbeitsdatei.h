#pragma once
// The workspace file: the grid matrix, the seven stores, the term and the
// protocol as 1354 fields, each closed by ";", and one line end after the
// last. Encoding and the complete check of a file's content are plain
// functions, so that a file is judged before anything of the window changes.
// No Qt.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "arithmetic/matrix.h"

namespace datei {

// The protocol's line end, also written after the content of every file.
inline constexpr const char* kZeilenende = "\r";
inline constexpr const char* kNichtGespeichert = "Die Datei konnte nicht gespeichert werden.";
// No workspace of ours comes near this size (a protocol of a million entries
// does not); a larger file is refused before it fills the memory, and a save
// that would write one is refused, so that every saved workspace loads.
inline constexpr size_t kGroessteDatei = size_t{256} << 20;

struct Arbeitsumgebung {
  ar::Matrix raster{};                    // the grid as read, hidden cells included
  std::array<ar::Matrix, 7> speicher{};  // in the order of core::kSpeicher
  std::string term;
  std::string protokoll;
  bool operator==(const Arbeitsumgebung&) const = default;
};

// The 1354 fields without the line end. Each ";" of the term is written as
// ",", so that the term ends at its own terminator and a term refused for its
// ";" is refused for its "," when loaded; the protocol, the last
// field, runs to the last ";" of the file and may hold any.
std::string Codieren(const Arbeitsumgebung& a);

// Takes the next field, up to the next ";", off the front of s. NextNumber
// accepts only an optional "-" and digits whose value fits in 64 bits.
// nullopt when there is no ";" left or the field is no such number.
std::optional<int64_t> NextNumber(std::string_view& s);
std::optional<std::string> NextText(std::string_view& s);

// The workspace of a whole file, or nullopt when the file is not one: an
// optional UTF-8 byte-order mark; the fields of the layout, each number an
// integer within 64 bits; row and column counts 1 to 12 in every block; both
// texts terminated; after the last ";" nothing but one line end (CR, LF or
// CRLF) or none. In a file that ends with LF or CRLF, an editor has changed
// the line ends, and those inside the texts become CR again. A zero factor
// denominator is accepted, and so is a grid whose normal form does not fit
// in 64 bits (it was saved as typed).
std::optional<Arbeitsumgebung> Zerlegen(std::string_view inhalt);

}  // namespace datei
