#include "files/pagecomparison.h"

#include <algorithm>

#include "files/compare.h"
#include "files/icupages.h"
#include "files/newline.h"

namespace {

constexpr size_t kNearestShown = 5;

std::string Count(int count) { return std::to_string(count) + (count == 1 ? " Abweichung" : " Abweichungen"); }

// One page as one library or both build it.
struct Candidate {
  int CodePage;
  std::string Sources;  // "iconv IBM273, ICU ibm-273_P100-1995"
  PairTargets Targets;
  int Agreeing = 0;
  std::vector<std::string> Differing;  // "EXPORT 80"
};

PairTargets TargetsOf(const CodePagePair& pair) { return TargetsOf(pair.Export, pair.Import); }

bool SameTargets(const PairTargets& a, const PairTargets& b) {
  return std::equal(a.Export, a.Export + 256, b.Export) && std::equal(a.Import, a.Import + 256, b.Import);
}

bool FindIcuPage(const std::vector<IcuPage>& pages, int code_page, IcuPage& page) {
  for (const IcuPage& candidate : pages)
    if (candidate.CodePage == code_page) {
      page = candidate;
      return true;
    }
  return false;
}

std::vector<Candidate> Candidates(Workstation workstation) {
  const std::vector<IcuPage> icu_pages = IcuEbcdicPages();
  std::vector<Candidate> candidates;
  CodePagePair built;
  for (const int code_page : ComparablePages()) {
    std::vector<Candidate> page;
    if (BuildIconvPair(code_page, workstation, false, built))
      page.push_back({code_page, "iconv " + ConverterName(code_page), TargetsOf(built), 0, {}});
    IcuPage icu;
    if (FindIcuPage(icu_pages, code_page, icu) && BuildIcuPair(icu, workstation, false, built)) {
      if (!page.empty() && SameTargets(page[0].Targets, TargetsOf(built)))
        page[0].Sources += ", ICU " + icu.Name;
      else
        page.push_back({code_page, "ICU " + icu.Name, TargetsOf(built), 0, {}});
    }
    candidates.insert(candidates.end(), page.begin(), page.end());
  }
  return candidates;
}

void Score(const PairTargets& pair, Candidate& candidate) {
  for (const TableKind kind : {TableKind::kExport, TableKind::kImport}) {
    const int16_t* mine = kind == TableKind::kExport ? pair.Export : pair.Import;
    const int16_t* theirs = kind == TableKind::kExport ? candidate.Targets.Export : candidate.Targets.Import;
    for (int p = 0; p < 256; ++p) {
      if (Agrees(mine[p], theirs[p], p))
        ++candidate.Agreeing;
      else
        candidate.Differing.push_back(std::string(TableName(kind)) + " " + CodeText(p));
    }
  }
}

std::string MatchLine(const Candidate& candidate) {
  std::string line = "CP " + std::to_string(candidate.CodePage) + " (" + candidate.Sources +
                     "): " + std::to_string(candidate.Agreeing) + " von 512 gleich";
  const char* separator = "; abweichend ";
  for (const std::string& position : candidate.Differing) {
    line += separator + position;
    separator = ", ";
  }
  return line;
}

// Name of the workstation character of byte, in brackets.
std::string Named(Workstation workstation, int byte) {
  return " (" + UnicodeName(WorkstationCharacter(workstation, byte)) + ")";
}

}  // namespace

PairTargets TargetsOf(const TableEntry (&export_entries)[256], const TableEntry (&import_entries)[256]) {
  PairTargets targets;
  for (int p = 0; p < 256; ++p) {
    targets.Export[p] = export_entries[p].Target;
    targets.Import[p] = import_entries[p].Target;
  }
  return targets;
}

bool Agrees(int pair_target, int page_target, int position) {
  return pair_target == page_target || (page_target == -1 && pair_target == position);
}

std::vector<int> ComparablePages() {
  std::vector<int> pages = IconvEbcdicPages();
  for (const IcuPage& page : IcuEbcdicPages()) pages.push_back(page.CodePage);
  std::sort(pages.begin(), pages.end());
  pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
  return pages;
}

std::vector<std::string> IdentifyReport(const PairTargets& pair, Workstation workstation) {
  std::vector<Candidate> candidates = Candidates(workstation);
  for (Candidate& candidate : candidates) Score(pair, candidate);
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.Agreeing > b.Agreeing; });
  std::vector<std::string> lines;
  for (size_t i = 0; i < candidates.size() && i < kNearestShown; ++i) lines.push_back(MatchLine(candidates[i]));
  lines.push_back(NewlineLine(DescribeNewline(pair.Export, pair.Import)));
  return lines;
}

