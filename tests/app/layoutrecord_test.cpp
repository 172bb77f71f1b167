// The byte format of layout records and the records of the main window.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>
#include <stdexcept>

#include "app/layoutdata.h"
#include "app/layoutrecord.h"

using app::Entry;
using fw::ControlClass;

namespace {

std::string bytes(std::initializer_list<int> b) {
  std::string s;
  for (int x : b) s.push_back(static_cast<char>(x));
  return s;
}

const app::ControlDef& def(const std::string& name) {
  for (const auto& step : app::creationSteps())
    for (const auto& d : step)
      if (d.name == name) return d;
  throw std::runtime_error("no control " + name);
}

std::string recordOf(const std::string& name) {
  const auto& d = def(name);
  return app::writeRecord(app::tagTable(d.cls), app::recordEntries(d)).value();
}

const fw::PropValue& valueOf(const std::vector<Entry>& entries, const std::string& name) {
  for (const Entry& e : entries)
    if (e.name == name) return e.value;
  throw std::runtime_error("no entry " + name);
}

}  // namespace

TEST(LayoutRecord, BevelButton1ExactBytes) {
  const std::string r = recordOf("BevelButton1");
  ASSERT_EQ(r.size(), 351u);
  const std::string head = bytes({0x00, 0x00, 0x00, 0x00, 0x00, 0x0C}) + "BevelButton1" +
                           bytes({0x00, 0x01, 0x80, 0x00, 0x00, 0x00,    // Index
                                  0x00, 0x13, 0x00, 0x00, 0x02, 0xBE,    // Left 702
                                  0x00, 0x14, 0x00, 0x00, 0x02, 0x50,    // Top 592
                                  0x00, 0x15, 0x00, 0x00, 0x00, 0x96,    // Width 150
                                  0x00, 0x16, 0x00, 0x00, 0x00, 0x25,    // Height 37
                                  0x00, 0x1A, 0x00});                    // LockLeft
  EXPECT_EQ(r.substr(0, head.size()), head);
  const std::string tail = bytes({0x00, 0x2E, 0x00, 0x00, 0x00, 0x06}) + "System" +
                           bytes({0x00, 0x2F, 0x00, 0x00, 0x00, 0x0E,  // TextSize 14
                                  0x00, 0x30, 0x01,                    // Bold
                                  0x00, 0x31, 0x00,                    // Italic
                                  0x00, 0x32, 0x00});                  // Underline
  EXPECT_EQ(r.substr(r.size() - tail.size()), tail);

  const auto entries = app::readRecord(app::tagTable(ControlClass::BevelButton), r);
  ASSERT_TRUE(entries);
  EXPECT_EQ(entries->size(), 34u);
  const std::vector<Entry> expected = {{"Caption", std::string("Transformieren")}, {"CaptionAlign", 3},
                                       {"CaptionPlacement", 1}, {"TextSize", 14}, {"Bold", true}, {"Index", INT32_MIN}};
  for (const Entry& e : expected) EXPECT_EQ(valueOf(*entries, e.name), e.value) << e.name;
}

TEST(LayoutRecord, EveryRecordReadsBackAsWritten) {
  size_t shortest = SIZE_MAX, longest = 0;
  const std::map<ControlClass, size_t> entryCounts = {
      {ControlClass::BevelButton, 34}, {ControlClass::EditField, 39}, {ControlClass::StaticText, 27},
      {ControlClass::RadioButton, 23}, {ControlClass::Line, 15},      {ControlClass::UpDownArrows, 17},
      {ControlClass::Separator, 16}};
  const std::string noParent = bytes({0x00, 0x1F, 0x00, 0x00, 0x00, 0x00});
  for (const auto& step : app::creationSteps()) {
    for (const auto& d : step) {
      const auto& table = app::tagTable(d.cls);
      const auto entries = app::recordEntries(d);
      const auto r = app::writeRecord(table, entries);
      ASSERT_TRUE(r) << d.name;
      const auto back = app::readRecord(table, *r);
      ASSERT_TRUE(back) << d.name;
      EXPECT_EQ(*back, entries) << d.name;
      EXPECT_EQ(back->size(), entryCounts.at(d.cls)) << d.name;
      EXPECT_EQ(back->front(), (Entry{"Name", d.name}));
      EXPECT_NE(r->find(noParent), std::string::npos) << d.name;
      shortest = std::min(shortest, r->size());
      longest = std::max(longest, r->size());
    }
  }
  EXPECT_EQ(shortest, 85u);  // Separator1
  EXPECT_LE(longest, 419u);
}

TEST(LayoutRecord, WindowRecord) {
  const auto& table = app::windowTagTable();
  const auto r = app::writeRecord(table, app::windowEntries());
  ASSERT_TRUE(r);
  EXPECT_EQ(r->size(), 108u);
  const auto back = app::readRecord(table, *r);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->size(), 22u);
  for (const Entry& e : *back) EXPECT_NE(e.name, "Name");
  // Title: tag 6, length 7.
  EXPECT_NE(r->find(bytes({0x00, 0x06, 0x00, 0x00, 0x00, 0x07}) + "Quenlor"), std::string::npos);
}

