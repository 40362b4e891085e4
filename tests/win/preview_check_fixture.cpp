#include "preview_check_fixture.h"

#include <cctype>

#include "page_check.h"
#include "page_file.h"
#include "stand_in_host.h"

namespace preview {

namespace {

// A line the note proposes, read as the page file writes one: the action, then parameters
// in double quotes. Empty when the note proposes none after `lead`.
std::string ProposedLine(const std::string& fix, const std::string& lead) {
  const auto at = fix.find(lead + "Duduve_");
  if (at == std::string::npos) return {};
  std::size_t end = at + lead.size();
  while (end < fix.size() &&
         (std::isalnum(static_cast<unsigned char>(fix[end])) || fix[end] == '_')) {
    ++end;
  }
  while (end + 1 < fix.size() && fix[end] == ' ' && fix[end + 1] == '"') {
    const auto close = fix.find('"', end + 2);
    if (close == std::string::npos) break;
    end = close + 1;
  }
  return fix.substr(at + lead.size(), end - at - lead.size());
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const auto end = text.find('\n', begin);
    lines.push_back(text.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
    begin = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

void ExpectNoWarningOn(const std::string& text, int line, const std::string& proposal,
                       const char* situation) {
  for (const auto& finding : CheckText(text)) {
    EXPECT_FALSE(finding.Line == line && finding.Kind == Severity::Warning)
        << situation << ": the proposed line " << proposal << " draws\n"
        << Describe({finding});
  }
}

}  // namespace

std::vector<Finding> CheckText(const std::string& text) {
  Page page;
  const auto error = ParsePage(text, "case.page", page);
  EXPECT_FALSE(error) << error->Text();
  std::vector<Finding> findings;
  const auto failure =
      CheckPageFile(page, standin::StandInHost::DefaultDllPath(), "case.page", findings);
  EXPECT_FALSE(failure) << failure->Text;
  return findings;
}

void PrintTo(const Finding& finding, std::ostream* out) {
  *out << FormatFindings("case.page", {finding});
}

std::string Describe(const std::vector<Finding>& findings) {
  return FormatFindings("case.page", findings);
}

void ExpectFindings(const CheckCase& example) {
  const auto findings = CheckText(example.Text);
  EXPECT_EQ(findings, example.Expected) << example.Situation << "\nfound:\n"
                                        << Describe(findings) << "expected:\n"
                                        << Describe(example.Expected);
  for (const auto& finding : findings) {
    auto lines = Lines(example.Text);
    if (const auto written = ProposedLine(finding.Fix, "write "); !written.empty()) {
      lines[static_cast<std::size_t>(finding.Line) - 1] = written;
      ExpectNoWarningOn(Joined(lines), finding.Line, written, example.Situation);
    }
    const std::string add = "add after line ";
    if (const auto at = finding.Fix.find(add); at != std::string::npos) {
      const int after = std::stoi(finding.Fix.substr(at + add.size()));
      const auto added = ProposedLine(finding.Fix, ": ");
      ASSERT_FALSE(added.empty()) << finding.Fix;
      lines = Lines(example.Text);
      lines.insert(lines.begin() + after, added);
      ExpectNoWarningOn(Joined(lines), after + 1, added, example.Situation);
    }
  }
}

}  // namespace preview
