#include "framework/services.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "framework/textfile.h"
#include "support/scripted.h"

namespace {

// ---- scripted services ----

TEST(ScriptedServices, RecordsAndAnswersFromTheQueue) {
  test::TestServices s;
  s.expectBox(fw::kAnswerNo);
  s.expectSaveDialog("/tmp/QuenlorDaten");
  s.expectSaveDialog(std::nullopt);
  s.expectOpenDialog("/tmp/x");
  s.queueRnd(0.5);
  EXPECT_EQ(s.msgBox("Wirklich beenden?", fw::kMsgYesNo), fw::kAnswerNo);
  ASSERT_EQ(s.boxes().size(), 1u);
  EXPECT_EQ(s.boxes()[0].text, "Wirklich beenden?");
  EXPECT_EQ(s.boxes()[0].kind, fw::kMsgYesNo);
  EXPECT_EQ(s.saveDialog("QuenlorDaten"), "/tmp/QuenlorDaten");
  EXPECT_EQ(s.saveDialog("QuenlorProtokoll"), std::nullopt);
  EXPECT_EQ(s.suggestedNames(), (std::vector<std::string>{"QuenlorDaten", "QuenlorProtokoll"}));
  EXPECT_EQ(s.openDialog(), "/tmp/x");
  EXPECT_EQ(s.rnd(), 0.5);
  s.quit();
  EXPECT_TRUE(s.quitCalled());
  s.expectAllUsed();
}

// Anything unscripted fails the running test (through the hook of TestServices)
// and gets the cautious answer.
TEST(ScriptedServices, UnscriptedRequestsFailTheTest) {
  using S = test::TestServices;
  const struct {
    std::function<void(S&)> act;
    const char* failure;
  } cases[] = {
      {[](S& s) { EXPECT_EQ(s.msgBox("Formel fehlerhaft ?"), fw::kAnswerOk); },
       "unscripted message box (kind 0): Formel fehlerhaft ?"},
      {[](S& s) { EXPECT_EQ(s.msgBox("b", fw::kMsgOkCancel), fw::kAnswerCancel); }, "unscripted message box"},
      {[](S& s) { EXPECT_EQ(s.msgBox("c", fw::kMsgYesNo), fw::kAnswerNo); }, "unscripted message box"},
      {[](S& s) { EXPECT_EQ(s.msgBox("e", fw::kMsgCautionOkCancel), fw::kAnswerCancel); }, "unscripted message box"},
      {[](S& s) { EXPECT_EQ(s.saveDialog("QuenlorDaten"), std::nullopt); }, "unscripted save dialog"},
      {[](S& s) { EXPECT_EQ(s.openDialog(), std::nullopt); }, "unscripted open dialog"},
      {[](S& s) { s.rnd(); }, "unscripted random number"},
      {[](S& s) { s.expectBox(fw::kAnswerYes); s.msgBox("Nur OK", fw::kMsgPlain); }, "does not fit a box of kind 0"},
      {[](S& s) { s.expectBox(); s.expectAllUsed(); }, "left unused"},
  };
  for (const auto& c : cases) {
    EXPECT_NONFATAL_FAILURE(
        {
          S s;
          c.act(s);
        },
        c.failure);
  }
}

// ---- Qt services ----

// Runs act once on the next modal widget of type T that shows, from the event
// loop that the modal widget runs.
template <class T>
void onNextModal(std::function<void(T*)> act) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
    auto* w = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!w || !w->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act(w);
  });
  timer->start();
}

