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
