// The grid-to-grid commands and the protocol switch, driven through their
// buttons as a user clicks them.

#include <gtest/gtest.h>

#include "app/fenster_fixture.h"

using BefehlTest = FensterTest;

// Entries near 2^60: row 2 is twice row 1; the system without it has the solution (1, 2, 3).
const Rows kDoppelteZeile = {{1152921504606846977, 1152921504606846979, 3, 3458764513820540944},
                             {2305843009213693954, 2305843009213693958, 6, 6917529027641081888},
                             {5, 1152921504606846983, 1152921504606846989, 5764607523034234938},
                             {1152921504606847009, 7, 1152921504606847019, 4611686018427388080}};

TEST_F(BefehlTest, EachCommandShowsItsResultInTheGridAndLogsNothingWhileLoggingIsOff) {
  const struct { const char *what, *button; Rows in; const char *num, *den, *shown; } cases[] = {
      {"Transformieren, dependent row deleted", "BevelButton1", {{1, 2, 3}, {2, 4, 6}}, "1", "1", "1/1: 1 2 3"},
      {"Transformieren, negative factor goes into the entries", "BevelButton1", {{1, 2, 3}, {3, 4, 5}}, "-2", "4",
       "1/2: -1 0 1 | 0 -1 -2"},
      {"Invertieren, negative factor keeps its denominator's sign", "BevelButton4", {{1, 2}, {3, 4}}, "-2", "3",
       "3/-4: -4 2 | 3 -1"},
      // -3 * (2, 0) and 2 * (0, -3): diagonal -6, shown as -1 with factor 6.
      {"Vereinheitlichen 2 x 2", "BevelButton5", {{2, 0}, {0, -3}}, "1", "1", "6/1: -1 0 | 0 -1"},
      {"E->", "BevelButton6", {{5, 6, 7}, {8, 9, 10}}, "3", "7", "1/1: 1 0 0 | 0 1 0"},
      {"E-> square: the last column's 1 too", "BevelButton6", {{5, 6, 7}, {8, 9, 10}, {1, 2, 3}}, "3", "7",
       "1/1: 1 0 0 | 0 1 0 | 0 0 1"},
      {"Transponieren", "BevelButton28", {{1, 2, 3}, {4, 5, 6}}, "1", "2", "1/2: 1 4 | 2 5 | 3 6"},
      {"Orthogonalisieren", "BevelButton23", {{1, 2}, {1, 0}}, "1", "1", "1/1: 1 1 | 1 -1"},
      {"Vereinheitlichen of value zero near 2^63", "BevelButton5", {{INT64_MAX, 1}, {1, INT64_MAX - 1}}, "0", "1",
       "1/1: 0 0 | 0 0"},
      // Row 2 times -1 is (2^63, -2): its normal form fits.
      {"Vereinheitlichen, 2^63 on the way", "BevelButton5", {{-2, 0}, {INT64_MIN, 2}}, "1", "1",
       "2/1: -1 0 | 4611686018427387904 -1"},
      {"Vereinheitlichen, L = 3 * 2^62 on the way", "BevelButton5", {{int64_t{1} << 62, 0}, {0, 3}}, "1",
       "6917529027641081856", "2/1: 1 0 | 0 1"},
      // Row 2 = 2 * row 1, deleted: the copy of row 4 it leaves behind does not fit, and is not shown.
      {"Transformieren, a hidden leftover beyond 64 bits", "BevelButton1", kDoppelteZeile, "1", "1",
       "1/1: 1 0 0 1 | 0 1 0 2 | 0 0 1 3"}};
  for (const auto& c : cases) {
    setGrid(c.in, c.num, c.den);
    button(c.button).click();
    EXPECT_EQ(std::pair(shownGrid(), w->Protokoll), std::pair(std::string(c.shown), std::string("$"))) << c.what;
  }
  for (const char* b : {"BevelButton6", "BevelButton28"}) {  // nothing stays outside their result
    type("A33F", "99");
    setGrid({{1, 2, 3}, {4, 5, 6}});
    button(b).click();
    EXPECT_EQ(text("A33F"), "0") << b;
  }
  // E-> of 12 x 12 reaches the last diagonal cell; of 3 x 2 it leaves the hidden third one 0.
  type("ZZahlF", "12"), type("SZahlF", "12"), button("BevelButton6").click();
  EXPECT_EQ(text("ACCF") + text("A33F"), "11");
  type("SZahlF", "2"), type("ZZahlF", "3"), button("BevelButton6").click();
  EXPECT_EQ(shownGrid() + " " + text("A33F"), "1/1: 1 0 | 0 1 | 0 0 0");
}

