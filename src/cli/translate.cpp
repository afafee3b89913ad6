#include "cli/translate.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

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

// A pipe that holds a whole block passes it with one system call on each
// side instead of sixteen; where the system refuses, the pipe stays as it is.
void WidenPipe(int fd) {
  struct stat status;
  if (fstat(fd, &status) == 0 && S_ISFIFO(status.st_mode))
    fcntl(fd, F_SETPIPE_SZ, static_cast<int>(kTranslateBlockSize));
}

struct Free {
  void operator()(uint8_t* block) const { std::free(block); }
};
using Buffer = std::unique_ptr<uint8_t, Free>;

// Translates the blocks handed to it, in order, on one thread for the whole
// run: the kernel runs on the second core while the caller reads and writes,
// so the stream goes at the speed of a copy. Without a thread it translates
// each block when handed.
class BlockTranslator {
 public:
  BlockTranslator(const ByteMap& map, Kernel kernel) : map_(map), kernel_(kernel) {
    try {
      thread_ = std::thread(&BlockTranslator::Run, this);
    } catch (const std::system_error&) {
    }
  }
  ~BlockTranslator() {
    if (!thread_.joinable()) return;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  BlockTranslator(const BlockTranslator&) = delete;
  BlockTranslator& operator=(const BlockTranslator&) = delete;

  // At most two blocks are in hand at once.
  void Hand(uint8_t* data, size_t length) {
    if (!thread_.joinable()) {
      RunKernel(kernel_, map_.data(), data, data, length);
      return;
    }
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      jobs_[handed_ % 2] = {data, length};
      ++handed_;
    }
    changed_.notify_all();
  }

  // Until the first count blocks handed are translated.
  void WaitFor(uint64_t count) {
    if (!thread_.joinable()) return;
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return done_ >= count; });
  }

 private:
  struct Job {
    uint8_t* Data;
    size_t Length;
  };

  void Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      changed_.wait(lock, [&] { return stop_ || done_ < handed_; });
      if (stop_) return;
      const Job job = jobs_[done_ % 2];
      lock.unlock();
      RunKernel(kernel_, map_.data(), job.Data, job.Data, job.Length);
      lock.lock();
      ++done_;
      changed_.notify_all();
    }
  }

  const ByteMap& map_;
  const Kernel kernel_;
  std::mutex mutex_;
  std::condition_variable changed_;
  Job jobs_[2] = {};
  uint64_t handed_ = 0;
  uint64_t done_ = 0;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace

// Block n is read into one buffer while block n - 1 is translated in the
// other, then written while block n is translated. The kernel copies into
// and out of a page-aligned buffer twice as fast as into one just past a
// page start, as a plain allocation of this size is.
StreamResult TranslateStream(int in, int out, const ByteMap& map, Kernel kernel) {
  Buffer buffers[2];
  for (Buffer& buffer : buffers) {
    buffer.reset(static_cast<uint8_t*>(std::aligned_alloc(4096, kTranslateBlockSize)));
    if (!buffer) {
      errno = ENOMEM;
      return StreamResult::kReadFailed;
    }
  }
  WidenPipe(in);
  WidenPipe(out);
  size_t lengths[2] = {};
  BlockTranslator translator(map, kernel);
  for (uint64_t block = 0;; ++block) {
    uint8_t* const buffer = buffers[block % 2].get();
    const ssize_t got = ReadBlock(in, buffer, kTranslateBlockSize);
    if (got < 0) return StreamResult::kReadFailed;
    lengths[block % 2] = static_cast<size_t>(got);
    if (got > 0) translator.Hand(buffer, lengths[block % 2]);
    if (block > 0) {
      translator.WaitFor(block);
      const size_t previous = (block - 1) % 2;
      if (!WriteAll(out, buffers[previous].get(), lengths[previous])) return StreamResult::kWriteFailed;
    }
    if (got == 0) return StreamResult::kDone;
  }
}

ByteMap ByteMapOf(const CodeTable& table) {
  ByteMap map;
  for (int p = 0; p < 256; ++p) map[p] = StoredCode(table, p);
  return map;
}
