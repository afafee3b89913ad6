// An output file that appears under its name only once all of it is written:
// the bytes go to a temporary file beside it, which a rename then puts in
// its place. A former file of that name stays as it was until then.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class OutputFile {
 public:
  explicit OutputFile(std::string path);
  // Removes the temporary file unless Commit succeeded.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates the temporary file; false and Error() when that fails.
  bool Open();
  int Descriptor() const { return Fd; }
  bool Write(const uint8_t* data, size_t length);
  // Closes the temporary file and renames it to the target; false and
  // Error() when that fails.
  bool Commit();
  // Why the last step failed: the target and the reason, in German.
  const std::string& Error() const { return Reason; }
  // Records errno as the reason the last step failed.
  void Fail();

 private:
  std::string Path;    // as given, for messages
  std::string Target;  // the file replaced: Path, or where its link points
  std::string TempPath;
  int Fd = -1;
  bool Committed = false;
  std::string Reason;
};

// The whole of bytes as the file path; the empty text, or why it was not written.
std::string WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// An errno value in words, German where the usual cases are concerned.
std::string ErrorText(int error);
