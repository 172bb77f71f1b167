#include "app/layoutdata.h"

#include <limits>
#include <map>

#include "app/gridnames.h"

namespace app {

namespace {

using fw::Color;
using fw::ControlClass;
using fw::PropValue;
using BB = std::vector<Entry>;

constexpr Color kBlack{0, 0, 0};
constexpr Color kWhite{255, 255, 255};
const std::string CR = "\r";

// Property lists of each class's records, in record order.
const std::vector<const char*>& profile(ControlClass cls) {
  static const std::vector<const char*> bevel = {
      "Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
      "TabPanelIndex", "InitialParent", "Visible", "HelpTag", "AutoDeactivate", "Enabled", "Caption",
      "CaptionAlign", "CaptionPlacement", "CaptionDelta", "IconAlign", "IconDX", "IconDY", "Bevel", "HasMenu",
      "Value", "MenuValue", "ButtonType", "AcceptFocus", "TextFont", "TextSize", "Bold", "Italic", "Underline"};
  static const std::vector<const char*> edit = {
      "Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
      "TabPanelIndex", "Border", "MultiLine", "ScrollBarHorizontal", "ScrollBarVertical", "Styled", "Password",
      "UseFocusRing", "TextColor", "BackColor", "Enabled", "Format", "Visible", "HelpTag", "AutoDeactivate",
      "TextFont", "TextSize", "Bold", "Italic", "Underline", "Text", "Mask", "ReadOnly", "LimitText",
      "AcceptTabs", "Alignment", "DataSource", "DataField", "InitialParent"};
  static const std::vector<const char*> label = {
      "Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
      "TabPanelIndex", "Text", "TextAlign", "TextColor", "MultiLine", "Enabled", "Visible", "HelpTag",
      "AutoDeactivate", "TextFont", "TextSize", "Bold", "Italic", "Underline", "DataSource", "DataField",
      "InitialParent"};
  static const std::vector<const char*> radio = {
      "Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
      "TabPanelIndex", "Caption", "Enabled", "Visible", "HelpTag", "AutoDeactivate", "TextFont", "TextSize",
      "Bold", "Italic", "Underline", "Value", "InitialParent"};
  static const std::vector<const char*> line = {
      "Name", "Index", "Top", "Left", "Width", "Height", "X1", "X2", "Y1", "Y2", "TabPanelIndex", "Visible",
      "BorderWidth", "LineColor", "InitialParent"};
  static const std::vector<const char*> arrows = {
      "Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight", "LockBottom",
      "TabPanelIndex", "InitialParent", "Visible", "HelpTag", "AutoDeactivate", "Enabled", "AcceptFocus"};
  static const std::vector<const char*> separator(arrows.begin(), arrows.end() - 1);
  return byClass(cls, bevel, edit, label, radio, line, arrows, separator);
}

// Values every record of a kind carries unless its control says otherwise.
const std::map<std::string, PropValue>& baseline(ControlClass cls) {
  static const std::map<std::string, PropValue> common = {
      {"Index", std::numeric_limits<int32_t>::min()},
      {"TabPanelIndex", 0},
      {"InitialParent", std::string()},
      {"LockLeft", false},
      {"LockTop", false},
      {"LockRight", false},
      {"LockBottom", false},
      {"Visible", true},
      {"Enabled", true},
      {"AutoDeactivate", true},
      {"TextFont", std::string("System")},
      {"HelpTag", std::string()},
  };
  auto with = [](std::initializer_list<std::pair<const std::string, PropValue>> own) {
    std::map<std::string, PropValue> m = common;
    for (const auto& [k, v] : own) m.insert_or_assign(k, v);
    return m;
  };
  static const auto bevel = with({{"ButtonType", 0}, {"Bevel", 0}, {"CaptionAlign", 3}, {"CaptionPlacement", 1},
                                  {"CaptionDelta", 0}, {"IconAlign", 0}, {"IconDX", 0}, {"IconDY", 0},
                                  {"HasMenu", 0}, {"MenuValue", 0}, {"Value", false}, {"AcceptFocus", false},
                                  {"TextSize", 14}, {"Bold", true}, {"Italic", false}, {"Underline", false}});
  static const auto label = with({{"TextAlign", 1}, {"TextColor", kBlack}, {"MultiLine", false}, {"TextSize", 0},
                                  {"Bold", false}, {"Italic", false}, {"Underline", false},
                                  {"DataSource", std::string()}, {"DataField", std::string()}});
  static const auto edit = with({{"MultiLine", false}, {"Border", true}, {"ScrollBarVertical", true},
                                 {"ScrollBarHorizontal", false}, {"Styled", false}, {"Password", false},
                                 {"UseFocusRing", true}, {"TextColor", kBlack}, {"BackColor", kWhite},
                                 {"TextSize", 0}, {"Bold", false}, {"Italic", false}, {"Underline", false},
                                 {"Format", std::string()}, {"Mask", std::string()}, {"ReadOnly", false},
                                 {"LimitText", 0}, {"AcceptTabs", false}, {"Alignment", 0},
                                 {"DataSource", std::string()}, {"DataField", std::string()}});
  static const auto radio = with({{"TextSize", 0}, {"Bold", false}, {"Italic", false}, {"Underline", false},
                                  {"Value", false}});
  static const auto arrows = with({{"AcceptFocus", false}});
  static const auto line = with({{"LineColor", kBlack}, {"BorderWidth", 1}});
  return byClass(cls, bevel, edit, label, radio, line, arrows, common);
}

// Shorthands for the table below.
const BB kPlain{};
const BB kSmall{{"TextSize", 0}, {"Bold", false}};  // platform's text size, not bold
const BB kSticky{{"ButtonType", 2}};
const std::vector<std::string> kAction{"Action"};

ControlDef button(const char* name, int l, int t, int w, int h, const char* caption, BB differs = {},
                  std::string help = {}) {
  return {name, ControlClass::BevelButton, l, t, w, h, caption, std::move(help), std::move(differs), kAction};
}
ControlDef label(const char* name, int l, int t, int w, int h, const char* text, BB differs = {}) {
  return {name, ControlClass::StaticText, l, t, w, h, text, {}, std::move(differs), {}};
}
ControlDef field(const char* name, int l, int t, int w, int h, const char* text, BB differs = {},
                 std::string help = {}, std::vector<std::string> events = {}) {
  return {name, ControlClass::EditField, l, t, w, h, text, std::move(help), std::move(differs), std::move(events)};
}
ControlDef lineFromTo(const char* name, int x1, int y1, int x2, int y2, int borderWidth) {
  return {name, ControlClass::Line, x1, y1, x2 - x1, y2 - y1, {}, {}, {{"BorderWidth", borderWidth}}, {}};
}
ControlDef arrows(const char* name, int l, int t) {
  return {name, ControlClass::UpDownArrows, l, t, 13, 20, {}, {}, {}, {"Down", "Up"}};
}

// The 59 controls outside the grid, by name.
const std::map<std::string, ControlDef>& namedControls() {
  static const std::map<std::string, ControlDef> m = [] {
    const BB big{{"TextSize", 14}, {"Bold", true}};
    std::vector<ControlDef> v = {
        // Factor and size fields
        label("StaticText3", 24, 14, 186, 20, "Faktor vor aktueller Matrix:"),
        field("FakZF", 40, 46, 98, 27, "1", big),
        lineFromTo("Line2", 34, 71, 147, 72, 2),
        field("FakNF", 40, 71, 98, 26, "1", big, {}, {"LostFocus"}),
        label("StaticText1", 234, 17, 100, 20, "Spaltenanzahl:", {{"TextAlign", 0}}),
        field("SZahlF", 338, 16, 38, 27, "3", {}, {}, {"TextChange"}),
        arrows("SzUpDownArrows", 380, 16),
        label("StaticText2", 234, 42, 100, 20, "Zeilenanzahl:", {{"TextAlign", 0}}),
        field("ZZahlF", 338, 41, 38, 26, "3", {}, {}, {"TextChange"}),
        arrows("ZzUpDownArrows", 380, 47),
        // Protocol group
        button("ProtokollB", 505, 5, 263, 22, "Protokollierung Einschalten",
               {{"ButtonType", 1}, {"TextSize", 0}, {"Bold", false}}),
        button("BevelButton30", 505, 29, 78, 37, "Loeschen"),
        button("BevelButton29", 581, 29, 64, 37, "Zeigen"),
        button("BevelButton31", 644, 29, 40, 37, "->K", kSmall, "Schreibt das aktuelle Protokoll ins Klemmbrett."),
        button("BevelButton24", 684, 29, 84, 37, "Speichern"),
        // Workspace group and quit button
        label("StaticText8", 780, 6, 154, 20, "Arbeitsumgebung"),
        button("BevelButton20", 780, 29, 46, 37, "Laden", kSmall),
        button("BevelButton21", 826, 29, 40, 37, "Neu", kSmall),
        button("BevelButton19", 866, 29, 69, 37, "Speichern", kSmall),
        button("BevelButton3", 953, 16, 78, 51, "Beenden", {{"Bevel", 3}}),
        // Lines below the grid
        lineFromTo("Line1", 21, 546, 1031, 543, 1),
        lineFromTo("Line3", 685, 546, 684, 716, 1),
        // Stores
        label("StaticText5", 264, 555, 229, 20, "Matrizenrechnung"),
        label("StaticText6", 20, 602, 61, 20, "STO", {{"TextAlign", 2}}),
        button("InAB", 83, 592, 44, 37, "->A", kSticky),
        button("InBB", 124, 592, 44, 37, "->B", kSticky),
        button("InCB", 166, 592, 44, 37, "->C", kSticky),
        button("InDB", 211, 592, 44, 37, "->D", kSticky),
        button("InFB", 251, 592, 44, 37, "->F", kSticky),
        button("InGB", 289, 592, 44, 37, "->G", kSticky),
        button("InHB", 333, 592, 44, 37, "->H", kSticky),
        label("StaticText7", 51, 639, 30, 20, "RCL", {{"TextAlign", 2}}),
        button("BevelButton7", 83, 631, 44, 37, "A ->"),
        button("BevelButton11", 124, 631, 44, 37, "B ->"),
        button("BevelButton13", 166, 631, 44, 37, "C ->"),
        button("BevelButton15", 211, 631, 44, 37, "D ->"),
        button("OutFB", 251, 631, 44, 37, "F ->"),
        button("OutGB", 291, 631, 44, 37, "G ->"),
        button("OutHB", 333, 631, 44, 37, "H ->"),
        // Matrix operations
        button("BevelButton6", 397, 592, 52, 37, "E->", kPlain,
               "Schreibt Einsen in die Hauptdiagonale der Displaymatrix und Nullen an alle anderen Stellen."),
        button("BevelButton27", 397, 631, 52, 37, "Rnd->", kPlain,
               "Fuellt die Displaymatrix mit Zufallszahlen. Wird das Feld unter \"Rnd\" nicht leer gelassen, hat "
               "diese Matrix als Determinante den dort eingetragenen Wert." + CR),
        button("BevelButton32", 456, 592, 58, 37, "Rang"),
        button("BevelButton28", 456, 631, 121, 37, "Transponieren"),
        button("BevelButton23", 514, 592, 155, 37, "Orthogonalisieren", kPlain,
               "Orthogonalisiert die Spalten der im Display stehenden Matrix."),
        button("BevelButton4", 572, 631, 97, 37, "Invertieren", kPlain, "Invertiert die Matrix im Display ."),
        // Formula and output row
        field("FormelF", 83, 675, 250, 31, "",
              {{"BackColor", Color{0xFB, 0xFF, 0xD1}}, {"TextSize", 16}, {"Bold", true}},
              "Hier kann ein auszuwertender Matrixterm eingegeben werden, wie zum Beispiel:" + CR +
                  "2/3*A+(3/5+3/7)*B^-1+2*C^3" + CR +
                  "Die Auswertung erfolgt dann durch Druecken des \"=\"-Buttons."),
        button("BevelButton22", 333, 675, 44, 31, "="),
        field("InOutF", 397, 675, 105, 25, "",
              {{"Border", false}, {"ScrollBarVertical", false}, {"AcceptTabs", true}},
              "Zeigt Determinante, Rang oder Spur der Displaymatrix nach dem entsprechenden Aufruf an." + CR +
                  "Dient (ohne Gleichheitszeichen) zur Festlegung der Determinante einer zu erzeugenden "
                  "quadratischen Zufallsmatrix.",
              {"LostFocus"}),
        button("BevelButton16", 505, 669, 52, 37, "Det", kPlain,
               "Berechnet die Determinante der Matrix im Display ohne Beruecksichtigung des Koeffizienten vor "
               "der Matrix."),
        button("BevelButton33", 555, 669, 47, 37, "Spur", kPlain,
               "Berechnet die Spur der Matrix im Display ohne Beruecksichtigung des Koeffizienten vor der Matrix."),
        button("BevelButton35", 601, 669, 68, 37, "lin.Abb.", kPlain,
               "Wenn die (n,n)-Matrix A regulaer ist und Matrix B eine (m,n)-Matrix ist, wird hiermit die Matrix "
               "der linearen Abbildung von R^n in R^m berechnet, die als Bild der i-ten Spalte von A die i-te "
               "Spalte von B hat (i=1,2,3,...,n)."),
        // Linear-system group and about button
        label("StaticText4", 702, 555, 323, 20, "Gl.-System: Erweiterte Koeffizientenmatrix"),
        button("BevelButton1", 702, 592, 150, 37, "Transformieren", kPlain,
               "Deutet die Displaymatrix als erweiterte Koeffizientenmatrix eines linearen Gleichungssystems und "
               "fuehrt zur Loesung elementare Zeilenumformungen durch."),
        button("BevelButton17", 852, 592, 65, 37, "Cramer", kPlain,
               "Deutet die Displaymatrix als erweiterte Koeffizientenmatrix eines linearen Gleichungssystems und "
               "loest dieses - ggf. - nach der Cramerschen Regel."),
        {"BruchB", ControlClass::RadioButton, 918, 581, 107, 27, "als Bruch", {}, {}, {}},
        {"DezBB", ControlClass::RadioButton, 918, 608, 107, 27, "als DezBruch", {}, {{"Value", true}}, {}},
        button("BevelButton5", 702, 631, 215, 37, "Diagonale Vereinheitlichen", kSmall,
               "Setzt durch Zeilenmultiplikation mit geeigneten Faktoren alle Kompnenten der Hauptdiagonale auf "
               "den gleichen Wert."),
        {"Separator1", ControlClass::Separator, 684, 669, 347, 7, {}, {}, {}, {}},
        button("BevelButton18", 702, 680, 323, 26, "Information zu Quenlor", kSmall),
    };
    std::map<std::string, ControlDef> byName;
    for (auto& d : v) byName.emplace(d.name, std::move(d));
    return byName;
  }();
  return m;
}

// Grid geometry: columns 4 to 11 stand 77 pixels apart, the others 78.
constexpr int kColumnLeft[13] = {0, 108, 186, 264, 342, 419, 496, 573, 650, 727, 804, 881, 959};
int rowTop(int r) { return 153 + 31 * (r - 1); }

ControlDef cell(int r, int c) {
  // Column 12 stands one pixel lower than the rest of its row.
  return {grid::cellName(r, c), ControlClass::EditField, kColumnLeft[c], rowTop(r) + (c == 12 ? 1 : 0), 72, 25,
          {}, {}, {}, {}};
}
ControlDef columnLabel(int c) {
  return {grid::columnLabelName(c), ControlClass::StaticText, kColumnLeft[c], (c == 4 || c == 12) ? 121 : 120,
          72, 20, std::to_string(c), {}, {}, {}};
}
ControlDef rowLabel(int r) {
  return {grid::rowLabelName(r), ControlClass::StaticText, 67, rowTop(r) + (r <= 8 ? 1 : 0), 46, 20,
          std::to_string(r), {}, {}, {}};
}

void addNamed(std::vector<ControlDef>& step, std::initializer_list<const char*> names) {
  for (const char* n : names) step.push_back(namedControls().at(n));
}
void addCells(std::vector<ControlDef>& step, int row, int firstCol, int lastCol) {
  for (int c = firstCol; c <= lastCol; ++c) step.push_back(cell(row, c));
}

}  // namespace

const std::array<std::vector<ControlDef>, 5>& creationSteps() {
  static const std::array<std::vector<ControlDef>, 5> steps = [] {
    std::array<std::vector<ControlDef>, 5> s;
    addNamed(s[0], {"BevelButton1", "StaticText1", "StaticText2", "SZahlF", "ZZahlF", "SzUpDownArrows",
                    "ZzUpDownArrows"});
    for (int r = 1; r <= 3; ++r) addCells(s[0], r, 1, 11);
    addCells(s[0], 4, 1, 10);

    addCells(s[1], 4, 11, 11);
    for (int r = 5; r <= 8; ++r) addCells(s[1], r, 1, 11);
    addCells(s[1], 9, 1, 5);

    addCells(s[2], 9, 6, 11);
    for (int r = 10; r <= 12; ++r) addCells(s[2], r, 1, 11);
    for (int c = 1; c <= 11; ++c) s[2].push_back(columnLabel(c));

    for (int r = 1; r <= 12; ++r) s[3].push_back(rowLabel(r));
    addNamed(s[3], {"BevelButton3", "BevelButton4", "BevelButton5", "BevelButton6", "BevelButton7", "InAB", "InBB",
                    "BevelButton11", "InCB", "BevelButton13", "InDB", "BevelButton15", "Line1", "BevelButton16",
                    "BevelButton17"});
    for (int r = 9; r <= 12; ++r) addCells(s[3], r, 12, 12);
    s[3].push_back(columnLabel(12));
    for (int r = 1; r <= 8; ++r) addCells(s[3], r, 12, 12);
    addNamed(s[3], {"BruchB", "DezBB", "BevelButton18", "StaticText3", "FakZF", "FakNF", "Line2", "BevelButton22",
                    "FormelF"});

    addNamed(s[4], {"InFB", "OutFB", "InGB", "OutGB", "InHB", "OutHB", "BevelButton27", "Line3", "StaticText4",
                    "StaticText5", "BevelButton28", "BevelButton23", "StaticText6", "StaticText7", "BevelButton24",
                    "BevelButton29", "BevelButton30", "BevelButton19", "ProtokollB", "BevelButton20",
                    "StaticText8", "BevelButton21", "BevelButton31", "BevelButton32", "BevelButton33",
                    "Separator1", "BevelButton35", "InOutF"});
    return s;
  }();
  return steps;
}

std::vector<Entry> recordEntries(const ControlDef& d) {
  const auto& base = baseline(d.cls);
  std::vector<Entry> out;
  for (const char* prop : profile(d.cls)) {
    const std::string p = prop;
    PropValue v;
    if (p == "Name") v = d.name;
    else if (p == "Left" || p == "X1") v = d.left;
    else if (p == "Top" || p == "Y1") v = d.top;
    else if (p == "Width") v = d.width;
    else if (p == "Height") v = d.height;
    else if (p == "X2") v = d.left + d.width;
    else if (p == "Y2") v = d.top + d.height;
    else if (p == "Caption" || p == "Text") v = d.text;
    else if (p == "HelpTag") v = d.help;
    else v = base.at(p);
    for (const Entry& e : d.differs)
      if (e.name == p) v = e.value;
    out.push_back({p, std::move(v)});
  }
  return out;
}

std::vector<Entry> windowEntries() {
  return {
      {"Placement", 0},       {"Width", 1109},          {"Height", 796},         {"MinWidth", 64},
      {"MinHeight", 64},      {"MaxWidth", 32000},      {"MaxHeight", 32000},    {"Frame", 3},
      {"Composite", false},   {"HasBackColor", false},  {"BackColor", kWhite},   {"Title", std::string("Quenlor")},
      {"Visible", true},      {"FullScreen", false},    {"MenuBarVisible", false}, {"CloseButton", false},
      {"Resizeable", false},  {"LiveResize", false},    {"MaximizeButton", false}, {"MinimizeButton", true},
      {"BalloonHelp", std::string()}, {"MacProcId", 0},
  };
}

void applyWindowRecord(fw::Window& window, const std::vector<Entry>& entries) {
  const auto& table = windowTagTable();
  const auto bytes = writeRecord(table, entries);
  const auto read = bytes ? readRecord(table, *bytes) : std::nullopt;
  if (!read) return;
  for (const Entry& e : *read) window.setProperty(e.name, e.value);
}

void createControl(fw::Window& window, const ControlDef& def) {
  window.addControl(def.cls, def.name);
  fw::Control& c = window.control(def.name);
  const auto& table = tagTable(def.cls);
  const auto bytes = writeRecord(table, recordEntries(def));
  const auto entries = bytes ? readRecord(table, *bytes) : std::nullopt;
  if (entries) {
    for (const Entry& e : *entries) c.setProperty(e.name, e.value);
  }
  // A handler that is not built yet stays unbound.
  for (const std::string& event : def.events) window.bindHandler(def.name, event);
}

}  // namespace app
