// Helpers for the command-line tests: a scratch directory and files of
// given bytes.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A fresh directory under /tmp, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/qavo-ct-test.XXXXXX";
    Path = mkdtemp(pattern);
  }
  ~ScratchDir() { std::filesystem::remove_all(Path); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  std::string operator/(const std::string& name) const { return Path + "/" + name; }
  // The names of the files in the directory.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Path)) names.push_back(entry.path().filename());
    return names;
  }

  std::string Path;
};

inline Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline Bytes Concat(const uint8_t (&first)[256], const uint8_t (&second)[256]) {
  Bytes bytes(first, first + 256);
  bytes.insert(bytes.end(), second, second + 256);
  return bytes;
}

inline Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }
