#include "check_finding.h"

namespace preview {

std::string FormatFindings(const std::string& fileName, const std::vector<Finding>& findings) {
  std::string text;
  for (const auto& finding : findings) {
    const std::string where = fileName + ":" + std::to_string(finding.Line) + ": ";
    text += where + "warning: " + finding.What + "\n";
    text += where + "note: " + finding.Fix + "\n";
  }
  return text;
}

std::string FindingsSummary(const std::string& fileName, std::size_t count) {
  if (count == 0) return "No findings: Duduve carries out every line as written.";
  return std::to_string(count) + (count == 1 ? " finding" : " findings") +
         ": duduve-preview --check " + fileName + " lists " + (count == 1 ? "it." : "them.");
}

}  // namespace preview
