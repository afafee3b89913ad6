// Helpers for the file tests: special files and a second user.
#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "../cli/clifiles.h"

constexpr uid_t kNobody = 65534;

// The open descriptors of this process.
inline size_t OpenDescriptors() {
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) count += entry.exists() ? 1 : 0;
  return count;
}

// Runs check in a child process as the user nobody, member of group; the
// test fails when a check there fails. Returns false when the process may not
// change its user.
inline bool RunAsNobody(const ScratchDir& dir, const std::function<bool()>& check, gid_t group = kNobody) {
  if (geteuid() != 0) return false;
  chmod(dir.Path.c_str(), 0777);
  const pid_t child = fork();
  if (child == 0) {
    const bool passed = setgroups(1, &group) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0 && check();
    _exit(passed ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "check as nobody failed";
  return true;
}

// Runs body in a child process; its wait status.
inline int InChild(const std::function<void()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    body();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

inline struct stat StatOf(const std::string& path) {
  struct stat info = {};
  EXPECT_EQ(lstat(path.c_str(), &info), 0) << path;
  return info;
}
