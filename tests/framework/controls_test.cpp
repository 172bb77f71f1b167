#include "framework/controls.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
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

// A window as the program's windows use it: handlers registered by name.
class TestWindow : public fw::Window {
 public:
  using fw::Window::registerHandler;
  bool allowClose = true;
  int closeRequests = 0;

 protected:
  bool closeRequested() override {
    ++closeRequests;
    return allowClose;
  }
};

template <class T>
T& add(fw::Window& w, ControlClass cls, const std::string& name, int left, int top, int width, int height) {
  auto& c = dynamic_cast<T&>(w.addControl(cls, name));
  c.setProperty("Left", left);
  c.setProperty("Top", top);
  c.setProperty("Width", width);
  c.setProperty("Height", height);
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

QPoint centre(const fw::Control& c) { return QPoint(c.left() + c.width() / 2, c.top() + c.height() / 2); }

// ---- bevel buttons ----

TEST(BevelButton, ClickRunsActionWithTheNewState) {
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
    auto& b = add<BevelButton>(w, ControlClass::BevelButton, "ProtokollB", 10, 10, 120, 30);
    b.setProperty("ButtonType", c.type);
    std::vector<bool> seen;
    b.bind("Action", [&] { seen.push_back(b.value()); });
    activate(w);
    QTest::mouseClick(b.widget(), Qt::LeftButton);  // a real mouse click
    b.click();
    b.click();
    EXPECT_EQ(seen, c.statesSeen) << "ButtonType " << c.type;
    if (c.type != 0) {
      EXPECT_EQ(std::get<bool>(*b.property("Value")), b.value());
    }
  }
}

TEST(BevelButton, SettingValueFromCodeRunsNoHandler) {
  for (int type : {0, 1, 2}) {
    TestWindow w;
    auto& b = add<BevelButton>(w, ControlClass::BevelButton, "InAB", 0, 0, 44, 37);
    b.setProperty("ButtonType", type);
    int actions = 0;
    b.bind("Action", [&] { ++actions; });
    b.setValue(true);
    EXPECT_TRUE(b.value()) << type;
    b.setValue(false);
    EXPECT_FALSE(b.value()) << type;
    b.setProperty("Value", true);
    EXPECT_TRUE(b.value()) << type;
    EXPECT_EQ(actions, 0) << type;
  }
}

TEST(BevelButton, ProgramReleasesAStickyButton) {
  TestWindow w;
  auto& b = add<BevelButton>(w, ControlClass::BevelButton, "InAB", 0, 0, 44, 37);
  b.setProperty("ButtonType", 2);
  b.click();
  EXPECT_TRUE(b.value());
  b.setValue(false);
  EXPECT_FALSE(b.value());
  b.click();
  EXPECT_TRUE(b.value());
}

TEST(BevelButton, ValueBeforeButtonTypeIsKept) {
  TestWindow w;
  auto& b = add<BevelButton>(w, ControlClass::BevelButton, "T", 0, 0, 44, 37);
  b.setProperty("Value", true);  // records name Value before ButtonType
  b.setProperty("ButtonType", 1);
  EXPECT_TRUE(b.value());
}

TEST(BevelButton, ClickLeavesTheKeyboardFocusInTheField) {
  TestWindow w;
  auto& field = add<EditField>(w, ControlClass::EditField, "FakNF", 10, 10, 98, 26);
  auto& b = add<BevelButton>(w, ControlClass::BevelButton, "BevelButton16", 10, 60, 52, 37);
  auto& sticky = add<BevelButton>(w, ControlClass::BevelButton, "InAB", 80, 60, 44, 37);
  sticky.setProperty("ButtonType", 2);
  int lost = 0, actions = 0;
  field.bind("LostFocus", [&] { ++lost; });
  b.bind("Action", [&] { ++actions; });
  sticky.bind("Action", [&] { ++actions; });
  activate(w);
  focusField(field);
  QTest::mouseClick(w.widget()->windowHandle(), Qt::LeftButton, {}, centre(b));
  QTest::mouseClick(w.widget()->windowHandle(), Qt::LeftButton, {}, centre(sticky));
  EXPECT_EQ(actions, 2);
  EXPECT_TRUE(field.hasFocus());
  EXPECT_EQ(lost, 0);
  EXPECT_EQ(b.widget()->focusPolicy(), Qt::NoFocus);
}

