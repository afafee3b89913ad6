// An ICU mapping table (.ucm) read from a file into the tool's pair.
#pragma once

#include <string>
#include <vector>

#include "cli/tablefile.h"
#include "files/codepages.h"

// Larger files are refused unread: an SBCS table is a few kilobytes.
constexpr size_t kUcmFileLimit = size_t{4} << 20;

// Reads the .ucm file at path into pair, both tables named after its
// <code_set_name> (else after the file's name), chained. leftOut names the
// characters outside the workstation's set that were not taken. On failure
// error holds one line saying why, and pair is left as it was.
ReadResult ReadUcmFile(const std::string& path, Workstation workstation, TablePair& pair,
                       std::vector<std::string>& left_out, std::string& error);
