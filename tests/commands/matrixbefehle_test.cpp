// The grid-to-grid commands and the protocol switch, driven through their
// buttons as a user clicks them.

#include <gtest/gtest.h>

#include <vector>

#include "app/fenster_fixture.h"

using grid::cellName;

namespace {

const char* const kCR = "\r";
const std::string kNichtRegulaer = "Die Matrix ist nicht regulaer";
const std::string kUeberlauf = "Ergebnis falsch durch fehlerhafte Datei oder Überlauf bei Ganzzahlarithmetik!!";

using Rows = std::vector<std::vector<int64_t>>;

class BefehlTest : public FensterTest {
 protected:
  // Types a matrix into the grid as a user would: sizes, factor, cells.
  void setGrid(const Rows& rows, const std::string& num = "1", const std::string& den = "1") {
    type("ZZahlF", std::to_string(rows.size()));
    type("SZahlF", std::to_string(rows[0].size()));
    type("FakZF", num);
    type("FakNF", den);
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c)
        type(cellName(static_cast<int>(r + 1), static_cast<int>(c + 1)), std::to_string(rows[r][c]));
  }

  // The grid as shown: rows x columns from the size fields.
  Rows grid() const {
    const int rows = std::stoi(text("ZZahlF")), cols = std::stoi(text("SZahlF"));
    Rows out(static_cast<size_t>(rows));
    for (int r = 1; r <= rows; ++r)
      for (int c = 1; c <= cols; ++c) out[static_cast<size_t>(r - 1)].push_back(std::stoll(text(cellName(r, c))));
    return out;
  }

  void expectFactor(const std::string& num, const std::string& den) const {
    EXPECT_EQ(text("FakZF"), num);
    EXPECT_EQ(text("FakNF"), den);
  }

  void click(const std::string& name) { button(name).click(); }

  // One row of a table: a typed grid with its factor, and what the command shows.
  struct GridCase {
    const char* what;
    Rows in;
    const char *num, *den;
    Rows out;
    const char *outNum, *outDen;
  };
  void expectShows(const std::string& command, const std::vector<GridCase>& cases) {
    for (const auto& c : cases) {
      setGrid(c.in, c.num, c.den);
      click(command);
      EXPECT_EQ(grid(), c.out) << c.what;
      EXPECT_EQ(text("FakZF"), c.outNum) << c.what;
      EXPECT_EQ(text("FakNF"), c.outDen) << c.what;
      EXPECT_EQ(text("ZZahlF"), std::to_string(c.out.size())) << c.what;
      EXPECT_EQ(text("SZahlF"), std::to_string(c.out[0].size())) << c.what;
    }
  }
  void loggingOn() { click("ProtokollB"); }

  // The protocol split at its carriage returns, without the leading "$".
  std::vector<std::string> protocolLines() const {
    std::vector<std::string> lines;
    std::string rest = w->Protokoll.substr(1);
    size_t pos;
    while ((pos = rest.find(kCR)) != std::string::npos) {
      lines.push_back(rest.substr(0, pos));
      rest = rest.substr(pos + 1);
    }
    EXPECT_EQ(rest, "") << "protocol ends with a line end";
    return lines;
  }
};

}  // namespace

TEST_F(BefehlTest, ProtocolSwitchCaptionFollowsItsState) {
  auto& schalter = button("ProtokollB");
  EXPECT_FALSE(schalter.value());
  EXPECT_EQ(schalter.caption(), "Protokollierung Einschalten");
  click("ProtokollB");
  EXPECT_TRUE(schalter.value());
  EXPECT_EQ(schalter.caption(), "Protokollierung Ausschalten");
  click("ProtokollB");
  EXPECT_FALSE(schalter.value());
  EXPECT_EQ(schalter.caption(), "Protokollierung Einschalten");
}

TEST_F(BefehlTest, TransformierenBringsTheSystemToReducedEchelonForm) {
  expectShows("BevelButton1",
              {
                  {"unique solution", {{1, 2, 3}, {3, 4, 5}}, "1", "1", {{1, 0, -1}, {0, 1, 2}}, "1", "1"},
                  {"dependent row deleted", {{1, 2, 3}, {2, 4, 6}}, "1", "1", {{1, 2, 3}}, "1", "1"},
                  {"negative factor goes into the entries", {{1, 2, 3}, {3, 4, 5}}, "-2", "4",
                   {{-1, 0, 1}, {0, -1, -2}}, "1", "2"},
              });
  EXPECT_EQ(w->Protokoll, "$") << "logging is off";
}

