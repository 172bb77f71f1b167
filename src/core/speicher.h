#pragma once
// The seven stores of the main window. This one table serves the store and
// recall buttons, the term language (a store's letter names it in a term) and
// the workspace file (stores follow the grid in the order of the table).
// Plain C++, no Qt.

#include <array>
#include <cstddef>
#include <optional>

namespace core {

struct SpeicherInfo {
  char buchstabe;            // the store's name in terms: 'A' ... 'H' (no 'E')
  const char* speicherKnopf;  // the sticky button that stores the grid ("->A")
  const char* abrufKnopf;     // the push button that shows the store ("A ->")
  const char* frage;          // asked before a store of more than one row is overwritten
  const char* ueberschrift;   // heading of the recall's protocol entry
};

inline constexpr std::array<SpeicherInfo, 7> kSpeicher{{
    {'A', "InAB", "BevelButton7", "Bei 'OK' wird die alte Matrix A ueberschrieben!", "A = "},
    {'B', "InBB", "BevelButton11", "Bei 'OK' wird die alte Matrix B ueberschrieben!", "B  = "},
    {'C', "InCB", "BevelButton13", "Bei 'OK' wird die alte Matrix C ueberschrieben!", "C  = "},
    {'D', "InDB", "BevelButton15", "Bei 'OK' wird die alte Matrix D ueberschrieben!", "D = "},
    {'F', "InFB", "OutFB", "Bei 'OK' wird die alte Matrix F ueberschrieben!", "F = "},
    {'G', "InGB", "OutGB", "Bei 'OK' wird die alte Matrix G ueberschrieben!", "G = "},
    {'H', "InHB", "OutHB", "Bei 'OK' wird die alte Matrix H ueberschrieben!", "H = "},
}};

// Index of the store named by a letter, or none ('E', 'X' and others).
constexpr std::optional<size_t> speicherIndex(char buchstabe) {
  for (size_t i = 0; i < kSpeicher.size(); ++i)
    if (kSpeicher[i].buchstabe == buchstabe) return i;
  return std::nullopt;
}

}  // namespace core
