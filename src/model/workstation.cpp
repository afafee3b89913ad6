#include "model/workstation.h"

namespace {

// Windows-1252 at 80..9F; 81, 8D, 8F, 90 and 9D keep their Latin-1 code points.
const uint16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool InCp1252High(int byte) { return byte >= 0x80 && byte < 0xA0; }

}  // namespace

uint32_t WorkstationCharacter(Workstation workstation, int byte) {
  byte &= 0xFF;
  if (workstation == Workstation::kCp1252 && InCp1252High(byte)) return kCp1252High[byte - 0x80];
  return static_cast<uint32_t>(byte);
}

int WorkstationByte(Workstation workstation, uint32_t character) {
  if (workstation == Workstation::kIsoLatin1 || (character < 0x100 && !InCp1252High(static_cast<int>(character))))
    return character < 0x100 ? static_cast<int>(character) : -1;
  for (int byte = 0x80; byte < 0xA0; ++byte)
    if (kCp1252High[byte - 0x80] == character) return byte;
  return -1;
}

const char* WorkstationLabel(Workstation workstation) {
  return workstation == Workstation::kCp1252 ? "Windows-1252" : "ISO 8859-1";
}