TEST_F(BefehlTest, TransformierenLogsTheSystemBeforeAndAfter) {
  loggingOn();
  setGrid({{1, 2, 3}, {3, 4, 5}}, "-2", "4");
  click("BevelButton1");
  const std::vector<std::string> expected = {
      "\\frac {-2} {4} \\cdot  \\left( \\begin {array} {cccc}1&2&| &3\\\\",
      "3&4&| &5\\\\",
      "\\end{array} \\right) \\rightarrow",
      "\\frac {-2} {4} \\cdot  \\left( \\begin {array} {cccc}1&0&| &-1\\\\",
      "0&1&| &2\\\\",
      "\\end{array} \\right) .",
      "\\\\",
  };
  EXPECT_EQ(protocolLines(), expected);
  EXPECT_EQ(grid(), (Rows{{-1, 0, 1}, {0, -1, -2}}));
  expectFactor("1", "2");
}

TEST_F(BefehlTest, InvertierenShowsTheInverseAndLogsIt) {
  loggingOn();
  setGrid({{1, 2}, {3, 4}});
  click("BevelButton4");
  EXPECT_EQ(grid(), (Rows{{-4, 2}, {3, -1}}));
  expectFactor("1", "2");
  const std::vector<std::string> expected = {
      "\\left( \\begin {array} {cc}1&2\\\\",
      "3&4\\\\",
      "\\end{array} \\right) ",
      "^{-1} =\\frac {1} {2} \\cdot  \\left( \\begin {array} {cc}-4&2\\\\",
      "3&-1\\\\",
      "\\end{array} \\right) ",
      "\\\\",
  };
  EXPECT_EQ(protocolLines(), expected);
}

TEST_F(BefehlTest, InvertierenTable) {
  expectShows("BevelButton4",
              {
                  {"tridiagonal", {{2, 1, 0}, {1, 3, 1}, {0, 1, 4}}, "1", "1",
                   {{11, -4, 1}, {-4, 8, -2}, {1, -2, 5}}, "1", "18"},
                  {"negative factor keeps its denominator's sign", {{1, 2}, {3, 4}}, "-2", "3",
                   {{-4, 2}, {3, -1}}, "3", "-4"},
              });
}

TEST_F(BefehlTest, InvertierenOfASingularOrNonSquareMatrixWarnsAndShowsTheInput) {
  loggingOn();
  const struct {
    const char* what;
    Rows in;
    Rows shown;
  } cases[] = {
      {"singular", {{1, 2}, {2, 4}}, {{1, 2}, {2, 4}}},
      {"not square", {{2, 4, 6}, {8, 10, 12}}, {{1, 2, 3}, {4, 5, 6}}},
  };
  for (const auto& c : cases) {
    w->Protokoll.assign(1, '$');
    services.clearBoxes();
    services.expectBox(fw::kAnswerCancel);
    setGrid(c.in);
    click("BevelButton4");
    ASSERT_EQ(services.boxes().size(), 1u) << c.what;
    EXPECT_EQ(services.boxes()[0].text, kNichtRegulaer);
    EXPECT_EQ(services.boxes()[0].kind, fw::kMsgCautionOkCancel);
    EXPECT_EQ(grid(), c.shown) << c.what;
    // Only the matrix itself is logged: no "^{-1} =", no line end.
    const auto lines = protocolLines();
    ASSERT_EQ(lines.size(), c.in.size() + 1) << c.what;
    EXPECT_EQ(lines.back(), "\\end{array} \\right) ");
  }
}

TEST_F(BefehlTest, DiagonaleVereinheitlichen) {
  loggingOn();
  expectShows("BevelButton5",
              {
                  // -3 * (2, 0) and 2 * (0, -3): diagonal -6, shown as -1 with factor 6.
                  {"2 x 2", {{2, 0}, {0, -3}}, "1", "1", {{-1, 0}, {0, -1}}, "6", "1"},
                  {"system 2 x 3", {{2, 1, 3}, {1, 3, 4}}, "1", "1", {{6, 3, 9}, {2, 6, 8}}, "1", "1"},
                  {"zero on the diagonal", {{0, 1}, {1, 0}}, "1", "1", {{0, 1}, {1, 0}}, "1", "1"},
                  {"third row of a 3 x 2 left alone", {{2, 1}, {1, 3}, {5, 7}}, "1", "1",
                   {{6, 3}, {2, 6}, {5, 7}}, "1", "1"},
              });
  EXPECT_EQ(w->Protokoll, "$") << "never logs";
}

