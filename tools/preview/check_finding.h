#pragma once
// One finding of duduve-preview --check: a script line that Duduve refuses, reads
// differently from what it says, or does not carry out (a warning), or a remark on how the
// page behaves at window sizes other than its own.
#include <cstddef>
#include <string>
#include <vector>

namespace preview {

enum class Severity {
  Warning,  // the line does not do what it says; --check exits with 3
  Remark,   // the line does what it says, which may not be what the author meant
};

struct Finding {
  int Line = 0;
  std::string What;  // what Duduve does instead
  std::string Fix;   // how to write it
  Severity Kind = Severity::Warning;
  friend bool operator==(const Finding&, const Finding&) = default;
};

struct FindingCount {
  std::size_t Warnings = 0;
  std::size_t Remarks = 0;
  std::size_t Total() const { return Warnings + Remarks; }
};
FindingCount CountFindings(const std::vector<Finding>& findings);
// "2 warnings and 1 remark", "1 warning", "3 remarks"; "no findings" for none.
std::string CountText(const FindingCount& count);

// "FILE:LINE: warning: WHAT" (or "remark:") and "FILE:LINE: note: FIX", one pair per finding.
std::string FormatFindings(const std::string& fileName, const std::vector<Finding>& findings);
// "No findings." or "2 warnings and 1 remark: duduve-preview --check FILE lists them."
std::string FindingsSummary(const std::string& fileName, const FindingCount& count);

}  // namespace preview
