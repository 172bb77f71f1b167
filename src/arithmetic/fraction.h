#pragma once
// The program's fraction: numerator Z over denominator N, both signed 64-bit.
// Matrices carry their own common factor; this type serves the solution of a
// linear system shown as fractions.

#include <cstdint>

#include "arithmetic/matrix.h"

namespace ar {

class BruchT {
 public:
  int64_t N = 0;  // denominator
  int64_t Z = 0;  // numerator

  // Reduces in place and puts the sign into the numerator: 4/-6 -> -2/3,
  // 0/-5 -> 0/1, 5/0 -> 1/0; 0/0 stays 0/0. A result that does not fit
  // (1/INT64_MIN) sets ctx.overflow and leaves the fraction as it was.
  void Kuerzen(Context& ctx);
  bool IstNull() const { return Z == 0; }
  bool IstDefiniert() const { return N != 0; }
  // c := this + b, reduced as by Kuerzen; returns c. Overflow sets
  // ctx.overflow and leaves c as it was.
  BruchT& Plus(Context& ctx, const BruchT& b, BruchT& c) const;
  // c := N/Z, signs as they stand and not reduced; with Z = 0 the message of
  // Fehler("Kehrwert") and c stays. Returns c.
  BruchT& Kehrwert(Context& ctx, BruchT& c) const;
  // c := (Z * b.Z)/(N * b.N), not reduced; returns c. Overflow sets
  // ctx.overflow and leaves c as it was.
  BruchT& Mal(Context& ctx, const BruchT& b, BruchT& c) const;
};

}  // namespace ar
