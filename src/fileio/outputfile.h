// An output file that appears under its name only once all of it is written:
// the bytes go to a temporary file beside it, which then takes the former
// file's place. Until then a former file of that name stays as it was.
// Only regular files are written: a device, a pipe, a socket, a directory or
// a link that leads nowhere is refused, so nothing blocks and nothing that is
// not a file gets replaced.
// A file with several hard links, or one whose directory the process may
// not change, is overwritten in place as a shell redirection would: with its
// new size reserved first, under a lock against other writers, and with the
// termination signals held until it is whole.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class OutputFile {
 public:
  // WithFormerContent starts the new file with the former file's bytes as
  // they are at the first Write or Commit, so that what is written is
  // appended.
  enum Start { kEmpty, kWithFormerContent };

  explicit OutputFile(std::string path, Start start = kEmpty);
  // Removes the temporary file unless Commit succeeded.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Checks the target and creates the temporary file; false and Error()
  // when the target may not or cannot be written.
  bool Open();
  int Descriptor() const { return fd_; }
  bool Write(const uint8_t* data, size_t length);
  // Syncs the temporary file and puts it in the target's place, keeping the
  // former file's mode, owner, group, extended attributes and access control
  // list as far as the process may, or overwrites the former file in place.
  // False and Error() when that fails; the former file is then unchanged.
  bool Commit();
  // Why the last step failed: the path and the reason, in German.
  const std::string& Error() const { return message_; }
  // The reason alone.
  const std::string& Reason() const { return why_; }
  // Records errno as the reason the last step failed.
  void Fail();
  // Commit without syncing, for outputs that are no table files.
  void LeaveUnsynced() { sync_ = false; }

 private:
  bool Refuse(const std::string& reason);
  bool FindTarget();
  bool OpenFormer();
  bool CreateTemporary();
  bool CopyFormerContent();
  bool TakeOverOwnerAndMode();
  bool CopyExtendedAttributes();
  bool OverwriteFormer();
  bool CopyIntoFormer(off_t size);
  bool PutInPlace();
  bool Failed();

  std::string path_;  // as given, for messages
  Start start_with_;
  std::string target_;  // the file replaced: path_, or where its link points
  std::string temp_path_;
  int fd_ = -1;
  int former_fd_ = -1;
  struct stat former_ = {};
  bool former_copied_ = false;
  bool in_place_ = false;  // the former file itself takes the new content
  bool committed_ = false;
  std::string message_;
  std::string why_;
  bool sync_ = true;
};

// Where an output named path goes: path itself, or the regular file its link
// points to. False with the reason in German when path is something other
// than a regular file or a link that leads nowhere; a missing file is fine.
bool ResolveOutputTarget(const std::string& path, std::string& target, std::string& reason);

// The whole of bytes as the file path; the empty text, or why it was not written.
std::string WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// The write call every output goes through; tests put a short or failing
// write in its place.
using WriteFunction = ssize_t (*)(int, const void*, size_t);
extern WriteFunction WriteCall;
// The same for reserving an in-place file's new size, and for giving the new
// file its mode and owner.
extern int (*ReserveCall)(int, off_t, off_t);
extern int (*ChangeModeCall)(int, mode_t);
extern int (*ChangeOwnerCall)(int, uid_t, gid_t);
// Writes all of data, going on after short writes and interruptions; false
// with errno set when a write fails.
bool WriteAll(int fd, const uint8_t* data, size_t length);

// An errno value in words, German where the usual cases are concerned.
std::string ErrorText(int error);
// A file that is neither a regular file nor a directory.
extern const char kNotRegularReason[];
