// One 256-entry byte translation table with its counts, display cells and
// header line. A fixed-size record with no exceptions; "nothing" is -1
// everywhere. Only its own operations change it.
#pragma once

#include <cstdint>

enum class TableKind : int32_t { kUnknown = -1, kImport = 0, kExport = 1 };

// "EXPORT" or "IMPORT".
const char* TableName(TableKind kind);
// The other table of the pair.
TableKind OtherKind(TableKind kind);

// What an entry is: unassigned; ambiguous when its target has another
// source; proven when the chained partner maps the target back; unique
// otherwise.
enum class EntryState { kUnassigned, kAmbiguous, kProven, kUnique };

struct TableEntry {
  int16_t Target;  // code assigned to this position, -1 = not assigned
  int16_t Count;   // (positions whose Target is this code) - 1
};

class CodeTable {
 public:
  static constexpr int kWholeTable = -2;

  explicit CodeTable(TableKind kind);

  // Reading. Positions and codes are taken modulo 256.
  int Target(int position) const { return entries_[position & 0xFF].Target; }
  int Count(int code) const { return entries_[code & 0xFF].Count; }
  const TableEntry (&Entries() const)[256] { return entries_; }
  // Five characters: the source (or target) character, ':' or '=', and
  // the target's two hex digits.
  const char* Cell(int position) const { return cell_text_[position & 0xFF]; }
  const char* Header() const { return header_; }
  // The header's name in full; the header may show it cut.
  const char* Name() const { return name_; }
  const char* FontName() const { return font_name_; }
  TableKind Kind() const { return kind_; }
  CodeTable* Partner() const { return partner_; }
  int CurrentPosition() const { return current_position_; }
  int CurrentOrdinal() const { return current_ordinal_; }
  bool IsActive() const { return active_; }

  int CountAssigned() const;
  int NthAssigned(int n) const;
  int FirstAssigned(int& position) const;
  int OrdinalOf(int position) const;
  const char* HeaderName() const;
  bool IsAmbiguous(int position) const;
  bool IsProven(int position) const;
  EntryState State(int position) const;
  int FindTarget(int value) const;
  // Do entries, cells, name, chain, current entry and activity agree?
  bool SameState(const CodeTable& other) const;

  // Editing.
  void Reset(bool forget_kind);
  int Assign(int position, int target);
  int Unassign(int position);
  void UnassignHex(const char* text);
  void LoadEntries(const TableEntry (&entries)[256]);
  void BuildInverse(const CodeTable& source);
  int Select(int position);
  // Makes position the current entry, of this table alone.
  void SetCurrent(int position);
  // Drops the current entry.
  void Deselect();
  void SetActive(bool on);
  void Link(CodeTable* other);
  // kUnknown keeps the kind the table has.
  int BuildHeader(TableKind kind, const char* name);
  void SetFontName(const char* font_name);
  void SetKind(TableKind kind);
  // Puts back what SameState compares, from a copy taken earlier; the font
  // name stays the one the table has now.
  void Restore(const CodeTable& saved);

 private:
  int AssignedBelow(int end) const;
  void DropCount(int code);
  CodeTable* MirrorPartner() const;

  TableEntry entries_[256];
  char cell_text_[256][6];
  char header_[65];
  char name_[65];
  char font_name_[68];
  CodeTable* partner_ = nullptr;
  TableKind kind_;
  int32_t current_ordinal_ = -1;
  int32_t current_position_ = -1;
  bool active_ = false;
  bool link_busy_ = false;
};
