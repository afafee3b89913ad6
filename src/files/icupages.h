// ICU's own EBCDIC tables (ibm-273_P100-1995 and so on), read through its
// converters, and the Unicode names of characters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/codepages.h"

struct IcuPage {
  int CodePage;
  std::string Name;  // "ibm-273_P100-1995"
};

// ICU's single-byte EBCDIC converters, one per code page, ascending.
std::vector<IcuPage> IcuEbcdicPages();

// Builds the pair of page as BuildCodePagePair builds iconv's: a code
// without a counterpart stays unassigned. false when ICU cannot open it.
bool BuildIcuPair(const IcuPage& page, Workstation workstation, bool swap_nl, CodePagePair& pair);

// "LATIN CAPITAL LETTER A"; a control character by its alias or as
// "<control-0085>".
std::string UnicodeName(uint32_t character);
