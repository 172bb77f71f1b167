#include "terms/termauswerter.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "arithmetic/algebra.h"
#include "arithmetic/exact.h"
#include "arithmetic/inverse.h"
#include "core/speicher.h"

namespace terms {

using ar::Matrix;
using ar::exact::i128;

namespace {

constexpr std::string_view kAlphabet = "+-*/^0123456789ABCDFGHX()";
constexpr std::string_view kNamen = "ABCDFGHX";
constexpr std::string_view kVerboten[] = {"+*", "-*", "^*", "+*^", "+/",  "-^", "^^",
                                          "//", "^/*", "/^", "-/^", "/b", "/M"};
const char* const kTermFehlerhaft = "Der Term scheint fehlerhaft zu sein.";
const char* const kFormelFehlerhaft = "Formel fehlerhaft ?";

bool ziffer(char c) { return c >= '0' && c <= '9'; }
bool enthaelt(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

// The slot number of the token whose letter stands at position p (from 1),
// or 0 when no token with that letter stands there.
int32_t slot(std::string_view s, int32_t p, char buchstabe) {
  if (p < 1 || static_cast<size_t>(p) + 1 > s.size() || s[static_cast<size_t>(p) - 1] != buchstabe) return 0;
  const char d = s[static_cast<size_t>(p)];
  return d >= '1' && d <= '0' + Termauswerter::kSlots ? d - '0' : 0;
}
int32_t operand(std::string_view s, int32_t p) { return std::max(slot(s, p, 'M'), slot(s, p, 'b')); }
char zeichen(std::string_view s, int32_t p) {
  return p >= 1 && static_cast<size_t>(p) <= s.size() ? s[static_cast<size_t>(p) - 1] : '\0';
}
int32_t finde(std::string_view s, char c) {
  const size_t p = s.find(c);
  return p == std::string_view::npos ? 0 : static_cast<int32_t>(p) + 1;
}

// Blanks may stand anywhere but inside a number ("1 000"); any other
// character that cleaning would drop would change the term ("2.5" -> "25").
bool nurBlanksFallenWeg(std::string_view text) {
  char vorher = '\0';
  bool blankDazwischen = false;
  for (const char c : text) {
    if (c == ' ') {
      blankDazwischen = true;
      continue;
    }
    if (!enthaelt(kAlphabet, c) || (blankDazwischen && ziffer(vorher) && ziffer(c))) return false;
    vorher = c;
    blankDazwischen = false;
  }
  return true;
}

}  // namespace

bool Termauswerter::Kalkuel(std::string& formel, Matrix& ergebnis) {
  ctx_.Formelfehler = false;
  ctx_.overflow = false;
  const bool ok = auswerten(formel, ergebnis);
  // Once a refusal has been shown, it is the term's answer: a step after it
  // that leaves 64 bits (the evaluation goes on with the refused operand)
  // reports nothing more.
  if (ctx_.Formelfehler) ctx_.overflow = false;
  if (!ok) ctx_.Formelfehler = true;
  return ok;
}

bool Termauswerter::auswerten(std::string& formel, Matrix& ergebnis) {
  std::string s;
  if (!Parser(formel, s) || !klammernReduzieren(s)) return false;
  Redux(s);
  if (ctx_.overflow) return false;
  // The reduced term must be one matrix and nothing else: "AB" is not "A".
  const int32_t k = s.size() == 2 ? slot(s, 1, 'M') : 0;
  if (k == 0) ablehnen(kFormelFehlerhaft);
  if (ctx_.Formelfehler) return false;
  Decode(k, ergebnis);
  ar::MKuerzen(ctx_, ergebnis);
  if (ergebnis[0][3] == 0) ctx_.overflow = true;
  return !ctx_.overflow;
}

// Replaces each bracket pair by its reduced content, always the last "("
// first with the first ")" after it, so sibling pairs go from right to left
// and their messages come in that order. A "(" with no ")" after it empties
// the term. One scan from the right does this in linear time: the scanned
// text is kept reversed, with the open ")" marked in it. False on overflow.
bool Termauswerter::klammernReduzieren(std::string& s) {
  if (!enthaelt(s, '(')) return true;
  std::string rechts;
  std::vector<size_t> offen;
  for (size_t q = s.size(); q-- > 0;) {
    const char c = s[q];
    if (c != '(') {
      if (c == ')') offen.push_back(rechts.size());
      rechts += c;
      continue;
    }
    if (offen.empty()) {
      s.clear();
      return true;
    }
    std::string t(rechts.rbegin(), rechts.rbegin() + static_cast<std::ptrdiff_t>(rechts.size() - offen.back() - 1));
    rechts.resize(offen.back());
    offen.pop_back();
    Redux(t);
    if (ctx_.overflow) return false;
    // A bracket must reduce to one operand: "A(B+2)" is not "A".
    if (t.size() != 2 || operand(t, 1) == 0) {
      s.clear();
      return true;
    }
    rechts += t[1];
    rechts += t[0];
  }
  s.assign(rechts.rbegin(), rechts.rend());
  return true;
}

void Termauswerter::ablehnen(const char* text) {
  ctx_.message(text, core::kMsgPlain);
  ctx_.Formelfehler = true;
}

// ---- Parsing ----

bool Termauswerter::Parser(std::string& formel, std::string& slotterm) {
  slotterm.clear();
  if (!nurBlanksFallenWeg(formel)) {
    ablehnen(kTermFehlerhaft);
    return false;
  }
  std::string t = Stringreduktion(formel);
  formel = t;
  if (Bereinigt) Bereinigt(formel);
  // Checked on the cleaned text, so that "A+ *B" fails like "A+*B".
  if (!Korrektheit(t)) return true;
  int32_t matrizen = 0, zahlen = 0;
  std::string klasse, token;
  std::string term;
  for (std::string_view rest = t; !rest.empty();) {
    Analyse(rest, klasse, token);
    if (klasse == "U") {
      // A "/" that follows no digit ("A/2"): the term is refused whole.
      ablehnen(kTermFehlerhaft);
      return false;
    }
    rest.remove_prefix(token.size());
    if (klasse == "O" || klasse == "K") {
      term += token;
      continue;
    }
    int32_t& zaehler = klasse == "M" ? matrizen : zahlen;
    // A ninth operand of a kind has no slot: the term fails as a whole.
    if (++zaehler > kSlots) return true;
    if (klasse == "M" && !Matrixparsen(token, zaehler)) return false;
    if (klasse == "B" && !Bruchparsen(token, zaehler)) return false;
    if (klasse != "M") Bruchliteral[static_cast<size_t>(zaehler)] = klasse == "B";
    if (klasse == "Z") {
      int64_t z = 0;
      if (!zahlLesen(token, z)) return false;
      zahlSetzen(zaehler, z, 1);
    }
    term += (klasse == "M" ? "M" : "b") + std::to_string(zaehler);
  }
  slotterm = term;
  return true;
}

bool Termauswerter::Korrektheit(std::string_view text) {
  return std::none_of(std::begin(kVerboten), std::end(kVerboten),
                      [text](std::string_view paar) { return text.find(paar) != std::string_view::npos; });
}

std::string Termauswerter::Stringreduktion(std::string_view text) {
  std::string out;
  for (const char c : text)
    if (enthaelt(kAlphabet, c)) out += c;
  return out;
}

int32_t Termauswerter::Zahllaenge(std::string_view text) {
  size_t n = 0;
  while (n < text.size() && (ziffer(text[n]) || text[n] == '/')) ++n;
  return static_cast<int32_t>(n);
}

void Termauswerter::Analyse(std::string_view text, std::string& klasse, std::string& token) {
  if (text.empty()) return;
  const char c = text[0];
  token.assign(1, c);
  if (enthaelt(kNamen, c)) {
    klasse = "M";
  } else if (enthaelt("+-*^", c)) {
    klasse = "O";
  } else if (c == '(' || c == ')') {
    klasse = "K";
  } else if (ziffer(c)) {
    token = std::string(text.substr(0, static_cast<size_t>(Zahllaenge(text))));
    klasse = enthaelt(token, '/') ? "B" : "Z";
  } else {
    klasse = "U";
  }
}

// An integer literal, exact; beyond 64 bits it is an overflow.
bool Termauswerter::zahlLesen(std::string_view ziffern, int64_t& wert) {
  uint64_t v = 0;
  for (const char c : ziffern) {
    const auto d = static_cast<uint64_t>(c - '0');
    if (v > (static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) - d) / 10) {
      ctx_.overflow = true;
      return false;
    }
    v = v * 10 + d;
  }
  wert = static_cast<int64_t>(v);
  return true;
}

bool Termauswerter::Bruchparsen(std::string_view literal, int32_t k) {
  const size_t strich = literal.find('/');
  if (strich == std::string_view::npos) {
    ar::Fehler(ctx_, "Bruch wird falsch an Bruchparsen uebergeben");
    return true;
  }
  const std::string_view zaehler = literal.substr(0, strich), nenner = literal.substr(strich + 1);
  // "3/4/5", "3/" and "3/0" have no value.
  int64_t z = 0, n = 0;
  if (zaehler.empty() || nenner.empty() || enthaelt(nenner, '/')) {
    ablehnen(kTermFehlerhaft);
    return false;
  }
  if (!zahlLesen(zaehler, z) || !zahlLesen(nenner, n)) return false;
  if (n == 0) {
    ablehnen(kTermFehlerhaft);
    return false;
  }
  zahlSetzen(k, z, n);
  return true;
}

bool Termauswerter::Matrixparsen(std::string_view name, int32_t k) {
  Matrix M{};
  const std::optional<size_t> index = name.size() == 1 ? core::speicherIndex(name[0]) : std::nullopt;
  const bool bekannt = index || name == "X";
  if (!bekannt) ar::Fehler(ctx_, "Matrix mit nichtexistierendem Namen aufgerufen");
  if (index) M = speicher_[*index];
  if (name == "X") M = X_;
  // A zero denominator has no value to compute with.
  if (bekannt && M[0][3] == 0) {
    ctx_.overflow = true;
    return false;
  }
  Encode(M, k);
  return true;
}

// ---- Reduction ----

void Termauswerter::HoleKlammern(std::string_view s, int32_t& i, int32_t& j) {
  const int32_t n = static_cast<int32_t>(s.size());
  for (int32_t p = 1; p <= n; ++p)
    if (s[static_cast<size_t>(p) - 1] == '(') i = p;
  j = 0;
  for (int32_t p = n; p >= std::max(i, 1); --p)
    if (s[static_cast<size_t>(p) - 1] == ')') j = p;
}

// The sign rules shorten a pair to one sign, and wherever two of them overlap
// ("+--", "*++", ...) both ways end in the same text, so every order of
// collapsing ends in one and the same text. One pass finds it: the text
// before the read position is kept free of pairs, and each new sign is
// collapsed with the sign before it as long as a rule applies.
void Termauswerter::Doppelkillen(std::string& s) const {
  int32_t regeln = 0;
  for (const char c : V_[0][0]) {
    if (!ziffer(c)) break;
    regeln = std::min<int32_t>(regeln * 10 + (c - '0'), static_cast<int32_t>(V_.size()) - 1);
  }
  auto ersatz = [&](char a, char b) {
    for (size_t n = 1; n <= static_cast<size_t>(regeln); ++n) {
      const auto& [muster, durch] = V_[n];
      if (muster.size() == 2 && durch.size() == 1 && muster[0] == a && muster[1] == b) return durch[0];
    }
    return '\0';
  };
  size_t w = 0;
  for (size_t q = 0; q < s.size(); ++q) {
    char c = s[q];
    for (char r; w > 0 && (r = ersatz(s[w - 1], c)) != '\0'; --w) c = r;
    s[w++] = c;
  }
  s.resize(w);
}

void Termauswerter::Einplussen(std::string& s, int32_t p) {
  const char vorher = zeichen(s, p - 1);
  if (p == 1 || vorher == '*' || vorher == '+')
    Ausschneiden(s, p, 1);
  else
    s[static_cast<size_t>(p) - 1] = '+';
}

void Termauswerter::Ausschneiden(std::string& s, int32_t p, int32_t n) {
  if (p < 1 || static_cast<size_t>(p) > s.size() || n <= 0) return;
  s.erase(static_cast<size_t>(p) - 1, static_cast<size_t>(n));
}

void Termauswerter::operandenfehler(std::string& s) {
  ar::Fehler(ctx_, "Redux: " + s);
  s.clear();
}

// Number slot k := z/n (n not 0), reduced with a positive denominator.
void Termauswerter::zahlSetzen(int32_t k, i128 z, i128 n) {
  const auto g = static_cast<i128>(ar::exact::gcd128(ar::exact::mag128(z), ar::exact::mag128(n)));
  z /= g;
  n /= g;
  if (n < 0) {
    z = -z;
    n = -n;
  }
  if (!ar::exact::fits64(z) || !ar::exact::fits64(n)) {
    ctx_.overflow = true;
    return;
  }
  BruchZ[static_cast<size_t>(k)] = static_cast<int64_t>(z);
  BruchN[static_cast<size_t>(k)] = static_cast<int64_t>(n);
}

void Termauswerter::Redux(std::string& s) {
  Doppelkillen(s);
  // A lone operand, as every bracket leaves one, needs no working matrices.
  if (s.find_first_of("^-*+") != std::string::npos) {
    Matrix W1{}, W2{}, W3{};
    // Powers, signs, products, sums: each from left to right.
    potenzen(s, W1, W2);
    vorzeichen(s, W1);
    verknuepfen(s, '*', W1, W2, W3);
    verknuepfen(s, '+', W1, W2, W3);
  }
  if (ctx_.overflow) s.clear();
}

// M := M^-1; a singular or non-square M gives the inverse's own message and
// Formelfehler. A zero factor makes M the zero matrix, which has no inverse.
// True when M had an inverse.
bool Termauswerter::invertieren(Matrix& M) {
  Matrix R{};
  bool fehlgeschlagen = false;
  ar::Invertieren(ctx_, M, R, fehlgeschlagen);
  if (fehlgeschlagen) ctx_.Formelfehler = true;
  M = R;
  return !fehlgeschlagen;
}

// R := M^e for any e. A matrix that is not square has no power, not even the
// 0th: MatPot says so for any positive exponent.
void Termauswerter::potenz(const Matrix& M, uint64_t e, Matrix& R) {
  constexpr uint64_t kGroessterExponent = std::numeric_limits<int32_t>::max();
  const bool quadratisch = M[0][0] == M[0][1];
  if (!quadratisch || e <= kGroessterExponent) {
    ar::MatPot(ctx_, M, quadratisch ? static_cast<int32_t>(e) : 1, R);
    return;
  }
  // MatPot takes 31-bit exponents: e in digits of base 2^30, the powers of
  // one matrix commuting.
  constexpr int kBits = 30;
  Matrix basis = M, teil{}, produkt{};
  ar::MatPot(ctx_, M, 0, R);
  for (; e != 0 && !ctx_.overflow; e >>= kBits) {
    ar::MatPot(ctx_, basis, static_cast<int32_t>(e & ((uint64_t{1} << kBits) - 1)), teil);
    ar::MatMult(ctx_, R, teil, produkt);
    R = produkt;
    if ((e >> kBits) != 0) {
      ar::MatPot(ctx_, basis, int32_t{1} << kBits, teil);
      basis = teil;
    }
  }
}

void Termauswerter::potenzen(std::string& s, Matrix& W1, Matrix& W2) {
  for (int32_t p; !ctx_.overflow && (p = finde(s, '^')) != 0;) {
    // A matrix before "^", an integral number after "^" or "^-" that was not
    // typed as a fraction.
    const bool minus = zeichen(s, p + 1) == '-';
    const int32_t k = slot(s, p - 2, 'M');
    const int32_t e = slot(s, p + 1 + minus, 'b');
    const auto ei = static_cast<size_t>(e);
    if (k == 0 || e == 0 || BruchN[ei] != 1 || Bruchliteral[ei]) return operandenfehler(s);
    Ausschneiden(s, p, 3 + minus);
    const i128 exponent = minus ? -i128{BruchZ[ei]} : i128{BruchZ[ei]};
    Decode(k, W1);
    // "^-" inverts first, so "H^-0" needs a regular H; A^-(-2) is then A^2.
    if (minus || exponent < 0) {
      W2 = W1;
      if (!invertieren(W2) || exponent <= 0) W1 = W2;
    }
    if (ctx_.overflow) break;
    potenz(W1, static_cast<uint64_t>(ar::exact::mag128(exponent)), W2);
    Encode(W2, k);
  }
}

void Termauswerter::vorzeichen(std::string& s, Matrix& W1) {
  for (int32_t p; !ctx_.overflow && (p = finde(s, '-')) != 0;) {
    const char art = zeichen(s, p + 1);
    const int32_t k = operand(s, p + 1);
    if (k == 0) return operandenfehler(s);
    Einplussen(s, p);
    if (art == 'b') {
      zahlSetzen(k, -i128{BruchZ[static_cast<size_t>(k)]}, BruchN[static_cast<size_t>(k)]);
    } else {
      Decode(k, W1);
      ar::MatSkalMul(ctx_, -1, 1, W1);
      Encode(W1, k);
    }
  }
}

// The products ("*") or the sums ("+"), each from left to right, by the
// kinds of the two operands beside the operator.
void Termauswerter::verknuepfen(std::string& s, char op, Matrix& W1, Matrix& W2, Matrix& W3) {
  const bool mal = op == '*';
  for (int32_t p; !ctx_.overflow && (p = finde(s, op)) != 0;) {
    const int32_t l = operand(s, p - 2), r = operand(s, p + 1);
    if (l == 0 || r == 0) return operandenfehler(s);
    const std::string paar{zeichen(s, p - 2), zeichen(s, p + 1)};
    const auto li = static_cast<size_t>(l), ri = static_cast<size_t>(r);
    if (paar == "bb") {
      Ausschneiden(s, p, 3);
      const i128 zl = BruchZ[li], nl = BruchN[li], zr = BruchZ[ri], nr = BruchN[ri];
      zahlSetzen(l, mal ? zl * zr : zl * nr + zr * nl, nl * nr);
      Bruchliteral[li] = false;
    } else if (paar == "MM") {
      Ausschneiden(s, p - 2, 3);
      Decode(l, W1);
      Decode(r, W2);
      W3 = Matrix{};
      mal ? ar::MatMult(ctx_, W1, W2, W3) : ar::MatPlus(ctx_, W1, W2, W3);
      Encode(W3, r);
    } else if (!mal) {
      s.clear();  // a number and a matrix have no sum
    } else {
      // A number times a matrix, in either order: the matrix's token stays.
      const bool zahlLinks = paar == "bM";
      const auto zahl = zahlLinks ? li : ri;
      const int32_t matrix = zahlLinks ? r : l;
      Ausschneiden(s, zahlLinks ? p - 2 : p, 3);
      Decode(matrix, W1);
      ar::MatSkalMul(ctx_, BruchZ[zahl], BruchN[zahl], W1);
      Encode(W1, matrix);
    }
  }
}

}  // namespace terms
