// The store buttons "->A" ... "->H" and the recall buttons "A ->" ... "H ->".

#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

using grid::cellName;

TEST_F(FensterTest, EachStoreKeepsTheGridAsTypedAndShowsItInNormalForm) {
  const struct { char buchstabe; const char *ein, *aus, *kopf; } speicher[] = {
      {'A', "InAB", "BevelButton7", "A = "}, {'B', "InBB", "BevelButton11", "B  = "},
      {'C', "InCB", "BevelButton13", "C  = "}, {'D', "InDB", "BevelButton15", "D = "},
      {'F', "InFB", "OutFB", "F = "}, {'G', "InGB", "OutGB", "G = "}, {'H', "InHB", "OutHB", "H = "}};
  button("ProtokollB").click();
  for (const auto& s : speicher) {
    const std::string frage = std::string("Bei 'OK' wird die alte Matrix ") + s.buchstabe + " ueberschrieben!";
    const size_t protokoll = w->Protokoll.size();
    setGrid({{2, 4}, {6, 8}});
    type(cellName(3, 3), "99");  // hidden
    EXPECT_EQ(press(s.ein), Boxes{}) << s.ein << ": a store of one row is overwritten without asking";
    setGrid({{5}});
    type(cellName(3, 3), "1");
    EXPECT_EQ(press(s.ein, {core::kAnswerCancel}), (Boxes{{frage, core::kMsgOkCancel}})) << s.ein;
    press(s.aus), press(s.aus);
    EXPECT_EQ(shownGrid() + " " + text(cellName(3, 3)), "2/1: 1 2 | 3 4 99") << s.aus << ": Cancel kept the store";
    // Logged as held: first as typed, then in the normal form the first recall left.
    EXPECT_EQ(w->Protokoll.substr(protokoll), s.kopf + kCC + "2&4\\\\\r6&8\\\\\r" + kEnde + kUmbruch + s.kopf +
                                                "2 \\cdot  " + kCC + "1&2\\\\\r3&4\\\\\r" + kEnde + kUmbruch) << s.aus;
    setGrid({{5}});
    EXPECT_EQ(press(s.ein, {core::kAnswerOk}).size(), 1u) << s.ein;
    press(s.aus);
    EXPECT_EQ(factor(), "5/1") << s.ein << ": OK overwrote the store";
    // Only the rows count: one row of three is overwritten without asking, three rows of one are not.
    setGrid({{1, 2, 3}}), press(s.ein);
    EXPECT_EQ(press(s.ein), Boxes{}) << s.ein;
    setGrid({{1}, {2}, {3}}), press(s.ein);
    EXPECT_EQ(press(s.ein, {core::kAnswerCancel}), (Boxes{{frage, core::kMsgOkCancel}})) << s.ein;
  }
}
