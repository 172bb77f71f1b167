#include "framework/services.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
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

TEST(ScriptedServices, RecordsEveryBoxAndAnswersFromTheQueue) {
  test::TestServices s;
  s.expectBox();
  s.expectBox(fw::kAnswerNo);
  s.expectBox(fw::kAnswerCancel);
  EXPECT_EQ(s.msgBox("Keine quadratische Matrix"), fw::kAnswerOk);
  EXPECT_EQ(s.msgBox("Wirklich beenden?", fw::kMsgYesNo), fw::kAnswerNo);
  EXPECT_EQ(s.msgBox("Die Matrix ist nicht regulaer", fw::kMsgCautionOkCancel), fw::kAnswerCancel);
  ASSERT_EQ(s.boxes().size(), 3u);
  EXPECT_EQ(s.boxes()[0].text, "Keine quadratische Matrix");
  EXPECT_EQ(s.boxes()[0].kind, fw::kMsgPlain);
  EXPECT_EQ(s.boxes()[1].kind, fw::kMsgYesNo);
  EXPECT_EQ(s.boxes()[2].kind, fw::kMsgCautionOkCancel);
  s.expectAllUsed();
  s.clearBoxes();
  EXPECT_TRUE(s.boxes().empty());
}

TEST(ScriptedServices, DialogsRandomNumbersClipboardAndQuit) {
  test::TestServices s;
  s.expectSaveDialog("/tmp/QuenlorDaten");
  s.expectSaveDialog(std::nullopt);
  s.expectOpenDialog("/tmp/x");
  s.queueRnd(0.5);
  s.queueRnd(0.0);
  EXPECT_EQ(s.saveDialog("QuenlorDaten"), "/tmp/QuenlorDaten");
  EXPECT_EQ(s.saveDialog("QuenlorProtokoll"), std::nullopt);
  EXPECT_EQ(s.suggestedNames(), (std::vector<std::string>{"QuenlorDaten", "QuenlorProtokoll"}));
  EXPECT_EQ(s.openDialog(), "/tmp/x");
  EXPECT_EQ(s.rnd(), 0.5);
  EXPECT_EQ(s.rnd(), 0.0);
  s.setClipboardText("\r$x$");
  EXPECT_EQ(s.clipboardText(), "\r$x$");
  EXPECT_FALSE(s.quitCalled());
  s.quit();
  EXPECT_TRUE(s.quitCalled());
  s.expectAllUsed();
}

// Anything unscripted fails the running test (through the hook of TestServices).
TEST(ScriptedServices, UnscriptedRequestsFailTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        test::TestServices s;
        s.msgBox("Formel fehlerhaft ?");
      },
      "unscripted message box (kind 0): Formel fehlerhaft ?");
  EXPECT_NONFATAL_FAILURE(
      {
        test::TestServices s;
        s.saveDialog("QuenlorDaten");
      },
      "unscripted save dialog");
  EXPECT_NONFATAL_FAILURE(
      {
        test::TestServices s;
        s.openDialog();
      },
      "unscripted open dialog");
  EXPECT_NONFATAL_FAILURE(
      {
        test::TestServices s;
        s.rnd();
      },
      "unscripted random number");
  EXPECT_NONFATAL_FAILURE(
      {
        test::TestServices s;
        s.expectBox(fw::kAnswerYes);
        s.msgBox("Nur OK", fw::kMsgPlain);
      },
      "does not fit a box of kind 0");
  EXPECT_NONFATAL_FAILURE(
      {
        test::TestServices s;
        s.expectBox();
        s.expectAllUsed();
      },
      "left unused");
}

