// Applying one table to bytes: a 256-entry lookup over large blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "cli/translatekernels.h"
#include "model/codetable.h"

using ByteMap = std::array<uint8_t, 256>;

// The byte each position becomes, as the table files store it: an
// unassigned position stays itself.
ByteMap ByteMapOf(const CodeTable& table);

// Blocks that fit the second-level cache, large enough that system calls
// do not count.
constexpr size_t kTranslateBlockSize = size_t{1} << 20;

enum class StreamResult { kDone, kReadFailed, kWriteFailed };

// Reads the descriptor in to its end, block by block, and writes the
// translated bytes to out. errno tells what failed.
StreamResult TranslateStream(int in, int out, const ByteMap& map, Kernel kernel = FastestKernel());
