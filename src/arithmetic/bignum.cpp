#include "arithmetic/bignum.h"

#include <algorithm>

namespace ar::big {

mpz_class of(exact::i128 v) {
  mpz_class r = static_cast<long>(static_cast<int64_t>(v >> 64));
  r <<= 64;
  r += static_cast<unsigned long>(static_cast<uint64_t>(v));
  return r;
}

mpz_class fromFmpz(const fmpz_t v) {
  mpz_class r;
  fmpz_get_mpz(r.get_mpz_t(), v);
  return r;
}

BigMatrix of(const Matrix& M) {
  BigMatrix B;
  for (size_t i = 0; i <= 12; ++i)
    for (size_t j = 0; j <= 12; ++j) B[i][j] = static_cast<long>(M[i][j]);
  return B;
}

bool store(const BigMatrix& B, Matrix& M) {
  for (const auto& row : B)
    for (const auto& v : row)
      if (!v.fits_slong_p()) return false;
  for (size_t i = 0; i <= 12; ++i)
    for (size_t j = 0; j <= 12; ++j) M[i][j] = B[i][j].get_si();
  return true;
}

bool storeRow(const BigMatrix& B, size_t i, Matrix& M) {
  for (const auto& v : B[i])
    if (!v.fits_slong_p()) return false;
  std::transform(B[i].begin(), B[i].end(), M[i].begin(), [](const mpz_class& v) { return v.get_si(); });
  return true;
}

namespace {
int32_t clamp(const mpz_class& v) { return v < 0 ? 0 : v > 12 ? 12 : static_cast<int32_t>(v.get_si()); }
}  // namespace

int32_t rowsOf(const BigMatrix& M) { return clamp(M[0][0]); }
int32_t colsOf(const BigMatrix& M) { return clamp(M[0][1]); }

void normalize(BigMatrix& M) {
  const int32_t rows = rowsOf(M), cols = colsOf(M);
  mpz_class m = 0;
  for (int32_t i = 1; i <= rows && m != 1; ++i)
    for (int32_t j = 1; j <= cols && m != 1; ++j) m = gcd(m, M[i][j]);
  if (M[0][3] != 0 && (M[0][2] == 0 || m == 0)) {  // value zero, as in MKuerzen
    for (int32_t i = 1; i <= rows; ++i)
      for (int32_t j = 1; j <= cols; ++j) M[i][j] = 0;
    M[0][2] = 1;
    M[0][3] = 1;
    return;
  }
  if (m > 1) {
    for (int32_t i = 1; i <= rows; ++i)
      for (int32_t j = 1; j <= cols; ++j) mpz_divexact(M[i][j].get_mpz_t(), M[i][j].get_mpz_t(), m.get_mpz_t());
    M[0][2] *= m;
  }
  if (M[0][2] < 0) {
    M[0][2] = -M[0][2];
    for (int32_t i = 1; i <= rows; ++i)
      for (int32_t j = 1; j <= cols; ++j) M[i][j] = -M[i][j];
  }
  const mpz_class h = gcd(M[0][2], M[0][3]);
  if (h > 1) {
    mpz_divexact(M[0][2].get_mpz_t(), M[0][2].get_mpz_t(), h.get_mpz_t());
    mpz_divexact(M[0][3].get_mpz_t(), M[0][3].get_mpz_t(), h.get_mpz_t());
  }
}

size_t bits(const BigMatrix& M) {
  size_t b = std::max(mpz_sizeinbase(M[0][2].get_mpz_t(), 2), mpz_sizeinbase(M[0][3].get_mpz_t(), 2));
  for (int32_t i = 1; i <= rowsOf(M); ++i)
    for (int32_t j = 1; j <= colsOf(M); ++j) b = std::max(b, mpz_sizeinbase(M[i][j].get_mpz_t(), 2));
  return b;
}

}  // namespace ar::big
