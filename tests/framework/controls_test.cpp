// Controls, windows and the desktop services, on real Qt widgets.

#include "framework/controls.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>

#include <set>
#include <string>
#include <tuple>

#include "framework/services.h"
#include "framework/text.h"

namespace {

using Texts = std::vector<std::string>;
using enum fw::ControlClass;

// A window as the program's windows use it: handlers registered by name.
struct TestWindow : fw::Window { using fw::Window::registerHandler; };

// A control at its place, then further properties in the order given.
template <class T>
T& add(fw::Window& w, fw::ControlClass cls, const std::string& name, int left, int top, int width, int height,
       std::initializer_list<std::pair<const char*, fw::PropValue>> more = {}) {
  auto& c = dynamic_cast<T&>(w.addControl(cls, name));
  for (const auto& [prop, v] : {std::pair{"Left", left}, {"Top", top}, {"Width", width}, {"Height", height}})
    c.setProperty(prop, v);
  for (const auto& [prop, v] : more) c.setProperty(prop, v);
  return c;
}

// Focus needs a shown, active window, also on the offscreen platform.
void activate(fw::Window& w, fw::EditField* focus = nullptr) {
  w.show();
  QApplication::setActiveWindow(w.widget());
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.widget()));
  if (focus) focus->setFocus();
  ASSERT_TRUE(!focus || QTest::qWaitFor([&] { return focus->hasFocus(); }));
}

// A mouse click at a point of the window, as the window system delivers it.
void clickAt(fw::Window& w, QPoint p) { QTest::mouseClick(w.widget()->windowHandle(), Qt::LeftButton, {}, p); }

// Runs act on the modal widget of type T that shows next, from the event loop that it runs.
template <class T>
void onNextModal(std::function<void(T*)> act) {
  QTimer::singleShot(0, [act] { act(qobject_cast<T*>(QApplication::activeModalWidget())); });
}

TEST(BevelButton, ClickRunsActionWithTheNewStateValueFromCodeRunsNothing) {
  // value() inside Action after each of three clicks, by ButtonType
  const std::vector<bool> statesSeen[] = {{false, false, false}, {true, false, true}, {true, true, true}};
  for (int type : {0, 1, 2}) {
    TestWindow w;
    // Records name Value before ButtonType.
    auto& b = add<fw::BevelButton>(w, BevelButton, "InAB", 10, 10, 120, 30, {{"Value", true}, {"ButtonType", type}});
    std::vector<bool> seen;
    b.bind("Action", [&] { seen.push_back(b.value()); });
    b.setValue(false), activate(w);  // the program releases the button
    for (int i = 0; i < 3; ++i) QTest::mouseClick(b.widget(), Qt::LeftButton);
    EXPECT_EQ(seen, statesSeen[type]) << "ButtonType " << type;
  }
}

// TextChange runs before the text is set, on every change, typed or set, also
// when the handler writes its own field (as the size fields keep their count
// within 1 to 12). The text stays exact and has no length limit.
TEST(EditField, TextChangeRunsSynchronouslyAlsoNested) {
  for (bool multi : {false, true}) {
    TestWindow w;
    auto& f = add<fw::EditField>(w, EditField, "SZahlF", 10, 10, 80, 60, {{"MultiLine", multi}});
    EXPECT_EQ(f.widget()->geometry(), QRect(10, 10, 80, 60)) << "multi-line " << multi;
    Texts seen;
    f.bind("TextChange", [&] {
      seen.push_back(f.text());
      if (const int n = fw::toInt32(f.text()); n > 12 || n < 1) f.setText(n > 12 ? "12" : "1");
    });
    for (const char* t : {"15", "12", ""}) f.setText(t);  // the second is no change
    EXPECT_EQ(seen, (Texts{"15", "12", "", "1"})) << "multi-line " << multi;
    activate(w, &f);
    QTest::keyClicks(f.widget(), "53");  // "15" or "51", then "12" with a 3 before or after
    EXPECT_EQ(std::pair(seen.size(), f.text()), std::pair(size_t{8}, std::string("12"))) << "multi-line " << multi;
    f.bind("TextChange", {});
    for (const std::string& t : {std::string("Größe\tä"), std::string(100000, '7'), std::string("a\rb\r")})
      EXPECT_EQ((f.setText(t), f.text()), t) << "multi-line " << multi;
    if (!multi) continue;
    // Shown as lines; Return and Shift+Return type the program's line end.
    auto* edit = static_cast<QPlainTextEdit*>(f.widget());
    EXPECT_EQ(edit->document()->blockCount(), 3);
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Y);
    QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(f.text(), "a\rb\r\ry\r");
  }
}