bool ComparePairWithPage(const PairTargets& pair, int code_page, Workstation workstation, bool swap_nl,
                         PageComparison& comparison) {
  comparison = PageComparison();
  comparison.CodePage = code_page;
  comparison.Station = workstation;
  comparison.SwapNl = swap_nl;
  CodePagePair built;
  PairTargets iconv{};
  PairTargets icu{};
  if (BuildIconvPair(code_page, workstation, swap_nl, built)) {
    comparison.IconvName = ConverterName(code_page);
    iconv = TargetsOf(built);
  }
  IcuPage page;
  if (FindIcuPage(IcuEbcdicPages(), code_page, page) && BuildIcuPair(page, workstation, swap_nl, built)) {
    comparison.IcuName = page.Name;
    icu = TargetsOf(built);
  }
  const bool has_iconv = !comparison.IconvName.empty();
  const bool has_icu = !comparison.IcuName.empty();
  if (!has_iconv && !has_icu) return false;
  for (const TableKind kind : {TableKind::kExport, TableKind::kImport}) {
    const int16_t* mine = kind == TableKind::kExport ? pair.Export : pair.Import;
    const int16_t* from_iconv = kind == TableKind::kExport ? iconv.Export : iconv.Import;
    const int16_t* from_icu = kind == TableKind::kExport ? icu.Export : icu.Import;
    for (int p = 0; p < 256; ++p) {
      const bool off_iconv = has_iconv && !Agrees(mine[p], from_iconv[p], p);
      const bool off_icu = has_icu && !Agrees(mine[p], from_icu[p], p);
      const bool libraries_differ = has_iconv && has_icu && from_iconv[p] != from_icu[p];
      comparison.FromIconv += off_iconv;
      comparison.FromIcu += off_icu;
      comparison.IconvFromIcu += libraries_differ;
      if (off_iconv || off_icu || libraries_differ)
        comparison.Differences.push_back({kind, p, mine[p], from_iconv[p], from_icu[p]});
    }
  }
  return true;
}

std::string ComparisonHeading(const PageComparison& comparison) {
  std::string heading = "CP " + std::to_string(comparison.CodePage) + ": ";
  if (comparison.IcuName.empty())
    heading += "iconv " + comparison.IconvName + "; ICU kennt die Codepage nicht";
  else if (comparison.IconvName.empty())
    heading += "ICU " + comparison.IcuName + "; iconv kennt die Codepage nicht";
  else
    heading += "iconv " + comparison.IconvName + ", ICU " + comparison.IcuName;
  heading += std::string("; Arbeitsplatz ") + WorkstationLabel(comparison.Station);
  return comparison.SwapNl ? heading + "; 15 und 25 getauscht (z/OS UNIX)" : heading;
}

std::string ComparisonSummary(const PageComparison& comparison) {
  std::vector<std::string> parts;
  if (!comparison.IconvName.empty()) parts.push_back("Paar und iconv: " + Count(comparison.FromIconv));
  if (!comparison.IcuName.empty()) parts.push_back("Paar und ICU: " + Count(comparison.FromIcu));
  if (parts.size() == 2) parts.push_back("iconv und ICU: " + Count(comparison.IconvFromIcu));
  std::string summary;
  for (const std::string& part : parts) summary += (summary.empty() ? "" : "; ") + part;
  return summary;
}

std::string PositionText(const PageComparison& comparison, const PageDifference& difference) {
  if (difference.Kind == TableKind::kImport) return CodeText(difference.Position);
  return CodeText(difference.Position) + Named(comparison.Station, difference.Position);
}

std::string TargetText(const PageComparison& comparison, TableKind kind, int target) {
  if (kind == TableKind::kExport || target < 0) return CodeText(target);
  return CodeText(target) + Named(comparison.Station, target);
}

std::vector<std::string> ComparisonReport(const PageComparison& comparison) {
  std::vector<std::string> lines = {ComparisonHeading(comparison)};
  for (const PageDifference& difference : comparison.Differences) {
    std::string line = std::string(TableName(difference.Kind)) + " " + PositionText(comparison, difference) +
                       ": Paar " + TargetText(comparison, difference.Kind, difference.Pair);
    if (!comparison.IconvName.empty()) line += ", iconv " + TargetText(comparison, difference.Kind, difference.Iconv);
    if (!comparison.IcuName.empty()) line += ", ICU " + TargetText(comparison, difference.Kind, difference.Icu);
    lines.push_back(line);
  }
  lines.push_back(ComparisonSummary(comparison));
  return lines;
}
