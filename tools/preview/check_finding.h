#pragma once
// One finding of duduve-preview --check: a script line that Duduve refuses, reads
// differently from what it says, or does not carry out.
#include <string>
#include <vector>

namespace preview {

struct Finding {
  int Line = 0;
  std::string What;  // what Duduve does instead
  std::string Fix;   // how to write it
  friend bool operator==(const Finding&, const Finding&) = default;
};

// "FILE:LINE: warning: WHAT" and "FILE:LINE: note: FIX", one pair per finding.
std::string FormatFindings(const std::string& fileName, const std::vector<Finding>& findings);
// "No findings." or "3 findings: duduve-preview --check FILE lists them."
std::string FindingsSummary(const std::string& fileName, std::size_t count);

}  // namespace preview
