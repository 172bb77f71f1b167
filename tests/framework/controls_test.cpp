#include "framework/controls.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <string>
#include <vector>

#include "framework/services.h"
#include "framework/text.h"

namespace {

using fw::BevelButton;
using fw::ControlClass;
using fw::EditField;
using Texts = std::vector<std::string>;

// A window as the program's windows use it: handlers registered by name.
class TestWindow : public fw::Window {
 public:
  using fw::Window::registerHandler;
};

// Applies properties in their order, as a layout record does.
template <class C>
void apply(C& c, std::initializer_list<std::pair<const char*, fw::PropValue>> props) {
  for (const auto& [name, value] : props) c.setProperty(name, value);
}

template <class T>
T& add(fw::Window& w, ControlClass cls, const std::string& name, int left, int top, int width, int height) {
  auto& c = dynamic_cast<T&>(w.addControl(cls, name));
  apply(c, {{"Left", left}, {"Top", top}, {"Width", width}, {"Height", height}});
  return c;
}

// Focus needs a shown, active window, also on the offscreen platform.
void activate(fw::Window& w) {
  w.show();
  w.widget()->activateWindow();
  QApplication::setActiveWindow(w.widget());
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.widget()));
}

void focusField(EditField& f) {
  f.setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.hasFocus(); }));
}

// A mouse click at a point of the window, as the window system delivers it.
void clickAt(fw::Window& w, QPoint p) { QTest::mouseClick(w.widget()->windowHandle(), Qt::LeftButton, {}, p); }
QPoint centre(const fw::Control& c) { return QPoint(c.left() + c.width() / 2, c.top() + c.height() / 2); }

// ---- bevel buttons ----

TEST(BevelButton, ClickRunsActionWithTheNewStateValueFromCodeRunsNothing) {
  const struct {
    int type;
    std::vector<bool> statesSeen;  // value() inside Action after each of three clicks
  } cases[] = {
      {0, {false, false, false}},  // push: never stays pressed
      {1, {true, false, true}},    // toggle: flipped before Action runs
      {2, {true, true, true}},     // sticky: stays pressed, Action still runs
  };
  for (const auto& c : cases) {
    TestWindow w;
    auto& b = add<BevelButton>(w, ControlClass::BevelButton, "InAB", 10, 10, 120, 30);
    apply(b, {{"Value", true}, {"ButtonType", c.type}});  // records name Value before ButtonType
    EXPECT_TRUE(b.value()) << c.type;
    std::vector<bool> seen;
    b.bind("Action", [&] { seen.push_back(b.value()); });
    b.setValue(false);
    EXPECT_FALSE(b.value()) << c.type;
    b.setProperty("Value", true);
    EXPECT_TRUE(b.value()) << c.type;
    b.setValue(false);  // the program releases the button
    EXPECT_TRUE(seen.empty()) << c.type;
    activate(w);
    QTest::mouseClick(b.widget(), Qt::LeftButton);  // a real mouse click
    b.click();
    b.click();
    EXPECT_EQ(seen, c.statesSeen) << "ButtonType " << c.type;
  }
}

