// The cases the comparison with FLINT (versus_flint_bench) leaves out: large
// entries, where the exact fallbacks take over, the full 12 x 12 echelon form,
// orthogonalisation, diagonal equalisation and the linear map, on seeded
// random matrices.

#include <benchmark/benchmark.h>
#include <flint/fmpz_mat.h>

#include <random>
#include <vector>

#include "arithmetic/determinant.h"
#include "arithmetic/diagonal.h"
#include "arithmetic/elimination.h"
#include "arithmetic/inverse.h"
#include "arithmetic/orthogonal.h"

namespace {

constexpr int kSamples = 64;

std::vector<ar::Matrix> randomMatrices(int rows, int cols, unsigned seed, int64_t range = 10) {
  std::mt19937_64 rng(seed);
  std::uniform_int_distribution<int64_t> entry(-range, range);
  std::vector<ar::Matrix> out(kSamples);
  for (auto& m : out) {
    m = ar::Matrix{};
    m[0] = {rows, cols, 1, 1};
    for (int i = 1; i <= rows; ++i)
      for (int j = 1; j <= cols; ++j) m[i][j] = entry(rng);
  }
  return out;
}

class NoBoxes : public ar::Context {
 public:
  void message(const std::string&, int) override {}
};

// Runs op on the samples in turn; true when one of them overflowed.
template <class Op>
bool eachSample(benchmark::State& state, const std::vector<ar::Matrix>& samples, Op op) {
  NoBoxes ctx;
  size_t i = 0;
  for (auto _ : state) op(ctx, samples[i++ % kSamples]);
  return ctx.overflow;
}

void det(ar::Context& ctx, const ar::Matrix& m) { benchmark::DoNotOptimize(ar::Det(ctx, m)); }

void invert(ar::Context& ctx, const ar::Matrix& m) {
  ar::Matrix r{};
  bool failed = false;
  ar::Invertieren(ctx, m, r, failed);
  benchmark::DoNotOptimize(r);
}

// Entries up to 2^62: the minors leave 64 bits and the exact fallback decides.
void BM_Det12HugeEntries(benchmark::State& state) {
  eachSample(state, randomMatrices(12, 12, 7, int64_t{1} << 62), det);
}
BENCHMARK(BM_Det12HugeEntries);

// Entries up to 2^20: the 64-bit elimination gives up and the exact fallback
// takes over.
void BM_Invertieren12LargeEntries(benchmark::State& state) {
  eachSample(state, randomMatrices(12, 12, 8, int64_t{1} << 20), invert);
}
BENCHMARK(BM_Invertieren12LargeEntries);

// A full 12 x 12 grid (the 11 x 12 system is in the comparison with FLINT).
void BM_Verfahren(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const bool overflow = eachSample(state, randomMatrices(rows, 12, 3), [](ar::Context& ctx, ar::Matrix m) {
    ar::Verfahren(ctx, m);
    benchmark::DoNotOptimize(m);
  });
  if (overflow) state.SkipWithError("overflow");
}
BENCHMARK(BM_Verfahren)->Arg(12);

void BM_Orthnorm(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  eachSample(state, randomMatrices(n, n, 5), [](ar::Context& ctx, ar::Matrix m) {
    ar::Orthnorm(ctx, m);
    benchmark::DoNotOptimize(m);
  });
}
BENCHMARK(BM_Orthnorm)->Arg(8)->Arg(12);

void vereinheitlichen(benchmark::State& state, unsigned seed, int64_t range) {
  auto ms = randomMatrices(12, 12, seed, range);
  for (auto& m : ms)  // a zero on the diagonal would make it a no-op
    for (int i = 1; i <= 12; ++i)
      if (m[i][i] == 0) m[i][i] = 7;
  eachSample(state, ms, [](ar::Context& ctx, ar::Matrix m) {
    ar::Vereinheitlichen(ctx, m);
    benchmark::DoNotOptimize(m);
  });
}
void BM_Vereinheitlichen12(benchmark::State& state) { vereinheitlichen(state, 6, 10); }
BENCHMARK(BM_Vereinheitlichen12);
// Diagonal entries up to 2^40: the common multiple leaves 64 bits, and the
// scaled rows are formed exactly on the way to their normal form.
void BM_Vereinheitlichen12Exact(benchmark::State& state) { vereinheitlichen(state, 9, int64_t{1} << 40); }
BENCHMARK(BM_Vereinheitlichen12Exact);

// lin.Abb. with A of entries up to 2^20, whose inverse leaves 64 bits, and
// B = C A for a small C: the exact way finds B A^-1 = C. Beside it FLINT's
// solution of A^T X^T = B^T alone, on the same matrices.
struct LinAbb {
  ar::Matrix a, b;
};
std::vector<LinAbb> linAbbSamples() {
  const auto as = randomMatrices(12, 12, 10, int64_t{1} << 20), cs = randomMatrices(12, 12, 11, 3);
  std::vector<LinAbb> out;
  for (int k = 0; k < kSamples; ++k) {
    ar::Matrix b{};
    b[0] = {12, 12, 1, 1};
    for (int i = 1; i <= 12; ++i)
      for (int j = 1; j <= 12; ++j)
        for (int t = 1; t <= 12; ++t) b[i][j] += cs[k][i][t] * as[k][t][j];
    out.push_back({as[k], b});
  }
  return out;
}

void BM_LinAbb12Exact(benchmark::State& state) {
  const auto samples = linAbbSamples();
  NoBoxes ctx;
  size_t k = 0;
  for (auto _ : state) {
    const LinAbb& s = samples[k++ % kSamples];
    ar::Matrix r{};
    bool failed = false;
    ar::Abbildungsmatrix(ctx, s.a, s.b, r, failed);
    benchmark::DoNotOptimize(r);
  }
  if (ctx.overflow) state.SkipWithError("overflow");
}
BENCHMARK(BM_LinAbb12Exact);

void BM_LinAbb12Exact_FlintSolve(benchmark::State& state) {
  const auto samples = linAbbSamples();
  size_t k = 0;
  fmpz_mat_t at, bt, x;
  fmpz_mat_init(at, 12, 12), fmpz_mat_init(bt, 12, 12), fmpz_mat_init(x, 12, 12);
  fmpz_t den;
  fmpz_init(den);
  for (auto _ : state) {
    const LinAbb& s = samples[k++ % kSamples];
    for (int i = 0; i < 12; ++i)
      for (int j = 0; j < 12; ++j) {
        fmpz_set_si(fmpz_mat_entry(at, i, j), s.a[j + 1][i + 1]);
        fmpz_set_si(fmpz_mat_entry(bt, i, j), s.b[j + 1][i + 1]);
      }
    benchmark::DoNotOptimize(fmpz_mat_solve(x, den, at, bt));
  }
  fmpz_clear(den);
  fmpz_mat_clear(x), fmpz_mat_clear(bt), fmpz_mat_clear(at);
}
BENCHMARK(BM_LinAbb12Exact_FlintSolve);

}  // namespace
