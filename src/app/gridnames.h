#pragma once
// Names of the grid's controls: a row or column k from 1 to 12 is one
// character, "1".."9", then "A", "B", "C". The cell of row r and column c is
// "A" + row + column + "F"; labels are "S<c>T" (columns) and "Z<r>T" (rows).

#include <string>

namespace grid {

inline char indexChar(int k) { return k < 10 ? static_cast<char>('0' + k) : static_cast<char>('A' + (k - 10)); }
inline std::string cellName(int r, int c) { return std::string{'A', indexChar(r), indexChar(c), 'F'}; }
inline std::string columnLabelName(int c) { return std::string{'S', indexChar(c), 'T'}; }
inline std::string rowLabelName(int r) { return std::string{'Z', indexChar(r), 'T'}; }

}  // namespace grid
