#pragma once
// Scenarios that end or mark the whole process run in a child process of this test program:
// the parent starts one disabled test of its own in it and reads back what the child wrote.
#include <string>

namespace child_test {

// Runs this program's disabled test `test` ("Suite.DISABLED_Name") in a child process, with
// the environment variable `reportVariable` naming a fresh file. Returns what the child wrote
// there, or why there is nothing to read: "child did not start", "child hung", or
// "child failed: " and the report when it ended with another exit code than 0.
std::string RunChildTest(const std::string& test, const std::string& reportVariable);

// The value of an environment variable of this process, empty when unset.
std::string Environment(const std::string& name);

}  // namespace child_test
