// Every event handler of the main window, registered under the name that the
// binding of its control and event looks for (control + "_" + event). A
// handler is bound to its control only once it is registered here.

#include "app/hauptfenster.h"

void HauptFenster::registerHandlers() {
  auto reg = [this](const char* name, void (HauptFenster::*method)()) {
    registerHandler(name, [this, method] { (this->*method)(); });
  };

  // ---- Display grid ----
  reg("SZahlF_TextChange", &HauptFenster::SZahlF_TextChange);
  reg("ZZahlF_TextChange", &HauptFenster::ZZahlF_TextChange);
  reg("SzUpDownArrows_Down", &HauptFenster::SzUpDownArrows_Down);
  reg("SzUpDownArrows_Up", &HauptFenster::SzUpDownArrows_Up);
  reg("ZzUpDownArrows_Down", &HauptFenster::ZzUpDownArrows_Down);
  reg("ZzUpDownArrows_Up", &HauptFenster::ZzUpDownArrows_Up);

  // ---- Commands ----
  reg("BevelButton3_Action", &HauptFenster::BevelButton3_Action);
  reg("BevelButton1_Action", &HauptFenster::BevelButton1_Action);
  reg("BevelButton4_Action", &HauptFenster::BevelButton4_Action);
  reg("BevelButton5_Action", &HauptFenster::BevelButton5_Action);
  reg("BevelButton6_Action", &HauptFenster::BevelButton6_Action);
  reg("BevelButton28_Action", &HauptFenster::BevelButton28_Action);
  reg("BevelButton23_Action", &HauptFenster::BevelButton23_Action);
  reg("ProtokollB_Action", &HauptFenster::ProtokollB_Action);

  // ---- Stores and number commands ----
  reg("InAB_Action", &HauptFenster::InAB_Action);
  reg("InBB_Action", &HauptFenster::InBB_Action);
  reg("InCB_Action", &HauptFenster::InCB_Action);
  reg("InDB_Action", &HauptFenster::InDB_Action);
  reg("InFB_Action", &HauptFenster::InFB_Action);
  reg("InGB_Action", &HauptFenster::InGB_Action);
  reg("InHB_Action", &HauptFenster::InHB_Action);
  reg("BevelButton7_Action", &HauptFenster::BevelButton7_Action);
  reg("BevelButton11_Action", &HauptFenster::BevelButton11_Action);
  reg("BevelButton13_Action", &HauptFenster::BevelButton13_Action);
  reg("BevelButton15_Action", &HauptFenster::BevelButton15_Action);
  reg("OutFB_Action", &HauptFenster::OutFB_Action);
  reg("OutGB_Action", &HauptFenster::OutGB_Action);
  reg("OutHB_Action", &HauptFenster::OutHB_Action);
  reg("BevelButton16_Action", &HauptFenster::BevelButton16_Action);
  reg("BevelButton32_Action", &HauptFenster::BevelButton32_Action);
  reg("BevelButton33_Action", &HauptFenster::BevelButton33_Action);
  reg("InOutF_LostFocus", &HauptFenster::InOutF_LostFocus);
  reg("BevelButton17_Action", &HauptFenster::BevelButton17_Action);
  reg("BevelButton27_Action", &HauptFenster::BevelButton27_Action);
  reg("BevelButton35_Action", &HauptFenster::BevelButton35_Action);

  // ---- Protocol, workspace and window buttons ----
  reg("BevelButton30_Action", &HauptFenster::BevelButton30_Action);
  reg("BevelButton29_Action", &HauptFenster::BevelButton29_Action);
  reg("BevelButton31_Action", &HauptFenster::BevelButton31_Action);
  reg("BevelButton24_Action", &HauptFenster::BevelButton24_Action);
  reg("BevelButton19_Action", &HauptFenster::BevelButton19_Action);
  reg("BevelButton20_Action", &HauptFenster::BevelButton20_Action);
  reg("BevelButton21_Action", &HauptFenster::BevelButton21_Action);
  reg("BevelButton18_Action", &HauptFenster::BevelButton18_Action);
  reg("FakNF_LostFocus", &HauptFenster::FakNF_LostFocus);

  // ---- Term language ----
  reg("BevelButton22_Action", &HauptFenster::BevelButton22_Action);
}
