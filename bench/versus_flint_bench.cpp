// Our matrix operations beside FLINT's on the same inputs, in one run: 64
// seeded 12 x 12 matrices with entries from -10 to 10 (11 x 12 systems for
// the echelon form and Cramer's rule, which also runs on entries from -999
// to 999 and up to 2^62), and the 12-cycle to the power 2^31 - 1. Prints a
// table of the medians and their ratio at the end.

#include <benchmark/benchmark.h>
#include <flint/fmpq_mat.h>
#include <flint/fmpz_mat.h>

#include <array>
#include <cstdio>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "arithmetic/algebra.h"
#include "arithmetic/cramer.h"
#include "arithmetic/determinant.h"
#include "arithmetic/elimination.h"
#include "arithmetic/rank.h"
#include "arithmetic/inverse.h"

namespace {

constexpr int kSamples = 64;
constexpr int32_t kPower = 2147483647;

class NoBoxes : public ar::Context {
 public:
  void message(const std::string&, int) override {}
};

// One sample as our matrix and as FLINT's.
struct Sample {
  ar::Matrix ours{};
  fmpz_mat_t flint;
  Sample(const Sample&) = delete;
  Sample(int rows, int cols) { fmpz_mat_init(flint, rows, cols); }
  ~Sample() { fmpz_mat_clear(flint); }
  void set(int i, int j, int64_t v) {
    ours[i + 1][j + 1] = v;
    fmpz_set_si(fmpz_mat_entry(flint, i, j), v);
  }
};

std::deque<Sample>& samples(int rows, int cols, unsigned seed, int64_t range = 10) {
  static std::map<unsigned, std::deque<Sample>> cache;
  auto& out = cache[seed];
  if (!out.empty()) return out;
  std::mt19937_64 rng(seed);
  std::uniform_int_distribution<int64_t> entry(-range, range);
  for (int s = 0; s < kSamples; ++s) {
    Sample& m = out.emplace_back(rows, cols);
    m.ours[0] = {rows, cols, 1, 1};
    for (int i = 0; i < rows; ++i)
      for (int j = 0; j < cols; ++j) m.set(i, j, entry(rng));
  }
  return out;
}

std::deque<Sample>& square() { return samples(12, 12, 1); }
std::deque<Sample>& other() { return samples(12, 12, 2); }
std::deque<Sample>& systems() { return samples(11, 12, 3); }
std::deque<Sample>& systems999() { return samples(11, 12, 4, 999); }
std::deque<Sample>& systems62() { return samples(11, 12, 5, int64_t{1} << 62); }

Sample& cycle() {
  static Sample c(12, 12);
  static bool made = false;
  if (!made) {
    c.ours[0] = {12, 12, 1, 1};
    for (int i = 0; i < 12; ++i) c.set(i, (i + 1) % 12, 1);
    made = true;
  }
  return c;
}

void detOurs(benchmark::State& state) {
  NoBoxes ctx;
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(ar::Det(ctx, square()[i++ % kSamples].ours));
}
void detFlint(benchmark::State& state) {
  fmpz_t d;
  fmpz_init(d);
  size_t i = 0;
  for (auto _ : state) {
    fmpz_mat_det(d, square()[i++ % kSamples].flint);
    benchmark::DoNotOptimize(d);
  }
  fmpz_clear(d);
}

// Ours on each sample in turn; the operation shows its own result.
template <class Op>
void ours(benchmark::State& state, std::deque<Sample>& in, Op op) {
  NoBoxes ctx;
  size_t i = 0;
  for (auto _ : state) op(ctx, in[i++ % kSamples].ours);
  if (ctx.overflow) state.SkipWithError("overflow");
}
// FLINT's operations that leave a matrix over a denominator.
template <class Op>
void flintOverDen(benchmark::State& state, std::deque<Sample>& in, int rows, Op op) {
  fmpz_mat_t r;
  fmpz_mat_init(r, rows, 12);
  fmpz_t den;
  fmpz_init(den);
  size_t i = 0;
  for (auto _ : state) {
    op(r, den, in[i++ % kSamples].flint);
    benchmark::DoNotOptimize(r);
  }
  fmpz_clear(den);
  fmpz_mat_clear(r);
}

void invOurs(benchmark::State& state) {
  ar::Matrix r{};
  bool failed = false;
  ours(state, square(), [&](ar::Context& ctx, const ar::Matrix& m) {
    ar::Invertieren(ctx, m, r, failed);
    benchmark::DoNotOptimize(r);
  });
}
void invFlint(benchmark::State& state) { flintOverDen(state, square(), 12, fmpz_mat_inv); }

void rrefOurs(benchmark::State& state) {
  ours(state, systems(), [](ar::Context& ctx, const ar::Matrix& m) {
    ar::Matrix e = m;
    ar::Verfahren(ctx, e);
    benchmark::DoNotOptimize(e);
  });
}
void rrefFlint(benchmark::State& state) { flintOverDen(state, systems(), 11, fmpz_mat_rref); }

void rankOurs(benchmark::State& state) {
  NoBoxes ctx;
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(ar::Rang(ctx, square()[i++ % kSamples].ours));
}
void rankFlint(benchmark::State& state) {
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(fmpz_mat_rank(square()[i++ % kSamples].flint));
}

void mulOurs(benchmark::State& state) {
  NoBoxes ctx;
  ar::Matrix r{};
  size_t i = 0;
  for (auto _ : state) {
    ar::MatMult(ctx, square()[i % kSamples].ours, other()[i % kSamples].ours, r);
    ++i;
    benchmark::DoNotOptimize(r);
  }
  if (ctx.overflow) state.SkipWithError("overflow");
}
void mulFlint(benchmark::State& state) {
  fmpz_mat_t r;
  fmpz_mat_init(r, 12, 12);
  size_t i = 0;
  for (auto _ : state) {
    fmpz_mat_mul(r, square()[i % kSamples].flint, other()[i % kSamples].flint);
    ++i;
    benchmark::DoNotOptimize(r);
  }
  fmpz_mat_clear(r);
}

void powOurs(benchmark::State& state) {
  NoBoxes ctx;
  ar::Matrix r{};
  for (auto _ : state) {
    ar::MatPot(ctx, cycle().ours, kPower, r);
    benchmark::DoNotOptimize(r);
  }
  if (ctx.overflow) state.SkipWithError("overflow");
}
void powFlint(benchmark::State& state) {
  fmpz_mat_t r;
  fmpz_mat_init(r, 12, 12);
  for (auto _ : state) {
    fmpz_mat_pow(r, cycle().flint, kPower);
    benchmark::DoNotOptimize(r);
  }
  fmpz_mat_clear(r);
}

// The exact solution as reduced fractions, ours and FLINT's.
template <std::deque<Sample>& (*Systems)()>
void cramerOurs(benchmark::State& state) {
  NoBoxes ctx;
  std::array<ar::BruchT, ar::kCramerMax> x{};
  size_t i = 0;
  for (auto _ : state) {
    if (ar::CramerBrueche(ctx, Systems()[i++ % kSamples].ours, x) != ar::CramerFall::kGeloest)
      state.SkipWithError("singular");
    benchmark::DoNotOptimize(x);
  }
}
template <std::deque<Sample>& (*Systems)()>
void cramerFlint(benchmark::State& state) {
  // The coefficients and the right-hand side as windows on each sample, made before the clock runs.
  std::vector<std::array<fmpz_mat_t, 2>> ab(kSamples);
  for (int k = 0; k < kSamples; ++k) {
    fmpz_mat_window_init(ab[k][0], Systems()[k].flint, 0, 0, 11, 11);
    fmpz_mat_window_init(ab[k][1], Systems()[k].flint, 0, 11, 11, 12);
  }
  fmpq_mat_t x;
  fmpq_mat_init(x, 11, 1);
  size_t i = 0;
  for (auto _ : state) {
    auto& [a, b] = ab[i++ % kSamples];
    if (!fmpq_mat_solve_fmpz_mat(x, a, b)) state.SkipWithError("singular");
    benchmark::DoNotOptimize(x);
  }
  fmpq_mat_clear(x);
  for (auto& [a, b] : ab) {
    fmpz_mat_window_clear(a);
    fmpz_mat_window_clear(b);
  }
}

// Each pair in one run, with enough repetitions for a median.
void pair(const char* op, void (*ours)(benchmark::State&), void (*flint)(benchmark::State&)) {
  for (auto [who, fn] : {std::pair{"Quenlor", ours}, std::pair{"FLINT", flint}})
    benchmark::RegisterBenchmark((std::string(op) + "/" + who).c_str(), fn)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMicrosecond);
}

