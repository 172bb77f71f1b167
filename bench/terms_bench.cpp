// Terms evaluated over 12 x 12 stores: the formula field's help text, and
// pasted terms of a megabyte, also a faulty one through the window's "=".
// FLINT has nothing that parses a term, so these figures stand alone.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <array>
#include <cstdlib>
#include <random>
#include <string>

#include "app/hauptfenster.h"
#include "framework/services.h"
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

void BM_Term12x12(benchmark::State& state, const std::string& term) {
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
  for (auto _ : state) {
    std::string formel = term;
    if (!auswerter.Kalkuel(formel, ergebnis)) {
      state.SkipWithError("the term was refused");
      break;
    }
    benchmark::DoNotOptimize(ergebnis);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * term.size()));
}
BENCHMARK_CAPTURE(BM_Term12x12, Hilfetext, std::string("2/3*A+(3/5+3/7)*B^-1+2*C^3"));
BENCHMARK_CAPTURE(BM_Term12x12, EineMillionPlus, "A" + std::string(1000000, '+') + "A")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Term12x12, HalbeMillionKlammern, std::string(500000, '(') + "A" + std::string(500000, ')'))
    ->Unit(benchmark::kMillisecond);
// Sign pairs of every kind that a sum meets, 1 MB: "A", "+-+--+-+" repeated, "B".
BENCHMARK_CAPTURE(BM_Term12x12, GemischteVorzeichen, [] {
  std::string t = "A";
  while (t.size() < 1000000) t += "+-+--+-+";
  return t + "B";
}())->Unit(benchmark::kMillisecond);

// "=" in a window on the offscreen platform for a faulty term of a megabyte,
// "A", "+^" 500000 times, "+A": the grid read, the term cleaned and refused,
// and both boxes' texts as the scripted services take them, the message of
// the whole term shortened on the way.
void BM_GleichFehlerhafterMegabyteTerm(benchmark::State& state) {
  static int argc = 1;
  static char name[] = "terms_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app((setenv("QT_QPA_PLATFORM", "offscreen", 0), argc), argv);
  fw::ScriptedServices services;
  HauptFenster w(services);
  std::string term = "A";
  for (int k = 0; k < 500000; ++k) term += "+^";
  term += "+A";
  auto& feld = w.as<fw::EditField>("FormelF");
  feld.setText(term);  // the cleaned term is the same: "=" leaves the field as it is
  for (auto _ : state) {
    services.clearBoxes();
    services.expectBox();
    services.expectBox();
    w.as<fw::BevelButton>("BevelButton22").click();
    if (services.boxes().size() != 2 || services.boxes()[0].text.size() > fw::kBoxTextMax || feld.text() != term) {
      state.SkipWithError("not refused with two boxes, the first one shortened");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * term.size()));
}
BENCHMARK(BM_GleichFehlerhafterMegabyteTerm)->Unit(benchmark::kMillisecond);

}  // namespace