TEST(BevelButton, CaptionFontAndBevel) {
  TestWindow w;
  auto& b = add<BevelButton>(w, ControlClass::BevelButton, "BevelButton3", 953, 16, 78, 51);
  b.setCaption("Beenden");
  b.setProperty("TextFont", std::string("System"));
  b.setProperty("TextSize", 14);
  b.setProperty("Bold", true);
  b.setProperty("Bevel", 3);
  auto* pb = static_cast<QPushButton*>(b.widget());
  EXPECT_EQ(pb->text(), "Beenden");
  EXPECT_EQ(b.caption(), "Beenden");
  EXPECT_EQ(pb->font().pixelSize(), 14);
  EXPECT_TRUE(pb->font().bold());
  EXPECT_EQ(pb->geometry(), QRect(953, 16, 78, 51));
  b.setCaption("A & B");
  EXPECT_EQ(pb->text(), "A && B");  // an ampersand is shown, not a shortcut
  EXPECT_EQ(b.caption(), "A & B");
  b.setProperty("TextSize", 0);
  b.setProperty("Bold", false);
  EXPECT_EQ(pb->font().pointSizeF(), QApplication::font().pointSizeF());
  EXPECT_FALSE(pb->font().bold());
}

// ---- text fields ----

TEST(EditField, TextChangeRunsSynchronouslyOnEveryChange) {
  TestWindow w;
  auto& f = add<EditField>(w, ControlClass::EditField, "SZahlF", 338, 16, 38, 27);
  f.setProperty("Text", std::string("3"));  // before the binding: no handler yet
  std::vector<std::string> seen;
  f.bind("TextChange", [&] { seen.push_back(f.text()); });
  f.setText("4");
  EXPECT_EQ(seen, std::vector<std::string>{"4"});  // before setText returned
  f.setText("4");                                  // same text: no change
  f.setProperty("Text", std::string("5"));
  f.setText("");
  EXPECT_EQ(seen, (std::vector<std::string>{"4", "5", ""}));
  f.widget()->setVisible(false);
  f.setText("7");  // hidden fields take their text and report it too
  EXPECT_EQ(seen.back(), "7");
  EXPECT_EQ(std::get<std::string>(*f.property("Text")), "7");
}

TEST(EditField, TypingRunsTextChangePerKeystroke) {
  TestWindow w;
  auto& f = add<EditField>(w, ControlClass::EditField, "SZahlF", 10, 10, 80, 27);
  std::vector<std::string> seen;
  f.bind("TextChange", [&] { seen.push_back(f.text()); });
  activate(w);
  focusField(f);
  QTest::keyClicks(f.widget(), "12");
  QTest::keyClick(f.widget(), Qt::Key_Backspace);
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "12", "1"}));
  EXPECT_EQ(f.text(), "1");
}

TEST(EditField, HandlerWritingItsOwnFieldRunsNestedAndEnds) {
  TestWindow w;
  auto& f = add<EditField>(w, ControlClass::EditField, "SZahlF", 10, 10, 38, 27);
  std::vector<std::string> seen;
  int depth = 0, maxDepth = 0;
  // Like the size fields: keep the count within 1 to 12 by writing the field.
  f.bind("TextChange", [&] {
    ++depth;
    maxDepth = std::max(maxDepth, depth);
    seen.push_back(f.text());
    const int n = fw::toInt32(f.text());
    if (n > 12) f.setText("12");
    if (n < 1) f.setText("1");
    --depth;
  });
  f.setText("15");
  EXPECT_EQ(seen, (std::vector<std::string>{"15", "12"}));
  EXPECT_EQ(maxDepth, 2);
  EXPECT_EQ(f.text(), "12");
  seen.clear();
  f.setText("");
  EXPECT_EQ(seen, (std::vector<std::string>{"", "1"}));
  EXPECT_EQ(static_cast<QLineEdit*>(f.widget())->text(), "1");
}

