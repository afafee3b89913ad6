// The binary table file layouts: the 256-byte table image (UNIX), the
// 512-byte pair (Windows V3) and the 1088-byte image (Windows V5).
// Pure functions over byte buffers; reading and writing files is the caller's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/codetable.h"

constexpr size_t kTableImageSize = 256;
constexpr size_t kV3ImageSize = 2 * kTableImageSize;
constexpr size_t kV5HeaderSize = 64;
constexpr size_t kV5ImageSize = kV5HeaderSize + 4 * 256;
constexpr size_t kV5PairImageSize = 2 * kV5ImageSize;

// "QAVO CodeTab " opens every V5 image; the kind letter follows it.
extern const char kV5Signature[];
constexpr size_t kV5SignatureSize = 13;
constexpr size_t kV5KindOffset = 13;
// Where the text holding "]" and the table's name starts.
constexpr size_t kV5TextOffset = 21;
constexpr char kV5ExportLetter = 'A';
constexpr char kV5ImportLetter = 'E';

// The byte written for position p: the low 8 bits of its target, or p itself
// when the position is not assigned, so gaps translate unchanged.
uint8_t StoredCode(const CodeTable& table, int position);

// The 256 stored codes in position order.
std::vector<uint8_t> UnixImage(const CodeTable& table);

// IMPORT image first, then EXPORT image.
std::vector<uint8_t> V3Image(const CodeTable& import_table, const CodeTable& export_table);

// One table as a V5 image. kind says which table of the pair it is (Export
// writes the letter 'A', anything else 'E'); the table's own Kind is not used
// so that the letter always matches the table the image is loaded back into.
std::vector<uint8_t> V5Image(const CodeTable& table, TableKind kind);

// Both tables as two V5 images, EXPORT first.
std::vector<uint8_t> V5PairImage(const CodeTable& export_table, const CodeTable& import_table);

// Does the image start with "QAVO CodeTab "? Reads at most length bytes.
bool HasV5Signature(const uint8_t* data, size_t length);

// The content of one V5 image as the loader sees it.
struct V5Table {
  TableKind Kind = TableKind::kUnknown;  // 'A' Export, 'E' Import, any other letter Unknown
  std::string Name;                      // empty when the header has no "]"
  TableEntry Entries[256] = {};          // Target -1 or 0..255; Count is not stored, left -1
};

// Reads exactly V5ImageSize bytes at image. The signature is not checked.
V5Table DecodeV5Image(const uint8_t* image);
