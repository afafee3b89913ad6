// Table pairs built from the system's character converter (glibc iconv):
// a workstation character set against one EBCDIC code page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/codetable.h"
#include "model/workstation.h"

// The EBCDIC code pages offered, ascending: those of CandidateCodePages()
// that the converter provides on this machine.
std::vector<int> AvailableCodePages();

// Every code page that may be offered, ascending.
const std::vector<int>& CandidateCodePages();

// Those of candidates the converter can translate in both directions.
std::vector<int> ProvidedCodePages(const std::vector<int>& candidates);

// The converter's name of an EBCDIC code page: "IBM037", "IBM1141".
std::string ConverterName(int code_page);

struct CodePagePair {
  TableEntry Export[256];  // workstation -> EBCDIC
  TableEntry Import[256];  // EBCDIC -> workstation
  std::string ExportName;
  std::string ImportName;
};

// Builds EXPORT and IMPORT from the converter. A code without a counterpart
// stays unassigned (Target -1); Count holds the table's counts as CodeTable
// keeps them. swapNl exchanges EBCDIC 15 and 25, so that the workstation's
// line feed becomes the z/OS UNIX newline. Windows-1252 bytes that the
// converter leaves undefined stand for their Latin-1 code points, as Windows
// treats them. Names: "ISO8859-1_CP1141" / "CP1141_ISO8859-1", and
// "CP1252_CP1141" / "CP1141_CP1252". false when the page is not offered;
// the pair is then left as it was.
bool BuildCodePagePair(int code_page, Workstation workstation, bool swap_nl, CodePagePair& pair);

// As BuildCodePagePair, for any EBCDIC page the converter provides.
bool BuildIconvPair(int code_page, Workstation workstation, bool swap_nl, CodePagePair& pair);

// The single-byte EBCDIC pages the converter provides, ascending: more than
// build offers, for telling which page a table is.
std::vector<int> IconvEbcdicPages();

// Completes a pair whose targets are set: swaps the newline if asked, sets
// the counts and the names.
void FinishCodePagePair(int code_page, Workstation workstation, bool swap_nl, CodePagePair& pair);
