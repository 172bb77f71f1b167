#include "app/protokolllayout.h"

namespace app {

namespace {

using fw::ControlClass;

// The window's buttons use the platform's text size, not bold.
ControlDef pushButton(const char* name, int l, int t, int w, int h, const char* caption) {
  return {name, ControlClass::BevelButton, l, t, w, h, caption, {}, {{"TextSize", 0}, {"Bold", false}}, {"Action"}};
}

}  // namespace

const std::vector<ControlDef>& protokollControls() {
  static const std::vector<ControlDef> v = {
      {"ProtokollF", ControlClass::EditField, 5, 4, 478, 762, {}, {},
       {{"MultiLine", true}, {"BackColor", fw::Color{0xFF, 0xFD, 0xCE}}}, {}},
      pushButton("Txt_insKlemmbettB", 7, 771, 211, 31, " Obigen Text ins Klemmbrett"),
      pushButton("SwitchProtB", 220, 771, 248, 31, "Protokoll durch obigen Text ersetzen"),
      pushButton("AppendPB", 220, 805, 248, 31, "Obigen Text ans Protokoll anhaengen"),
      pushButton("AppendPB1", 7, 805, 211, 31, "Obigen Text speichern"),
  };
  return v;
}

std::vector<Entry> protokollWindowEntries() {
  return {
      {"Placement", 0},       {"Width", 488},           {"Height", 842},         {"MinWidth", 64},
      {"MinHeight", 64},      {"MaxWidth", 32000},      {"MaxHeight", 32000},    {"Frame", 0},
      {"Composite", false},   {"HasBackColor", false},  {"BackColor", fw::Color{255, 255, 255}},
      {"Title", std::string("Protokoll")},              {"Visible", true},       {"FullScreen", false},
      {"MenuBarVisible", true}, {"CloseButton", true},  {"Resizeable", false},   {"LiveResize", false},
      {"MaximizeButton", false}, {"MinimizeButton", true}, {"BalloonHelp", std::string()}, {"MacProcId", 0},
  };
}

}  // namespace app
