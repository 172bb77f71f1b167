#pragma once
// The term language: a term such as "2/3*A+(3/5+3/7)*B^-1+2*C^3" over the
// seven stores and the grid matrix X. The parser puts every operand aside in
// an operand slot and leaves a slot term of two-character tokens ("M1" a
// matrix slot, "b1" a number slot) and operators, which the reduction
// rewrites until one token is left. A term is evaluated to its exact value
// or refused with a message; it is never given a different meaning.
// Plain C++, no Qt.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "arithmetic/matrix.h"

namespace terms {

// Sign pairs that collapse ("+-" -> "-", ...): (0,0) holds their count as
// decimal text, rows 1.. the pattern and its replacement.
using Vorzeichenpaare = std::array<std::array<std::string, 2>, 11>;

class Termauswerter {
 public:
  static constexpr int32_t kSlots = 8;  // of each kind; a slot number is one digit

  // Reads the stores (in the order of core::kSpeicher), X and the sign pairs
  // at each evaluation; reports boxes, Formelfehler and overflow through ctx.
  Termauswerter(ar::Context& ctx, const std::array<ar::Matrix, 7>& speicher, const ar::Matrix& X,
                const Vorzeichenpaare& V)
      : ctx_(ctx), speicher_(speicher), X_(X), V_(V) {}

  // Operand slots 1..8; index 0 is never used. Kept from one evaluation to
  // the next, but a term only ever reads slots that its own parse filled.
  std::array<ar::Matrix, kSlots + 1> SuperM{};
  std::array<int64_t, kSlots + 1> BruchZ{};
  std::array<int64_t, kSlots + 1> BruchN{};
  // True while number slot k holds a literal typed with "/" (its sign aside):
  // "A^4/2" reads like A^4 halved, so such a slot is no exponent.
  std::array<bool, kSlots + 1> Bruchliteral{};

  // Called with the cleaned formula as soon as it is known, so that the
  // formula field shows it while later messages are open.
  std::function<void(const std::string&)> Bereinigt;

  // One evaluation of `formel`, which comes back as the text the formula
  // field should show (cleaned of blanks unless refused before that). True:
  // `ergebnis` holds the value in normal form. False: refused, Formelfehler
  // set, and either the messages shown or ctx.overflow set without a message
  // (the caller reports the overflow once).
  bool Kalkuel(std::string& formel, ar::Matrix& ergebnis);

  // ---- The steps, each usable on its own ----
  // Fills the slots from `formel` and returns its slot term in `slotterm`
  // ("" when the term fails the pair check or has too many operands). False
  // when the term was refused here with its own message or an overflow.
  bool Parser(std::string& formel, std::string& slotterm);
  // True when the text holds none of the forbidden sign pairs.
  static bool Korrektheit(std::string_view text);
  // The characters of the text that belong to the term alphabet.
  static std::string Stringreduktion(std::string_view text);
  // Class ("M" name, "O" operator, "K" bracket, "B" number with "/", "Z"
  // number, "U" anything else) and text of the first token.
  static void Analyse(std::string_view text, std::string& klasse, std::string& token);
  // Length of the leading run of digits and "/".
  static int32_t Zahllaenge(std::string_view text);
  // Number slot k := the literal "digits/digits" (refused otherwise).
  bool Bruchparsen(std::string_view literal, int32_t k);
  // Matrix slot k := a copy of the named store or X.
  bool Matrixparsen(std::string_view name, int32_t k);
  void Decode(int32_t k, ar::Matrix& M) const { M = SuperM[static_cast<size_t>(k)]; }
  void Encode(const ar::Matrix& M, int32_t k) { SuperM[static_cast<size_t>(k)] = M; }
  void Matrixredux(int32_t k, ar::Matrix& M) const { Decode(k, M); }

  // Reduces a slot term without "(" in place to one token, or to "" after an
  // operand failure (with the message "Redux: " + term) or a sum of a number
  // and a matrix. Stops at once, leaving "", when ctx.overflow gets set.
  void Redux(std::string& s);
  // i := position of the last "(" of s, j := the first ")" after it or 0.
  // Positions count from 1.
  static void HoleKlammern(std::string_view s, int32_t& i, int32_t& j);
  // Collapses sign pairs by the rules of V until none is left. Every rule
  // turns two signs into one.
  void Doppelkillen(std::string& s) const;
  // The "-" at position p becomes the sign of the operand after it: cut out
  // at the start or after "*" or "+", otherwise replaced by "+".
  static void Einplussen(std::string& s, int32_t p);
  // Cuts n characters from position p.
  static void Ausschneiden(std::string& s, int32_t p, int32_t n);

 private:
  bool auswerten(std::string& formel, ar::Matrix& ergebnis);
  bool klammernReduzieren(std::string& s);
  void ablehnen(const char* text);
  void operandenfehler(std::string& s);
  bool zahlLesen(std::string_view ziffern, int64_t& wert);
  void zahlSetzen(int32_t k, __int128 z, __int128 n);
  bool invertieren(ar::Matrix& M);
  void potenz(const ar::Matrix& M, uint64_t e, ar::Matrix& R);
  void potenzen(std::string& s, ar::Matrix& W1, ar::Matrix& W2);
  void vorzeichen(std::string& s, ar::Matrix& W1);
  void verknuepfen(std::string& s, char op, ar::Matrix& W1, ar::Matrix& W2, ar::Matrix& W3);

  ar::Context& ctx_;
  const std::array<ar::Matrix, 7>& speicher_;
  const ar::Matrix& X_;
  const Vorzeichenpaare& V_;
};

}  // namespace terms
