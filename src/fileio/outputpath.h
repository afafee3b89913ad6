// Where an output name leads: the program's own standard output ("-",
// /dev/stdout, /dev/fd/1, /proc/self/fd/1, or any name of the file it is
// redirected to), which is written into as a shell redirection left it; a
// pipe or character device of that name, which only a filter writes into;
// or a file, which OutputFile writes safely (and refuses if it is anything
// else).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class OutputKind { kStandardOutput, kStream, kFile };

// "-" names standard input or output.
bool IsStandardStream(const std::string& path);

OutputKind ClassifyOutput(const std::string& path);

// Writes bytes to standard output when path leads there, else as the file
// path through OutputFile (special files refused). The empty text, or the
// line saying why not.
std::string WriteOutput(const std::string& path, const std::vector<uint8_t>& bytes);

// The line for a failed write into path, from errno.
std::string WriteFailure(const std::string& path);