// A handler that rewrites its field while the user types into it.
TEST(EditField, HandlerRewritesTheFieldWhileTheUserTypes) {
  for (bool multi : {false, true}) {
    TestWindow w;
    auto& f = add<EditField>(w, ControlClass::EditField, "SZahlF", 10, 10, 80, 60);
    f.setProperty("MultiLine", multi);
    f.bind("TextChange", [&] {
      if (fw::toInt32(f.text()) > 12) f.setText("12");
    });
    activate(w);
    focusField(f);
    QTest::keyClicks(f.widget(), "15");
    EXPECT_EQ(f.text(), "12") << multi;
    QTest::keyClicks(f.widget(), "3");
    EXPECT_EQ(f.text(), "12") << multi;
  }
}

TEST(EditField, KeepsTextExactlyAndWithoutLimit) {
  TestWindow w;
  auto& f = add<EditField>(w, ControlClass::EditField, "InOutF", 0, 0, 105, 25);
  const std::string texts[] = {std::string(100000, '7'), "Det() = -9223372036854775808", "Größe\tä", "a\rb"};
  for (const std::string& t : texts) {
    f.setText(t);
    EXPECT_EQ(f.text(), t);
  }
  f.setText(texts[0]);
  EXPECT_EQ(static_cast<QLineEdit*>(f.widget())->text().size(), 100000);
}

TEST(EditField, MultiLineKeepsCarriageReturns) {
  TestWindow w;
  auto& f = add<EditField>(w, ControlClass::EditField, "ProtokollF", 5, 4, 478, 762);
  f.setProperty("MultiLine", true);
  ASSERT_TRUE(f.multiLine());
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

  // Typing a line break adds the program's line end.
  activate(w);
  focusField(f);
  edit->moveCursor(QTextCursor::End);
  QTest::keyClicks(edit, "x");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(f.text(), protocol + "x\r");
  EXPECT_EQ(changes, 3);
  // So does a line break with Shift.
  QTest::keyClicks(edit, "y");
  QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClicks(edit, "z");
  EXPECT_EQ(f.text(), protocol + "x\ry\rz");
}

TEST(EditField, PropertiesReachTheWidget) {
  TestWindow w;
  auto& f = add<EditField>(w, ControlClass::EditField, "FormelF", 83, 675, 250, 31);
  f.setProperty("BackColor", fw::Color{0xFB, 0xFF, 0xD1});
  f.setProperty("TextSize", 16);
  f.setProperty("Bold", true);
  f.setProperty("Border", false);
  f.setProperty("ReadOnly", true);
  f.setProperty("HelpTag", std::string("Zeile eins\rZeile zwei"));
  f.setProperty("UseFocusRing", true);  // no visible effect, still readable
  auto* le = static_cast<QLineEdit*>(f.widget());
  EXPECT_EQ(le->palette().color(QPalette::Base), QColor(0xFB, 0xFF, 0xD1));
  EXPECT_EQ(le->font().pixelSize(), 16);
  EXPECT_TRUE(le->font().bold());
  EXPECT_FALSE(le->hasFrame());
  EXPECT_TRUE(le->isReadOnly());
  EXPECT_TRUE(le->toolTip().contains("Zeile eins<br")) << le->toolTip().toStdString();  // a line break
  EXPECT_EQ(f.helpTag(), "Zeile eins\rZeile zwei");
  EXPECT_EQ(std::get<bool>(*f.property("UseFocusRing")), true);
  EXPECT_EQ(f.property("Mask"), nullptr);
}

TEST(EditField, AcceptTabsTypesATab) {
  TestWindow w;
  auto& f = add<EditField>(w, ControlClass::EditField, "InOutF", 0, 0, 105, 25);
  auto& other = add<EditField>(w, ControlClass::EditField, "Other", 0, 40, 105, 25);
  f.setProperty("AcceptTabs", true);
  activate(w);
  focusField(f);
  QTest::keyClick(f.widget(), Qt::Key_Tab);
  EXPECT_EQ(f.text(), "\t");
  EXPECT_TRUE(f.hasFocus());
  EXPECT_FALSE(other.hasFocus());
}

