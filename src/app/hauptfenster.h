#pragma once
// The main window: all lasting state of the program and, as methods, the
// operations of the grid, the protocol, the term language and the commands.
// Each subsystem defines its methods in its own folder; the declarations
// stand here in one section per subsystem.

#include <array>
#include <cstdint>
#include <string>

#include "arithmetic/matrix.h"
#include "core/speicher.h"
#include "framework/controls.h"
#include "framework/services.h"
#include "terms/termauswerter.h"

class HauptFenster : public fw::Window, public ar::Context {
 public:
  // Builds the window in the order Layout, CreateControls, AddMenuHandlers,
  // Open; Open sets the start state. Message boxes, dialogs and quitting go
  // through services, which must outlive the window.
  explicit HauptFenster(fw::Services& services);
  ~HauptFenster() override;

  // The one main window: the existing one, or a new one on the desktop's
  // services when there is none yet. Such a window lives until the
  // application object goes; no exit handler destroys it.
  static HauptFenster& Instanz();

  fw::Services& services() const { return services_; }
  // The one message for a zero denominator or a result beyond 64 bits.
  static constexpr const char* kUeberlaufMeldung =
      "Ergebnis falsch durch fehlerhafte Datei oder Überlauf bei Ganzzahlarithmetik!!";
  // The arithmetic's message boxes.
  void message(const std::string& text, int kind = core::kMsgPlain) override;

  // ---- Window state (Formelfehler comes from ar::Context) ----
  using Matrix = ar::Matrix;
  int32_t Szahl = 0;  // columns shown in the grid
  int32_t Zzahl = 0;  // rows shown in the grid
  Matrix SMat{};
  // The stores in the order of core::kSpeicher, also under their own names.
  std::array<Matrix, 7> Speicher{};
  Matrix &A = Speicher[0], &B = Speicher[1], &C = Speicher[2], &D = Speicher[3], &F = Speicher[4],
         &G = Speicher[5], &H = Speicher[6];
  std::string Protokoll;
  std::array<std::array<std::string, 2>, 11> V{};  // sign pairs of the term language
  Matrix X{};

  // ---- Construction (src/app) ----
  void Layout();
  void CreateControls();
  void _CreateControls0();
  void _CreateControls1();
  void _CreateControls2();
  void _CreateControls3();
  void _CreateControls4();
  void AddMenuHandlers();
  void Open();
  void Neustart();

  // ---- Display grid (src/grid) ----
  void Anpassen();
  // Reads sizes, factor and all 144 cells into M. A number beyond the signed
  // 64-bit range is never used as another one: overflow is set, false comes
  // back and M stays as it was.
  bool Einlesen(Matrix& M);
  void Ausgabe(Matrix& M);
  // Writes M's factor, cells and sizes into the grid as they stand, without
  // the normal form (a loaded grid whose normal form does not fit).
  void Darstellen(const Matrix& M);
  void SZahlF_TextChange();
  void ZZahlF_TextChange();
  void SzUpDownArrows_Down();
  void SzUpDownArrows_Up();
  void ZzUpDownArrows_Down();
  void ZzUpDownArrows_Up();

  // ---- Protocol, LaTeX and files (src/protocol) ----
  // Appends heading, factor and M as a LaTeX array.
  void InsProtokoll(const Matrix& M, const std::string& heading);
  // Appends M as an augmented system (last column behind a bar), the trailer
  // and a line end.
  void InsProtokoll2(const Matrix& M, const std::string& trailer);
  // Appends "\\" and a line end.
  void PZeilenumbruch();
  // True while the protocol switch is pressed.
  bool ProtokollAn() const;

  // ---- Term language (src/terms; "=" in src/commands/termbefehl.cpp) ----
  // Owns the operand slots; reads the stores, X and V.
  terms::Termauswerter Auswerter{*this, Speicher, X, V};
  // "=": the grid read into X, the term of FormelF evaluated, shown and,
  // while logging is on, logged as "Tex(term) = " and the result.
  void TermAuswerten();
  void BevelButton22_Action();

