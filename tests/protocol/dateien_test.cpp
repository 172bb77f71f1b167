// Workspace and protocol files as the user saves and loads them, files that
// must be refused whole, and the protocol window's buttons.

#include <QByteArray>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>

#include "app/fenster_fixture.h"
#include "framework/textfile.h"
#include "protocol/arbeitsdatei.h"
#include "protocol/protokollfenster.h"

namespace {

std::string mal(const std::string& s, int n) { return n > 0 ? s + mal(s, n - 1) : ""; }
// Right after the start: the 3 x 3 grid, seven 1 x 1 stores, no term, "$".
const std::string kStart = "3;3;1;1;" + mal("0;", 165) + mal("1;1;1;1;" + mal("0;", 165), 7) + ";$;\r";

// A file with field k (from 1) replaced.
std::string mitFeld(int k, const std::string& wert, const std::string& datei = kStart) {
  size_t a = 0;
  for (int i = 1; i < k; ++i) a = datei.find(';', a) + 1;
  return datei.substr(0, a) + wert + datei.substr(datei.find(';', a));
}

class DateiTest : public FensterTest {
 protected:
  std::string pfad(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }
  std::string speichern(fw::BevelButton& knopf, const std::string& name = "f") {
    services.expectSaveDialog(pfad(name));
    knopf.click();
    return fw::readTextFile(pfad(name)).value_or("(keine Datei)");
  }
  // Everything a load may change: the grid's and the term's fields, the stores, X, the protocol.
  auto zustand() const {
    std::vector<std::string> felder = {text("ZZahlF"), text("SZahlF"), text("FakZF"), text("FakNF"), text("FormelF")};
    for (int k = 0; k < 144; ++k) felder.push_back(text(grid::cellName(k / 12 + 1, k % 12 + 1)));
    return std::make_tuple(felder, w->Speicher, w->X, w->Protokoll);
  }
  // Random sizes and factors (zero and negative ones too), hidden cells, term and protocol.
  void zufaellig(std::mt19937_64& rng, int k = 0) {
    auto zahl = [&](int64_t lo, int64_t hi) { return std::uniform_int_distribution<int64_t>(lo, hi)(rng); };
    auto fuellen = [&](ar::Matrix& M, int64_t grenze) {
      for (auto& zeile : M) std::generate(zeile.begin(), zeile.end(), [&] { return zahl(-grenze, grenze); });
      M[0][0] = zahl(1, 12), M[0][1] = zahl(1, 12), M[0][12] = INT64_MIN;  // the smallest number too
    };
    auto stuecke = [&](std::vector<std::string> teile, int64_t n) {
      std::string t;
      for (n = zahl(0, n); n > 0; --n) t += teile[rng() % teile.size()];
      return t;
    };
    ar::Matrix M;
    fuellen(M, 1'000'000'000'000'000'000);
    const int64_t extrem[] = {INT64_MIN, INT64_MAX, int64_t{1} << 62, 0};
    M[zahl(1, 12)][zahl(1, 12)] = extrem[rng() % 2];
    M[0][2] = k % 2 ? zahl(-5, 5) : extrem[rng() % 4], M[0][3] = zahl(-2, 3);
    // Shown as a command shows it; a grid whose normal form does not fit stays as typed.
    services.setFailureHook([](const std::string&) {});
    w->overflow = false, w->Ausgabe(M);
    services.setFailureHook([](const std::string& what) { ADD_FAILURE() << what; });
    if (w->overflow) w->Darstellen(M);
    for (auto& S : w->Speicher) fuellen(S, INT64_MAX);
    type("FormelF", stuecke({"A", "B", "+", "-", "*", "/", "^", "(", ")", "12", " ", "ä", ";"}, 30));
    w->Protokoll = "$" + stuecke({";", "\r", "ü", "\f", "\\frac {1} {2}", "&", "$"}, 300);
  }
  // Save, "Neu", load, save: the same bytes and the same state; a zero
  // denominator loads and is reported by the display.
  void zurueck(const std::string& was) {
    auto vorher = zustand();
    const std::string datei = speichern(button("BevelButton19"), "a");
    std::replace(std::get<0>(vorher)[4].begin(), std::get<0>(vorher)[4].end(), ';', ',');  // ends no field
    press("BevelButton21", {core::kAnswerOk});
    const Boxes nullNenner = std::get<0>(vorher)[3] == "0" ? kUeberlaufBox : Boxes{};
    services.expectOpenDialog(pfad("a"));
    EXPECT_EQ(press("BevelButton20", oks(nullNenner)), nullNenner) << was;
    EXPECT_EQ(speichern(button("BevelButton19"), "b"), datei) << was;
    auto nachher = zustand();
    std::get<2>(nachher) = std::get<2>(vorher);  // X is the grid's block now
    EXPECT_EQ(nachher, vorher) << was;
  }
  QTemporaryDir dir;
};

TEST_F(DateiTest, FreshStartFilesByteForByteAndFailedSaves) {
  EXPECT_EQ(speichern(button("BevelButton19")), kStart);
  EXPECT_EQ(speichern(button("BevelButton24")), "$$\r");
  EXPECT_EQ(services.suggestedNames(), (std::vector<std::string>{"QuenlorDaten", "QuenlorProtokoll"}));
  // A folder, a file in a folder that does not exist (a read-only folder
  // does not stop root), a pipe: each of the three saves says so.
  ASSERT_EQ(::mkfifo(pfad("pipe").c_str(), 0600), 0);
  for (const std::string& ziel : {dir.path().toStdString(), pfad("fehlt/datei"), pfad("pipe")}) {
    for (fw::BevelButton* knopf : {&button("BevelButton19"), &button("BevelButton24"),
                                   &w->ProtokollFenster().as<fw::BevelButton>("AppendPB1")}) {
      services.expectSaveDialog(ziel);
      EXPECT_EQ(press(*knopf, {core::kAnswerOk}), (Boxes{{"Die Datei konnte nicht gespeichert werden.", 0}}))
          << ziel << knopf->name();
    }
  }
  EXPECT_TRUE(std::filesystem::is_fifo(pfad("pipe")));
  // Beyond a file-size limit, SIGXFSZ at its default action as a start under
  // "ulimit -f" leaves it: both saves say so and the program goes on; the old
  // file stays and no temporary file is left.
  type("FormelF", "A" + mal("+A", 2000));
  w->Protokoll = "$" + std::string(4000, 'x');
  std::ofstream(pfad("alt"), std::ios::binary) << "12345";
  std::signal(SIGXFSZ, SIG_DFL);
  rlimit vorher{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &vorher), 0);
  const rlimit klein{3000, vorher.rlim_max};
  for (fw::BevelButton* knopf : {&button("BevelButton19"), &button("BevelButton24")}) {
    services.expectSaveDialog(pfad("alt"));
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &klein), 0);
    const Boxes boxes = press(*knopf, {core::kAnswerOk});
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &vorher), 0);
    EXPECT_EQ(boxes, (Boxes{{"Die Datei konnte nicht gespeichert werden.", 0}})) << knopf->name();
    EXPECT_EQ(fw::readTextFile(pfad("alt")), "12345") << knopf->name();
  }
  for (const auto& eintrag : std::filesystem::directory_iterator(dir.path().toStdString()))
    EXPECT_NE(eintrag.path().filename().string().substr(0, 9), ".quenlor-") << "a temporary file left behind";
}

