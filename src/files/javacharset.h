// A table pair as a Java charset: a JAR with the generic provider class
// (compiled when this program was built), its service entry and the pair as
// a resource, so that Charset.forName finds the table by its name.
#pragma once

#include <cstdint>
#include <vector>

#include "files/charsetmapping.h"

std::vector<uint8_t> JavaCharsetJar(const CharsetMapping& mapping);

// The provider's class files, built from src/files/java.
struct EmbeddedFile {
  const char* Name;
  const uint8_t* Data;
  size_t Size;
};
extern const EmbeddedFile kProviderClasses[];
extern const size_t kProviderClassCount;
