#include "framework/services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "framework/utf8.h"

namespace fw {

namespace {

// Message box kinds: the low four bits choose the buttons, the next bits the icon.
enum ButtonSet { kOk = 0, kOkCancel = 1, kAbortRetryIgnore = 2, kYesNoCancel = 3, kYesNo = 4, kRetryCancel = 5 };

int buttonSet(int kind) {
  const int set = kind & 0x0F;
  return set <= kRetryCancel ? set : kOk;
}

// The answer a box gives when it is closed without a button: the cautious one.
int escapeAnswer(int kind) {
  switch (buttonSet(kind)) {
    case kOkCancel:
    case kYesNoCancel:
    case kRetryCancel:
      return core::kAnswerCancel;
    case kYesNo:
      return core::kAnswerNo;
    case kAbortRetryIgnore:
      return 3;  // Abort
    default:
      return core::kAnswerOk;
  }
}

bool answerFits(int kind, int answer) {
  switch (buttonSet(kind)) {
    case kOk:
      return answer == core::kAnswerOk;
    case kOkCancel:
      return answer == core::kAnswerOk || answer == core::kAnswerCancel;
    case kAbortRetryIgnore:
      return answer >= 3 && answer <= 5;
    case kYesNoCancel:
      return answer == core::kAnswerYes || answer == core::kAnswerNo || answer == core::kAnswerCancel;
    case kYesNo:
      return answer == core::kAnswerYes || answer == core::kAnswerNo;
    case kRetryCancel:
      return answer == 4 || answer == core::kAnswerCancel;
  }
  return false;
}

std::string toPath(const QString& s) { return QFile::encodeName(s).toStdString(); }

// A form feed separates paragraphs (two of them leave a blank line); a
// carriage return is a line break.
QString boxText(const std::string& text) {
  QString t = toQString(text);
  t.replace(QChar(12), QChar('\n'));
  t.replace(QChar('\r'), QChar('\n'));
  return t;
}

QWidget* dialogParent() {
  QWidget* w = QApplication::activeModalWidget();
  if (!w) w = QApplication::activeWindow();
  return w;
}

// German texts for Qt's own dialogs, loaded once if the translations are there.
void loadGermanTranslations() {
  static bool done = false;
  if (done || !QCoreApplication::instance()) return;
  done = true;
  auto* t = new QTranslator(QCoreApplication::instance());
  if (t->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(t);
  } else {
    delete t;
  }
}

// The save dialog, which suggests a name, or the open dialog, without a type
// filter; none on cancel.
std::optional<std::string> fileDialog(bool save, const std::string& suggestedName) {
  loadGermanTranslations();
  QFileDialog d(dialogParent());
  d.setWindowTitle(QString());
  d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  d.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  d.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
  d.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
  d.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
  d.setLabelText(QFileDialog::Accept, save ? QStringLiteral("Speichern") : QStringLiteral("Öffnen"));
  d.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
  if (save) d.selectFile(toQString(suggestedName));
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
  return toPath(d.selectedFiles().first());
}

// SplitMix64: small, fast, and passes the usual statistical batteries.
uint64_t splitmix(uint64_t& state) {
  uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

std::string shortBoxText(const std::string& text) {
  if (text.size() <= kBoxTextMax) return text;
  const std::string middle = " ... ";
  const size_t keep = kBoxTextMax - middle.size();
  auto continuation = [&](size_t p) { return (static_cast<unsigned char>(text[p]) & 0xC0) == 0x80; };
  // The beginning ends before a character, the end starts at one.
  size_t head = keep / 2, tail = text.size() - (keep - keep / 2);
  while (head > 0 && continuation(head)) --head;
  while (tail < text.size() && continuation(tail)) ++tail;
  return text.substr(0, head) + middle + text.substr(tail);
}

int Services::msgBox(const std::string& text, int kind) {
  return showBox(shortBoxText(text), kind);
}

// ---- QtServices ----

QtServices::QtServices() {
  std::random_device rd;
  const auto now = static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  state_ = (static_cast<uint64_t>(rd()) << 32) ^ rd() ^ now;
  loadGermanTranslations();
}

int QtServices::showBox(const std::string& text, int kind) {
  loadGermanTranslations();
  QMessageBox box(dialogParent());
  box.setWindowTitle(QString());
  box.setTextFormat(Qt::PlainText);
  box.setText(boxText(text));
  box.setWindowModality(Qt::ApplicationModal);
  switch (kind & 0x70) {
    case 16: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case 48: box.setIcon(QMessageBox::Warning); break;
    case 64: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }

  struct Choice {
    QMessageBox::StandardButton button;
    int answer;
    const char* label;
  };
  std::vector<Choice> choices;
  switch (buttonSet(kind)) {
    case kOk:
      choices = {{QMessageBox::Ok, core::kAnswerOk, "OK"}};
      break;
    case kOkCancel:
      choices = {{QMessageBox::Ok, core::kAnswerOk, "OK"}, {QMessageBox::Cancel, core::kAnswerCancel, "Abbrechen"}};
      break;
    case kAbortRetryIgnore:
      choices = {{QMessageBox::Abort, 3, "Abbrechen"},
                 {QMessageBox::Retry, 4, "Wiederholen"},
                 {QMessageBox::Ignore, 5, "Ignorieren"}};
      break;
    case kYesNoCancel:
      choices = {{QMessageBox::Yes, core::kAnswerYes, "Ja"},
                 {QMessageBox::No, core::kAnswerNo, "Nein"},
                 {QMessageBox::Cancel, core::kAnswerCancel, "Abbrechen"}};
      break;
    case kYesNo:
      choices = {{QMessageBox::Yes, core::kAnswerYes, "Ja"}, {QMessageBox::No, core::kAnswerNo, "Nein"}};
      break;
    case kRetryCancel:
      choices = {{QMessageBox::Retry, 4, "Wiederholen"}, {QMessageBox::Cancel, core::kAnswerCancel, "Abbrechen"}};
      break;
  }
  QMessageBox::StandardButtons buttons;
  for (const Choice& c : choices) buttons |= c.button;
  box.setStandardButtons(buttons);
  for (const Choice& c : choices) box.button(c.button)->setText(QString::fromUtf8(c.label));
  // The second button is the default where there is one (256), the third with 512.
  const int def = (kind & 0x300) >> 8;
  box.setDefaultButton(choices[static_cast<size_t>(def) < choices.size() ? def : 0].button);

  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  for (const Choice& c : choices) {
    if (clicked && clicked == box.button(c.button)) return c.answer;
  }
  return escapeAnswer(kind);
}

std::optional<std::string> QtServices::saveDialog(const std::string& suggestedName) {
  return fileDialog(true, suggestedName);
}

std::optional<std::string> QtServices::openDialog() { return fileDialog(false, {}); }

void QtServices::setClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(toQString(text));
}

std::string QtServices::clipboardText() { return toUtf8(QGuiApplication::clipboard()->text()); }

double QtServices::rnd() {
  // 53 random bits: a multiple of 2^-53 in [0, 1).
  return static_cast<double>(splitmix(state_) >> 11) * 0x1.0p-53;
}

void QtServices::quit() {
  // exit() ends the event loop without asking the windows to close: the
  // question before quitting has been asked already.
  QCoreApplication::exit(0);
}

// ---- ScriptedServices ----

void ScriptedServices::fail(const std::string& what) {
  if (fail_) {
    fail_(what);
    return;
  }
  std::fprintf(stderr, "ScriptedServices: %s\n", what.c_str());
  std::abort();
}

int ScriptedServices::showBox(const std::string& text, int kind) {
  boxes_.push_back({text, kind});
  if (answers_.empty()) {
    fail("unscripted message box (kind " + std::to_string(kind) + "): " + text);
    return escapeAnswer(kind);
  }
  const int answer = answers_.front();
  answers_.pop_front();
  if (!answerFits(kind, answer)) {
    fail("scripted answer " + std::to_string(answer) + " does not fit a box of kind " + std::to_string(kind) + ": " +
         text);
    return escapeAnswer(kind);
  }
  return answer;
}

std::optional<std::string> ScriptedServices::saveDialog(const std::string& suggestedName) {
  suggested_.push_back(suggestedName);
  if (saves_.empty()) {
    fail("unscripted save dialog (suggested name " + suggestedName + ")");
    return std::nullopt;
  }
  auto path = std::move(saves_.front());
  saves_.pop_front();
  return path;
}

std::optional<std::string> ScriptedServices::openDialog() {
  if (opens_.empty()) {
    fail("unscripted open dialog");
    return std::nullopt;
  }
  auto path = std::move(opens_.front());
  opens_.pop_front();
  return path;
}

double ScriptedServices::rnd() {
  if (rnds_.empty()) {
    fail("unscripted random number");
    return 0.0;
  }
  const double x = rnds_.front();
  rnds_.pop_front();
  return x;
}

}  // namespace fw
