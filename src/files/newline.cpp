#include "files/newline.h"

#include <set>

#include "files/compare.h"

namespace {

constexpr int kNl = 0x15;
constexpr int kLfHost = 0x25;
constexpr int kLf = 0x0A;
constexpr int kNel = 0x85;

std::string Mapping(int from, int to) { return CodeText(from) + " -> " + CodeText(to); }

}  // namespace

NewlineProfile DescribeNewline(const int16_t (&export_targets)[256], const int16_t (&import_targets)[256]) {
  const int nl = import_targets[kNl];
  const int lf = import_targets[kLfHost];
  const auto returns = [&](int host) {
    return import_targets[host] != -1 && export_targets[import_targets[host]] == host;
  };
  if (nl == kLf && lf == kLf && (export_targets[kLf] == kNl || export_targets[kLf] == kLfHost))
    return {"15 und 25 -> 0A", false};
  if (returns(kNl) && returns(kLfHost)) {
    if (nl == kLf && lf == kNel) return {"15 <-> 0A (z/OS UNIX)", false};
    if (nl == kNel && lf == kLf) return {"15 <-> 85, 25 <-> 0A (üblich)", false};
    return {"15 <-> " + CodeText(nl) + ", 25 <-> " + CodeText(lf), false};
  }
  // The workstation's line ends and wherever the host's newlines went.
  std::set<int> workstation = {kLf, kNel};
  for (const int target : {nl, lf})
    if (target != -1) workstation.insert(target);
  std::string text = "EXPORT und IMPORT uneinig: IMPORT " + Mapping(kNl, nl) + ", " + CodeText(kLfHost) + " -> " +
                     CodeText(lf) + "; EXPORT ";
  const char* separator = "";
  for (const int code : workstation) {
    text += separator + Mapping(code, export_targets[code]);
    separator = ", ";
  }
  return {text, true};
}

std::string NewlineLine(const NewlineProfile& profile) { return "Zeilenende: " + profile.Text; }
