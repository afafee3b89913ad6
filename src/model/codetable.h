// One 256-entry byte translation table with its counts, display cells and
// header line. A fixed-size record: no allocation, no exceptions; "nothing"
// is -1 everywhere.
#pragma once

#include <cstdint>

// The display font, defined by the layer that draws; the table only keeps a
// reference to it.
struct DisplayFont;

enum TableKind : int32_t { Unknown = -1, Import = 0, Export = 1 };

// "EXPORT" or "IMPORT".
const char* TableName(TableKind kind);

struct TableEntry {
  int16_t Target;  // code assigned to this position, -1 = not assigned
  int16_t Count;   // (positions whose Target is this code) - 1
};

class CodeTable {
 public:
  static constexpr int WholeTable = -2;

  TableEntry Entries[256];
  char CellText[256][6];
  char HexText[3];
  char Header[65];
  char Name[65];  // the header's name in full; the header may show it cut
  char FontName[68];
  CodeTable* Partner;
  int32_t AmbiguousColor;
  int32_t ProofColor;
  int32_t ActiveColor;
  int32_t NoDataColor;
  TableKind Kind;
  DisplayFont* Font;
  int32_t CurrentOrdinal;
  int32_t CurrentPosition;
  int32_t Active;
  int32_t LinkBusy;

  explicit CodeTable(int kind);

  void Reset(bool forgetKind);
  int CountAssigned() const;
  int NthAssigned(int n) const;
  int FirstAssigned(int& position) const;
  int OrdinalOf(int position) const;
  int Assign(int position, int target);
  int Unassign(int position);
  const char* HexOf(int value);
  static int ParseHex2(const char* text);
  void UnassignHex(const char* text);
  void LoadEntries(const TableEntry (&entries)[256]);
  void LoadBytes(const uint8_t (&bytes)[256]);
  void BuildInverse(const CodeTable& source);
  int Select(int position);
  void SetActive(int on);
  void Link(CodeTable* other);
  int BuildHeader(int kind, const char* name);
  const char* HeaderName() const;
  void SetFont(DisplayFont* font, const char* fontName);
  void SetKind(int kind);
  int IsAmbiguous(int position) const;
  int IsProven(int position) const;
  int FindTarget(int value) const;

 private:
  int AssignedBelow(int end) const;
  void DropCount(int code);
  CodeTable* MirrorPartner() const;
};
