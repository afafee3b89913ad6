// Helpers for the file command tests: files of given bytes, images built
// byte by byte, table comparison and a file size limit that makes writes fail.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstring>
#include <vector>

#include "model/codetable.h"

inline QByteArray ReadBytes(const QString& file_name) {
  QFile file(file_name);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

inline void WriteBytes(const QString& file_name, const QByteArray& bytes) {
  QFile file(file_name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray IdentityImage() {
  QByteArray image(256, '\0');
  for (int p = 0; p < 256; ++p) image[p] = static_cast<char>(p);
  return image;
}

inline uint8_t Byte(const QByteArray& bytes, int at) { return static_cast<uint8_t>(bytes[at]); }

inline std::vector<int> Targets(const CodeTable& table) {
  std::vector<int> targets;
  for (const TableEntry& entry : table.Entries()) targets.push_back(entry.Target);
  return targets;
}

// A copy of what a refused load must leave alone.
struct TableState {
  std::vector<int> Targets;
  std::vector<int> Counts;
  std::string Header;
  CodeTable* Partner;
  int Active;
  int CurrentPosition;
  int CurrentOrdinal;
  TableKind Kind;

  explicit TableState(const CodeTable& table)
      : Targets(::Targets(table)),
        Header(table.Header()),
        Partner(table.Partner()),
        Active(table.IsActive()),
        CurrentPosition(table.CurrentPosition()),
        CurrentOrdinal(table.CurrentOrdinal()),
        Kind(table.Kind()) {
    for (const TableEntry& entry : table.Entries()) Counts.push_back(entry.Count);
  }

  bool operator==(const TableState& other) const {
    return Targets == other.Targets && Counts == other.Counts && Header == other.Header && Partner == other.Partner &&
           Active == other.Active && CurrentPosition == other.CurrentPosition &&
           CurrentOrdinal == other.CurrentOrdinal && Kind == other.Kind;
  }
};

// While it lives, no file may grow beyond limit bytes: writes past it fail
// with EFBIG, also for root, like writes to a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &old_);
    old_handler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = old_;
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  sighandler_t old_handler_;
};