TEST_F(BefehlTest, TheProtocolSwitchAndWhatTheCommandsLogWhileItIsOn) {
  for (const char* state : {"Ausschalten, on", "Einschalten, off", "Ausschalten, on"}) {
    button("ProtokollB").click();
    EXPECT_EQ(button("ProtokollB").caption() + (button("ProtokollB").value() ? ", on" : ", off"),
              std::string("Protokollierung ") + state);
  }
  const std::string end = "\\end{array} \\right) ";
  // A singular or non-square matrix to invert: a warning, the input stays shown, only the input is logged.
  const struct { const char* button; Rows in; const char *num, *den, *warnsShowing; std::string log; } cases[] = {
      {"BevelButton1", {{1, 2, 3}, {3, 4, 5}}, "-2", "4", nullptr,
       "\\frac {-2} {4} \\cdot  \\left( \\begin {array} {cccc}1&2&| &3\\\\\r3&4&| &5\\\\\r" + end + "\\rightarrow\r"
       "\\frac {-2} {4} \\cdot  \\left( \\begin {array} {cccc}1&0&| &-1\\\\\r0&1&| &2\\\\\r" + end + ".\r\\\\\r"},
      {"BevelButton4", {{1, 2}, {3, 4}}, "1", "1", nullptr,
       kCC + "1&2\\\\\r3&4\\\\\r" + kEnde + "^{-1} =\\frac {1} {2} \\cdot  " + kCC + "-4&2\\\\\r3&-1\\\\\r" + kEnde +
           kUmbruch},
      {"BevelButton23", {{3, 1}, {4, 2}}, "1", "3", nullptr,
       "\\frac {1} {3} \\cdot  " + kCC + "3&1\\\\\r4&2\\\\\r" + kEnde + "\\mathrm{orthogonalisiert:}" +
           "\\frac {1} {3} \\cdot  " + kCC + "3&-4\\\\\r4&3\\\\\r" + kEnde + kUmbruch},
      {"BevelButton4", {{1, 2}, {2, 4}}, "1", "1", "1/1: 1 2 | 2 4", kCC + "1&2\\\\\r2&4\\\\\r" + kEnde},
      {"BevelButton4", {{2, 4, 6}, {8, 10, 12}}, "1", "1", "2/1: 1 2 3 | 4 5 6",
       "\\left( \\begin {array} {ccc}2&4&6\\\\\r8&10&12\\\\\r" + end + "\r"}};
  for (const auto& c : cases) {
    w->Protokoll = "$";
    setGrid(c.in, c.num, c.den);
    if (c.warnsShowing) services.expectBox(core::kAnswerCancel);
    button(c.button).click();
    const std::string row = c.button + (" " + std::to_string(c.in.size())) + "x" + std::to_string(c.in[0].size());
    EXPECT_EQ(w->Protokoll, "$" + c.log) << row;
    EXPECT_EQ(c.warnsShowing ? shownGrid() : "", c.warnsShowing ? c.warnsShowing : "") << row;
  }
  EXPECT_EQ(boxesShown(), Boxes(2, {"Die Matrix ist nicht regulaer", core::kMsgCautionOkCancel}));
}

// Only the block the size fields show is inverted, not the square one with the hidden row below it.
TEST_F(BefehlTest, InvertierenTakesTheShownRowsOnly) {
  setGrid({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}), type("ZZahlF", "2");
  EXPECT_EQ(press("BevelButton4", {core::kAnswerOk}),
            (Boxes{{"Die Matrix ist nicht regulaer", core::kMsgCautionOkCancel}}));
  EXPECT_EQ(shownGrid() + " " + text("A33F"), "1/1: 1 0 0 | 0 1 0 1");
}

