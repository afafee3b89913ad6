#include "cli/translate.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
    RunKernel(kernel, map.data(), input + done, buffer, std::min(TranslateBlockSize, length - done));
  };
  // Runs here when no thread can be started.
  const auto policy = std::launch::async | std::launch::deferred;
  std::future<void> next = std::async(policy, translate, size_t{0}, buffers[0].get());
  for (size_t done = 0, block = 0; done < length; done += TranslateBlockSize, ++block) {
    next.get();
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
