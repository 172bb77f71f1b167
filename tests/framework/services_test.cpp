#include "framework/services.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <set>
#include <string>
#include <vector>

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
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [this, timer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      timer->stop();
      timer->deleteLater();
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
    timer->start();
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

}  // namespace
