#include "model/codetable.h"

#include <cstring>
#include <string>

#include "model/hexdigits.h"

namespace {

const char HeaderStart[] = "QAVO CodeTab ";
constexpr int HeaderMax = 64;
constexpr int FontNameMax = 67;
constexpr int FontPartMax = 20;

bool IsCode(int value) { return value >= 0 && value <= 255; }

const char* KindWord(int kind) {
  if (kind == Export) return "EXPORT ";
  if (kind == Import) return "IMPORT ";
  return "USER   ";
}

// Copies at most max characters of text (none = empty) into dest, which
// holds max + 1 characters; the callers' texts may live inside the record.
void CopyCut(char* dest, const char* text, int max) {
  int n = 0;
  if (text != nullptr)
    while (n < max && text[n] != '\0') ++n;
  std::memmove(dest, text != nullptr ? text : "", static_cast<size_t>(n));
  dest[n] = '\0';
}

// Characters 1-2 of a cell: a space and the character, or "00" for code 0.
void WriteCharPart(char* cell, int code) {
  if (code == 0) {
    cell[0] = '0';
    cell[1] = '0';
  } else {
    cell[0] = ' ';
    cell[1] = static_cast<char>(code);
  }
}

void WriteHexPart(char* cell, int code) { WriteHexByte(code, cell + 3); }

}  // namespace

const char* TableName(TableKind kind) { return kind == Export ? "EXPORT" : "IMPORT"; }

CodeTable::CodeTable(int kind)
    : Entries(),
      CellText(),
      HexText(),
      Header(),
      Name(),
      FontName(),
      Partner(nullptr),
      AmbiguousColor(-1),
      ProofColor(-1),
      ActiveColor(-1),
      NoDataColor(-1),
      Kind(static_cast<TableKind>(kind)),
      Font(nullptr),
      CurrentOrdinal(-1),
      CurrentPosition(-1),
      Active(0),
      LinkBusy(0) {
  BuildHeader(kind, nullptr);
  Reset(false);
}

void CodeTable::Reset(bool forgetKind) {
  if (forgetKind) {
    Font = nullptr;
    Kind = Unknown;
    BuildHeader(-1, nullptr);
  }
  const char separator = Kind == Export ? ':' : '=';
  for (int p = 0; p < 256; ++p) {
    Entries[p].Target = -1;
    Entries[p].Count = -1;
    WriteCharPart(CellText[p], p);
    CellText[p][2] = separator;
    WriteHexPart(CellText[p], p);
  }
  HexText[0] = '\0';
  HexText[2] = '\0';
}

int CodeTable::CountAssigned() const {
  int n = 0;
  for (const TableEntry& e : Entries)
    if (e.Target != -1) ++n;
  return n;
}

int CodeTable::NthAssigned(int n) const {
  if (n < 0) return -1;
  for (int p = 0; p < 256; ++p) {
    if (Entries[p].Target == -1) continue;
    if (n == 0) return p;
    --n;
  }
  return -1;
}

int CodeTable::FirstAssigned(int& position) const {
  position = NthAssigned(0);
  return position == -1 ? -1 : 0;
}

int CodeTable::OrdinalOf(int position) const {
  if (position == -1) return -1;
  return AssignedBelow((position & 0xFF) + 1) - 1;
}

int CodeTable::Assign(int position, int target) {
  if (position == -1) return -1;
  const int p = position & 0xFF;
  const int t = target & 0xFF;
  CurrentPosition = p;
  DropCount(Entries[p].Target);
  Entries[p].Target = static_cast<int16_t>(t);
  ++Entries[t].Count;
  BuildHeader(-1, nullptr);
  if (Kind != Export) WriteCharPart(CellText[p], t);
  WriteHexPart(CellText[p], t);
  CodeTable* partner = MirrorPartner();
  if (partner != nullptr && Entries[t].Count == 0) {
    partner->Assign(t, p);
    if (IsAmbiguous(WholeTable) == 0 && IsProven(WholeTable) == 0) partner->BuildInverse(*this);
  }
  CurrentOrdinal = OrdinalOf(p);
  return CurrentOrdinal;
}

int CodeTable::Unassign(int position) {
  if (position == -1) return -1;
  const int p = position & 0xFF;
  const int old = Entries[p].Target;
  DropCount(old);
  Entries[p].Target = -1;
  WriteCharPart(CellText[p], p);
  WriteHexPart(CellText[p], p);
  // The partner's entry old goes too, but only when it maps back to p: with
  // several sources of old it may belong to another position.
  CodeTable* partner = MirrorPartner();
  if (partner != nullptr && IsCode(old) && partner->Entries[old].Target == p) partner->Unassign(old);
  return AssignedBelow(p) - 1;
}

const char* CodeTable::HexOf(int value) {
  if (value == -1) return "";
  WriteHexByte(value, HexText);
  HexText[2] = '\0';
  return HexText;
}

int CodeTable::ParseHex2(const char* text) {
  if (text == nullptr) return -1;
  const int high = HexDigitValue(text[0]);
  if (high < 0) return -1;
  const int low = HexDigitValue(text[1]);
  if (low < 0) return -1;
  return high * 16 + low;
}

void CodeTable::UnassignHex(const char* text) { Unassign(ParseHex2(text)); }

