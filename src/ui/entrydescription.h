// An entry of a table in words, for the tooltips of the grid cells and the
// editors' character fields.
#pragma once

#include <QString>

#include "model/codetable.h"
#include "platform/codepage.h"

// The position in hex and decimal, its workstation character with its
// Unicode name, the target, and the entry's state: "nicht zugeordnet",
// "eindeutig", "bestätigt", or "mehrdeutig" with the other positions that
// share the target. The character is the one charset shows.
QString DescribeEntry(const CodeTable& table, int position, ByteCharset charset);
