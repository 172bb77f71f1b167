#include "protocol/arbeitsdatei.h"

#include "framework/text.h"

namespace datei {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr uint64_t kGrenzePositiv = 9223372036854775807ULL;  // 2^63 - 1
constexpr uint64_t kGrenzeNegativ = 9223372036854775808ULL;  // 2^63

void blockAnhaengen(std::string& s, const ar::Matrix& M) {
  for (const auto& zeile : M) {
    for (int64_t v : zeile) {
      s += fw::Str(v);
      s += ';';
    }
  }
}

bool blockLesen(std::string_view& rest, ar::Matrix& M) {
  for (auto& zeile : M) {
    for (int64_t& v : zeile) {
      const auto zahl = NextNumber(rest);
      if (!zahl) return false;
      v = *zahl;
    }
  }
  // Everything that shows or computes with a block relies on these.
  return M[0][0] >= 1 && M[0][0] <= 12 && M[0][1] >= 1 && M[0][1] <= 12;
}

// LF and CRLF back to the protocol's CR.
std::string zeilenendenZuCR(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') continue;
    out += t[i] == '\n' ? '\r' : t[i];
  }
  return out;
}

}  // namespace

std::string Codieren(const Arbeitsumgebung& a) {
  std::string s;
  s.reserve(8 * 169 * 4 + a.term.size() + a.protokoll.size() + 2);
  blockAnhaengen(s, a.raster);
  for (const ar::Matrix& M : a.speicher) blockAnhaengen(s, M);
  // ";" ends the field, so the term's own ";" is written as ",", which the
  // term language refuses alike: a refused term stays refused when loaded.
  for (char c : a.term) s += c == ';' ? ',' : c;
  s += ';';
  s += a.protokoll;
  s += ';';
  return s;
}

std::optional<int64_t> NextNumber(std::string_view& s) {
  const size_t p = s.find(';');
  if (p == std::string_view::npos) return std::nullopt;
  const std::string_view feld = s.substr(0, p);
  s.remove_prefix(p + 1);
  std::string_view ziffern = feld;
  const bool negativ = !ziffern.empty() && ziffern.front() == '-';
  if (negativ) ziffern.remove_prefix(1);
  if (ziffern.empty()) return std::nullopt;
  const uint64_t grenze = negativ ? kGrenzeNegativ : kGrenzePositiv;
  uint64_t betrag = 0;
  for (char c : ziffern) {
    if (c < '0' || c > '9') return std::nullopt;
    const uint64_t d = static_cast<uint64_t>(c - '0');
    if (betrag > grenze / 10 || (betrag == grenze / 10 && d > grenze % 10)) return std::nullopt;
    betrag = betrag * 10 + d;
  }
  // The value the program's one text-to-number rule gives for such a field.
  return static_cast<int64_t>(negativ ? 0 - betrag : betrag);
}

std::optional<std::string> NextText(std::string_view& s) {
  const size_t p = s.find(';');
  if (p == std::string_view::npos) return std::nullopt;
  std::string feld(s.substr(0, p));
  s.remove_prefix(p + 1);
  return feld;
}

std::optional<Arbeitsumgebung> Zerlegen(std::string_view inhalt) {
  if (inhalt.substr(0, kBom.size()) == kBom) inhalt.remove_prefix(kBom.size());
  const size_t letztes = inhalt.rfind(';');
  if (letztes == std::string_view::npos) return std::nullopt;
  const std::string_view ende = inhalt.substr(letztes + 1);
  if (!ende.empty() && ende != "\r" && ende != "\n" && ende != "\r\n") return std::nullopt;

  std::string_view rest = inhalt.substr(0, letztes + 1);
  Arbeitsumgebung a;
  if (!blockLesen(rest, a.raster)) return std::nullopt;
  for (ar::Matrix& M : a.speicher)
    if (!blockLesen(rest, M)) return std::nullopt;
  auto term = NextText(rest);
  // The protocol runs to the last ";", which must be its own terminator.
  if (!term || rest.empty()) return std::nullopt;
  a.term = std::move(*term);
  a.protokoll.assign(rest.substr(0, rest.size() - 1));
  if (ende == "\n" || ende == "\r\n") {
    a.term = zeilenendenZuCR(a.term);
    a.protokoll = zeilenendenZuCR(a.protokoll);
  }
  return a;
}

}  // namespace datei
