#include "check_finding.h"

namespace preview {

namespace {

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

FindingCount CountFindings(const std::vector<Finding>& findings) {
  FindingCount count;
  for (const auto& finding : findings) {
    ++(finding.Kind == Severity::Warning ? count.Warnings : count.Remarks);
  }
  return count;
}

std::string CountText(const FindingCount& count) {
  if (count.Total() == 0) return "no findings";
  const std::string warnings = Counted(count.Warnings, "warning", "warnings");
  const std::string remarks = Counted(count.Remarks, "remark", "remarks");
  if (count.Remarks == 0) return warnings;
  if (count.Warnings == 0) return remarks;
  return warnings + " and " + remarks;
}

std::string FormatFindings(const std::string& fileName, const std::vector<Finding>& findings) {
  std::string text;
  for (const auto& finding : findings) {
    const std::string where = fileName + ":" + std::to_string(finding.Line) + ": ";
    text += where + (finding.Kind == Severity::Warning ? "warning: " : "remark: ") + finding.What +
            "\n";
    text += where + "note: " + finding.Fix + "\n";
  }
  return text;
}

std::string FindingsSummary(const std::string& fileName, const FindingCount& count) {
  if (count.Total() == 0) return "No findings: Duduve carries out every line as written.";
  return CountText(count) + ": duduve-preview --check " + fileName + " lists " +
         (count.Total() == 1 ? "it." : "them.");
}

}  // namespace preview