void CodeTable::LoadEntries(const TableEntry (&entries)[256]) {
  int16_t targets[256];
  for (int p = 0; p < 256; ++p) targets[p] = entries[p].Target;
  Reset(false);
  for (int p = 0; p < 256; ++p)
    if (targets[p] != -1) Assign(p, targets[p]);
  CurrentOrdinal = FirstAssigned(CurrentPosition);
}

void CodeTable::LoadBytes(const uint8_t (&bytes)[256]) {
  Reset(false);
  for (int p = 0; p < 256; ++p) Assign(p, bytes[p]);
  CurrentOrdinal = FirstAssigned(CurrentPosition);
}

void CodeTable::BuildInverse(const CodeTable& source) {
  // Read the source first: it may be this very table.
  int16_t targets[256];
  for (int p = 0; p < 256; ++p) targets[p] = source.Entries[p].Target;
  Reset(false);
  for (int i = 0; i < 256; ++i) Assign(targets[i], i);
  CurrentOrdinal = FirstAssigned(CurrentPosition);
}

int CodeTable::Select(int position) {
  CurrentOrdinal = -1;
  CurrentPosition = position == -1 ? -1 : position & 0xFF;
  if (position == -1) return -1;
  CurrentOrdinal = OrdinalOf(position);
  if (CurrentOrdinal == -1) return -1;
  CodeTable* partner = MirrorPartner();
  if (partner != nullptr) partner->Select(Entries[CurrentPosition].Target);
  return CurrentOrdinal;
}

void CodeTable::SetActive(int on) {
  Active = on != 0 ? 1 : 0;
  if (Partner != nullptr && Partner->Active == Active) {
    Partner->Active = Active != 0 ? 0 : 1;
    Partner->ActiveColor = ActiveColor;
  }
}

void CodeTable::Link(CodeTable* other) {
  if (LinkBusy != 0) {
    LinkBusy = 0;
    return;
  }
  LinkBusy = 1;
  // A table cannot be its own partner: it would mirror into itself.
  if (other == this) other = nullptr;
  if (Partner != nullptr && Partner->LinkBusy == 0) Partner->Link(nullptr);
  Partner = other;
  if (other != nullptr) {
    other->Partner = this;
    other->ActiveColor = ActiveColor;
    other->ProofColor = ProofColor;
    other->AmbiguousColor = AmbiguousColor;
  }
  LinkBusy = 0;
}

int CodeTable::BuildHeader(int kind, const char* name) {
  // The name may point into Header itself (HeaderName), so copy it first.
  char keptName[HeaderMax + 1];
  CopyCut(keptName, name, HeaderMax);
  std::memcpy(Name, keptName, sizeof Name);
  if (kind != -1) Kind = static_cast<TableKind>(kind);
  std::string text = std::string(HeaderStart) + KindWord(Kind);
  if (FontName[0] != '\0') text += "[" + std::string(FontName).substr(0, FontPartMax) + "] ";
  text += keptName;
  std::memset(Header, 0, sizeof Header);
  CopyCut(Header, text.c_str(), HeaderMax);
  return static_cast<int>(std::strlen(Header));
}

const char* CodeTable::HeaderName() const {
  const char* bracket = std::strchr(Header, ']');
  if (bracket == nullptr) return "";
  ++bracket;
  if (*bracket == ' ') ++bracket;
  return bracket;
}

void CodeTable::SetFont(DisplayFont* font, const char* fontName) {
  Font = font;
  CopyCut(FontName, fontName, FontNameMax);
  // From the full name: a longer font name cuts the header's name only
  // while it is shown.
  BuildHeader(-1, Name);
}

void CodeTable::SetKind(int kind) { BuildHeader(kind, Name); }

int CodeTable::IsAmbiguous(int position) const {
  if (position == -1) return 0;
  if (position == WholeTable) {
    for (int p = 0; p < 256; ++p)
      if (IsAmbiguous(p) != 0) return 1;
    return 0;
  }
  const int t = Entries[position & 0xFF].Target;
  return IsCode(t) && Entries[t].Count > 0 ? 1 : 0;
}

int CodeTable::IsProven(int position) const {
  if (position == -1 || Partner == nullptr) return 0;
  if (position == WholeTable) {
    if (IsAmbiguous(WholeTable) != 0 || Partner->IsAmbiguous(WholeTable) != 0) return 0;
    for (int p = 0; p < 256; ++p)
      if (Entries[p].Target != -1 && IsProven(p) == 0) return 0;
    return 1;
  }
  const int p = position & 0xFF;
  const int t = Entries[p].Target;
  if (!IsCode(t)) return 0;
  const int u = Partner->Entries[t].Target;
  return u != -1 && (u & 0xFF) == p ? 1 : 0;
}

int CodeTable::FindTarget(int value) const {
  if (value == -1) return -1;
  const int v = value & 0xFF;
  for (int p = 0; p < 256; ++p) {
    const int t = Entries[p].Target;
    if (t != -1 && (t & 0xFF) == v) return p;
  }
  return -1;
}

int CodeTable::AssignedBelow(int end) const {
  int n = 0;
  for (int p = 0; p < end; ++p)
    if (Entries[p].Target != -1) ++n;
  return n;
}

void CodeTable::DropCount(int code) {
  if (IsCode(code) && Entries[code].Count >= 0) --Entries[code].Count;
}

// Only the active table of a pair mirrors, and never into a partner that is
// itself active, so that a mirrored edit cannot bounce back.
CodeTable* CodeTable::MirrorPartner() const {
  if (Active != 1 || Partner == nullptr || Partner->Active == 1) return nullptr;
  return Partner;
}
