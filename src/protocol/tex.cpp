#include "protocol/tex.h"

#include <vector>

namespace protokoll {

namespace {

bool ziffer(char c) { return c >= '0' && c <= '9'; }

size_t ziffernEnde(std::string_view t, size_t i) {
  while (i < t.size() && ziffer(t[i])) ++i;
  return i;
}

// Just after the ")" that closes the "(" at i, or the end of the text.
size_t gruppenEnde(std::string_view t, size_t i) {
  int tiefe = 0;
  for (; i < t.size(); ++i) {
    if (t[i] == '(') ++tiefe;
    if (t[i] == ')' && --tiefe == 0) return i + 1;
  }
  return t.size();
}

}  // namespace

std::string Tex(std::string_view term) {
  std::string out;
  std::vector<size_t> offen;  // where the open "\left(" stand in out
  size_t basis = 0;           // where the last operand begins in out
  bool hochgestellt = false;  // out ends with an exponent
  size_t i = 0;
  while (i < term.size()) {
    const char c = term[i];
    if (c == '^') {
      // "A^2^3" is (A^2)^3: LaTeX allows no second exponent, and a bare
      // A^{2}^{3} would read as A^8.
      if (hochgestellt) {
        out.insert(basis, "\\left(");
        out += "\\right)";
      }
      out += "^{";
      size_t j = i + 1;
      if (j + 1 < term.size() && term[j] == '-' && term[j + 1] == '(') out += term[j++];
      if (j < term.size() && term[j] == '(') {
        const size_t ende = gruppenEnde(term, j);
        out += Tex(term.substr(j, ende - j));
        j = ende;
      } else {
        if (j < term.size()) out += term[j++];
        const size_t ende = ziffernEnde(term, j);
        out += term.substr(j, ende - j);
        j = ende;
      }
      out += "}";
      hochgestellt = true;
      i = j;
      continue;
    }
    hochgestellt = false;
    if (ziffer(c)) {
      basis = out.size();
      const size_t ende = ziffernEnde(term, i);
      if (ende < term.size() && term[ende] == '/') {
        const size_t nenner = ziffernEnde(term, ende + 1);
        out += "\\frac {" + std::string(term.substr(i, ende - i)) + "} {" +
               std::string(term.substr(ende + 1, nenner - ende - 1)) + "}";
        i = nenner;
      } else {
        out += term.substr(i, ende - i);
        i = ende;
      }
      continue;
    }
    if (c == '*') {
      out += "\\cdot ";
    } else if (c == '(') {
      offen.push_back(out.size());
      out += "\\left(";
    } else if (c == ')') {
      basis = offen.empty() ? out.size() : offen.back();
      if (!offen.empty()) offen.pop_back();
      out += "\\right)";
    } else {
      if (std::string_view("ABCDFGHX").find(c) != std::string_view::npos) basis = out.size();
      out += c;
    }
    ++i;
  }
  return out;
}

}  // namespace protokoll