TEST_F(DateiTest, RandomWorkspacesComeBackWhole) {
  std::mt19937_64 rng(4103);
  for (int k = 0; k < 40; ++k) zufaellig(rng, k), zurueck("workspace " + std::to_string(k));
}

// A term that "=" refuses for its ";" is refused alike after a save and a load.
TEST_F(DateiTest, ARefusedTermStaysRefusedThroughASave) {
  const Boxes kTerm = {{"Der Term scheint fehlerhaft zu sein.", core::kMsgPlain}};
  for (const auto& [term, geladen] : {std::pair{"2;3*A", "2,3*A"}, {"A;", "A,"}}) {
    type("FormelF", term);
    EXPECT_EQ(press("BevelButton22", {core::kAnswerOk}), kTerm) << term;
    speichern(button("BevelButton19"), "t");
    press("BevelButton21", {core::kAnswerOk});
    services.expectOpenDialog(pfad("t"));
    press("BevelButton20");
    EXPECT_EQ(press("BevelButton22", {core::kAnswerOk}), kTerm) << term;
    EXPECT_EQ(text("FormelF"), geladen) << term;
  }
}

// A grid whose normal form does not fit is saved as typed, comes back so and
// is reported only by a command that shows it.
TEST_F(DateiTest, AGridWhoseNormalFormDoesNotFitComesBackAsTyped) {
  setGrid({{1, 2}, {3, 4}});
  press("InAB"), type("FormelF", "A+A");
  for (const char* zaehler : {"4611686018427387904", "-9223372036854775808"}) {
    setGrid({{2, 2}, {2, 2}}, zaehler);
    zurueck(zaehler);
    EXPECT_EQ(press("BevelButton28", {core::kAnswerOk}), kUeberlaufBox) << zaehler;
    EXPECT_EQ(shownGrid(), std::string(zaehler) + "/1: 2 2 | 2 2") << zaehler;
  }
}

