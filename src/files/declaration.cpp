#include "files/declaration.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "files/formats.h"

namespace {

// How one language spells the declaration.
struct Syntax {
  const char* Rule;
  const char* Blank;
  const char* CommentOpen;
  const char* CommentClose;
  // What would end or nest the comment in the header line, and what is
  // written instead.
  std::vector<std::pair<std::string, std::string>> CommentSafe;
  const char* Opening;  // format with prefix and name
  const char* Indent;
  const char* ValueFormat;
  const char* Separator;
  const char* Closing;
  const char* Prefixes[3];                     // Export, Import, other kinds
  const std::set<std::string>* ReservedWords;  // in lower case for Pascal
  bool CaseBlind;
};

const std::set<std::string> kCReservedWords = {"alignas",
                                               "alignof",
                                               "auto",
                                               "bool",
                                               "break",
                                               "case",
                                               "char",
                                               "const",
                                               "constexpr",
                                               "continue",
                                               "default",
                                               "do",
                                               "double",
                                               "else",
                                               "enum",
                                               "extern",
                                               "false",
                                               "float",
                                               "for",
                                               "goto",
                                               "if",
                                               "inline",
                                               "int",
                                               "long",
                                               "nullptr",
                                               "register",
                                               "restrict",
                                               "return",
                                               "short",
                                               "signed",
                                               "sizeof",
                                               "static",
                                               "static_assert",
                                               "struct",
                                               "switch",
                                               "thread_local",
                                               "true",
                                               "typedef",
                                               "typeof",
                                               "typeof_unqual",
                                               "union",
                                               "unsigned",
                                               "void",
                                               "volatile",
                                               "while",
                                               "_Alignas",
                                               "_Alignof",
                                               "_Atomic",
                                               "_BitInt",
                                               "_Bool",
                                               "_Complex",
                                               "_Decimal128",
                                               "_Decimal32",
                                               "_Decimal64",
                                               "_Generic",
                                               "_Imaginary",
                                               "_Noreturn",
                                               "_Static_assert",
                                               "_Thread_local"};

// Free Pascal's reserved words in all its modes and Delphi's.
const std::set<std::string> kPascalReservedWords = {"and",
                                                    "array",
                                                    "as",
                                                    "asm",
                                                    "begin",
                                                    "case",
                                                    "class",
                                                    "const",
                                                    "constructor",
                                                    "destructor",
                                                    "dispinterface",
                                                    "div",
                                                    "do",
                                                    "downto",
                                                    "else",
                                                    "end",
                                                    "except",
                                                    "exports",
                                                    "file",
                                                    "finalization",
                                                    "finally",
                                                    "for",
                                                    "function",
                                                    "goto",
                                                    "if",
                                                    "implementation",
                                                    "in",
                                                    "inherited",
                                                    "initialization",
                                                    "inline",
                                                    "interface",
                                                    "is",
                                                    "label",
                                                    "library",
                                                    "mod",
                                                    "nil",
                                                    "not",
                                                    "object",
                                                    "of",
                                                    "on",
                                                    "operator",
                                                    "or",
                                                    "out",
                                                    "packed",
                                                    "procedure",
                                                    "program",
                                                    "property",
                                                    "raise",
                                                    "record",
                                                    "reintroduce",
                                                    "repeat",
                                                    "resourcestring",
                                                    "self",
                                                    "set",
                                                    "shl",
                                                    "shr",
                                                    "string",
                                                    "then",
                                                    "threadvar",
                                                    "to",
                                                    "try",
                                                    "type",
                                                    "unit",
                                                    "until",
                                                    "uses",
                                                    "var",
                                                    "while",
                                                    "with",
                                                    "xor"};

const Syntax kCSyntax = {
    "/*********************************************************************/\n",
    "/*                                                                   */\n",
    "/* ",
    " */\n",
    {{"*/", "* /"}},
    "\nconst unsigned char %s%s [256] = {\n",
    "  ",
    "0X%02X",
    ",",
    " };\n",
    {"Export_", "Import_", "Unknown_"},
    &kCReservedWords,
    false,
};

const Syntax kPascalSyntax = {
    "{*********************************************************************}\n",
    "{*                                                                   *}\n",
    "{* ",
    " *}\n",
    {{"}", ")"}, {"{", "("}},
    "\nconst %s%s : array [0..255] of byte = (\n",
    "   ",
    "$%02X",
    ", ",
    " );\n",
    {"Export", "Import", "Unknown"},
    &kPascalReservedWords,
    true,
};

const char* Prefix(const Syntax& syntax, TableKind kind) {
  if (kind == TableKind::kExport) return syntax.Prefixes[0];
  if (kind == TableKind::kImport) return syntax.Prefixes[1];
  return syntax.Prefixes[2];
}

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

// The header line between the comment marks: no control byte may break the
// line, and nothing in it may end the comment early.
std::string CommentText(const Syntax& syntax, const CodeTable& table) {
  std::string text(table.Header());
  std::replace_if(text.begin(), text.end(), IsControl, '_');
  for (const auto& [unsafe, safe] : syntax.CommentSafe) text = ReplaceAll(text, unsafe, safe);
  return text;
}

bool IsReserved(const Syntax& syntax, std::string word) {
  if (syntax.CaseBlind)
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return syntax.ReservedWords->count(word) > 0;
}

// The name part, with "_" appended where prefix and name would spell a
// reserved word (Pascal's "Export" and "s").
std::string NameFor(const Syntax& syntax, const char* prefix, const CodeTable& table) {
  std::string name = DeclarationName(table);
  if (IsReserved(syntax, prefix + name)) name += "_";
  return name;
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
  text += CommentText(syntax, table);
  text += syntax.CommentClose;
  text += syntax.Rule;
  const char* prefix = Prefix(syntax, table.Kind());
  text += Format(syntax.Opening, prefix, NameFor(syntax, prefix, table).c_str());
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

std::string CDeclaration(const CodeTable& table) { return Declaration(kCSyntax, table); }

std::string PascalDeclaration(const CodeTable& table) { return Declaration(kPascalSyntax, table); }
