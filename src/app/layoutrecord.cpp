#include "app/layoutrecord.h"

#include <limits>
#include <set>

namespace app {

namespace {

using enum PropType;

// Tags 0..31 belong to every control; a class's own properties follow from 32.
TagTable withCommon(std::initializer_list<TagInfo> own) {
  TagTable t = {
      {0, "Name", String},          {1, "Index", Int32},          {2, "TabPanelIndex", Int32},
      {14, "HelpTag", String},      {18, "Visible", Boolean},     {19, "Left", Int32},
      {20, "Top", Int32},           {21, "Width", Int32},         {22, "Height", Int32},
      {23, "Enabled", Boolean},     {25, "AutoDeactivate", Boolean}, {26, "LockLeft", Boolean},
      {27, "LockTop", Boolean},     {28, "LockRight", Boolean},   {29, "LockBottom", Boolean},
      {31, "InitialParent", String},
  };
  t.insert(t.end(), own.begin(), own.end());
  return t;
}

void putInt32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

uint32_t getUInt32(std::string_view b, size_t pos) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<uint8_t>(b[pos + i]);
  return v;
}

bool typeMatches(PropType type, const fw::PropValue& v) {
  switch (type) {
    case Int32: return std::holds_alternative<int32_t>(v);
    case Boolean: return std::holds_alternative<bool>(v);
    case String: return std::holds_alternative<std::string>(v);
    case Colour: return std::holds_alternative<fw::Color>(v);
  }
  return false;
}

}  // namespace

const TagTable& tagTable(fw::ControlClass cls) {
  static const TagTable bevel = withCommon({
      {32, "Caption", String},     {33, "CaptionAlign", Int32}, {34, "CaptionPlacement", Int32},
      {35, "CaptionDelta", Int32}, {37, "IconAlign", Int32},    {38, "IconDX", Int32},
      {39, "IconDY", Int32},       {40, "Bevel", Int32},        {41, "HasMenu", Int32},
      {42, "Value", Boolean},      {43, "MenuValue", Int32},    {44, "ButtonType", Int32},
      {45, "AcceptFocus", Boolean}, {46, "TextFont", String},   {47, "TextSize", Int32},
      {48, "Bold", Boolean},       {49, "Italic", Boolean},     {50, "Underline", Boolean},
  });
  static const TagTable edit = withCommon({
      {32, "Text", String},          {34, "Border", Boolean},      {35, "MultiLine", Boolean},
      {36, "ReadOnly", Boolean},     {37, "Password", Boolean},    {38, "Styled", Boolean},
      {39, "AcceptTabs", Boolean},   {40, "TextColor", Colour},    {41, "BackColor", Colour},
      {42, "ScrollBarHorizontal", Boolean}, {43, "ScrollBarVertical", Boolean},
      {45, "TextFont", String},      {46, "TextSize", Int32},      {47, "Bold", Boolean},
      {48, "Italic", Boolean},       {49, "Underline", Boolean},   {53, "LimitText", Int32},
      {66, "UseFocusRing", Boolean}, {67, "DataSource", String},   {68, "DataField", String},
      {69, "Alignment", Int32},      {71, "Format", String},       {73, "Mask", String},
  });
  static const TagTable label = withCommon({
      {32, "Text", String},       {34, "TextAlign", Int32},   {35, "TextColor", Colour},
      {36, "TextFont", String},   {37, "TextSize", Int32},    {38, "Bold", Boolean},
      {39, "Italic", Boolean},    {40, "Underline", Boolean}, {41, "MultiLine", Boolean},
      {42, "DataSource", String}, {43, "DataField", String},
  });
  static const TagTable radio = withCommon({
      {32, "Caption", String}, {33, "Value", Boolean},  {34, "TextFont", String}, {35, "TextSize", Int32},
      {36, "Bold", Boolean},   {37, "Italic", Boolean}, {38, "Underline", Boolean},
  });
  static const TagTable line = withCommon({
      {32, "X1", Int32}, {33, "X2", Int32}, {34, "Y1", Int32}, {35, "Y2", Int32},
      {36, "BorderWidth", Int32}, {37, "LineColor", Colour},
  });
  static const TagTable arrows = withCommon({{32, "AcceptFocus", Boolean}});
  static const TagTable separator = withCommon({});
  return byClass(cls, bevel, edit, label, radio, line, arrows, separator);
}