// A refusal has its box; showing the input again never adds a second one, and a hidden row never adds one.
TEST_F(BefehlTest, OnePressShowsOneBox) {
  const std::string p62 = "4611686018427387904 4611686018427387904";
  const struct { const char* what; Rows in; const char* num; std::string shown; } cases[] = {
      {"singular, factor 4", {{int64_t{1} << 62, int64_t{1} << 62}, {int64_t{1} << 62, int64_t{1} << 62}}, "4",
       "4/1: " + p62 + " | " + p62},
      {"not square, -2^63 over -1", {{INT64_MIN, 1}}, "-1", "-1/1: -9223372036854775808 1"}};
  for (const auto& c : cases)
    for (int antwort : {core::kAnswerOk, core::kAnswerCancel}) {
      setGrid(c.in, c.num);
      EXPECT_EQ(press("BevelButton4", {antwort}), (Boxes{{"Die Matrix ist nicht regulaer", core::kMsgCautionOkCancel}}))
          << c.what;
      EXPECT_EQ(shownGrid(), c.shown) << c.what << ": the grid as typed";
    }
  setGrid(kDoppelteZeile);
  EXPECT_EQ(press("BevelButton1"), Boxes{});
  EXPECT_EQ(text("A41F") + " " + text("A42F") + " " + text("A43F") + " " + text("A44F"),
            "1152921504606847009 7 1152921504606847019 4611686018427388080") << "the hidden row keeps what it held";
}

// A result beyond 64 bits is reported once and changes nothing; a zero
// denominator is passed on, and the display repairs and reports it.
TEST_F(BefehlTest, OverflowAndZeroDenominatorAreReportedOnce) {
  button("ProtokollB").click();
  // Diagonal 3037000499 and 3037000507 (primes near 2^31.5): the equalised diagonal, their lcm, exceeds 2^63.
  setGrid({{3037000499, 0}, {0, 3037000507}});
  EXPECT_EQ(press("BevelButton5", {core::kAnswerOk}), kUeberlaufBox);
  EXPECT_EQ(shownGrid() + w->Protokoll, "1/1: 3037000499 0 | 0 3037000507$") << "the grid keeps what was typed";
  // Transformieren: y = 1/a and x = (a - 1)/a^2 for a = 3037000500, whose square exceeds 2^63.
  setGrid({{3037000500, 1, 1}, {0, 3037000500, 1}});
  EXPECT_EQ(press("BevelButton1", {core::kAnswerOk}), kUeberlaufBox);
  EXPECT_EQ(shownGrid() + w->Protokoll, "1/1: 3037000500 1 1 | 0 3037000500 1$") << "Transformieren";
  // Invertieren: the inverse of 2^62 * (3) is 1/(3 * 2^62).
  setGrid({{3}}, "4611686018427387904");
  EXPECT_EQ(press("BevelButton4", {core::kAnswerOk}), kUeberlaufBox);
  EXPECT_EQ(shownGrid() + w->Protokoll, "4611686018427387904/1: 3$") << "Invertieren";
  for (const char* b : {"BevelButton1", "BevelButton5", "BevelButton28", "BevelButton23"}) {
    setGrid({{2, 1}, {1, 1}}, "1", "0");
    EXPECT_EQ(press(b, {core::kAnswerOk}), kUeberlaufBox) << b;
    EXPECT_EQ(text("FakNF"), "0") << b;
  }
}

// A typed number beyond 64 bits, shown, hidden or in a factor field, is never
// taken for another number: every command that reads the grid reports it and
// changes nothing; the cell keeps its text.
TEST_F(BefehlTest, ATypedNumberBeyond64BitsIsReportedByEveryCommandThatReadsTheGrid) {
  button("ProtokollB").click();
  type("FormelF", "A");
  type("InOutF", "vorher");
  const char* knoepfe[] = {"BevelButton1",  "BevelButton4",  "BevelButton5",  "BevelButton28", "BevelButton23",
                           "BevelButton16", "BevelButton32", "BevelButton33", "BevelButton17", "InAB",
                           "BevelButton22", "BevelButton19"};
  for (const auto& [feld, zahl] : {std::pair{"A12F", "99999999999999999999"}, {"A33F", "-1e30"},
                                   {"FakZF", "9223372036854775808"}, {"FakNF", "-9223372036854775809"}}) {
    for (const char* knopf : knoepfe) {
      setGrid({{1, 2}, {3, 4}});
      type(feld, zahl);
      const auto speicherA = w->A;
      EXPECT_EQ(press(knopf, {core::kAnswerOk}), kUeberlaufBox) << knopf << " " << feld;
      EXPECT_EQ(text(feld) + " " + text("A11F") + text("A22F") + text("SZahlF") + text("InOutF") + w->Protokoll,
                std::string(zahl) + " 142vorher$") << knopf << " " << feld;
      EXPECT_EQ(w->A, speicherA) << knopf << " " << feld;
    }
  }
}

