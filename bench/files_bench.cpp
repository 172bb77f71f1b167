// Figures for the workspace file: a grid and seven stores of 12 x 12 entries
// with 19 digits each and a protocol of 1 MB, saved and loaded through the
// window, and the encoding and the complete check on their own.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/hauptfenster.h"
#include "framework/services.h"
#include "framework/textfile.h"
#include "protocol/arbeitsdatei.h"

namespace {

const std::string kPfad = "/tmp/quenlor_files_bench.txt";

ar::Matrix voll(uint64_t x) {
  ar::Matrix m{};
  for (auto& zeile : m)
    for (auto& v : zeile) {
      x = x * 6364136223846793005u + 1442695040888963407u;
      v = static_cast<int64_t>(x | (uint64_t{1} << 62));  // 19 digits, both signs
    }
  m[0] = {12, 12, 3, 7};
  return m;
}

// One protocol line of a logged linear map, repeated to 1 MB.
std::string protokoll() {
  std::string p = "$";
  while (p.size() < (1u << 20))
    p += "\\left( \\begin {array} {ccc}1&-2&3\\\\\r\\end{array} \\right) ; B\\cdot A^{-1}\\\\\r";
  return p;
}

datei::Arbeitsumgebung umgebung() {
  datei::Arbeitsumgebung a;
  a.raster = voll(1);
  for (size_t k = 0; k < a.speicher.size(); ++k) a.speicher[k] = voll(k + 2);
  a.term = "2/3*A+(3/5+3/7)*B^-1+2*C^3";
  a.protokoll = protokoll();
  return a;
}

struct Fenster {
  fw::ScriptedServices services;
  HauptFenster* w = nullptr;
};

// One window on the offscreen platform, filled with the workspace.
Fenster& fenster() {
  static int argc = 1;
  static char name[] = "files_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app((setenv("QT_QPA_PLATFORM", "offscreen", 0), argc), argv);
  static Fenster f;
  static HauptFenster w(f.services);
  if (f.w == nullptr) {
    f.w = &w;
    w.AlleDatenEinfuegen(datei::Codieren(umgebung()) + "\r");
  }
  return f;
}

void BM_Codieren(benchmark::State& state) {
  const auto a = umgebung();
  for (auto _ : state) benchmark::DoNotOptimize(datei::Codieren(a));
}
BENCHMARK(BM_Codieren)->Unit(benchmark::kMicrosecond);

void BM_Zerlegen(benchmark::State& state) {
  const std::string inhalt = datei::Codieren(umgebung()) + "\r";
  for (auto _ : state) benchmark::DoNotOptimize(datei::Zerlegen(inhalt));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * inhalt.size()));
}
BENCHMARK(BM_Zerlegen)->Unit(benchmark::kMicrosecond);

// Reading the grid, encoding, and the atomic write (temporary file, fsync, rename).
void BM_SpeichereDaten(benchmark::State& state) {
  Fenster& f = fenster();
  for (auto _ : state) {
    f.services.expectSaveDialog(kPfad);
    f.w->SpeichereDaten();
  }
}
BENCHMARK(BM_SpeichereDaten)->Unit(benchmark::kMillisecond);

// Reading the file, the complete check, and showing and taking over
// everything; two different workspaces in turn, so that every field changes.
void BM_DatenLaden(benchmark::State& state) {
  Fenster& f = fenster();
  const std::string pfade[2] = {kPfad, kPfad + "2"};
  for (int k = 0; k < 2; ++k) {
    auto a = umgebung();
    a.raster = voll(static_cast<uint64_t>(100 + k));
    a.raster[0] = {5 + k, 7 + k, 3, 7};
    fw::writeTextFile(pfade[k], datei::Codieren(a), datei::kZeilenende);
  }
  int k = 0;
  for (auto _ : state) {
    f.services.expectOpenDialog(pfade[k ^= 1]);
    f.w->DatenLaden();
  }
  for (const std::string& p : pfade) std::remove(p.c_str());
}
BENCHMARK(BM_DatenLaden)->Unit(benchmark::kMillisecond);

}  // namespace
