#pragma once
// Text files in binary mode: no line-end translation, carriage returns kept.
// Failures are reported to the caller. Plain C++, no Qt.

#include <optional>
#include <string>

namespace fw {

// Creates or replaces the file with text followed by lineEnd, atomically (a
// temporary file beside it, then a rename). A replaced file keeps its
// permissions; through a symbolic link the file it points to is written. A
// write-protected file is not replaced. Returns false on any failure; the old
// file is then left as it was.
bool writeTextFile(const std::string& path, const std::string& text, const std::string& lineEnd = "\r");
// The whole content of the file, or nullopt if it cannot be read or is not a
// regular file.
std::optional<std::string> readTextFile(const std::string& path);

}  // namespace fw