TEST(EditField, LostFocusOnlyWhenAnotherControlOfTheWindowTakesIt) {
  TestWindow w;
  auto& a = add<EditField>(w, ControlClass::EditField, "FakNF", 10, 10, 98, 26);
  auto& b = add<EditField>(w, ControlClass::EditField, "FakZF", 10, 50, 98, 26);
  int lost = 0;
  a.bind("LostFocus", [&] { ++lost; });
  activate(w);
  focusField(a);

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
  EXPECT_EQ(lost, 0);
  activate(w);  // a window manager gives the window back its activation
  ASSERT_TRUE(QTest::qWaitFor([&] { return a.hasFocus(); }));
  EXPECT_EQ(lost, 0);

  // Another window taking the focus is no loss either.
  TestWindow other;
  auto& elsewhere = add<EditField>(other, ControlClass::EditField, "ProtokollF", 0, 0, 100, 25);
  activate(other);
  focusField(elsewhere);
  EXPECT_EQ(lost, 0);
  activate(w);
  ASSERT_TRUE(QTest::qWaitFor([&] { return a.hasFocus(); }));

  // The focus moving to another field of the window is.
  focusField(b);
  EXPECT_EQ(lost, 1);
  // And by the mouse.
  focusField(a);
  QTest::mouseClick(w.widget()->windowHandle(), Qt::LeftButton, {}, centre(b));
  EXPECT_TRUE(b.hasFocus());
  EXPECT_EQ(lost, 2);
}

// ---- labels, lines, radio buttons, arrows, separator ----

TEST(StaticText, ShowsPlainTextAndLetsClicksThrough) {
  TestWindow w;
  auto& button = add<BevelButton>(w, ControlClass::BevelButton, "Unten", 10, 10, 200, 40);
  auto& label = add<fw::StaticText>(w, ControlClass::StaticText, "StaticText3", 10, 10, 200, 40);
  auto& line = add<fw::Line>(w, ControlClass::Line, "Line1", 10, 30, 200, 0);
  label.setText("<b>1</b> & 2\rzwei");
  label.setProperty("TextAlign", 2);
  auto* l = static_cast<QLabel*>(label.widget());
  EXPECT_EQ(l->text(), "<b>1</b> & 2\nzwei");
  EXPECT_EQ(l->textFormat(), Qt::PlainText);
  EXPECT_TRUE(l->alignment() & Qt::AlignRight);
  EXPECT_EQ(label.text(), "<b>1</b> & 2\rzwei");
  int actions = 0;
  button.bind("Action", [&] { ++actions; });
  activate(w);
  QTest::mouseClick(w.widget()->windowHandle(), Qt::LeftButton, {}, QPoint(110, 30));  // on label and line
  EXPECT_EQ(actions, 1);
  (void)line;
}

TEST(Line, EndPointsInWindowCoordinates) {
  const struct {
    const char* what;
    std::vector<std::pair<const char*, int>> props;
    int x1, y1, x2, y2;
  } cases[] = {
      {"Line1 from its box", {{"Left", 21}, {"Top", 546}, {"Width", 1010}, {"Height", -3}}, 21, 546, 1031, 543},
      {"Line3 from its box", {{"Left", 685}, {"Top", 546}, {"Width", -1}, {"Height", 170}}, 685, 546, 684, 716},
      {"Line2 from box then points",
       {{"Left", 34}, {"Top", 71}, {"Width", 113}, {"Height", 1}, {"X1", 34}, {"X2", 147}, {"Y1", 71}, {"Y2", 72}},
       34, 71, 147, 72},
      {"points first", {{"X1", 5}, {"Y1", 6}, {"X2", 1}, {"Y2", 2}}, 5, 6, 1, 2},
  };
  for (const auto& c : cases) {
    TestWindow w;
    auto& line = dynamic_cast<fw::Line&>(w.addControl(ControlClass::Line, "L"));
    for (const auto& [name, value] : c.props) line.setProperty(name, value);
    line.setProperty("BorderWidth", 2);
    line.setProperty("LineColor", fw::Color{0, 0, 0});
    EXPECT_EQ(line.x1(), c.x1) << c.what;
    EXPECT_EQ(line.y1(), c.y1) << c.what;
    EXPECT_EQ(line.x2(), c.x2) << c.what;
    EXPECT_EQ(line.y2(), c.y2) << c.what;
    const QRect g = line.widget()->geometry();
    EXPECT_TRUE(g.contains(c.x1, c.y1) && g.contains(c.x2, c.y2)) << c.what;
    EXPECT_TRUE(line.widget()->testAttribute(Qt::WA_TransparentForMouseEvents));
  }
}