TEST(Control, PropertiesReachTheWidgets) {
  TestWindow w;
  apply(w, {{"Width", 1109}, {"Height", 796}, {"Title", std::string("Quenlor")}, {"Visible", true},
            {"CloseButton", false}, {"Resizeable", false}, {"MaximizeButton", false}, {"MinimizeButton", true}});
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.widget()->windowTitle(), "Quenlor");
  EXPECT_TRUE(w.fixedSize());
  EXPECT_EQ(w.widget()->minimumSize(), QSize(1109, 796));
  EXPECT_EQ(w.widget()->maximumSize(), QSize(1109, 796));
  const auto buttons = Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint;
  EXPECT_EQ(w.widget()->windowFlags() & buttons, Qt::WindowMinimizeButtonHint);

  auto& b = add<BevelButton>(w, ControlClass::BevelButton, "BevelButton3", 953, 16, 78, 51);
  apply(b, {{"Caption", std::string("A & B")}, {"TextSize", 14}, {"Bold", true}});
  auto* pb = static_cast<QPushButton*>(b.widget());
  EXPECT_EQ(pb->text(), "A && B");  // an ampersand is shown, not a shortcut
  EXPECT_EQ(b.caption(), "A & B");
  EXPECT_EQ(pb->font().pixelSize(), 14);
  EXPECT_TRUE(pb->font().bold());
  EXPECT_EQ(pb->geometry(), QRect(953, 16, 78, 51));
  b.setProperty("TextSize", 0);  // 0: the default size
  EXPECT_EQ(pb->font().pointSizeF(), QApplication::font().pointSizeF());

  auto& f = add<EditField>(w, ControlClass::EditField, "FormelF", 83, 675, 250, 31);
  apply(f, {{"BackColor", fw::Color{0xFB, 0xFF, 0xD1}}, {"Border", false}, {"ReadOnly", true},
            {"HelpTag", std::string("Zeile eins\rZeile zwei")}});
  auto* le = static_cast<QLineEdit*>(f.widget());
  EXPECT_EQ(le->palette().color(QPalette::Base), QColor(0xFB, 0xFF, 0xD1));
  EXPECT_FALSE(le->hasFrame());
  EXPECT_TRUE(le->isReadOnly());
  EXPECT_TRUE(le->toolTip().contains("Zeile eins<br")) << le->toolTip().toStdString();  // a line break
}

// ---- text fields ----

TEST(EditField, TextChangeRunsSynchronouslyOnEveryChange) {
  TestWindow w;
  auto& f = add<EditField>(w, ControlClass::EditField, "SZahlF", 338, 16, 38, 27);
  Texts seen;
  f.bind("TextChange", [&] { seen.push_back(f.text()); });
  f.setText("4");
  EXPECT_EQ(seen, Texts{"4"});  // before setText returned
  f.setText("4");               // same text: no change
  f.setProperty("Text", std::string("5"));
  f.widget()->setVisible(false);
  f.setText("");  // hidden fields take their text and report it too
  f.widget()->setVisible(true);
  activate(w);
  focusField(f);
  QTest::keyClicks(f.widget(), "12");  // typing: one event per keystroke
  QTest::keyClick(f.widget(), Qt::Key_Backspace);
  EXPECT_EQ(seen, (Texts{"4", "5", "", "1", "12", "1"}));
}

// Like the size fields: the handler keeps the count within 1 to 12 by writing
// its own field, also while the user types into it.
TEST(EditField, HandlerWritingItsOwnFieldRunsNestedAndEnds) {
  for (bool multi : {false, true}) {
    TestWindow w;
    auto& f = add<EditField>(w, ControlClass::EditField, "SZahlF", 10, 10, 80, 60);
    f.setProperty("MultiLine", multi);
    Texts seen;
    int depth = 0, maxDepth = 0;
    f.bind("TextChange", [&] {
      maxDepth = std::max(maxDepth, ++depth);
      seen.push_back(f.text());
      const int n = fw::toInt32(f.text());
      if (n > 12) f.setText("12");
      if (n < 1) f.setText("1");
      --depth;
    });
    f.setText("15");
    EXPECT_EQ(f.text(), "12") << multi;
    f.setText("");
    EXPECT_EQ(seen, (Texts{"15", "12", "", "1"})) << multi;
    EXPECT_EQ(maxDepth, 2) << multi;
    if (!multi) {
      EXPECT_EQ(static_cast<QLineEdit*>(f.widget())->text(), "1");
    }
    activate(w);
    focusField(f);
    QTest::keyClicks(f.widget(), "15");  // "115" or "511"
    EXPECT_EQ(f.text(), "12") << multi;
    QTest::keyClicks(f.widget(), "3");
    EXPECT_EQ(f.text(), "12") << multi;
  }
}