  // ---- Workspace and protocol files (src/protocol) ----
  // The protocol followed by "$", as a file.
  void SpeichereProtokoll();
  // The workspace (grid, stores, term, protocol) as a file. A file beyond
  // the largest that loading takes is refused, and nothing is written.
  void SpeichereDaten();
  void SpeichereDaten(size_t groessteDatei);
  // Appends the workspace's 1354 fields to s; false, with s unchanged, when the
  // grid holds a number beyond 64 bits.
  bool AlleDatenCodieren(std::string& s);
  // Loads a workspace file chosen in the open dialog; a file larger than the
  // limit is refused.
  void DatenLaden();
  void DatenLaden(size_t groessteDatei);
  // Replaces grid, stores, term and protocol with the workspace in s when s
  // is a whole, sound file; otherwise shows the one message, changes nothing
  // and returns false.
  bool AlleDatenEinfuegen(const std::string& s);
  // Asks for a file under the suggested name and writes text and a line end
  // to it; a failed write says so.
  void DateiSpeichern(const std::string& vorschlag, const std::string& text);
  // The protocol window: the one instance, made on first use.
  class ProtokollW& ProtokollFenster();
  std::shared_ptr<class ProtokollW> protokollW_;  // shared_ptr: deletable while incomplete here

  // ---- Commands (src/commands; "Beenden" lives in src/app) ----
  void BevelButton3_Action();
  void BevelButton1_Action();   // Transformieren
  void BevelButton4_Action();   // Invertieren
  void BevelButton5_Action();   // Diagonale Vereinheitlichen
  void BevelButton6_Action();   // E->
  void BevelButton28_Action();  // Transponieren
  void BevelButton23_Action();  // Orthogonalisieren
  void ProtokollB_Action();

  // ---- Commands: stores and number commands (src/commands) ----
  // Store buttons "->A" ... "->H" and recall buttons "A ->" ... "H ->".
  void InAB_Action();
  void InBB_Action();
  void InCB_Action();
  void InDB_Action();
  void InFB_Action();
  void InGB_Action();
  void InHB_Action();
  void BevelButton7_Action();
  void BevelButton11_Action();
  void BevelButton13_Action();
  void BevelButton15_Action();
  void OutFB_Action();
  void OutGB_Action();
  void OutHB_Action();
  // Reads the grid into the store named by the letter, asking first when it
  // holds more than one row.
  void InSpeicher(char buchstabe);
  // Logs the store (while logging is on) and shows it in the grid.
  void AusSpeicher(char buchstabe);
  void BevelButton16_Action();  // Det
  void BevelButton32_Action();  // Rang
  void BevelButton33_Action();  // Spur
  void InOutF_LostFocus();
  void BevelButton17_Action();  // Cramer
  void BevelButton27_Action();  // Rnd->
  void BevelButton35_Action();  // lin.Abb.

  // ---- Commands: protocol, workspace and window buttons (src/commands) ----
  void BevelButton30_Action();  // Loeschen
  void BevelButton29_Action();  // Zeigen
  void BevelButton31_Action();  // ->K
  void BevelButton24_Action();  // Speichern (protocol)
  void BevelButton19_Action();  // Speichern (workspace)
  void BevelButton20_Action();  // Laden
  void BevelButton21_Action();  // Neu
  void BevelButton18_Action();  // Information zu Quenlor
  void FakNF_LostFocus();

 protected:
  // The window manager's close button asks the "Beenden" question.
  bool closeRequested() override;

 private:
  // Registers every handler method under its name; the one place where a new
  // handler is made known (src/app/handlers.cpp).
  void registerHandlers();
  // Creates the controls of one creation step and binds their handlers.
  void createStep(int step);
  // Asks the "Beenden" question; quits on Yes and says so.
  bool beendenBestaetigt();

  fw::Services& services_;
};