// The keyboard focus stays in a field while buttons and arrows are used, and
// LostFocus runs only when another control of the same window takes it.
TEST(EditField, LostFocusOnlyWhenAnotherControlOfTheWindowTakesIt) {
  TestWindow w, other;
  auto& a = add<fw::EditField>(w, EditField, "FakNF", 10, 10, 98, 26, {{"AcceptTabs", true}});
  auto& b = add<fw::EditField>(w, EditField, "FakZF", 10, 50, 98, 26);
  add<fw::BevelButton>(w, BevelButton, "InAB", 80, 90, 44, 37, {{"ButtonType", 2}});
  Texts events;
  a.bind("LostFocus", [&] { events.push_back("lost"); });
  a.bind("TextChange", [&] { events.push_back(a.text()); });
  w.as<fw::BevelButton>("InAB").bind("Action", [&] { events.push_back("sticky"); });
  add<fw::UpDownArrows>(w, UpDownArrows, "SzUpDownArrows", 380, 16, 13, 20).bind("Up", [&] { events.push_back("Up"); });
  activate(w, &a);
  clickAt(w, QPoint(100, 108)), clickAt(w, QPoint(386, 19));  // on the button, on the arrow
  QTest::keyClick(a.widget(), Qt::Key_Tab);  // types a tab
  // A message box takes the focus and gives it back: no loss.
  onNextModal<QMessageBox>([&](QMessageBox* box) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !a.hasFocus(); }));
    box->button(QMessageBox::Ok)->click();
  });
  fw::QtServices().msgBox("Die Matrix ist nicht regulaer", core::kMsgCautionOkCancel);
  // Another window taking the focus is no loss either.
  activate(other, &add<fw::EditField>(other, EditField, "ProtokollF", 0, 0, 100, 25));
  activate(w);
  ASSERT_TRUE(QTest::qWaitFor([&] { return a.hasFocus(); }));
  EXPECT_EQ(events, (Texts{"sticky", "Up", "\t"}));
  clickAt(w, QPoint(50, 63));  // into the other field
  EXPECT_EQ(std::pair(b.hasFocus(), events), std::pair(true, Texts{"sticky", "Up", "\t", "lost"}));
}

