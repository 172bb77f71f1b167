#include "protocol/protokollfenster.h"

#include "app/hauptfenster.h"
#include "app/protokolllayout.h"
#include "protocol/arbeitsdatei.h"

ProtokollW::ProtokollW(HauptFenster& haupt) : haupt_(haupt) {
  auto reg = [this](const char* name, void (ProtokollW::*method)()) {
    registerHandler(name, [this, method] { (this->*method)(); });
  };
  reg("Txt_insKlemmbettB_Action", &ProtokollW::Txt_insKlemmbettB_Action);
  reg("SwitchProtB_Action", &ProtokollW::SwitchProtB_Action);
  reg("AppendPB_Action", &ProtokollW::AppendPB_Action);
  reg("AppendPB1_Action", &ProtokollW::AppendPB1_Action);
  Layout();
  CreateControls();
  AddMenuHandlers();
}

void ProtokollW::Layout() { app::applyWindowRecord(*this, app::protokollWindowEntries()); }

void ProtokollW::CreateControls() {
  for (const app::ControlDef& def : app::protokollControls()) app::createControl(*this, def);
}

void ProtokollW::AddMenuHandlers() {}

std::string ProtokollW::feldText() const { return as<fw::EditField>("ProtokollF").text(); }

void ProtokollW::Txt_insKlemmbettB_Action() { haupt_.services().setClipboardText(datei::kZeilenende + feldText()); }

void ProtokollW::SwitchProtB_Action() {
  std::string t = feldText();
  as<fw::EditField>("ProtokollF").setText(haupt_.Protokoll);
  haupt_.Protokoll = std::move(t);
}

void ProtokollW::AppendPB_Action() { haupt_.Protokoll += feldText(); }

// Writes the field's text and a line end, as the protocol file is written.
void ProtokollW::AppendPB1_Action() { haupt_.DateiSpeichern("QuenlorZusatztext", feldText()); }