TEST_F(DateiTest, MalformedFilesChangeNothingAndSayOnce) {
  const std::string rumpf = kStart.substr(0, kStart.size() - 4);  // without ";$;\r"
  const std::pair<std::string, std::string> faelle[] = {
      {"empty", ""}, {"cut in a number", kStart.substr(0, 1000)}, {"protocol not terminated", rumpf + ";$\r"},
      {"term not terminated", rumpf + "\r"}, {"a field too few", rumpf.substr(2) + ";$;\r"},
      {"letter", mitFeld(1, "3x")}, {"decimal point", mitFeld(1, "3.0")}, {"blank", mitFeld(1, " 3")},
      {"letter in an entry", mitFeld(20, "7x")}, {"sign inside an entry", mitFeld(20, "1-2")},
      {"empty number", mitFeld(5, "")}, {"beyond 64 bits", mitFeld(20, "9223372036854775808")},
      {"below -2^63", mitFeld(20, "-9223372036854775809")},
      {"zero rows", mitFeld(1, "0")}, {"13 columns", mitFeld(2, "13")}, {"13 rows in H", mitFeld(1184, "13")},
      {"zero columns", mitFeld(2, "0")}, {"-1 columns", mitFeld(2, "-1")},
      {"garbage after the line end", kStart + "x"}, {"two byte-order marks", "\xEF\xBB\xBF\xEF\xBB\xBF" + kStart}};
  std::mt19937_64 rng(1);
  zufaellig(rng);
  const auto vorher = zustand();
  auto laden = [&](const std::string& fall, const std::string& datei) {
    services.expectOpenDialog(datei);
    EXPECT_EQ(press("BevelButton20", {core::kAnswerOk}), kUeberlaufBox) << fall;
    EXPECT_EQ(zustand(), vorher) << fall;
  };
  laden("folder", dir.path().toStdString()), laden("no such file", pfad("x/y"));
  for (const auto& [fall, inhalt] : faelle) {
    ASSERT_TRUE(fw::writeTextFile(pfad(fall), inhalt, ""));
    laden(fall, pfad(fall));
  }
}

// A file of the largest size loads; one byte more is refused and changes nothing.
TEST_F(DateiTest, TheLargestFileLoads) {
  const std::string rumpf = kStart.substr(0, kStart.size() - 3);  // up to the protocol
  std::string protokoll = "$" + std::string(datei::kGroessteDatei - rumpf.size() - 3, 'x');
  ASSERT_TRUE(fw::writeTextFile(pfad("gross"), rumpf + protokoll + ";\r", ""));
  services.expectOpenDialog(pfad("gross"));
  EXPECT_EQ(press("BevelButton20"), Boxes{});
  EXPECT_EQ(w->Protokoll.size(), protokoll.size());
  ASSERT_TRUE(fw::writeTextFile(pfad("gross"), rumpf + protokoll + "y;\r", ""));
  w->Protokoll = "$", services.expectOpenDialog(pfad("gross"));
  EXPECT_EQ(press("BevelButton20", {core::kAnswerOk}), kUeberlaufBox);
  EXPECT_EQ(w->Protokoll, "$");
}

// Every workspace that saving writes loads again: one beyond the loading limit is refused before any dialog,
// and the old file stays. A limit of 20000 bytes stands in for the real one.
TEST_F(DateiTest, ASaveBeyondTheLoadingLimitIsRefused) {
  constexpr size_t kGrenze = 20000;
  const std::string rumpf = kStart.substr(0, kStart.size() - 3);  // up to the protocol
  const std::string protokoll = "$" + std::string(kGrenze - rumpf.size() - 3, 'x');  // "$x...x;\r": the limit
  w->Protokoll = protokoll;
  services.expectSaveDialog(pfad("w"));
  w->SpeichereDaten(kGrenze);
  const std::string gespeichert = fw::readTextFile(pfad("w")).value_or("");
  EXPECT_EQ(gespeichert.size(), kGrenze);
  press("BevelButton21", {core::kAnswerOk});
  services.expectOpenDialog(pfad("w"));
  w->DatenLaden(kGrenze);
  EXPECT_EQ(w->Protokoll, protokoll) << "the file of the largest size loads";
  for (const size_t mehr : {1, 5000}) {
    w->Protokoll = protokoll + std::string(mehr, 'y');
    services.clearBoxes(), services.expectBox();
    w->SpeichereDaten(kGrenze);
    EXPECT_EQ(boxesShown(), (Boxes{{"Die Datei konnte nicht gespeichert werden.", core::kMsgPlain}})) << mehr;
    EXPECT_EQ(fw::readTextFile(pfad("w")), gespeichert) << mehr;
  }
}

