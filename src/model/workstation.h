// The workstation character set: which character each byte of the
// workstation side stands for. The one place that maps workstation bytes to
// Unicode and back, for display, typing and every export.
#pragma once

#include <cstdint>

enum class Workstation { kIsoLatin1, kCp1252 };

// The Unicode character a workstation byte stands for. Windows-1252 bytes
// that the character set leaves undefined stand for their Latin-1 code points.
uint32_t WorkstationCharacter(Workstation workstation, int byte);

// The workstation byte of a Unicode character, -1 when it has none.
int WorkstationByte(Workstation workstation, uint32_t character);

// "ISO 8859-1" or "Windows-1252", for messages.
const char* WorkstationLabel(Workstation workstation);
