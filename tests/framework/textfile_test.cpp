#include "framework/textfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/quenlor-textfile-XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  // Names in the folder, to see that no temporary file is left behind.
  size_t entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }

  fs::path dir_;
};

TEST_F(TextFileTest, WritesTextAndLineEndVerbatimAndReadsThemBack) {
  std::string protocol;
  for (int i = 0; i < 2000; ++i) protocol += "Zeile " + std::to_string(i) + "\r";
  const struct {
    std::string text, lineEnd, expected;
  } cases[] = {
      {std::string(10000, 'x'), "\r", std::string(10000, 'x') + "\r"},
      {protocol + "\r\n\n\r\r", "\r", protocol + "\r\n\n\r\r\r"},  // carriage returns byte-identical
      {"a;b;", "\r\n", "a;b;\r\n"},
      {"", "\r", "\r"},
      {"", "", ""},
      {"kein Zeilenende", "", "kein Zeilenende"},
      {std::string("nul\0inside", 10), "\n", std::string("nul\0inside\n", 11)},
      {"Größe ä ö ü ß €", "\r", "Größe ä ö ü ß €\r"},
  };
  // The longest name the folder takes: the temporary file must not make it too long.
  const std::string name = path(std::string(255, 'x'));
  for (const auto& c : cases) {  // each replaces the one before it whole
    ASSERT_TRUE(fw::writeTextFile(name, c.text, c.lineEnd));
    std::ifstream in(name, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.expected);
    EXPECT_EQ(fw::readTextFile(name), c.expected);
  }
  EXPECT_EQ(entries(), 1u);
}

TEST_F(TextFileTest, ReplacingKeepsPermissionsAndSymbolicLinks) {
  ASSERT_TRUE(fw::writeTextFile(path("ziel"), "alt", "\r"));
  ASSERT_EQ(::chmod(path("ziel").c_str(), 0640), 0);
  fs::create_symlink(path("ziel"), path("link"));
  ASSERT_TRUE(fw::writeTextFile(path("link"), "neu", "\r"));
  EXPECT_TRUE(fs::is_symlink(path("link")));
  EXPECT_EQ(fw::readTextFile(path("ziel")), "neu\r");
  ASSERT_TRUE(fw::writeTextFile(path("ziel"), "zwei", "\r"));
  struct stat st {};
  ASSERT_EQ(::stat(path("ziel").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(TextFileTest, FailuresAreReportedAndLeaveNothingBehind) {
  EXPECT_FALSE(fw::writeTextFile(path("gibt-es-nicht/f"), "x", "\r"));
  EXPECT_FALSE(fw::writeTextFile("", "x", "\r"));
  // A folder in the way is not replaced.
  fs::create_directory(path("ordner"));
  EXPECT_FALSE(fw::writeTextFile(path("ordner"), "x", "\r"));
  EXPECT_TRUE(fs::is_directory(path("ordner")));
  EXPECT_EQ(entries(), 1u);
}

// A pipe or a device picked in the open dialog could block or never end.
TEST_F(TextFileTest, ReadsOnlyRegularFiles) {
  EXPECT_FALSE(fw::readTextFile(path("fehlt")).has_value());
  EXPECT_FALSE(fw::readTextFile(dir_.string()).has_value());
  EXPECT_FALSE(fw::readTextFile("/dev/null").has_value());
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  // Should the read wait for a writer, this one comes and ends the wait.
  std::atomic<bool> done = false;
  std::thread writer([&] {
    while (!done) {
      const int fd = ::open(path("fifo").c_str(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) {
        ::close(fd);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  const auto content = fw::readTextFile(path("fifo"));
  done = true;
  writer.join();
  EXPECT_FALSE(content.has_value());
}

}  // namespace
