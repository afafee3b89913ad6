#include "files/declaration.h"

#include <cstdio>
#include <cstring>

#include "files/formats.h"

namespace {

// How one language spells the declaration.
struct Syntax {
  const char* Rule;
  const char* Blank;
  const char* CommentOpen;
  const char* CommentClose;
  const char* CommentEnd;      // what would end the comment early in the header line
  const char* CommentEndSafe;  // what is written instead
  const char* Opening;         // format with prefix and name
  const char* Indent;
  const char* ValueFormat;
  const char* Separator;
  const char* Closing;
  const char* Prefixes[3];  // Export, Import, other kinds
};

const Syntax CSyntax = {
    "/*********************************************************************/\n",
    "/*                                                                   */\n",
    "/* ",
    " */\n",
    "*/",
    "* /",
    "\nconst unsigned char %s%s [256] = {\n",
    "  ",
    "0X%02X",
    ",",
    " };\n",
    {"Export_", "Import_", "Unknown_"},
};

const Syntax PascalSyntax = {
    "{*********************************************************************}\n",
    "{*                                                                   *}\n",
    "{* ",
    " *}\n",
    "}",
    ")",
    "\nconst %s%s : array [0..255] of byte = (\n",
    "   ",
    "$%02X",
    ", ",
    " );\n",
    {"Export", "Import", "Unknown"},
};

const char* Prefix(const Syntax& syntax, int kind) {
  if (kind == Export) return syntax.Prefixes[0];
  if (kind == Import) return syntax.Prefixes[1];
  return syntax.Prefixes[2];
}

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string HeaderLine(const CodeTable& table) {
  return std::string(table.Header, strnlen(table.Header, sizeof table.Header));
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string Format(const char* format, const char* a, const char* b) {
  char line[256];
  std::snprintf(line, sizeof line, format, a, b);
  return line;
}

std::string ValueRow(const Syntax& syntax, const CodeTable& table, int row) {
  std::string text = syntax.Indent;
  for (int i = 0; i < 16; ++i) {
    char value[8];
    std::snprintf(value, sizeof value, syntax.ValueFormat, StoredCode(table, 16 * row + i));
    if (i > 0) text += syntax.Separator;
    text += value;
  }
  return text;
}

std::string Declaration(const Syntax& syntax, const CodeTable& table) {
  std::string text = "\n";
  text += syntax.Rule;
  text += syntax.Blank;
  text += syntax.CommentOpen;
  text += ReplaceAll(HeaderLine(table), syntax.CommentEnd, syntax.CommentEndSafe);
  text += syntax.CommentClose;
  text += syntax.Rule;
  text += Format(syntax.Opening, Prefix(syntax, table.Kind), DeclarationName(table).c_str());
  for (int row = 0; row < 16; ++row) {
    if (row > 0) text += ",\n";
    text += ValueRow(syntax, table, row);
  }
  text += syntax.Closing;
  return text;
}

}  // namespace

std::string DeclarationName(const CodeTable& table) {
  std::string name = table.HeaderName();
  for (char& c : name)
    if (!IsNameChar(c)) c = '_';
  return name;
}

std::string CDeclaration(const CodeTable& table) {
  return Declaration(CSyntax, table);
}

std::string PascalDeclaration(const CodeTable& table) {
  return Declaration(PascalSyntax, table);
}