const TagTable& windowTagTable() {
  static const TagTable t = {
      {0, "Visible", Boolean},        {3, "Width", Int32},          {4, "Height", Int32},
      {5, "Placement", Int32},        {6, "Title", String},         {7, "FullScreen", Boolean},
      {8, "MenuBarVisible", Boolean}, {10, "CloseButton", Boolean}, {12, "Resizeable", Boolean},
      {14, "MaximizeButton", Boolean}, {15, "MinimizeButton", Boolean}, {16, "Frame", Int32},
      {17, "Composite", Boolean},     {18, "LiveResize", Boolean},  {21, "HasBackColor", Boolean},
      {22, "BackColor", Colour},      {23, "BalloonHelp", String},  {24, "MinWidth", Int32},
      {25, "MinHeight", Int32},       {26, "MaxWidth", Int32},      {27, "MaxHeight", Int32},
      {28, "MacProcId", Int32},
  };
  return t;
}

const TagInfo* findTag(const TagTable& table, uint8_t tag) {
  for (const TagInfo& t : table)
    if (t.tag == tag) return &t;
  return nullptr;
}

const TagInfo* findTag(const TagTable& table, std::string_view name) {
  for (const TagInfo& t : table)
    if (name == t.name) return &t;
  return nullptr;
}

std::optional<std::string> writeRecord(const TagTable& table, const std::vector<Entry>& entries) {
  std::string out;
  std::set<uint8_t> seen;
  for (const Entry& e : entries) {
    const TagInfo* info = findTag(table, e.name);
    if (info == nullptr || !typeMatches(info->type, e.value) || !seen.insert(info->tag).second) return std::nullopt;
    out.push_back('\0');
    out.push_back(static_cast<char>(info->tag));
    if (const auto* i = std::get_if<int32_t>(&e.value)) {
      putInt32(out, static_cast<uint32_t>(*i));
    } else if (const auto* b = std::get_if<bool>(&e.value)) {
      out.push_back(*b ? '\1' : '\0');
    } else if (const auto* s = std::get_if<std::string>(&e.value)) {
      if (s->size() > std::numeric_limits<uint32_t>::max()) return std::nullopt;
      putInt32(out, static_cast<uint32_t>(s->size()));
      out += *s;
    } else {
      const auto& c = std::get<fw::Color>(e.value);
      out.push_back(static_cast<char>(c.r));
      out.push_back(static_cast<char>(c.g));
      out.push_back(static_cast<char>(c.b));
    }
  }
  return out;
}

std::optional<std::vector<Entry>> readRecord(const TagTable& table, std::string_view bytes) {
  std::vector<Entry> entries;
  std::set<uint8_t> seen;
  size_t pos = 0;
  const size_t n = bytes.size();
  while (pos < n) {
    if (n - pos < 2 || bytes[pos] != '\0') return std::nullopt;
    const auto tag = static_cast<uint8_t>(bytes[pos + 1]);
    const TagInfo* info = findTag(table, tag);
    if (info == nullptr || !seen.insert(tag).second) return std::nullopt;
    pos += 2;
    const size_t left = n - pos;
    Entry e{info->name, {}};
    switch (info->type) {
      case Int32:
        if (left < 4) return std::nullopt;
        e.value = static_cast<int32_t>(getUInt32(bytes, pos));
        pos += 4;
        break;
      case Boolean:
        if (left < 1 || static_cast<uint8_t>(bytes[pos]) > 1) return std::nullopt;
        e.value = bytes[pos] != '\0';
        pos += 1;
        break;
      case String: {
        if (left < 4) return std::nullopt;
        const uint64_t len = getUInt32(bytes, pos);
        if (len > left - 4) return std::nullopt;
        e.value = std::string(bytes.substr(pos + 4, static_cast<size_t>(len)));
        pos += 4 + static_cast<size_t>(len);
        break;
      }
      case Colour:
        if (left < 3) return std::nullopt;
        e.value = fw::Color{static_cast<uint8_t>(bytes[pos]), static_cast<uint8_t>(bytes[pos + 1]),
                            static_cast<uint8_t>(bytes[pos + 2])};
        pos += 3;
        break;
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

}  // namespace app