TEST(EditField, KeepsTextExactlyAndWithoutLimit) {
  TestWindow w;
  auto& f = add<EditField>(w, ControlClass::EditField, "InOutF", 0, 0, 105, 25);
  for (const std::string& t : {std::string("Größe\tä"), std::string("a\rb"), std::string(100000, '7')}) {
    f.setText(t);
    EXPECT_EQ(f.text(), t);
  }
  EXPECT_EQ(static_cast<QLineEdit*>(f.widget())->text().size(), 100000);
}

TEST(EditField, MultiLineKeepsCarriageReturns) {
  TestWindow w;
  auto& f = add<EditField>(w, ControlClass::EditField, "ProtokollF", 5, 4, 478, 762);
  f.setProperty("MultiLine", true);
  auto* edit = dynamic_cast<QPlainTextEdit*>(f.widget());
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->geometry(), QRect(5, 4, 478, 762));  // properties carried over

  const std::string protocol = "$\\left(\\begin{array}{rr}1 & 2\\end{array}\\right)\r$\r";
  int changes = 0;
  f.bind("TextChange", [&] { ++changes; });
  f.setText(protocol);
  EXPECT_EQ(f.text(), protocol);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit->document()->blockCount(), 3);  // shown as lines

  // Typing a line break, with or without Shift, adds the program's line end.
  activate(w);
  focusField(f);
  edit->moveCursor(QTextCursor::End);
  QTest::keyClicks(edit, "x");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(changes, 3);
  QTest::keyClicks(edit, "y");
  QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClicks(edit, "z");
  EXPECT_EQ(f.text(), protocol + "x\ry\rz");
}

// The keyboard focus stays in a field while buttons and arrows are used, and
// LostFocus runs only when another control of the same window takes it.
TEST(EditField, LostFocusOnlyWhenAnotherControlOfTheWindowTakesIt) {
  TestWindow w;
  auto& a = add<EditField>(w, ControlClass::EditField, "FakNF", 10, 10, 98, 26);
  auto& b = add<EditField>(w, ControlClass::EditField, "FakZF", 10, 50, 98, 26);
  auto& push = add<BevelButton>(w, ControlClass::BevelButton, "BevelButton16", 10, 90, 52, 37);
  auto& sticky = add<BevelButton>(w, ControlClass::BevelButton, "InAB", 80, 90, 44, 37);
  auto& arrows = add<fw::UpDownArrows>(w, ControlClass::UpDownArrows, "SzUpDownArrows", 380, 16, 13, 20);
  sticky.setProperty("ButtonType", 2);
  a.setProperty("AcceptTabs", true);
  int lost = 0;
  Texts events;
  a.bind("LostFocus", [&] { ++lost; });
  push.bind("Action", [&] { events.push_back("push"); });
  sticky.bind("Action", [&] { events.push_back("sticky"); });
  arrows.bind("Up", [&] { events.push_back("Up"); });
  arrows.bind("Down", [&] { events.push_back("Down"); });
  activate(w);
  focusField(a);
  clickAt(w, centre(push));
  clickAt(w, centre(sticky));
  QWindow* win = w.widget()->windowHandle();
  QTest::mousePress(win, Qt::LeftButton, {}, QPoint(386, 19));  // held down for a while: still one event
  QTest::qWait(700);
  QTest::mouseRelease(win, Qt::LeftButton, {}, QPoint(386, 19));
  clickAt(w, QPoint(386, 33));
  QTest::keyClick(a.widget(), Qt::Key_Tab);  // types a tab
  EXPECT_EQ(events, (Texts{"push", "sticky", "Up", "Down"}));
  EXPECT_EQ(a.text(), "\t");
  EXPECT_TRUE(a.hasFocus());

  // A message box takes the focus and gives it back: no loss.
  bool boxHadFocus = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !a.hasFocus(); }));
    boxHadFocus = QApplication::focusWidget() && QApplication::focusWidget()->window() == box;
    box->button(QMessageBox::Ok)->click();
  });
  fw::QtServices services;
  services.msgBox("Die Matrix ist nicht regulaer", fw::kMsgCautionOkCancel);
  EXPECT_TRUE(boxHadFocus);
  activate(w);  // a window manager gives the window back its activation
  ASSERT_TRUE(QTest::qWaitFor([&] { return a.hasFocus(); }));

  // Another window taking the focus is no loss either.
  TestWindow other;
  auto& elsewhere = add<EditField>(other, ControlClass::EditField, "ProtokollF", 0, 0, 100, 25);
  activate(other);
  focusField(elsewhere);
  activate(w);
  ASSERT_TRUE(QTest::qWaitFor([&] { return a.hasFocus(); }));
  EXPECT_EQ(lost, 0);

  // The focus moving to another field of the window is, by code or by the mouse.
  focusField(b);
  EXPECT_EQ(lost, 1);
  focusField(a);
  clickAt(w, centre(b));
  EXPECT_TRUE(b.hasFocus());
  EXPECT_EQ(lost, 2);
}

