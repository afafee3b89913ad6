// Recognition of a table file held in memory: by its length, then by its
// content or header, into what to load where, or a refusal to show.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/codetable.h"

// One thing the loader does: show Message in a plain message box, or, when
// Table is Export or Import, load Entries into that table (with that kind)
// and give it Name (empty = no name).
struct LoadStep {
  std::string Message;  // UTF-8
  TableKind Table = TableKind::kUnknown;
  TableEntry Entries[256] = {};
  std::string Name;  // raw 8-bit bytes, as the header line keeps them

  bool Loads() const { return Table != TableKind::kUnknown; }
};

// The steps in the order to carry them out; none at all means the file is
// ignored without a word.
struct LoadPlan {
  std::vector<LoadStep> Steps;
};

// length bytes at data (nothing is read past them). kind is Export or Import
// to force the kind of a 256-byte image; any other value recognises it.
// name is what 256- and 512-byte images are called after loading.
LoadPlan RecognizeTableImage(const uint8_t* data, size_t length, TableKind kind, const std::string& name);

// Lengths a table file may have before it is read: 256 to 2176 bytes.
bool LengthAccepted(size_t length);
// The message for a file of a length that is not accepted.
std::string LengthRefusal(size_t length);

// 8-bit text read as ISO 8859-1, as UTF-8.
std::string Latin1ToUtf8(const std::string& bytes);
// UTF-8 text as ISO 8859-1 bytes; characters outside it become "?".
std::string Utf8ToLatin1(const std::string& text);