TEST(LayoutRecord, EncodingDetails) {
  const struct {
    const char* name;
    size_t length;
    std::string part;  // bytes the record holds
  } cases[] = {
      {"A11F", 185, bytes({0x00, 0x28, 0, 0, 0, 0x00, 0x29, 0xFF, 0xFF, 0xFF})},  // black text on white
      {"ACCF", 185, ""}, {"A1CF", 185, ""}, {"S1T", 138, ""}, {"S9T", 138, ""}, {"SAT", 139, ""},
      {"SCT", 139, ""},  {"Z1T", 138, ""},  {"ZBT", 139, ""},
      {"FormelF", 0, bytes({0x00, 0x29, 0xFB, 0xFF, 0xD1})},  // light yellow
      // Negative sizes of lines are two's complement; line records put Top before Left.
      {"Line1", 0, bytes({0x00, 0x16, 0xFF, 0xFF, 0xFF, 0xFD})},
      {"Line3", 0, bytes({0x00, 0x15, 0xFF, 0xFF, 0xFF, 0xFF})},
      {"Line2", 0, bytes({0x00, 0x14, 0, 0, 0, 71, 0x00, 0x13, 0, 0, 0, 34})},
  };
  for (const auto& c : cases) {
    const std::string r = recordOf(c.name);
    EXPECT_EQ(c.length ? r.size() : size_t{0}, c.length) << c.name;
    EXPECT_NE(r.find(c.part), std::string::npos) << c.name;
  }
  // Help texts keep their carriage returns.
  const std::string help = std::get<std::string>(valueOf(app::recordEntries(def("FormelF")), "HelpTag"));
  EXPECT_EQ(std::count(help.begin(), help.end(), '\r'), 2);
  EXPECT_EQ(help.substr(0, help.find('\r')),
            "Hier kann ein auszuwertender Matrixterm eingegeben werden, wie zum Beispiel:");
}

TEST(LayoutRecord, TagMeansWhatItsClassSays) {
  const std::pair<ControlClass, const char*> cases[] = {
      {ControlClass::EditField, "Text"},      {ControlClass::BevelButton, "Caption"},
      {ControlClass::Line, "X1"},             {ControlClass::StaticText, "Text"},
      {ControlClass::RadioButton, "Caption"}, {ControlClass::UpDownArrows, "AcceptFocus"}};
  for (const auto& [cls, name] : cases) {
    const app::TagInfo* t = app::findTag(app::tagTable(cls), uint8_t{32});
    EXPECT_STREQ(t ? t->name : "", name);
  }
  EXPECT_EQ(app::findTag(app::tagTable(ControlClass::Separator), uint8_t{32}), nullptr);
}

TEST(LayoutRecord, ReaderRefusesBrokenRecords) {
  const auto& table = app::tagTable(ControlClass::BevelButton);
  const struct {
    const char* why;
    std::string record;
  } cases[] = {
      {"lead byte not zero", bytes({0x01, 0x13, 0, 0, 0, 1})},    {"unknown tag", bytes({0x00, 0x24, 0, 0, 0, 1})},
      {"int runs past the end", bytes({0x00, 0x13, 0, 0, 0})},    {"only a lead byte", bytes({0x00})},
      {"string longer than the record", bytes({0x00, 0x20, 0, 0, 0, 5}) + "abcd"},
      {"huge string length", bytes({0x00, 0x20, 0xFF, 0xFF, 0xFF, 0xFF}) + "abcd"},
      {"string length cut off", bytes({0x00, 0x20, 0, 0})},       {"boolean missing", bytes({0x00, 0x30})},
      {"boolean neither 0 nor 1", bytes({0x00, 0x30, 0x02})},
      {"tag twice", bytes({0x00, 0x30, 0x01, 0x00, 0x30, 0x00})},
  };
  for (const auto& c : cases) EXPECT_FALSE(app::readRecord(table, c.record)) << c.why;
  // Colour cut off, in a class that has colours.
  EXPECT_FALSE(app::readRecord(app::tagTable(ControlClass::EditField), bytes({0x00, 0x29, 0xFF, 0xFF})));
  // The empty record is a record without entries.
  EXPECT_EQ(app::readRecord(table, ""), std::vector<Entry>{});
}

TEST(LayoutRecord, WriterRefusesWhatItCannotEncode) {
  const auto& table = app::tagTable(ControlClass::Line);
  const struct {
    const char* why;
    std::vector<Entry> entries;
  } cases[] = {
      {"name not in the class", {{"Caption", std::string("x")}}},
      {"wrong type", {{"X1", true}}},
      {"named twice", {{"X1", 1}, {"X1", 2}}},
  };
  for (const auto& c : cases) EXPECT_FALSE(app::writeRecord(table, c.entries)) << c.why;
  EXPECT_EQ(app::writeRecord(table, {{"X1", -1}, {"LineColor", fw::Color{1, 2, 3}}}),
            bytes({0x00, 0x20, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x25, 1, 2, 3}));
}
