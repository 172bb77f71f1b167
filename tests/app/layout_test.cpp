// The controls of the main window as a user sees them, and the layout records
// they are built from.

#include <gtest/gtest.h>

#include <set>

#include "app/fenster_fixture.h"
#include "app/layoutdata.h"

static std::string bytes(std::initializer_list<int> b) { return std::string(b.begin(), b.end()); }

TEST_F(FensterTest, ControlsAsTheUserSeesThem) {
  std::array<int, 7> kinds{};  // in the order of ControlClass: BevelButton, EditField, StaticText, ...
  for (const fw::Control* c : w->controls()) ++kinds[static_cast<size_t>(c->controlClass())];
  EXPECT_EQ(kinds, (std::array<int, 7>{37, 150, 32, 2, 3, 2, 1}));
  for (const char* absent : {"BevelButton8", "BevelButton25", "BevelButton26"})
    EXPECT_EQ(w->findControl(absent), nullptr) << absent;
  // Place (left, top, width, height) and caption or text.
  const std::pair<const char*, std::string> controls[] = {
      {"BevelButton1", "702 592 150 37 Transformieren"}, {"BevelButton3", "953 16 78 51 Beenden"},
      {"ProtokollB", "505 5 263 22 Protokollierung Einschalten"}, {"BevelButton7", "83 631 44 37 A ->"},
      {"InAB", "83 592 44 37 ->A"}, {"BevelButton16", "505 669 52 37 Det"}, {"BevelButton31", "644 29 40 37 ->K"},
      {"BevelButton5", "702 631 215 37 Diagonale Vereinheitlichen"}, {"BruchB", "918 581 107 27 als Bruch"},
      {"DezBB", "918 608 107 27 als DezBruch"}, {"SZahlF", "338 16 38 27 3"},
      {"StaticText3", "24 14 186 20 Faktor vor aktueller Matrix:"}, {"ZzUpDownArrows", "380 47 13 20 "},
      {"Separator1", "684 669 347 7 "}, {"A11F", "108 153 72 25 0"}, {"A1CF", "959 154 72 25 0"},
      {"ACCF", "959 495 72 25 0"}, {"A55F", "419 277 72 25 0"}, {"S4T", "342 121 72 20 4"}, {"SCT", "959 121 72 20 12"},
      {"Z8T", "67 371 46 20 8"}, {"Z9T", "67 401 46 20 9"}};
  for (const auto& [name, expected] : controls) {
    const fw::Control& c = w->control(name);
    const fw::PropValue* t = c.property("Caption") ? c.property("Caption") : c.property("Text");
    EXPECT_EQ(std::to_string(c.left()) + " " + std::to_string(c.top()) + " " + std::to_string(c.width()) + " " +
                  std::to_string(c.height()) + " " + (t ? std::get<std::string>(*t) : ""), expected) << name;
  }
  // Lines from point to point, and their width.
  using Ends = std::array<int, 5>;  // x1, y1, x2, y2, width
  for (const auto& [name, ends] : {std::pair{"Line1", Ends{21, 546, 1031, 543, 1}}, {"Line2", Ends{34, 71, 147, 72, 2}},
                                   {"Line3", Ends{685, 546, 684, 716, 1}}}) {
    const auto& l = w->as<fw::Line>(name);
    EXPECT_EQ((Ends{l.x1(), l.y1(), l.x2(), l.y2(), std::get<int32_t>(*l.property("BorderWidth"))}), ends) << name;
  }
  for (const auto& s : core::kSpeicher) EXPECT_EQ(button(s.speicherKnopf).buttonType(), 2) << s.speicherKnopf;
  EXPECT_EQ(w->control("BevelButton31").helpTag(), "Schreibt das aktuelle Protokoll ins Klemmbrett.");
  EXPECT_EQ(w->control("BevelButton4").helpTag(), "Invertiert die Matrix im Display .");
  EXPECT_EQ(w->control("BevelButton27").helpTag().back(), '\r');
  const std::string formelHilfe = w->control("FormelF").helpTag();  // lines break at carriage returns
  EXPECT_EQ(formelHilfe.substr(0, formelHilfe.find('\r')),
            "Hier kann ein auszuwertender Matrixterm eingegeben werden, wie zum Beispiel:");
  EXPECT_EQ(std::count(formelHilfe.begin(), formelHilfe.end(), '\r'), 2);
  // Every handler is bound: the Action of all 37 buttons and eight field and
  // arrow events; no cell of the grid runs one.
  std::set<std::string> events;
  for (const fw::Control* c : w->controls()) {
    for (const char* ev : {"TextChange", "LostFocus", "Up", "Down"})
      if (c->hasHandler(ev)) events.insert(c->name() + " " + ev);
    EXPECT_EQ(c->hasHandler("Action"), c->controlClass() == fw::ControlClass::BevelButton) << c->name();
  }
  EXPECT_EQ(events, (std::set<std::string>{"FakNF LostFocus", "InOutF LostFocus", "SZahlF TextChange",
                                           "SzUpDownArrows Down", "SzUpDownArrows Up", "ZZahlF TextChange",
                                           "ZzUpDownArrows Down", "ZzUpDownArrows Up"}));
}

// Every record reads back as written; the record of "Transformieren" byte for
// byte at its ends. A record cut short is refused, not read past its end.
TEST(LayoutRecord, EveryRecordReadsBackAsWrittenInTheByteFormat) {
  for (const auto& step : app::creationSteps()) {
    for (const auto& d : step) {
      const std::string r = app::writeRecord(app::tagTable(d.cls), app::recordEntries(d)).value_or("");
      EXPECT_EQ(app::readRecord(app::tagTable(d.cls), r), app::recordEntries(d)) << d.name;
      if (d.name != "BevelButton1") continue;
      // Name (tag 0, length 12), Index (tag 1, Int32 minimum), Left (tag 0x13, ...; Underline (tag 0x32, false)
      EXPECT_EQ(r.substr(0, 26) + r.substr(r.size() - 3),
                bytes({0, 0, 0, 0, 0, 12}) + "BevelButton1" + bytes({0, 1, 0x80, 0, 0, 0, 0, 0x13, 0, 0x32, 0}));
      EXPECT_EQ(std::pair(r.size(), app::recordEntries(d).size()), std::pair(size_t{351}, size_t{34}));
    }
  }
  for (const std::string& cut : {bytes({0, 0x13, 0, 0, 0}), bytes({0, 0x20, 0xFF, 0xFF, 0xFF, 0xFF}) + "abcd"})
    EXPECT_FALSE(app::readRecord(app::tagTable(fw::ControlClass::BevelButton), cut)) << cut.size();
}
