#pragma once
// Layout records: the stored initial properties of a window or a control, a
// byte string of typed entries. Each entry is the byte 0x00, a one-byte tag
// (the property's index in its class's table) and the value: Int32 as four
// big-endian bytes, Boolean as one byte, a string as a four-byte big-endian
// byte count and its UTF-8 bytes, a colour as red, green, blue.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls.h"

namespace app {

enum class PropType { Int32, Boolean, String, Colour };

struct TagInfo {
  uint8_t tag;
  const char* name;
  PropType type;
};

// Picks the one of seven per-class values that belongs to cls.
template <class T>
const T& byClass(fw::ControlClass cls, const T& bevelButton, const T& editField, const T& staticText,
                 const T& radioButton, const T& line, const T& upDownArrows, const T& separator) {
  switch (cls) {
    case fw::ControlClass::BevelButton: return bevelButton;
    case fw::ControlClass::EditField: return editField;
    case fw::ControlClass::StaticText: return staticText;
    case fw::ControlClass::RadioButton: return radioButton;
    case fw::ControlClass::Line: return line;
    case fw::ControlClass::UpDownArrows: return upDownArrows;
    case fw::ControlClass::Separator: return separator;
  }
  return separator;
}

// The tags a record may use, per class.
using TagTable = std::vector<TagInfo>;
const TagTable& tagTable(fw::ControlClass cls);
const TagTable& windowTagTable();

const TagInfo* findTag(const TagTable& table, uint8_t tag);
const TagInfo* findTag(const TagTable& table, std::string_view name);

struct Entry {
  std::string name;
  fw::PropValue value;
  bool operator==(const Entry&) const = default;
};

// Encodes the entries in their order. nullopt if a name is not in the table,
// a value has the wrong type, a name repeats, or a string is too long.
std::optional<std::string> writeRecord(const TagTable& table, const std::vector<Entry>& entries);

// Decodes a whole record. nullopt if a lead byte is not 0x00, a tag is not in
// the table, a tag repeats, a Boolean is neither 0 nor 1, or a value runs
// past the end.
std::optional<std::vector<Entry>> readRecord(const TagTable& table, std::string_view bytes);

}  // namespace app