TEST(RadioButton, AllOfAWindowFormOneGroup) {
  TestWindow w;
  auto& bruch = add<fw::RadioButton>(w, ControlClass::RadioButton, "BruchB", 918, 581, 107, 27);
  auto& dez = add<fw::RadioButton>(w, ControlClass::RadioButton, "DezBB", 918, 608, 107, 27);
  bruch.setProperty("Caption", std::string("als Bruch"));
  dez.setProperty("Caption", std::string("als DezBruch"));
  dez.setProperty("Value", true);
  EXPECT_TRUE(dez.value());
  EXPECT_FALSE(bruch.value());
  activate(w);
  QTest::mouseClick(w.widget()->windowHandle(), Qt::LeftButton, {}, QPoint(930, 594));
  EXPECT_TRUE(bruch.value());
  EXPECT_FALSE(dez.value());
  EXPECT_FALSE(std::get<bool>(*dez.property("Value")));
  dez.click();
  EXPECT_TRUE(dez.value());
  EXPECT_FALSE(bruch.value());
  dez.setValue(false);  // the program may clear the selection
  EXPECT_FALSE(dez.value());
  bruch.setValue(true);
  EXPECT_TRUE(bruch.value());
  EXPECT_EQ(bruch.caption(), "als Bruch");
}

TEST(UpDownArrows, OneEventPerPress) {
  TestWindow w;
  auto& arrows = add<fw::UpDownArrows>(w, ControlClass::UpDownArrows, "SzUpDownArrows", 380, 16, 13, 20);
  auto& field = add<EditField>(w, ControlClass::EditField, "SZahlF", 338, 16, 38, 27);
  std::vector<std::string> events;
  arrows.bind("Up", [&] { events.push_back("Up"); });
  arrows.bind("Down", [&] { events.push_back("Down"); });
  arrows.pressUp();
  arrows.pressDown();
  arrows.pressUp();
  EXPECT_EQ(events, (std::vector<std::string>{"Up", "Down", "Up"}));

  // Held down for a while: still one event, and the field keeps the focus.
  events.clear();
  activate(w);
  focusField(field);
  QWindow* win = w.widget()->windowHandle();
  QTest::mousePress(win, Qt::LeftButton, {}, QPoint(386, 19));
  QTest::qWait(700);
  QTest::mouseRelease(win, Qt::LeftButton, {}, QPoint(386, 19));
  QTest::mouseClick(win, Qt::LeftButton, {}, QPoint(386, 33));
  EXPECT_EQ(events, (std::vector<std::string>{"Up", "Down"}));
  EXPECT_TRUE(field.hasFocus());
}

TEST(Separator, ThinLine) {
  TestWindow w;
  auto& s = add<fw::Separator>(w, ControlClass::Separator, "Separator1", 684, 669, 347, 7);
  EXPECT_EQ(s.widget()->geometry(), QRect(684, 669, 347, 7));
  EXPECT_EQ(static_cast<QFrame*>(s.widget())->frameShape(), QFrame::HLine);
}

// ---- windows ----