TEST(QtServices, MessageBoxKindsReturnTheirCodes) {
  fw::QtServices services;
  const struct {
    int kind;
    const char* press;  // "" closes the box with Escape
    int expected;
    QMessageBox::Icon icon;
    std::set<QString> buttons;
  } cases[] = {
      {fw::kMsgPlain, "OK", 1, QMessageBox::NoIcon, {"OK"}},
      {fw::kMsgPlain, "", 1, QMessageBox::NoIcon, {"OK"}},
      {fw::kMsgOkCancel, "OK", 1, QMessageBox::NoIcon, {"OK", "Abbrechen"}},
      {fw::kMsgOkCancel, "Abbrechen", 2, QMessageBox::NoIcon, {"OK", "Abbrechen"}},
      {fw::kMsgOkCancel, "", 2, QMessageBox::NoIcon, {"OK", "Abbrechen"}},
      {fw::kMsgYesNo, "Ja", 6, QMessageBox::Question, {"Ja", "Nein"}},
      {fw::kMsgYesNo, "Nein", 7, QMessageBox::Question, {"Ja", "Nein"}},
      {fw::kMsgCaution, "OK", 1, QMessageBox::Warning, {"OK"}},
      {fw::kMsgCautionOkCancel, "OK", 1, QMessageBox::Warning, {"OK", "Abbrechen"}},
      {fw::kMsgCautionOkCancel, "Abbrechen", 2, QMessageBox::Warning, {"OK", "Abbrechen"}},
  };
  for (const auto& c : cases) {
    bool seen = false;
    onNextModal<QMessageBox>([&](QMessageBox* box) {
      seen = true;
      EXPECT_TRUE(box->isModal());
      EXPECT_TRUE(box->windowTitle().isEmpty());
      EXPECT_EQ(box->icon(), c.icon) << "kind " << c.kind;
      // Form feeds are shown as paragraph breaks.
      EXPECT_EQ(box->text(), "Erster Absatz.\n\nZweiter Satz.\nDritter Satz.");
      std::set<QString> buttons;
      for (QAbstractButton* b : box->buttons()) buttons.insert(b->text());
      EXPECT_EQ(buttons, c.buttons) << "kind " << c.kind;
      for (QAbstractButton* b : box->buttons())
        if (b->text() == c.press) return b->click();
      box->reject();
    });
    EXPECT_EQ(services.msgBox("Erster Absatz.\f\fZweiter Satz.\fDritter Satz.", c.kind), c.expected)
        << "kind " << c.kind << " pressing " << c.press;
    EXPECT_TRUE(seen);
  }
}

TEST(QtServices, RandomNumbersAndClipboard) {
  fw::QtServices services;
  std::set<double> seen;
  for (int i = 0; i < 100000; ++i) {
    const double x = services.rnd();
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
    seen.insert(x);
  }
  EXPECT_GT(seen.size(), 99990u);
  EXPECT_LT(*seen.begin(), 0.001);
  EXPECT_GT(*seen.rbegin(), 0.999);
  fw::QtServices other;  // seeded apart
  EXPECT_NE(services.rnd(), other.rnd());

  services.setClipboardText("\r$\\det x$\rÄ");
  EXPECT_EQ(services.clipboardText(), "\r$\\det x$\rÄ");
}

TEST(QtServices, FileDialogsGiveThePathOrNone) {
  char tmpl[] = "/tmp/quenlor-dialog-XXXXXX";
  ASSERT_NE(::mkdtemp(tmpl), nullptr);
  const std::string dir = tmpl, existing = dir + "/vorhanden";
  ASSERT_TRUE(fw::writeTextFile(existing, "x", "\r"));
  fw::QtServices services;
  const struct {
    const char* suggested;  // nullptr: the open dialog
    std::string typed;      // "" cancels
    std::optional<std::string> expected;
  } cases[] = {{"QuenlorDaten", dir + "/neu", dir + "/neu"}, {"QuenlorProtokoll", "", std::nullopt},
               {nullptr, existing, existing}, {nullptr, "", std::nullopt}};
  for (const auto& c : cases) {
    bool shown = false, save = false;
    QString suggested;
    onNextModal<QFileDialog>([&](QFileDialog* d) {
      shown = true;
      save = d->acceptMode() == QFileDialog::AcceptSave;
      if (!d->selectedFiles().isEmpty()) suggested = QFileInfo(d->selectedFiles().first()).fileName();
      // Typed, as a user would: the open dialog's list fills in the background.
      auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
      if (c.typed.empty() || !edit) return d->reject();
      edit->setText(QString::fromStdString(c.typed));
      static_cast<QDialog*>(d)->accept();  // accept() is protected in QFileDialog
    });
    EXPECT_EQ(c.suggested ? services.saveDialog(c.suggested) : services.openDialog(), c.expected) << c.typed;
    EXPECT_TRUE(shown);
    EXPECT_EQ(save, c.suggested != nullptr);
    EXPECT_TRUE(!c.suggested || suggested == c.suggested) << suggested.toStdString();
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
