#pragma once
// The LaTeX of a term of the term language, for the protocol entry of "=".
// Plain C++, no Qt.

#include <string>
#include <string_view>

namespace protokoll {

// "2*A^-1+B" -> "2\cdot A^{-1}+B", "3/4" -> "\frac {3} {4}", brackets as
// "\left(" and "\right)"; every character is rendered, none dropped.
std::string Tex(std::string_view term);

}  // namespace protokoll