TEST(Window, PropertiesOfTheMainWindow) {
  TestWindow w;
  w.setProperty("Width", 1109);
  w.setProperty("Height", 796);
  w.setProperty("Title", std::string("Quenlor"));
  w.setProperty("Visible", true);
  w.setProperty("MenuBarVisible", false);
  w.setProperty("CloseButton", false);
  w.setProperty("Resizeable", false);
  w.setProperty("MaximizeButton", false);
  w.setProperty("MinimizeButton", true);
  w.setProperty("MacProcId", 0);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.title(), "Quenlor");
  EXPECT_EQ(w.widget()->windowTitle(), "Quenlor");
  EXPECT_TRUE(w.fixedSize());
  EXPECT_EQ(w.widget()->minimumSize(), QSize(1109, 796));
  EXPECT_EQ(w.widget()->maximumSize(), QSize(1109, 796));
  EXPECT_EQ(w.width(), 1109);
  EXPECT_EQ(w.height(), 796);
  const Qt::WindowFlags f = w.widget()->windowFlags();
  EXPECT_FALSE(f & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(f & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(std::get<int32_t>(*w.property("MacProcId")), 0);
  EXPECT_EQ(w.property("Frame"), nullptr);
}

TEST(Window, CloseRequestAsksTheWindow) {
  TestWindow w;
  w.show();
  w.allowClose = false;
  EXPECT_FALSE(w.widget()->close());
  EXPECT_TRUE(w.isVisible());
  w.widget()->windowHandle()->close();  // as the window manager asks
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.closeRequests, 2);
  w.allowClose = true;
  EXPECT_TRUE(w.widget()->close());
  EXPECT_FALSE(w.isVisible());
}

TEST(Window, ControlsByNameInOrderOfCreation) {
  TestWindow w;
  const char* names[] = {"BevelButton1", "StaticText1", "SZahlF", "SzUpDownArrows", "A11F", "Line1", "Separator1", "BruchB"};
  const ControlClass classes[] = {ControlClass::BevelButton,  ControlClass::StaticText, ControlClass::EditField,
                                  ControlClass::UpDownArrows, ControlClass::EditField,  ControlClass::Line,
                                  ControlClass::Separator,    ControlClass::RadioButton};
  for (size_t i = 0; i < std::size(names); ++i) w.addControl(classes[i], names[i]);
  ASSERT_EQ(w.controls().size(), std::size(names));
  for (size_t i = 0; i < std::size(names); ++i) {
    EXPECT_EQ(w.controls()[i]->name(), names[i]);
    EXPECT_EQ(w.findControl(names[i]), w.controls()[i]);
    EXPECT_EQ(w.controls()[i]->controlClass(), classes[i]);
    EXPECT_EQ(&w.controls()[i]->window(), &w);
  }
  EXPECT_EQ(w.findControl("A12F"), nullptr);
  EXPECT_EQ(w.findControl("a11f"), nullptr);  // names are case-sensitive
  EXPECT_EQ(&w.as<EditField>("SZahlF"), w.findControl("SZahlF"));
  EXPECT_STREQ(fw::className(ControlClass::UpDownArrows), "UpDownArrows");
}

