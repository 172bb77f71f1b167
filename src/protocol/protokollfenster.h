#pragma once
// The protocol window: a large field that shows and edits the protocol, and
// four buttons that copy, exchange, append and save its text. Its close
// button hides it; "Zeigen" shows it again with the current protocol.

#include "framework/controls.h"

class HauptFenster;

class ProtokollW : public fw::Window {
 public:
  // Built in the order Layout, CreateControls, AddMenuHandlers, from its own
  // layout records. The main window owns it and outlives it.
  explicit ProtokollW(HauptFenster& haupt);

  void Layout();
  void CreateControls();
  void AddMenuHandlers();

  void Txt_insKlemmbettB_Action();
  void SwitchProtB_Action();
  void AppendPB_Action();
  void AppendPB1_Action();

 private:
  std::string feldText() const;
  HauptFenster& haupt_;
};