TEST(Window, ShowsPropertiesLetsClicksThroughLabelsAndGroupsRadioButtons) {
  TestWindow w;
  w.setProperty("Title", std::string("Quenlor"));
  w.setProperty("Resizeable", false);
  EXPECT_TRUE(w.widget()->windowTitle() == "Quenlor" && w.widget()->minimumSize() == w.widget()->maximumSize());
  auto& button = add<fw::BevelButton>(w, BevelButton, "Unten", 10, 10, 200, 40);
  auto& label = add<fw::StaticText>(w, StaticText, "StaticText3", 10, 10, 200, 40);
  add<fw::Line>(w, Line, "Line1", 10, 30, 200, 0);
  auto& bruch = add<fw::RadioButton>(w, RadioButton, "BruchB", 300, 100, 107, 27);
  auto& dez = add<fw::RadioButton>(w, RadioButton, "DezBB", 300, 127, 107, 27);
  button.setCaption("A & B");
  button.setProperty("HelpTag", std::string("Zeile eins\rZeile zwei"));
  label.setText("<b>1</b> & 2\rzwei");
  EXPECT_EQ(static_cast<QPushButton*>(button.widget())->text(), "A && B");  // an ampersand, not a shortcut
  EXPECT_TRUE(button.widget()->toolTip().contains("Zeile eins<br")) << button.widget()->toolTip().toStdString();
  auto* l = static_cast<QLabel*>(label.widget());
  EXPECT_TRUE(l->text() == "<b>1</b> & 2\nzwei" && l->textFormat() == Qt::PlainText) << l->text().toStdString();
  int actions = 0;
  button.bind("Action", [&] { ++actions; });
  dez.setValue(true);
  activate(w);
  clickAt(w, QPoint(110, 30)), clickAt(w, QPoint(310, 113));  // on label and line, then on "BruchB"
  EXPECT_EQ(std::tuple(actions, bruch.value(), dez.value()), std::tuple(1, true, false));
  dez.click();
  EXPECT_EQ(std::pair(bruch.value(), dez.value()), std::pair(false, true));
}

// Handlers are bound by name, the control's exactly as written. A window that
// goes with the focus in a field runs no LostFocus handler on the way.
TEST(Window, BindsHandlersByNameAndGoesQuietly) {
  auto w = std::make_unique<TestWindow>();
  auto& b = add<fw::BevelButton>(*w, BevelButton, "BevelButton16", 0, 0, 52, 37);
  auto& f = add<fw::EditField>(*w, EditField, "SZahlF", 0, 50, 38, 27);
  Texts calls;
  for (std::string name : {"BevelButton16_Action", "SZahlF_TextChange", "SZahlF_LostFocus"})
    w->registerHandler(name, [&calls, name] { calls.push_back(name); });
  for (const auto& [control, event] : {std::pair{"BevelButton16", "Action"}, {"SZahlF", "TextChange"},
                                       {"SZahlF", "LostFocus"}, {"szahlf", "TextChange"}, {"SZahlF", "Up"}})
    EXPECT_EQ(w->bindHandler(control, event), std::string(control) != "szahlf" && std::string(event) != "Up") << event;
  b.click(), f.setText("5");
  EXPECT_EQ(calls, (Texts{"BevelButton16_Action", "SZahlF_TextChange"}));
  activate(*w, &f);
  w.reset();
  EXPECT_EQ(calls.size(), 2u);
}

// ---- services ----

TEST(QtServices, MessageBoxKindsShowTheirButtonsAndReturnTheirCodes) {
  using enum QMessageBox::Icon;
  // The button pressed ("" closes the box with Escape), the code returned, the icon, the buttons sorted.
  const struct { int kind; const char* press; int expected; QMessageBox::Icon icon; const char* buttons; } cases[] = {
      {core::kMsgPlain, "", 1, NoIcon, "OK"}, {core::kMsgOkCancel, "", 2, NoIcon, "Abbrechen OK"},
      {core::kMsgYesNo, "Ja", 6, Question, "Ja Nein"}, {core::kMsgYesNo, "Nein", 7, Question, "Ja Nein"},
      {core::kMsgCaution, "OK", 1, Warning, "OK"}, {core::kMsgCautionOkCancel, "OK", 1, Warning, "Abbrechen OK"}};
  for (const auto& c : cases) {
    const std::string row = "kind " + std::to_string(c.kind) + " pressing '" + c.press + "'";
    onNextModal<QMessageBox>([&](QMessageBox* box) {
      QStringList buttons;
      for (QAbstractButton* b : box->buttons()) buttons << b->text();
      buttons.sort();
      EXPECT_EQ(buttons.join(' ').toStdString(), c.buttons) << row;
      EXPECT_TRUE(box->isModal() && box->windowTitle().isEmpty() && box->icon() == c.icon) << row;
      EXPECT_EQ(box->text(), "Absatz.\n\nZweiter Satz.\nDritter Satz.") << row;  // form feeds: paragraph breaks
      for (QAbstractButton* b : box->buttons())
        if (b->text() == c.press) return b->click();
      box->reject();
    });
    EXPECT_EQ(fw::QtServices().msgBox("Absatz.\f\fZweiter Satz.\fDritter Satz.", c.kind), c.expected) << row;
  }
}