TEST_F(BefehlTest, EinheitsmatrixOfTheGridsSize) {
  setGrid({{5, 6, 7}, {8, 9, 10}}, "3", "7");
  click("BevelButton6");
  EXPECT_EQ(grid(), (Rows{{1, 0, 0}, {0, 1, 0}}));
  expectFactor("1", "1");
  EXPECT_EQ(text(cellName(3, 3)), "0") << "cells outside the size are cleared";
}

TEST_F(BefehlTest, TransponierenSwapsTheSize) {
  setGrid({{1, 2, 3}, {4, 5, 6}}, "1", "2");
  type(cellName(3, 1), "99");  // a hidden cell
  click("BevelButton28");
  EXPECT_EQ(grid(), (Rows{{1, 4}, {2, 5}, {3, 6}}));
  expectFactor("1", "2");
  EXPECT_EQ(text("SZahlF"), "2");
  EXPECT_EQ(text("ZZahlF"), "3");
  EXPECT_EQ(text(cellName(1, 3)), "0") << "what lay outside is gone";
}

TEST_F(BefehlTest, OrthogonalisierenTable) {
  expectShows("BevelButton23",
              {
                  {"two columns", {{1, 2}, {1, 0}}, "1", "1", {{1, 1}, {1, -1}}, "1", "1"},
                  {"with factor", {{3, 1}, {4, 2}}, "1", "3", {{3, -4}, {4, 3}}, "1", "3"},
              });
}

TEST_F(BefehlTest, OrthogonalisierenLogsBeforeAndAfter) {
  loggingOn();
  setGrid({{3, 1}, {4, 2}}, "1", "3");
  click("BevelButton23");
  const std::vector<std::string> expected = {
      "\\frac {1} {3} \\cdot  \\left( \\begin {array} {cc}3&1\\\\",
      "4&2\\\\",
      "\\end{array} \\right) ",
      "\\mathrm{orthogonalisiert:}\\frac {1} {3} \\cdot  \\left( \\begin {array} {cc}3&-4\\\\",
      "4&3\\\\",
      "\\end{array} \\right) ",
      "\\\\",
  };
  EXPECT_EQ(protocolLines(), expected);
}

TEST_F(BefehlTest, NothingIsLoggedWhileLoggingIsOff) {
  setGrid({{2, 1}, {1, 1}});
  for (const char* b : {"BevelButton1", "BevelButton4", "BevelButton5", "BevelButton6", "BevelButton28",
                        "BevelButton23"})
    click(b);
  EXPECT_EQ(w->Protokoll, "$");
}

TEST_F(BefehlTest, AResultBeyond64BitsIsReportedAndChangesNothing) {
  loggingOn();
  const std::string before = w->Protokoll;
  // Diagonal 3037000499 and 3037000507 (primes near 2^31.5): their lcm
  // exceeds 2^63, so the equalised diagonal does not fit.
  setGrid({{3037000499, 0}, {0, 3037000507}});
  services.expectBox();
  click("BevelButton5");
  ASSERT_EQ(services.boxes().size(), 1u);
  EXPECT_EQ(services.boxes()[0].text, kUeberlauf);
  EXPECT_EQ(grid(), (Rows{{3037000499, 0}, {0, 3037000507}})) << "the grid keeps what was typed";
  EXPECT_EQ(w->Protokoll, before);
}

TEST_F(BefehlTest, AZeroDenominatorIsPassedOnAndReportedByTheDisplay) {
  // Each of these passes the typed factor on; the display repairs and reports it.
  for (const char* b : {"BevelButton1", "BevelButton5", "BevelButton28", "BevelButton23"}) {
    services.clearBoxes();
    setGrid({{2, 1}, {1, 1}}, "1", "0");
    services.expectBox();
    click(b);
    ASSERT_EQ(services.boxes().size(), 1u) << b;
    EXPECT_EQ(services.boxes()[0].text, kUeberlauf) << b;
    EXPECT_EQ(text("FakNF"), "0") << b;
  }
}
