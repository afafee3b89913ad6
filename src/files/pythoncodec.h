// A table pair as a Python codec module: standard library only; importing
// it registers the codec under the pair's name.
#pragma once

#include <string>

#include "files/charsetmapping.h"

// The module's source text (ASCII). label names the workstation character set
// in its opening comment.
std::string PythonCodecModule(const CharsetMapping& mapping, const char* label);
