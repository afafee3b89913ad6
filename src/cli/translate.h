// Applying one table to bytes: a 256-entry lookup over large blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "model/codetab.h"

using TByteMap = std::array<uint8_t, 256>;

// The byte each position becomes, as the table files store it: an
// unassigned position stays itself.
TByteMap ByteMapOf(const TCodeTab& table);

// Replaces every byte of data by its image under map, with the vector
// instructions the processor has.
void TranslateBytes(const TByteMap& map, uint8_t* data, size_t length);
// The same with plain byte lookups, for any processor.
void TranslateBytesPortable(const TByteMap& map, uint8_t* data, size_t length);

// Blocks that fit the second-level cache, large enough that system calls
// do not count.
constexpr size_t TranslateBlockSize = size_t{1} << 20;

enum class TStreamResult { Done, ReadFailed, WriteFailed };

// Reads the descriptor in to its end and writes the translated bytes to out.
// errno tells what failed.
TStreamResult TranslateStream(int in, int out, const TByteMap& map);

// The same without translating: the plain copy the benchmark measures against.
TStreamResult CopyStream(int in, int out);
