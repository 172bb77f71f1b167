#pragma once
// Text files in binary mode: no line-end translation, carriage returns kept.
// Failures are reported to the caller. Plain C++, no Qt.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace fw {

// Creates or replaces the file with text followed by lineEnd, atomically (a
// temporary file beside it, then a rename). A replaced file keeps its
// permissions; through a symbolic link the file it points to is written. A
// write-protected file is not replaced, nor anything that is not a regular
// file (a pipe, a device). Returns false on any failure, a full disk
// included; the old file is then left as it was.
bool writeTextFile(const std::string& path, const std::string& text, const std::string& lineEnd = "\r");
// The whole content of the file, or nullopt if it cannot be read, is not a
// regular file or holds more than maxBytes.
std::optional<std::string> readTextFile(const std::string& path, size_t maxBytes = SIZE_MAX);

}  // namespace fw