// ---- labels, lines, radio buttons ----

TEST(StaticText, ShowsPlainTextAndLetsClicksThrough) {
  TestWindow w;
  auto& button = add<BevelButton>(w, ControlClass::BevelButton, "Unten", 10, 10, 200, 40);
  auto& label = add<fw::StaticText>(w, ControlClass::StaticText, "StaticText3", 10, 10, 200, 40);
  add<fw::Line>(w, ControlClass::Line, "Line1", 10, 30, 200, 0);
  apply(label, {{"Text", std::string("<b>1</b> & 2\rzwei")}, {"TextAlign", 2}});
  auto* l = static_cast<QLabel*>(label.widget());
  EXPECT_EQ(l->text(), "<b>1</b> & 2\nzwei");
  EXPECT_EQ(l->textFormat(), Qt::PlainText);
  EXPECT_TRUE(l->alignment() & Qt::AlignRight);
  int actions = 0;
  button.bind("Action", [&] { ++actions; });
  activate(w);
  clickAt(w, QPoint(110, 30));  // on label and line
  EXPECT_EQ(actions, 1);
}

TEST(Line, EndPointsInWindowCoordinates) {
  const struct {
    const char* what;
    std::vector<std::pair<const char*, int>> props;
    std::vector<int> ends;  // x1, y1, x2, y2
  } cases[] = {
      {"Line1 from its box", {{"Left", 21}, {"Top", 546}, {"Width", 1010}, {"Height", -3}}, {21, 546, 1031, 543}},
      {"Line3 from its box", {{"Left", 685}, {"Top", 546}, {"Width", -1}, {"Height", 170}}, {685, 546, 684, 716}},
      {"Line2 from box then points",
       {{"Left", 34}, {"Top", 71}, {"Width", 113}, {"Height", 1}, {"X1", 34}, {"X2", 147}, {"Y1", 71}, {"Y2", 72}},
       {34, 71, 147, 72}},
      {"points first", {{"X1", 5}, {"Y1", 6}, {"X2", 1}, {"Y2", 2}}, {5, 6, 1, 2}},
  };
  for (const auto& c : cases) {
    TestWindow w;
    auto& line = dynamic_cast<fw::Line&>(w.addControl(ControlClass::Line, "L"));
    for (const auto& [name, value] : c.props) line.setProperty(name, value);
    line.setProperty("BorderWidth", 2);
    EXPECT_EQ((std::vector<int>{line.x1(), line.y1(), line.x2(), line.y2()}), c.ends) << c.what;
    const QRect g = line.widget()->geometry();
    EXPECT_TRUE(g.contains(c.ends[0], c.ends[1]) && g.contains(c.ends[2], c.ends[3])) << c.what;
  }
}

TEST(RadioButton, AllOfAWindowFormOneGroup) {
  TestWindow w;
  auto& bruch = add<fw::RadioButton>(w, ControlClass::RadioButton, "BruchB", 918, 581, 107, 27);
  auto& dez = add<fw::RadioButton>(w, ControlClass::RadioButton, "DezBB", 918, 608, 107, 27);
  dez.setProperty("Value", true);
  EXPECT_FALSE(bruch.value());
  activate(w);
  clickAt(w, QPoint(930, 594));
  EXPECT_TRUE(bruch.value());
  EXPECT_FALSE(dez.value());
  dez.click();
  EXPECT_TRUE(dez.value());
  EXPECT_FALSE(bruch.value());
  dez.setValue(false);  // the program may clear the selection
  EXPECT_FALSE(dez.value());
  EXPECT_FALSE(bruch.value());
}

