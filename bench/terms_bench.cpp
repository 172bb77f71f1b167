// The term of the formula field's help text, evaluated over 12 x 12 stores.

#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <string>

#include "terms/termauswerter.h"

namespace {

using ar::Matrix;

Matrix zufall(std::mt19937_64& rng, int lo, int hi) {
  std::uniform_int_distribution<int64_t> d(lo, hi);
  Matrix M{};
  M[0] = {12, 12, 1, 1};
  for (int i = 1; i <= 12; ++i)
    for (int j = 1; j <= 12; ++j) M[i][j] = d(rng);
  return M;
}

void BM_Hilfetextterm12x12(benchmark::State& state) {
  std::mt19937_64 rng(7);
  std::array<Matrix, 7> speicher{};
  speicher[0] = zufall(rng, -99, 99);
  speicher[1] = zufall(rng, -9, 9);
  speicher[2] = zufall(rng, -9, 9);
  const Matrix X{};
  const terms::Vorzeichenpaare V{
      {{"6", ""}, {"+-", "-"}, {"**", "*"}, {"*+", "*"}, {"-+", "-"}, {"++", "+"}, {"--", "+"}}};
  ar::RecordingContext ctx;
  terms::Termauswerter auswerter(ctx, speicher, X, V);
  Matrix ergebnis{};
  const std::string term = "2/3*A+(3/5+3/7)*B^-1+2*C^3";
  for (auto _ : state) {
    std::string formel = term;
    if (!auswerter.Kalkuel(formel, ergebnis)) {
      state.SkipWithError("the term was refused");
      break;
    }
    benchmark::DoNotOptimize(ergebnis);
  }
}
BENCHMARK(BM_Hilfetextterm12x12);

}  // namespace
