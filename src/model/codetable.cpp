#include "model/codetable.h"

#include <cstring>
#include <string>

#include "model/hexdigits.h"

namespace {

const char kHeaderStart[] = "QAVO CodeTab ";
constexpr int kHeaderMax = 64;
constexpr int kFontNameMax = 67;
constexpr int kFontPartMax = 20;

bool IsCode(int value) { return value >= 0 && value <= 255; }

const char* KindWord(TableKind kind) {
  if (kind == TableKind::kExport) return "EXPORT ";
  if (kind == TableKind::kImport) return "IMPORT ";
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

const char* TableName(TableKind kind) { return kind == TableKind::kExport ? "EXPORT" : "IMPORT"; }

TableKind OtherKind(TableKind kind) { return kind == TableKind::kExport ? TableKind::kImport : TableKind::kExport; }

CodeTable::CodeTable(TableKind kind) : entries_(), cell_text_(), header_(), name_(), font_name_(), kind_(kind) {
  BuildHeader(kind, nullptr);
  Reset(false);
}

void CodeTable::Reset(bool forget_kind) {
  if (forget_kind) {
    kind_ = TableKind::kUnknown;
    BuildHeader(TableKind::kUnknown, nullptr);
  }
  const char separator = kind_ == TableKind::kExport ? ':' : '=';
  for (int p = 0; p < 256; ++p) {
    entries_[p].Target = -1;
    entries_[p].Count = -1;
    WriteCharPart(cell_text_[p], p);
    cell_text_[p][2] = separator;
    WriteHexPart(cell_text_[p], p);
  }
}

int CodeTable::CountAssigned() const {
  int n = 0;
  for (const TableEntry& e : entries_)
    if (e.Target != -1) ++n;
  return n;
}

int CodeTable::NthAssigned(int n) const {
  if (n < 0) return -1;
  for (int p = 0; p < 256; ++p) {
    if (entries_[p].Target == -1) continue;
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
  current_position_ = p;
  DropCount(entries_[p].Target);
  entries_[p].Target = static_cast<int16_t>(t);
  ++entries_[t].Count;
  BuildHeader(TableKind::kUnknown, nullptr);
  if (kind_ != TableKind::kExport) WriteCharPart(cell_text_[p], t);
  WriteHexPart(cell_text_[p], t);
  CodeTable* partner = MirrorPartner();
  if (partner != nullptr && entries_[t].Count == 0) {
    partner->Assign(t, p);
    if (!IsAmbiguous(kWholeTable) && !IsProven(kWholeTable)) partner->BuildInverse(*this);
  }
  current_ordinal_ = OrdinalOf(p);
  return current_ordinal_;
}

int CodeTable::Unassign(int position) {
  if (position == -1) return -1;
  const int p = position & 0xFF;
  const int old = entries_[p].Target;
  DropCount(old);
  entries_[p].Target = -1;
  WriteCharPart(cell_text_[p], p);
  WriteHexPart(cell_text_[p], p);
  // The partner's entry old goes too, but only when it maps back to p: with
  // several sources of old it may belong to another position.
  CodeTable* partner = MirrorPartner();
  if (partner != nullptr && IsCode(old) && partner->entries_[old].Target == p) partner->Unassign(old);
  return AssignedBelow(p) - 1;
}

void CodeTable::UnassignHex(const char* text) { Unassign(ParseHexByte(text)); }

void CodeTable::LoadEntries(const TableEntry (&entries)[256]) {
  int16_t targets[256];
  for (int p = 0; p < 256; ++p) targets[p] = entries[p].Target;
  Reset(false);
  for (int p = 0; p < 256; ++p)
    if (targets[p] != -1) Assign(p, targets[p]);
  current_ordinal_ = FirstAssigned(current_position_);
}

void CodeTable::BuildInverse(const CodeTable& source) {
  // Read the source first: it may be this very table.
  int16_t targets[256];
  for (int p = 0; p < 256; ++p) targets[p] = source.entries_[p].Target;
  Reset(false);
  for (int i = 0; i < 256; ++i) Assign(targets[i], i);
  current_ordinal_ = FirstAssigned(current_position_);
}

int CodeTable::Select(int position) {
  current_ordinal_ = -1;
  current_position_ = position == -1 ? -1 : position & 0xFF;
  if (position == -1) return -1;
  current_ordinal_ = OrdinalOf(position);
  if (current_ordinal_ == -1) return -1;
  CodeTable* partner = MirrorPartner();
  if (partner != nullptr) partner->Select(entries_[current_position_].Target);
  return current_ordinal_;
}

void CodeTable::SetCurrent(int position) {
  current_position_ = position & 0xFF;
  current_ordinal_ = OrdinalOf(position);
}

void CodeTable::Deselect() {
  current_position_ = -1;
  current_ordinal_ = -1;
}

void CodeTable::SetActive(bool on) {
  active_ = on;
  if (partner_ != nullptr && partner_->active_ == active_) partner_->active_ = !active_;
}

void CodeTable::Link(CodeTable* other) {
  if (link_busy_) {
    link_busy_ = false;
    return;
  }
  link_busy_ = true;
  // A table cannot be its own partner: it would mirror into itself.
  if (other == this) other = nullptr;
  if (partner_ != nullptr && !partner_->link_busy_) partner_->Link(nullptr);
  partner_ = other;
  if (other != nullptr) other->partner_ = this;
  link_busy_ = false;
}

int CodeTable::BuildHeader(TableKind kind, const char* name) {
  // The name may point into the header itself (HeaderName), so copy it first.
  char kept_name[kHeaderMax + 1];
  CopyCut(kept_name, name, kHeaderMax);
  std::memcpy(name_, kept_name, sizeof name_);
  if (kind != TableKind::kUnknown) kind_ = kind;
  std::string text = std::string(kHeaderStart) + KindWord(kind_);
  if (font_name_[0] != '\0') text += "[" + std::string(font_name_).substr(0, kFontPartMax) + "] ";
  text += kept_name;
  std::memset(header_, 0, sizeof header_);
  CopyCut(header_, text.c_str(), kHeaderMax);
  return static_cast<int>(std::strlen(header_));
}

const char* CodeTable::HeaderName() const {
  const char* bracket = std::strchr(header_, ']');
  if (bracket == nullptr) return "";
  ++bracket;
  if (*bracket == ' ') ++bracket;
  return bracket;
}

void CodeTable::SetFontName(const char* font_name) {
  CopyCut(font_name_, font_name, kFontNameMax);
  // From the full name: a longer font name cuts the header's name only
  // while it is shown.
  BuildHeader(TableKind::kUnknown, name_);
}

void CodeTable::SetKind(TableKind kind) { BuildHeader(kind, name_); }

void CodeTable::Restore(const CodeTable& saved) {
  std::memcpy(entries_, saved.entries_, sizeof entries_);
  std::memcpy(cell_text_, saved.cell_text_, sizeof cell_text_);
  // Set directly: BuildHeader keeps the kind it has for "unknown".
  kind_ = saved.kind_;
  BuildHeader(TableKind::kUnknown, saved.name_);
  partner_ = saved.partner_;
  current_ordinal_ = saved.current_ordinal_;
  current_position_ = saved.current_position_;
  active_ = saved.active_;
}

bool CodeTable::SameState(const CodeTable& other) const {
  return kind_ == other.kind_ && std::strcmp(name_, other.name_) == 0 &&
         std::memcmp(entries_, other.entries_, sizeof entries_) == 0 &&
         std::memcmp(cell_text_, other.cell_text_, sizeof cell_text_) == 0 && partner_ == other.partner_ &&
         current_ordinal_ == other.current_ordinal_ && current_position_ == other.current_position_ &&
         active_ == other.active_;
}

bool CodeTable::IsAmbiguous(int position) const {
  if (position == -1) return false;
  if (position == kWholeTable) {
    for (int p = 0; p < 256; ++p)
      if (IsAmbiguous(p)) return true;
    return false;
  }
  const int t = entries_[position & 0xFF].Target;
  return IsCode(t) && entries_[t].Count > 0;
}

bool CodeTable::IsProven(int position) const {
  if (position == -1 || partner_ == nullptr) return false;
  if (position == kWholeTable) {
    if (IsAmbiguous(kWholeTable) || partner_->IsAmbiguous(kWholeTable)) return false;
    for (int p = 0; p < 256; ++p)
      if (entries_[p].Target != -1 && !IsProven(p)) return false;
    return true;
  }
  const int p = position & 0xFF;
  const int t = entries_[p].Target;
  if (!IsCode(t)) return false;
  const int u = partner_->entries_[t].Target;
  return u != -1 && (u & 0xFF) == p;
}

EntryState CodeTable::State(int position) const {
  if (Target(position) == -1) return EntryState::kUnassigned;
  if (IsAmbiguous(position)) return EntryState::kAmbiguous;
  if (IsProven(position)) return EntryState::kProven;
  return EntryState::kUnique;
}

int CodeTable::FindTarget(int value) const {
  if (value == -1) return -1;
  const int v = value & 0xFF;
  for (int p = 0; p < 256; ++p) {
    const int t = entries_[p].Target;
    if (t != -1 && (t & 0xFF) == v) return p;
  }
  return -1;
}

int CodeTable::AssignedBelow(int end) const {
  int n = 0;
  for (int p = 0; p < end; ++p)
    if (entries_[p].Target != -1) ++n;
  return n;
}

void CodeTable::DropCount(int code) {
  if (IsCode(code) && entries_[code].Count >= 0) --entries_[code].Count;
}

// Only the active table of a pair mirrors, and never into a partner that is
// itself active, so that a mirrored edit cannot bounce back.
CodeTable* CodeTable::MirrorPartner() const {
  if (!active_ || partner_ == nullptr || partner_->active_) return nullptr;
  return partner_;
}
