#include "cli/translate.h"

#include <setjmp.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <future>
#include <memory>

#include "fileio/outputfile.h"
#include "files/formats.h"

namespace {

// Fills buffer as far as the input goes: fewer bytes only at its end.
ssize_t ReadBlock(int in, uint8_t* buffer, size_t size) {
  size_t filled = 0;
  while (filled < size) {
    const ssize_t got = read(in, buffer + filled, size - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  return static_cast<ssize_t>(filled);
}

struct Free {
  void operator()(uint8_t* block) const { std::free(block); }
};

// The kernel copies into and out of a page-aligned buffer twice as fast as
// into one just past a page start, as a plain allocation of this size is.
StreamResult Stream(int in, int out, const ByteMap* map, Kernel kernel) {
  const std::unique_ptr<uint8_t, Free> buffer(static_cast<uint8_t*>(std::aligned_alloc(4096, TranslateBlockSize)));
  if (!buffer) {
    errno = ENOMEM;
    return StreamResult::ReadFailed;
  }
  for (;;) {
    const ssize_t got = ReadBlock(in, buffer.get(), TranslateBlockSize);
    if (got < 0) return StreamResult::ReadFailed;
    if (got == 0) return StreamResult::Done;
    if (map) TranslateBytes(*map, buffer.get(), static_cast<size_t>(got), kernel);
    if (!WriteAll(out, buffer.get(), static_cast<size_t>(got))) return StreamResult::WriteFailed;
  }
}

// Another program may shorten a mapped file; its pages past the new end are
// then gone, and reading them raises SIGBUS. A kernel reading such a page
// is left through Escape, and the stream ends with InputShortened.
std::atomic<const uint8_t*> GuardedStart{nullptr};
std::atomic<size_t> GuardedSize{0};
thread_local sigjmp_buf* Escape = nullptr;

void LeaveVanishedPage(int, siginfo_t* info, void*) {
  const auto* at = static_cast<const uint8_t*>(info->si_addr);
  const uint8_t* start = GuardedStart.load();
  if (Escape && start && at >= start && at < start + GuardedSize.load()) siglongjmp(*Escape, 1);
  // Not ours: the access is made again and ends the program as before.
  struct sigaction fallback = {};
  fallback.sa_handler = SIG_DFL;
  sigaction(SIGBUS, &fallback, nullptr);
}

class VanishedPageGuard {
 public:
  VanishedPageGuard(const uint8_t* start, size_t size) {
    GuardedStart = start;
    GuardedSize = size;
    struct sigaction action = {};
    action.sa_sigaction = LeaveVanishedPage;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &before_);
  }
  ~VanishedPageGuard() {
    sigaction(SIGBUS, &before_, nullptr);
    GuardedStart = nullptr;
  }
  VanishedPageGuard(const VanishedPageGuard&) = delete;
  VanishedPageGuard& operator=(const VanishedPageGuard&) = delete;

 private:
  struct sigaction before_;
};

// False when a page of the input vanished under the kernel.
bool RunGuardedKernel(Kernel kernel, const ByteMap& map, const uint8_t* source, uint8_t* target, size_t length) {
  sigjmp_buf here;
  if (sigsetjmp(here, 1) != 0) {
    Escape = nullptr;
    return false;
  }
  Escape = &here;
  RunKernel(kernel, map.data(), source, target, length);
  Escape = nullptr;
  return true;
}

// The input's pages are read where they lie, without a copy into a buffer.
// While this thread writes one block, a second one translates the next into
// the other buffer: the kernel and the system call run on two cores.
StreamResult StreamMapped(const uint8_t* input, size_t length, int out, const ByteMap& map, Kernel kernel) {
  std::unique_ptr<uint8_t, Free> buffers[2];
  for (auto& buffer : buffers) {
    buffer.reset(static_cast<uint8_t*>(std::aligned_alloc(4096, TranslateBlockSize)));
    if (!buffer) {
      errno = ENOMEM;
      return StreamResult::ReadFailed;
    }
  }
  const auto translate = [&](size_t done, uint8_t* buffer) {
    return RunGuardedKernel(kernel, map, input + done, buffer, std::min(TranslateBlockSize, length - done));
  };
  const VanishedPageGuard guard(input, length);
  // Runs here when no thread can be started.
  const auto policy = std::launch::async | std::launch::deferred;
  std::future<bool> next = std::async(policy, translate, size_t{0}, buffers[0].get());
  for (size_t done = 0, block = 0; done < length; done += TranslateBlockSize, ++block) {
    if (!next.get()) return StreamResult::InputShortened;
    const size_t following = done + TranslateBlockSize;
    if (following < length) next = std::async(policy, translate, following, buffers[(block + 1) % 2].get());
    if (!WriteAll(out, buffers[block % 2].get(), std::min(TranslateBlockSize, length - done)))
      return StreamResult::WriteFailed;
  }
  return StreamResult::Done;
}

// The rest of a regular file from the descriptor's position, or nullptr when
// it is not one or cannot be mapped (then it is read block by block).
class MappedInput {
 public:
  explicit MappedInput(int in) {
    struct stat status;
    if (fstat(in, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0) return;
    const off_t position = lseek(in, 0, SEEK_CUR);
    if (position < 0 || position >= status.st_size) return;
    Size = static_cast<size_t>(status.st_size);
    void* mapped = mmap(nullptr, Size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, in, 0);
    if (mapped == MAP_FAILED) return;
    Start = static_cast<const uint8_t*>(mapped);
    Offset = static_cast<size_t>(position);
    madvise(mapped, Size, MADV_SEQUENTIAL);
  }
  ~MappedInput() {
    if (Start) munmap(const_cast<uint8_t*>(Start), Size);
  }
  MappedInput(const MappedInput&) = delete;
  MappedInput& operator=(const MappedInput&) = delete;

  const uint8_t* Rest() const { return Start ? Start + Offset : nullptr; }
  size_t RestSize() const { return Size - Offset; }

 private:
  const uint8_t* Start = nullptr;
  size_t Size = 0;
  size_t Offset = 0;
};

}  // namespace

ByteMap ByteMapOf(const CodeTable& table) {
  ByteMap map;
  for (int p = 0; p < 256; ++p) map[p] = StoredCode(table, p);
  return map;
}

void TranslateBytes(const ByteMap& map, uint8_t* data, size_t length, Kernel kernel) {
  RunKernel(kernel, map.data(), data, data, length);
}

StreamResult TranslateStream(int in, int out, const ByteMap& map, Kernel kernel) {
  const MappedInput input(in);
  if (!input.Rest()) return Stream(in, out, &map, kernel);
  const StreamResult result = StreamMapped(input.Rest(), input.RestSize(), out, map, kernel);
  if (result == StreamResult::Done) lseek(in, 0, SEEK_END);
  return result;
}

StreamResult CopyStream(int in, int out) { return Stream(in, out, nullptr, Kernel::Portable); }