// LF, CRLF, a byte-order mark or no line end load alike. Bytes flipped, cut,
// repeated and digits enlarged: each file is either taken whole, a sound
// workspace that its own file gives back, or refused (and nothing changes
// before the check, see above).
TEST_F(DateiTest, VariantsLoadAlikeMutationsWholeOrNotAtAll) {
  std::mt19937_64 rng(20000);
  zufaellig(rng);
  w->Protokoll += "\r\r;";
  const std::string gut = speichern(button("BevelButton19"));
  const auto erwartet = datei::Zerlegen(gut).value();
  auto ersetzt = [&](const char* durch) { return QByteArray::fromStdString(gut).replace("\r", durch).toStdString(); };
  for (const std::string& variante : {ersetzt("\n"), ersetzt("\r\n"), "\xEF\xBB\xBF" + gut,
                                      "\xEF\xBB\xBF" + ersetzt("\r\n"), gut.substr(0, gut.size() - 1)})
    EXPECT_EQ(datei::Zerlegen(variante), erwartet) << variante.substr(0, 20);
  // A file that ends with LF had its line ends changed by an editor: those in the term become CR again.
  EXPECT_EQ(datei::Zerlegen(mitFeld(1353, "A\nB", kStart.substr(0, kStart.size() - 1) + "\n")).value().term, "A\rB");
  auto pos = [&](size_t n) { return static_cast<size_t>(rng() % n); };
  int angenommen = 0;
  for (int k = 0; k < 20000; ++k) {
    std::string s = gut;
    const size_t p = pos(s.size()), ziffer = s.find_first_of("0123456789", p);
    if (k % 4 == 0) s[p] = static_cast<char>(rng());
    if (k % 4 == 1) s.resize(p);
    if (k % 4 == 2) s.insert(p, s.substr(p, 1 + pos(40)));
    if (k % 4 == 3) s.insert(ziffer == std::string::npos ? p : ziffer, std::string(1 + pos(25), '9'));
    const auto a = datei::Zerlegen(s);
    angenommen += a.has_value();
    // Its own file would be refused if any count lay outside 1 to 12.
    ASSERT_TRUE(!a || datei::Zerlegen(datei::Codieren(*a) + "\r") == a) << k;
  }
  EXPECT_GT(angenommen, 500);
}

// Shown (also when minimised) and refilled by "Zeigen", hidden by its close
// button; its four buttons.
TEST_F(DateiTest, ProtocolWindow) {
  w->Protokoll = "$p";
  button("BevelButton29").click();
  ProtokollW& pw = w->ProtokollFenster();
  auto& feld = pw.as<fw::EditField>("ProtokollF");
  EXPECT_EQ(std::make_tuple(pw.isVisible(), pw.title(), pw.width(), pw.height(), feld.text()),
            std::make_tuple(true, "Protokoll", 488, 842, "$p"));
  feld.setText("X;1\r");
  // Protocol, field and clipboard after each button.
  for (const auto& [knopf, danach] : std::vector<std::pair<const char*, std::string>>{
           {"Txt_insKlemmbettB", "$p|X;1\r|\rX;1\r"}, {"SwitchProtB", "X;1\r|$p|\rX;1\r"},
           {"SwitchProtB", "$p|X;1\r|\rX;1\r"}, {"AppendPB", "$pX;1\r|X;1\r|\rX;1\r"},
           {"AppendPB", "$pX;1\rX;1\r|X;1\r|\rX;1\r"}}) {
    pw.as<fw::BevelButton>(knopf).click();
    EXPECT_EQ(w->Protokoll + "|" + feld.text() + "|" + services.clipboardText(), danach) << knopf;
  }
  const std::string zusatz = speichern(pw.as<fw::BevelButton>("AppendPB1"));  // before its suggested name is read
  EXPECT_EQ(std::make_pair(zusatz, services.suggestedNames().back()),
            std::make_pair(std::string("X;1\r\r"), std::string("QuenlorZusatztext")));
  pw.widget()->close();
  EXPECT_FALSE(pw.isVisible());
  button("BevelButton29").click();
  EXPECT_EQ(std::make_tuple(&w->ProtokollFenster(), pw.isVisible(), feld.text()),
      std::make_tuple(&pw, true, w->Protokoll));
  pw.widget()->showMinimized(), button("BevelButton29").click();
  EXPECT_TRUE(pw.isVisible() && !pw.widget()->isMinimized());
}

}  // namespace