// A result of value zero is logged as the zero matrix that the grid shows, with no factor; the input as typed.
TEST_F(BefehlTest, AResultOfValueZeroIsLoggedAsTheZeroMatrixTheGridShows) {
  button("ProtokollB").click();
  const std::string null2 = kCC + "0&0\\\\\r0&0\\\\\r" + kEnde;
  const struct { const char* what; std::vector<const char*> buttons; Rows in; const char *num, *den, *shown;
                 std::string log; } cases[] = {
      // A value of zero transforms as the zero matrix: no row stays, and the grid and the protocol show one zero row.
      {"Transformieren 0/5", {"BevelButton1"}, {{7, 3, 1}, {2, 5, 4}}, "0", "5", "1/1: 0 0 0",
       "\\frac {0} {5} \\cdot  \\left( \\begin {array} {cccc}7&3&| &1\\\\\r2&5&| &4\\\\\r\\end{array} \\right) "
       "\\rightarrow\r\\left( \\begin {array} {cccc}0&0&| &0\\\\\r\\end{array} \\right) .\r\\\\\r"},
      {"Transformieren 0/7 of independent rows", {"BevelButton1"}, {{1, 2, 3}, {4, 5, 6}}, "0", "7", "1/1: 0 0 0",
       "\\frac {0} {7} \\cdot  \\left( \\begin {array} {cccc}1&2&| &3\\\\\r4&5&| &6\\\\\r\\end{array} \\right) "
       "\\rightarrow\r\\left( \\begin {array} {cccc}0&0&| &0\\\\\r\\end{array} \\right) .\r\\\\\r"},
      {"Transformieren of zero entries", {"BevelButton1"}, {{0, 0, 0}, {0, 0, 0}}, "1", "1", "1/1: 0 0 0",
       "\\left( \\begin {array} {cccc}0&0&| &0\\\\\r0&0&| &0\\\\\r\\end{array} \\right) "
       "\\rightarrow\r\\left( \\begin {array} {cccc}0&0&| &0\\\\\r\\end{array} \\right) .\r\\\\\r"},
      {"Orthogonalisieren 0/5", {"BevelButton23"}, {{7, 2}, {-2, 7}}, "0", "5", "1/1: 0 0 | 0 0",
       "\\frac {0} {5} \\cdot  " + kCC + "7&2\\\\\r-2&7\\\\\r" + kEnde + "\\mathrm{orthogonalisiert:}" + null2 +
           kUmbruch},
      {"Orthogonalisieren of zero entries 3/5", {"BevelButton23"}, {{0, 0}, {0, 0}}, "3", "5", "1/1: 0 0 | 0 0",
       "\\frac {3} {5} \\cdot  " + null2 + "\\mathrm{orthogonalisiert:}" + null2 + kUmbruch},
      {"A -> of a store taken at 0/5", {"InAB", "BevelButton7"}, {{1, 2}, {3, 4}}, "0", "5", "1/1: 0 0 | 0 0",
       "A = " + null2 + kUmbruch}};
  for (const auto& c : cases) {
    setGrid(c.in, c.num, c.den);
    w->Protokoll = "$";
    for (const char* b : c.buttons) EXPECT_EQ(press(b), Boxes{}) << c.what;
    EXPECT_EQ(std::pair(shownGrid(), w->Protokoll), std::pair(std::string(c.shown), "$" + c.log)) << c.what;
  }
}
