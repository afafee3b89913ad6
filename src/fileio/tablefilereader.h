// Reading a table file without trusting it: never more than one byte beyond
// the longest table file, and never from something that may block or never
// end (a pipe, a device, a socket).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One byte more than the longest table file: enough to tell that a file is
// too long.
extern const size_t kTableReadLimit;

// Reads at most TableReadLimit bytes of the regular file at path into bytes.
// length is the file's length: the bytes read, or the size of a longer file.
// False with the reason in German when the file cannot be read; anything but
// a regular file is refused before it is opened.
bool ReadTableBytes(const std::string& path, std::vector<uint8_t>& bytes, size_t& length, std::string& reason);

// At most limit bytes of standard input, without asking what it is: the
// caller named it. length is the number of bytes read.
bool ReadStandardInput(size_t limit, std::vector<uint8_t>& bytes, size_t& length, std::string& reason);

// The same for any regular file, reading at most limit bytes.
bool ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes, size_t& length,
                     std::string& reason);

// path made absolute, the name a loaded table gets in the tool and the
// editor alike.
std::string FullPath(const std::string& path);
