#include "framework/textfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
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
  size_t entries() const {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++n;
    return n;
  }
  static std::string rawRead(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  fs::path dir_;
};

TEST_F(TextFileTest, WritesTextAndLineEndVerbatim) {
  const struct {
    std::string text, lineEnd, expected;
  } cases[] = {
      {"$\\det x = 5\r$", "\r", "$\\det x = 5\r$\r"},
      {"a;b;", "\r\n", "a;b;\r\n"},
      {"", "\r", "\r"},
      {"kein Zeilenende", "", "kein Zeilenende"},
      {std::string("nul\0inside", 10), "\n", std::string("nul\0inside\n", 11)},
      {"Größe ä ö ü ß €", "\r", "Größe ä ö ü ß €\r"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(fw::writeTextFile(path("f"), c.text, c.lineEnd));
    EXPECT_EQ(rawRead(path("f")), c.expected);
    EXPECT_EQ(fw::readTextFile(path("f")), c.expected);
  }
  EXPECT_EQ(entries(), 1u);
}

TEST_F(TextFileTest, CarriageReturnsReadBackByteIdentical) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "Zeile " + std::to_string(i) + "\r";
  text += "\r\n\n\r\r";
  ASSERT_TRUE(fw::writeTextFile(path("protokoll"), text, "\r"));
  const auto back = fw::readTextFile(path("protokoll"));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, text + "\r");
}

TEST_F(TextFileTest, ReplacesAnExistingFileWhole) {
  ASSERT_TRUE(fw::writeTextFile(path("f"), std::string(10000, 'x'), "\r"));
  ASSERT_TRUE(fw::writeTextFile(path("f"), "kurz", "\r"));
  EXPECT_EQ(fw::readTextFile(path("f")), "kurz\r");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(TextFileTest, KeepsThePermissionsOfAReplacedFile) {
  ASSERT_TRUE(fw::writeTextFile(path("f"), "eins", "\r"));
  ASSERT_EQ(::chmod(path("f").c_str(), 0640), 0);
  ASSERT_TRUE(fw::writeTextFile(path("f"), "zwei", "\r"));
  struct stat st {};
  ASSERT_EQ(::stat(path("f").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(TextFileTest, WritesThroughASymbolicLink) {
  ASSERT_TRUE(fw::writeTextFile(path("ziel"), "alt", "\r"));
  fs::create_symlink(path("ziel"), path("link"));
  ASSERT_TRUE(fw::writeTextFile(path("link"), "neu", "\r"));
  EXPECT_TRUE(fs::is_symlink(path("link")));
  EXPECT_EQ(fw::readTextFile(path("ziel")), "neu\r");
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

// The dialogs offer any name the file system takes; the temporary file must not
// make a long one too long.
TEST_F(TextFileTest, SavesUnderTheLongestNameTheFolderTakes) {
  const std::string name(255, 'x');
  ASSERT_TRUE(fw::writeTextFile(path(name), "lang", "\r"));
  EXPECT_EQ(fw::readTextFile(path(name)), "lang\r");
  ASSERT_TRUE(fw::writeTextFile(path(name), "neu", "\r"));
  EXPECT_EQ(fw::readTextFile(path(name)), "neu\r");
  EXPECT_EQ(entries(), 1u);
}

// A pipe or a device picked in the open dialog could block or never end.
TEST_F(TextFileTest, ReadsOnlyRegularFiles) {
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

TEST_F(TextFileTest, ReadingWhatIsNotThereGivesNothing) {
  EXPECT_FALSE(fw::readTextFile(path("fehlt")).has_value());
  EXPECT_FALSE(fw::readTextFile(dir_.string()).has_value());
  ASSERT_TRUE(fw::writeTextFile(path("leer"), "", ""));
  EXPECT_EQ(fw::readTextFile(path("leer")), "");
}

}  // namespace
