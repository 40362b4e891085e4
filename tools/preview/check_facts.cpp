// What the runs of a page showed, gathered by line, and the names a finding suggests.
#include <algorithm>
#include <cctype>

#include "ascii_text.h"
#include "check_model.h"
#include "core/casing.h"

namespace preview {

namespace {

constexpr char kDpiErrorVariable[] = "[Duduve.DPIError]";
// Every call that gets past the mode's check sets it; only the first is not refused for
// coming after another.
constexpr char kDpiAwareVariable[] = "[Duduve.DPIAware]";

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

RunFacts RunFacts::From(const std::vector<LineRun>& runs) {
  RunFacts facts;
  for (const auto& run : runs) {
    if (run.Line == 0) continue;
    if (run.Refused) facts.Refused.insert(run.Line);
    for (const auto& name : run.Unfound) {
      const auto key = duduve::NameKey(Widen(name));
      facts.Unfound[run.Line].insert(key);
      facts.Missing.insert(key);
    }
    for (const auto& variable : run.Variables) {
      if (variable.Name == kDpiErrorVariable && !variable.Value.empty()) {
        facts.DpiErrors[run.Line] = variable.Value;
      }
      if (variable.Name == kDpiAwareVariable && facts.DpiCall == 0) facts.DpiCall = run.Line;
    }
  }
  return facts;
}

std::optional<std::string> ClosestName(const std::string& name,
                                       const std::vector<std::string>& candidates) {
  std::optional<std::string> best;
  std::size_t bestDistance = 3;
  for (const auto& candidate : candidates) {
    const std::size_t distance = EditDistance(Lower(name), Lower(candidate));
    if (distance > 0 && distance < bestDistance && distance < candidate.size()) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace preview
