#pragma once
// Pages for duduve-preview --check through the real Duduve.dll: a page text and the exact
// findings it gives; and the lines the notes propose, checked to be clean themselves.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "check_finding.h"

namespace preview {

struct CheckCase {
  const char* Situation;
  std::string Text;  // the whole page file
  std::vector<Finding> Expected;
};

// A finding in failure messages, as --check prints it.
void PrintTo(const Finding& finding, std::ostream* out);

// The findings of a page file's text, checked as duduve-preview --check does.
std::vector<Finding> CheckText(const std::string& text);
// The findings as --check prints them, for failure messages.
std::string Describe(const std::vector<Finding>& findings);

// The page gives exactly the expected findings, and every line their notes propose ("write
// LINE" for the finding's line, "add after line N: LINE"), put into the page, draws no warning
// on its own line.
void ExpectFindings(const CheckCase& example);

}  // namespace preview
