// The LaTeX of terms: every character rendered, brackets included.

#include <gtest/gtest.h>

#include "protocol/tex.h"

TEST(Tex, TermsAsLatex) {
  const std::pair<const char*, const char*> faelle[] = {
      {"2*A^-1+B", "2\\cdot A^{-1}+B"}, {"3/4*A", "\\frac {3} {4}\\cdot A"}, {"A^12-X", "A^{12}-X"}, {"A^2", "A^{2}"},
      {"12+B", "12+B"}, {"7/", "\\frac {7} {}"}, {"A^", "A^{}"}, {"", ""}, {"A^-12", "A^{-12}"}, {"2*3", "2\\cdot 3"},
      {"2/3*A+(3/5+3/7)*B^-1+2*C^3",
       "\\frac {2} {3}\\cdot A+\\left(\\frac {3} {5}+\\frac {3} {7}\\right)\\cdot B^{-1}+2\\cdot C^{3}"},
      {"A^(-2)", "A^{\\left(-2\\right)}"}, {"A^-(1+1)*B", "A^{-\\left(1+1\\right)}\\cdot B"}, {"A/2", "A/2"},
      {"(A", "\\left(A"},
      {"7/A", "\\frac {7} {}A"},  // an empty denominator takes nothing that follows
      // Powers group from the left, and LaTeX takes one exponent per base.
      {"2*A^2^3", "2\\cdot \\left(A^{2}\\right)^{3}"},
      {"A+2^2^3", "A+\\left(2^{2}\\right)^{3}"}, {"A^10+10/20*B", "A^{10}+\\frac {10} {20}\\cdot B"},
      {"A^2^3", "\\left(A^{2}\\right)^{3}"}, {"19/90*A^9", "\\frac {19} {90}\\cdot A^{9}"}, {"B+(A+C)^2^-1", "B+\\left(\\left(A+C\\right)^{2}\\right)^{-1}"}};
  for (const auto& [term, tex] : faelle) EXPECT_EQ(protokoll::Tex(term), tex) << term;
}