TEST(Window, BindsHandlersByControlAndEventName) {
  TestWindow w;
  auto& b = add<BevelButton>(w, ControlClass::BevelButton, "BevelButton16", 0, 0, 52, 37);
  auto& f = add<EditField>(w, ControlClass::EditField, "SZahlF", 0, 50, 38, 27);
  auto& arrows = add<fw::UpDownArrows>(w, ControlClass::UpDownArrows, "SzUpDownArrows", 40, 50, 13, 20);
  std::vector<std::string> calls;
  auto record = [&](const char* name) {
    return [&calls, &w, name] { calls.push_back(std::string(name) + "@" + w.currentControl()->name()); };
  };
  w.registerHandler("BevelButton16_Action", record("BevelButton16_Action"));
  w.registerHandler("SZahlF_TextChange", record("SZahlF_TextChange"));
  w.registerHandler("SzUpDownArrows_Down", record("SzUpDownArrows_Down"));
  w.registerHandler("SzUpDownArrows_Up", record("SzUpDownArrows_Up"));
  EXPECT_TRUE(w.bindHandler("BevelButton16", "Action"));
  EXPECT_TRUE(w.bindHandler("SZahlF", "TextChange"));
  EXPECT_TRUE(w.bindHandler("SzUpDownArrows", "Down"));
  EXPECT_TRUE(w.bindHandler("SzUpDownArrows", "Up"));
  EXPECT_FALSE(w.bindHandler("SZahlF", "LostFocus"));  // nothing registered under that name
  EXPECT_FALSE(w.bindHandler("Fehlt", "Action"));
  EXPECT_EQ(arrows.bindingCount(), 2u);
  EXPECT_TRUE(f.hasHandler("TextChange"));
  EXPECT_FALSE(f.hasHandler("LostFocus"));

  b.click();
  f.setText("5");
  arrows.pressDown();
  arrows.pressUp();
  EXPECT_EQ(calls, (std::vector<std::string>{"BevelButton16_Action@BevelButton16", "SZahlF_TextChange@SZahlF",
                                             "SzUpDownArrows_Down@SzUpDownArrows", "SzUpDownArrows_Up@SzUpDownArrows"}));
  EXPECT_EQ(w.currentControl(), nullptr);
}

TEST(Window, CurrentControlFollowsNestedHandlers) {
  TestWindow w;
  auto& b = add<BevelButton>(w, ControlClass::BevelButton, "B", 0, 0, 52, 37);
  auto& f = add<EditField>(w, ControlClass::EditField, "F", 0, 50, 38, 27);
  std::vector<std::string> seen;
  f.bind("TextChange", [&] { seen.push_back(w.currentControl()->name()); });
  b.bind("Action", [&] {
    seen.push_back(w.currentControl()->name());
    f.setText("x");
    seen.push_back(w.currentControl()->name());
  });
  b.click();
  EXPECT_EQ(seen, (std::vector<std::string>{"B", "F", "B"}));
}

TEST(Window, ManyWindowsComeAndGo) {
  // Every window of a kind the program has, shown, used and destroyed.
  for (int round = 0; round < 20; ++round) {
    auto w = std::make_unique<TestWindow>();
    w->setProperty("Width", 400);
    w->setProperty("Height", 300);
    w->setProperty("Resizeable", false);
    w->setProperty("Visible", true);
    int fired = 0;
    for (int i = 0; i < 12; ++i) {
      auto& f = add<EditField>(*w, ControlClass::EditField, "A" + std::to_string(i) + "F", 10 + 30 * i, 10, 28, 25);
      f.bind("TextChange", [&] { ++fired; });
      f.bind("LostFocus", [&] { ++fired; });
      f.setText(std::to_string(i));
    }
    add<BevelButton>(*w, ControlClass::BevelButton, "B", 10, 50, 60, 30).click();
    add<fw::StaticText>(*w, ControlClass::StaticText, "T", 10, 90, 60, 20).setText("x");
    add<fw::Line>(*w, ControlClass::Line, "L", 10, 120, 100, -3);
    add<fw::UpDownArrows>(*w, ControlClass::UpDownArrows, "U", 100, 50, 13, 20).pressUp();
    add<fw::Separator>(*w, ControlClass::Separator, "S", 10, 150, 200, 7);
    add<fw::RadioButton>(*w, ControlClass::RadioButton, "R", 10, 170, 100, 20).click();
    auto& multi = add<EditField>(*w, ControlClass::EditField, "M", 10, 200, 200, 60);
    multi.setProperty("MultiLine", true);
    multi.setText("a\rb");
    if (round % 2 == 0) {
      w->widget()->activateWindow();
      QApplication::setActiveWindow(w->widget());
      w->as<EditField>("A0F").setFocus();
    }
    QCoreApplication::processEvents();
    EXPECT_GE(fired, 12);
    // Destroyed with the focus in a field that has a LostFocus handler: it must not run.
    const int before = fired;
    w.reset();
    EXPECT_EQ(fired, before);
  }
  QCoreApplication::processEvents();
}

}  // namespace
