#include "framework/textfile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace fw {

namespace {

QString qpath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

bool writeBoth(QFileDevice& f, const std::string& text, const std::string& lineEnd) {
  const auto n = static_cast<qint64>(text.size()), m = static_cast<qint64>(lineEnd.size());
  return f.write(text.data(), n) == n && f.write(lineEnd.data(), m) == m;
}

// QSaveFile replaces a file through a temporary name 7 bytes longer than the
// file's own; a file whose name leaves no room for that is replaced through a
// short temporary name beside it instead.
bool replaceLongName(const QFileInfo& target, const std::string& text, const std::string& lineEnd) {
  QTemporaryFile tmp(target.absolutePath() + QStringLiteral("/.quenlor-XXXXXX"));
  if (!tmp.open() || !writeBoth(tmp, text, lineEnd) || !tmp.setPermissions(target.permissions()) || !tmp.flush() ||
      ::fsync(tmp.handle()) != 0)
    return false;
  if (::rename(QFile::encodeName(tmp.fileName()).constData(), QFile::encodeName(target.filePath()).constData()) != 0)
    return false;
  tmp.setAutoRemove(false);
  return true;
}

}  // namespace

bool writeTextFile(const std::string& path, const std::string& text, const std::string& lineEnd) {
  // Through a symbolic link QSaveFile writes the file it points to.
  QFileInfo target(qpath(path));
  for (int depth = 0; depth < 128 && target.isSymLink(); ++depth) target.setFile(target.symLinkTarget());
  if (target.isFile() && target.isWritable() && QFile::encodeName(target.fileName()).size() + 7 > NAME_MAX)
    return replaceLongName(target, text, lineEnd);
  QSaveFile file(qpath(path));
  return file.open(QIODevice::WriteOnly) && writeBoth(file, text, lineEnd) && file.commit();
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
