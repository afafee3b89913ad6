// How a pair carries the EBCDIC newline: where 15 and 25 go on the
// workstation, and where LF (0A) and NEL (85) go on the host.
#pragma once

#include <cstdint>
#include <string>

struct NewlineProfile {
  // "15 <-> 0A (z/OS UNIX)", "15 <-> 85, 25 <-> 0A (üblich)",
  // "15 und 25 -> 0A", another round trip as "15 <-> 0B, 25 <-> 0A", or
  // "EXPORT und IMPORT uneinig: IMPORT 15 -> 0A, 25 -> 85; EXPORT 0A -> 25, 85 -> 15".
  std::string Text;
  bool Disagrees = false;
};

// Targets -1 = unassigned.
NewlineProfile DescribeNewline(const int16_t (&export_targets)[256], const int16_t (&import_targets)[256]);

// "Zeilenende: " and the profile's text.
std::string NewlineLine(const NewlineProfile& profile);