// ---- windows ----

TEST(Window, BindsHandlersByControlAndEventName) {
  TestWindow w;
  auto& b = add<BevelButton>(w, ControlClass::BevelButton, "BevelButton16", 0, 0, 52, 37);
  auto& f = add<EditField>(w, ControlClass::EditField, "SZahlF", 0, 50, 38, 27);
  auto& arrows = add<fw::UpDownArrows>(w, ControlClass::UpDownArrows, "SzUpDownArrows", 40, 50, 13, 20);
  ASSERT_EQ(w.controls().size(), 3u);  // in order of creation
  EXPECT_EQ(w.controls()[2], &arrows);
  EXPECT_EQ(w.findControl("SZahlF"), &f);
  EXPECT_EQ(w.findControl("szahlf"), nullptr);  // names are case-sensitive
  Texts calls;
  for (std::string name : {"BevelButton16_Action", "SZahlF_TextChange", "SzUpDownArrows_Down", "SzUpDownArrows_Up"}) {
    w.registerHandler(name, [&calls, &w, name] { calls.push_back(name + "@" + w.currentControl()->name()); });
    EXPECT_TRUE(w.bindHandler(name.substr(0, name.find('_')), name.substr(name.find('_') + 1))) << name;
  }
  EXPECT_FALSE(w.bindHandler("SZahlF", "LostFocus"));  // nothing registered under that name
  EXPECT_FALSE(w.bindHandler("Fehlt", "Action"));
  EXPECT_FALSE(f.hasHandler("LostFocus"));
  b.click();
  f.setText("5");
  arrows.pressDown();  // one event per press
  arrows.pressUp();
  EXPECT_EQ(calls, (Texts{"BevelButton16_Action@BevelButton16", "SZahlF_TextChange@SZahlF",
                          "SzUpDownArrows_Down@SzUpDownArrows", "SzUpDownArrows_Up@SzUpDownArrows"}));
  EXPECT_EQ(w.currentControl(), nullptr);

  // The current control follows nested handlers.
  calls.clear();
  f.bind("TextChange", [&] { calls.push_back(w.currentControl()->name()); });
  b.bind("Action", [&] {
    calls.push_back(w.currentControl()->name());
    f.setText("x");
    calls.push_back(w.currentControl()->name());
  });
  b.click();
  EXPECT_EQ(calls, (Texts{"BevelButton16", "SZahlF", "BevelButton16"}));
}

// Destroyed with the focus in a field that has a LostFocus handler: it must not run.
TEST(Window, ManyWindowsComeAndGo) {
  for (int round = 0; round < 20; ++round) {
    auto w = std::make_unique<TestWindow>();
    w->setProperty("Visible", true);
    int fired = 0;
    for (const char* name : {"A0F", "A1F", "A2F"}) {
      auto& f = add<EditField>(*w, ControlClass::EditField, name, 10, 10, 28, 25);
      f.bind("LostFocus", [&] { ++fired; });
    }
    add<BevelButton>(*w, ControlClass::BevelButton, "B", 10, 50, 60, 30).click();
    add<fw::RadioButton>(*w, ControlClass::RadioButton, "R", 10, 170, 100, 20).click();
    add<EditField>(*w, ControlClass::EditField, "M", 10, 200, 200, 60).setProperty("MultiLine", true);
    if (round % 2 == 0) {
      w->widget()->activateWindow();
      QApplication::setActiveWindow(w->widget());
      w->as<EditField>("A0F").setFocus();
    }
    QCoreApplication::processEvents();
    w.reset();
    EXPECT_EQ(fired, 0);
  }
  QCoreApplication::processEvents();
}

}  // namespace
