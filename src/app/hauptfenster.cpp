#include "app/hauptfenster.h"

#include <QCoreApplication>
#include <utility>

#include "app/layoutdata.h"

namespace {

// The window that Instanz() hands out: the first one built and still alive.
HauptFenster* gInstanz = nullptr;
// What Instanz() made itself. Plain pointers on purpose: no exit handler may
// destroy a window. The display plugin calls exit() when the connection
// breaks, maybe while a message box on the stack belongs to one of them; the
// application object is never destroyed then, and neither are they. On a
// normal quit the application object's destructor releases them first.
fw::QtServices* gEigeneServices = nullptr;
HauptFenster* gEigenesFenster = nullptr;

void eigenesFensterAbbauen() {
  delete std::exchange(gEigenesFenster, nullptr);
  delete std::exchange(gEigeneServices, nullptr);
}

}  // namespace

HauptFenster::HauptFenster(fw::Services& services) : services_(services) {
  if (gInstanz == nullptr) gInstanz = this;
  registerHandlers();
  Layout();
  CreateControls();
  AddMenuHandlers();
  Open();
}

HauptFenster::~HauptFenster() {
  if (gInstanz == this) gInstanz = nullptr;
}

HauptFenster& HauptFenster::Instanz() {
  if (gInstanz == nullptr) {
    gEigeneServices = new fw::QtServices();
    gEigenesFenster = new HauptFenster(*gEigeneServices);
    qAddPostRoutine(eigenesFensterAbbauen);
  }
  return *gInstanz;
}

void HauptFenster::message(const std::string& text, int kind) { services_.msgBox(text, kind); }

void HauptFenster::Layout() { app::applyWindowRecord(*this, app::windowEntries()); }

void HauptFenster::CreateControls() {
  _CreateControls0();
  _CreateControls1();
  _CreateControls2();
  _CreateControls3();
  _CreateControls4();
}

void HauptFenster::_CreateControls0() { createStep(0); }
void HauptFenster::_CreateControls1() { createStep(1); }
void HauptFenster::_CreateControls2() { createStep(2); }
void HauptFenster::_CreateControls3() { createStep(3); }
void HauptFenster::_CreateControls4() { createStep(4); }

void HauptFenster::createStep(int step) {
  for (const app::ControlDef& def : app::creationSteps().at(static_cast<size_t>(step))) app::createControl(*this, def);
}

void HauptFenster::AddMenuHandlers() {}

void HauptFenster::Open() { Neustart(); }

bool HauptFenster::beendenBestaetigt() {
  const std::string ff = "\f\f";
  const int answer = services_.msgBox(
      "Beim Beenden gehen alle nicht gespeicherten Daten verloren." + ff + "Wirklich Beenden?", core::kMsgYesNo);
  if (answer != core::kAnswerYes) return false;
  services_.quit();
  return true;
}

void HauptFenster::BevelButton3_Action() { beendenBestaetigt(); }

bool HauptFenster::closeRequested() { return beendenBestaetigt(); }