TEST(ScriptedServices, UnscriptedBoxGivesTheCautiousAnswer) {
  std::vector<std::string> failures;
  fw::ScriptedServices s;
  s.setFailureHook([&](const std::string& m) { failures.push_back(m); });
  EXPECT_EQ(s.msgBox("a", fw::kMsgPlain), fw::kAnswerOk);
  EXPECT_EQ(s.msgBox("b", fw::kMsgOkCancel), fw::kAnswerCancel);
  EXPECT_EQ(s.msgBox("c", fw::kMsgYesNo), fw::kAnswerNo);
  EXPECT_EQ(s.msgBox("d", fw::kMsgCaution), fw::kAnswerOk);
  EXPECT_EQ(s.msgBox("e", fw::kMsgCautionOkCancel), fw::kAnswerCancel);
  EXPECT_EQ(s.saveDialog("n"), std::nullopt);
  EXPECT_EQ(failures.size(), 6u);
  EXPECT_EQ(s.boxes().size(), 5u);  // recorded all the same
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

// Answers the next message box that opens by pressing the button with the given
// text (or closing it with Escape when text is empty), and remembers what it showed.
struct BoxAnswer {
  QString button;
  QString shownText;
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  bool modal = false;
  bool seen = false;

  void arm() {
    onNextModal<QMessageBox>([this](QMessageBox* box) {
      seen = true;
      shownText = box->text();
      title = box->windowTitle();
      icon = box->icon();
      modal = box->isModal();
      for (QAbstractButton* b : box->buttons()) buttons << b->text();
      if (button.isEmpty()) {
        box->reject();
        return;
      }
      for (QAbstractButton* b : box->buttons()) {
        if (b->text() == button) {
          b->click();
          return;
        }
      }
      box->reject();
    });
  }
};

TEST(QtServices, MessageBoxKindsReturnTheirCodes) {
  fw::QtServices services;
  const struct {
    int kind;
    const char* press;  // "" closes the box with Escape
    int expected;
    QMessageBox::Icon icon;
    QStringList buttons;
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
    BoxAnswer answer;
    answer.button = QString::fromUtf8(c.press);
    answer.arm();
    EXPECT_EQ(services.msgBox("Frage", c.kind), c.expected) << "kind " << c.kind << " pressing " << c.press;
    EXPECT_TRUE(answer.seen);
    EXPECT_TRUE(answer.modal);
    EXPECT_TRUE(answer.title.isEmpty());
    EXPECT_EQ(answer.icon, c.icon) << "kind " << c.kind;
    EXPECT_EQ(std::set<QString>(answer.buttons.begin(), answer.buttons.end()),
              std::set<QString>(c.buttons.begin(), c.buttons.end()))
        << "kind " << c.kind;
  }
}

TEST(QtServices, FormFeedsAreShownAsParagraphBreaks) {
  fw::QtServices services;
  BoxAnswer answer;
  answer.button = "OK";
  answer.arm();
  services.msgBox("Erster Absatz.\f\fZweiter Satz.\fDritter Satz.");
  EXPECT_EQ(answer.shownText, "Erster Absatz.\n\nZweiter Satz.\nDritter Satz.");
}

TEST(QtServices, RandomNumbersLieInTheHalfOpenUnitInterval) {
  fw::QtServices services;
  std::set<double> seen;
  double low = 1.0, high = 0.0;
  for (int i = 0; i < 100000; ++i) {
    const double x = services.rnd();
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
    seen.insert(x);
    low = std::min(low, x);
    high = std::max(high, x);
  }
  EXPECT_GT(seen.size(), 99990u);
  EXPECT_LT(low, 0.001);
  EXPECT_GT(high, 0.999);
}

TEST(QtServices, TwoInstancesAreSeededApart) {
  fw::QtServices a, b;
  EXPECT_NE(a.rnd(), b.rnd());
}

TEST(QtServices, ClipboardKeepsCarriageReturns) {
  fw::QtServices services;
  services.setClipboardText("\r$\\det x$\rÄ");
  EXPECT_EQ(services.clipboardText(), "\r$\\det x$\rÄ");
}

// Answers the next file dialog: accepts it with a file name, or cancels it
// when the name is empty; remembers the name it suggested.
struct DialogAnswer {
  QString fileName;
  QString suggested;
  bool save = false;
  bool seen = false;

  void arm() {
    onNextModal<QFileDialog>([this](QFileDialog* d) {
      seen = true;
      save = d->acceptMode() == QFileDialog::AcceptSave;
      const QStringList chosen = d->selectedFiles();
      suggested = chosen.isEmpty() ? QString() : QFileInfo(chosen.first()).fileName();
      // Typed, as a user would: the open dialog's list fills in the background.
      auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
      if (fileName.isEmpty() || !edit) {
        d->reject();
        return;
      }
      edit->setText(fileName);
      static_cast<QDialog*>(d)->accept();  // accept() is protected in QFileDialog
    });
  }
};

TEST(QtServices, FileDialogsGiveThePathOrNone) {
  char tmpl[] = "/tmp/quenlor-dialog-XXXXXX";
  ASSERT_NE(::mkdtemp(tmpl), nullptr);
  const std::string dir = tmpl;
  const std::string existing = dir + "/vorhanden";
  ASSERT_TRUE(fw::writeTextFile(existing, "x", "\r"));
  fw::QtServices services;

  DialogAnswer save;
  save.fileName = QString::fromStdString(dir + "/neu");
  save.arm();
  EXPECT_EQ(services.saveDialog("QuenlorDaten"), dir + "/neu");
  EXPECT_TRUE(save.save);
  EXPECT_EQ(save.suggested, "QuenlorDaten");

  DialogAnswer cancel;
  cancel.arm();
  EXPECT_EQ(services.saveDialog("QuenlorProtokoll"), std::nullopt);
  EXPECT_TRUE(cancel.seen);

  DialogAnswer open;
  open.fileName = QString::fromStdString(existing);
  open.arm();
  EXPECT_EQ(services.openDialog(), existing);
  EXPECT_FALSE(open.save);

  DialogAnswer openCancel;
  openCancel.arm();
  EXPECT_EQ(services.openDialog(), std::nullopt);
  EXPECT_TRUE(openCancel.seen);
  std::filesystem::remove_all(dir);
}

}  // namespace
