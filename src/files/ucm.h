// A table pair as an ICU mapping table (.ucm) of a single-byte character
// set, and such a table read back into a pair. The workstation side is
// Unicode through ISO 8859-1 or Windows-1252, the host side the bytes.
#pragma once

#include <string>
#include <vector>

#include "files/codepages.h"
#include "model/codetable.h"

// The pair as .ucm text: a position that the partner maps back is a round
// trip (|0), an EXPORT entry alone a fallback from Unicode (|1), an IMPORT
// entry alone a fallback to Unicode (|3); unassigned positions are left out.
// <code_set_name> is the EXPORT table's name, reduced to letters, digits,
// "_", "-" and ".".
std::string UcmText(const CodeTable& export_table, const CodeTable& import_table, Workstation workstation);

struct UcmPair {
  TableEntry Export[256];  // workstation -> host
  TableEntry Import[256];  // host -> workstation
  std::string Name;        // <code_set_name>, empty when the file has none
  // Characters outside the workstation's character set that share their
  // byte with others: left out, one text each ("U+2018 (Zeile 40)").
  std::vector<std::string> LeftOut;
};

// The first 20 of the left-out characters and, when there are more,
// "... und N weitere": a list that fits on a screen.
std::vector<std::string> LeftOutToShow(const std::vector<std::string>& left_out);

// Reads .ucm text into pair. The empty text when it was read; else why not,
// naming the first line at fault, and pair is left as it was.
std::string ReadUcm(const std::string& text, Workstation workstation, UcmPair& pair);
