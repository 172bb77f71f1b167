#include "framework/textfile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

namespace fw {

namespace {

namespace fs = std::filesystem;

// The file a chain of symbolic links ends at; a link that points nowhere
// yet gives the name to create.
fs::path followLinks(fs::path p) {
  std::error_code ec;
  for (int depth = 0; depth < 128 && fs::is_symlink(p, ec); ++depth) {
    const fs::path to = fs::read_symlink(p, ec);
    if (ec) break;
    p = to.is_absolute() ? to : p.parent_path() / to;
  }
  return p;
}

bool writeAll(int fd, const std::string& s) {
  for (size_t done = 0; done < s.size();) {
    const ssize_t n = ::write(fd, s.data() + done, s.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// A write beyond a file-size limit raises SIGXFSZ, which by default ends the
// process and loses every unsaved change. Ignored while a file is written,
// the write fails with EFBIG instead and the save is reported as failed.
class FileSizeSignalIgnored {
 public:
  FileSizeSignalIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    set_ = ::sigaction(SIGXFSZ, &ignore, &old_) == 0;
  }
  ~FileSizeSignalIgnored() {
    if (set_) ::sigaction(SIGXFSZ, &old_, nullptr);
  }
  FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
  FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

 private:
  struct sigaction old_ {};
  bool set_ = false;
};

// A new file beside the target under a short name, so that even a target
// name of the greatest length leaves room for it. O_EXCL: never an existing
// file or link.
int createBeside(const fs::path& dir, mode_t mode, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = (dir / (".quenlor-" + std::to_string(::getpid()) + "-" + std::to_string(counter++))).string();
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool writeTextFile(const std::string& path, const std::string& text, const std::string& lineEnd) {
  if (path.empty()) return false;
  const fs::path target = followLinks(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return false;
  // A pipe or a device is no file to replace; a write-protected file stays.
  if (exists && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0)) return false;
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string tmp;
  // A new file gets the usual mode less the umask; a replaced one keeps its own.
  const int fd = createBeside(dir, exists ? 0600 : 0666, tmp);
  if (fd < 0) return false;
  // Every step is checked before the rename: a full disk or a file-size
  // limit must not put a cut file in the old one's place.
  const FileSizeSignalIgnored noSignal;
  bool ok = writeAll(fd, text) && writeAll(fd, lineEnd) && (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) &&
            ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(tmp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(tmp.c_str());
  return ok;
}

std::optional<std::string> readTextFile(const std::string& path, size_t maxBytes) {
  // Only a regular file: a pipe or a device could block or never end. Opening
  // without blocking lets a pipe be refused instead of waited for; a regular
  // file reads the same either way.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  std::optional<std::string> content;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) content.emplace();
  char buf[65536];
  while (content) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n > 0) {
      content->append(buf, static_cast<size_t>(n));
      if (content->size() > maxBytes) content.reset();
    } else if (errno != EINTR) {
      content.reset();
    }
  }
  ::close(fd);
  return content;
}

}  // namespace fw
