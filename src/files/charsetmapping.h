// A table pair as a character set of its own, for the codec and charset
// writers: what each host byte decodes to and what each character encodes
// to, with the workstation side as Unicode. An EXPORT entry encodes, an
// IMPORT entry decodes; a round-trip entry does both, an unassigned entry
// neither (the character or byte is unmappable).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "files/codepages.h"
#include "model/codetable.h"

struct CharsetMapping {
  std::string Name;                                       // the table's name reduced to a legal character set name
  int32_t ToUnicode[256];                                 // host byte -> character, -1 when unmappable
  std::vector<std::pair<uint32_t, uint8_t>> FromUnicode;  // character -> host byte, ascending
  uint8_t ExportImage[256];                               // the stored codes, as the UNIX image holds them
  uint8_t ImportImage[256];
};

// name is the table name, or the name the caller asks for instead.
CharsetMapping CharsetMappingOf(const CodeTable& export_table, const CodeTable& import_table, Workstation workstation,
                                const std::string& name);

// The name's last path part, every byte other than a letter, a digit, "_",
// "-" or "." turned into "_"; "QAVO" when nothing is left.
std::string CharsetBaseName(const std::string& name);

// As Python's codec registry normalises a name: lower case, every run of
// other characters than letters, digits and "." one "_", none at either
// end; "qavo" when nothing is left.
std::string PythonCodecName(const std::string& base_name);

// A name Java accepts, with the "x-" of a name that no registry assigned.
std::string JavaCharsetName(const std::string& base_name);
