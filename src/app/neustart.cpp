#include "app/hauptfenster.h"

// The start state: after the window opens and after a confirmed "Neu".
void HauptFenster::Neustart() {
  // Sign pairs that the term language collapses; (0,0) holds their count.
  V[5] = {"++", "+"};
  V[1] = {"+-", "-"};
  V[2] = {"**", "*"};
  V[3] = {"*+", "*"};
  V[4] = {"-+", "-"};
  V[6] = {"--", "+"};
  V[0][0] = "6";

  Protokoll = "$";

  for (int k = 0; k <= 3; ++k)
    for (Matrix& s : Speicher) s[0][k] = 1;
  X[0][0] = 3;
  X[0][1] = 3;
  X[0][2] = 1;
  X[0][3] = 1;
  for (int i = 1; i <= 12; ++i) {
    for (int j = 1; j <= 12; ++j) {
      X[i][j] = 0;
      for (Matrix& s : Speicher) s[i][j] = 0;
    }
  }

  Ausgabe(X);

  for (const core::SpeicherInfo& s : core::kSpeicher) as<fw::BevelButton>(s.speicherKnopf).setValue(false);
  as<fw::BevelButton>("ProtokollB").setValue(false);
  as<fw::BevelButton>("ProtokollB").setCaption("Protokollierung Einschalten");
  as<fw::EditField>("FormelF").setText("");
}