// The console output, and the medians kept for the closing table.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median" && !r.error_occurred)
        median_[r.run_name.function_name] = r.GetAdjustedRealTime();
  }
  void printTable(const std::vector<std::string>& ops) const {
    std::printf("\n%-12s %14s %14s %10s\n", "median (us)", "Quenlor", "FLINT", "ratio");
    for (const auto& op : ops) {
      const auto ours = median_.find(op + "/Quenlor"), ref = median_.find(op + "/FLINT");
      if (ours == median_.end() || ref == median_.end()) continue;
      std::printf("%-12s %14.3f %14.3f %10.2f\n", op.c_str(), ours->second, ref->second, ours->second / ref->second);
    }
  }

 private:
  std::map<std::string, double> median_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> ops = {"Det",    "Invertieren", "Verfahren",  "Rang",       "MatMult",
                                        "MatPot", "Cramer",      "Cramer999", "Cramer2^62"};
  pair("Det", detOurs, detFlint);
  pair("Invertieren", invOurs, invFlint);
  pair("Verfahren", rrefOurs, rrefFlint);
  pair("Rang", rankOurs, rankFlint);
  pair("MatMult", mulOurs, mulFlint);
  pair("MatPot", powOurs, powFlint);
  pair("Cramer", cramerOurs<systems>, cramerFlint<systems>);
  pair("Cramer999", cramerOurs<systems999>, cramerFlint<systems999>);
  pair("Cramer2^62", cramerOurs<systems62>, cramerFlint<systems62>);
  benchmark::Initialize(&argc, argv);
  TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printTable(ops);
  benchmark::Shutdown();
  return 0;
}