// Every box passes Services::msgBox: a text beyond 4000 bytes shows its
// beginning and its end, 1997 and 1998 bytes around " ... ", cut between
// characters ("Ü" has two bytes, "€" three, "𝄞" four).
TEST(Services, ABoxTextBeyond4000BytesShowsItsBeginningAndItsEnd) {
  auto x = [](size_t n, char c = 'x') { return std::string(n, c); };
  auto ue = [](size_t n) {
    std::string s;
    while (n-- > 0) s += "Ü";
    return s;
  };
  const std::tuple<const char*, std::string, std::string> rows[] = {
      {"a short text", "Überlauf\f", "Überlauf\f"},
      {"exactly 4000 bytes", x(4000), x(4000)},
      {"exactly 4000 bytes of Ü", ue(2000), ue(2000)},
      {"one byte past", x(4001), x(1997) + " ... " + x(1998)},
      {"Ü and € across the cuts", x(1996, 'a') + "Ü" + x(100, 'b') + "€" + x(1996, 'c'),
       x(1996, 'a') + " ... " + x(1996, 'c')},
      {"Ü and 𝄞 starting right at the cuts", x(1997, 'a') + "Ü" + x(100, 'b') + "𝄞" + x(1994, 'c'),
       x(1997, 'a') + " ... 𝄞" + x(1994, 'c')},
      {"2001 Ü", ue(2001), ue(998) + " ... " + ue(999)},
      {"a megabyte", "Anfang" + x(1000000) + "Ende", "Anfang" + x(1991) + " ... " + x(1994) + "Ende"}};
  for (const auto& [row, text, shown] : rows) {
    fw::ScriptedServices services;
    services.expectBox(core::kAnswerCancel);
    EXPECT_EQ(services.msgBox(text, core::kMsgOkCancel), core::kAnswerCancel) << row;
    ASSERT_EQ(services.boxes().size(), 1u) << row;
    EXPECT_EQ(services.boxes()[0].text, shown) << row;
    EXPECT_EQ(services.boxes()[0].kind, core::kMsgOkCancel) << row;
  }
}

TEST(QtServices, FileDialogsRandomNumbersAndClipboard) {
  fw::QtServices services, other;
  for (const char* name : {"/tmp/QuenlorDaten", ""}) {  // "" cancels
    onNextModal<QFileDialog>([&](QFileDialog* d) {
      EXPECT_TRUE(d->acceptMode() == QFileDialog::AcceptSave && d->selectedFiles().value(0).endsWith("/QuenlorDaten"));
      d->findChild<QLineEdit*>("fileNameEdit")->setText(name);
      *name ? static_cast<QDialog*>(d)->accept() : d->reject();  // accept() is protected in QFileDialog
    });
    EXPECT_EQ(services.saveDialog("QuenlorDaten"), *name ? std::optional<std::string>(name) : std::nullopt) << name;
  }
  std::set<double> seen;
  for (int i = 0; i < 100000; ++i) seen.insert(services.rnd());
  EXPECT_TRUE(seen.size() > 99990 && *seen.begin() >= 0.0 && *seen.begin() < 0.001 && *seen.rbegin() < 1.0 &&
              *seen.rbegin() > 0.999);
  EXPECT_NE(services.rnd(), other.rnd()) << "seeded apart";
  services.setClipboardText("\r$\\det x$\rÄ");
  EXPECT_EQ(services.clipboardText(), "\r$\\det x$\rÄ");
}

}  // namespace
