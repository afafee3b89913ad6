// One table as a C or Pascal constant array declaration of its 256 stored
// codes, as appended to a source header file. The result is the file's raw
// 8-bit bytes with LF line ends.
#pragma once

#include <string>

#include "model/codetable.h"

std::string CDeclaration(const CodeTable& table);
std::string PascalDeclaration(const CodeTable& table);

// The array name's tail: the table's name with every character other than an
// ASCII letter, digit or underscore replaced by "_", so that it compiles.
std::string DeclarationName(const CodeTable& table);
