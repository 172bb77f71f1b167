// Text functions, the text-to-integer rule and text files.

#include "framework/text.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <thread>
#include <tuple>

#include "framework/textfile.h"

namespace {

constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min(), kMax64 = std::numeric_limits<int64_t>::max();

// The one text-to-integer rule: a leading decimal number, exact over the whole
// 64-bit range, fraction and exponent truncated toward zero, saturated at the ends.
TEST(ToInt64, LeadingDecimalNumber) {
  const std::pair<std::string_view, int64_t> cases[] = {
      // what may follow a number, and blanks before it; a plus sign as a calculator user types it
      {"3abc", 3}, {"1/2", 1}, {"1,5", 1}, {"+5", 5}, {" 5", 5}, {"\t-7", -7}, {"- 5", 0}, {"+-5", 0},
      // no number at all
      {"", 0}, {"-", 0}, {"-.", 0}, {"abc", 0}, {"Det() = 5", 0}, {"inf", 0}, {"nan", 0}, {"0x10", 0}, {"e5", 0},
      // fractions truncate toward zero
      {"2.7", 2}, {"-2.7", -2}, {"2.999999999999999999999", 2}, {".5", 0}, {"-0.9", 0}, {"-12.", -12},
      // exponents; one without digits is not part of the number
      {"1e3", 1000}, {"1E+3", 1000}, {"1e-5", 0}, {"-12e-1", -1}, {"1.9e1", 19}, {"0.00123e4", 12},
      {"123456e-3", 123}, {"5e", 5}, {"0e999999", 0}, {"1e0003", 1000}, {"9.223372036854775807e18", kMax64},
      // exact beyond 2^53
      {"9007199254740993", 9007199254740993}, {"9223372036854775807", kMax64}, {"-9223372036854775808", kMin64},
      {"00000000000000000000000000009223372036854775807", kMax64}, {"9223372036854775806.99", 9223372036854775806},
      // saturation
      {"9223372036854775808", kMax64}, {"-9223372036854775809", kMin64}, {"1e19", kMax64}, {"1e400", kMax64},
      {"-1e400", kMin64}, {"1e99999999999999999999999", kMax64}, {"1e-99999999999999999999999", 0},
      // the scan ends with the text: at a zero byte, or where a view ends
      {std::string_view("7\0" "9", 3), 7}, {std::string_view("123456", 3), 123}, {std::string_view("12e5", 3), 12}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(fw::toInt64(text), expected) << "text \"" << text << "\"";
}

// A row of a table of calls, named by the call's own text.
#define CALL(call, expected) std::tuple<const char*, std::string, std::string>(#call, call, expected)

// Positions and Mid, Left and Len count UTF-8 characters from 1: Mid and Left give "" from past the end or for no
// characters, the rest for more. Comparison is by code point; Str of a double is the shortest text that reads back.
TEST(TextFunctions, MidLeftLenChrInCharacters) {
  auto n = [](int v) { return fw::Str(v); };
  const std::string g = "Größe €";  // 7 characters, 11 bytes
  constexpr int32_t kBig = std::numeric_limits<int32_t>::max();
  const std::tuple<const char*, std::string, std::string> calls[] = {
      CALL(n(fw::InStr("Det() = 5", "=")), "7"), CALL(n(fw::InStr("äöü=ä", "=")), "4"),
      CALL(n(fw::InStr("abc", "")), "0"), CALL(n(fw::InStr("abc", "abcd")), "0"),
      CALL(n(fw::StrComp("$x", "$") > 0), "1"), CALL(n(fw::StrComp("A", "a") < 0), "1"),
      CALL(n(fw::StrComp("ä", "z") > 0), "1"), CALL(fw::Str(0.1 + 0.2), "0.30000000000000004"),
      CALL(fw::Str(-0.0), "0"), CALL(fw::Str(fw::Val("1.5e-1")), "0.15"),
      CALL(fw::Str(fw::Val("-1e400")), "-inf"), CALL(fw::Str(fw::Val("-0x1")), "0"),
      CALL(fw::Mid("Det() = 5", 9), "5"), CALL(fw::Mid("abc", 4), ""), CALL(fw::Mid("abc", 2, 1), "b"),
      CALL(fw::Mid("abc", 2, 9), "bc"), CALL(fw::Mid("abc", 1, 0), ""), CALL(fw::Mid(g, 3, 2), "öß"),
      CALL(fw::Mid(g, 7), "€"), CALL(fw::Mid(g, 8), ""), CALL(fw::Mid("abc", 2, kBig), "bc"),
      CALL(fw::Mid("abc", kBig, kBig), ""), CALL(fw::Left("abc", 0), ""), CALL(fw::Left(g, 4), "Größ"),
      CALL(fw::Left(g, kBig), g), CALL(n(fw::Len("")), "0"), CALL(n(fw::Len(g)), "7"), CALL(n(fw::Len("€𝄞")), "2"),
      CALL(fw::Chr(12), "\f"), CALL(fw::Chr(13), "\r"), CALL(fw::Chr(0), std::string(1, '\0')),
      CALL(fw::Chr(0x80), "\xC2\x80"), CALL(fw::Chr(0x800), "\xE0\xA0\x80"), CALL(fw::Chr(0x20AC), "€"),
      CALL(fw::Chr(0x10000), "\xF0\x90\x80\x80"), CALL(fw::Chr(0x10FFFF), "\xF4\x8F\xBF\xBF")};
  for (const auto& [call, got, expected] : calls) EXPECT_EQ(got, expected) << call;
}

// ---- text files ----

namespace fs = std::filesystem;

// Also under the longest name the folder takes: the temporary file must not
// make it too long. A pipe or a device picked in the open dialog is not read:
// it could block or never end.
TEST(TextFile, WritesVerbatimReplacesKeepingModeAndLinksReadsOnlyRegularFiles) {
  std::string dir = "/tmp/quenlor-textfile-XXXXXX";
  ASSERT_NE(::mkdtemp(dir.data()), nullptr);
  auto path = [&](const std::string& name) { return dir + "/" + name; };
  const std::string nul("a\0b", 3), crs = std::string(70000, 'x') + "\r\n\n\r\r";
  for (const std::string& target : {path("QuenlorDaten"), path(std::string(255, 'x'))}) {
    for (const auto& [text, lineEnd] : {std::pair{crs, "\r"}, {nul, "\r\n"}, {"", ""}, {"Größe €", "\r"}}) {
      ASSERT_TRUE(fw::writeTextFile(target, text, lineEnd)) << text.size();  // each replaces the one before it
      EXPECT_EQ(fw::readTextFile(target), text + lineEnd) << text.size();
    }
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    fs::create_symlink(target, path("link"));
    ASSERT_TRUE(fw::writeTextFile(path("link"), "neu", "\r"));
    EXPECT_EQ(fw::readTextFile(target), "neu\r");
    EXPECT_TRUE(fs::is_symlink(path("link")) && fs::status(target).permissions() == fs::perms(0640)) << target.size();
    fs::remove(path("link"));
  }
  fs::create_directory(path("ordner"));
  EXPECT_FALSE(fw::readTextFile(path("QuenlorDaten"), 3).has_value()) << "a file beyond the limit";
  EXPECT_EQ(fw::readTextFile(path("QuenlorDaten"), 4), "neu\r");
  for (const std::string& p : {path("fehlt/f"), std::string(), path("ordner")})
    EXPECT_FALSE(fw::writeTextFile(p, "x", "\r")) << "writing " << p;
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 3) << "no temporary file left behind";
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  std::atomic<bool> done = false;
  std::thread writer([&] {  // should the read wait for a writer, this one ends the wait
    for (int fd = -1; !done && fd < 0; std::this_thread::sleep_for(std::chrono::milliseconds(5)))
      if ((fd = ::open(path("fifo").c_str(), O_WRONLY | O_NONBLOCK)) >= 0) ::close(fd);
  });
  for (const std::string& p : {path("fifo"), path("fehlt"), dir, std::string("/dev/null")})
    EXPECT_FALSE(fw::readTextFile(p).has_value()) << "reading " << p;
  done = true;
  writer.join();
  fs::remove_all(dir);
}

// Saves 3000 bytes under a file-size limit, as a full disk would stop it; the
// exit code tells: 0 saved, 1 refused, 2 no limit set, 3 SIGXFSZ's action
// changed. With SIGXFSZ at its default action, as a program started under
// "ulimit -f" has it, the save itself must keep the signal from ending the
// process, and leave the action as it was.
int saveLimited(const std::string& target, rlim_t limit, void (*onSigxfsz)(int) = SIG_IGN) {
  std::signal(SIGXFSZ, onSigxfsz);
  const rlimit r{limit, limit};
  if (::setrlimit(RLIMIT_FSIZE, &r) != 0) return 2;
  const bool saved = fw::writeTextFile(target, std::string(2999, 'x'), "\r");
  struct sigaction now {};
  if (::sigaction(SIGXFSZ, nullptr, &now) != 0 || now.sa_handler != onSigxfsz) return 3;
  return saved ? 0 : 1;
}

// A save that fails says so and leaves the old file byte for byte, and a pipe
// is no file to replace. Each save runs in a child process: the limit must
// not hold for the tests after it.
TEST(TextFile, AFailedSaveLeavesTheOldFileAndPipesAlone) {
  std::string dir = "/tmp/quenlor-textfile-XXXXXX";
  ASSERT_NE(::mkdtemp(dir.data()), nullptr);
  const std::string alt = dir + "/alt", lang = dir + "/" + std::string(255, 'x'), fifo = dir + "/fifo";
  for (const std::string& p : {alt, lang}) std::ofstream(p, std::ios::binary) << "12345";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink(fifo, dir + "/link");
  const std::tuple<const char*, std::string, rlim_t, void (*)(int)> rows[] = {
      {"beyond the size limit", alt, 1000, SIG_IGN}, {"longest name, beyond the size limit", lang, 1000, SIG_IGN},
      {"a pipe", fifo, RLIM_INFINITY, SIG_IGN}, {"a link to a pipe", dir + "/link", RLIM_INFINITY, SIG_IGN},
      {"beyond the size limit, SIGXFSZ at its default action", alt, 1000, SIG_DFL},
      {"longest name, beyond the size limit, SIGXFSZ at its default action", lang, 1000, SIG_DFL}};
  for (const auto& [row, target, limit, onSigxfsz] : rows)
    EXPECT_EXIT(::_exit(saveLimited(target, limit, onSigxfsz)), testing::ExitedWithCode(1), "") << row;
  for (const std::string& p : {alt, lang}) EXPECT_EQ(fw::readTextFile(p), "12345") << p.size();
  EXPECT_TRUE(fs::is_fifo(fifo) && fs::is_symlink(dir + "/link"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 4) << "no temporary file left behind";
  fs::remove_all(dir);
}

}  // namespace
