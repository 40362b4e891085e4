// duduve-preview --check through the real Duduve.dll: small pages with one mistake each, and
// the findings each gives, line by line; the example page gives none.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ascii_text.h"
#include "check_reading.h"
#include "file_output.h"
#include "page_check.h"

namespace preview {
namespace {

// Lines 1 to 7; each case's script starts on line 8.
constexpr char kObjects[] = R"(page 640 360
object Bar     0   0 640  60
object Logo  270  10 100  40
object Stage  40 100 200 200
object Tag    40  80  80  16
object Sword  60 120  40  40
on enter
)";

struct CheckCase {
  const char* Situation;
  const char* Script;
  std::vector<Finding> Expected;
};

// The head every case but the design-size ones starts with: lines 8 to 10.
#define HEAD                               \
  "Duduve_Clear\n"                         \
  "Duduve_SetDesignSize \"640\" \"360\"\n" \
  "Duduve_RegisterObject \"Bar\" \"STRETCH\" \"FIXED\" \"L\" \"T\" \"0\" \"0\"\n"

const CheckCase kCases[] = {
    {"a misspelt policy falls to STRETCH",
     HEAD "Duduve_RegisterObject \"Logo\" \"STRECH\" \"UNIFORM\" \"C\" \"T\" \"0\" \"0\"\n"
          "Duduve_Apply\n",
     {{11,
       "WMode \"STRECH\" is not a sizing word, so Duduve sizes the width with its default, STRETCH",
       "write \"STRETCH\", \"FIXED\" or \"UNIFORM\""}}},
    {"an unknown anchor falls to Left",
     HEAD "Duduve_RegisterObject \"Logo\" \"UNIFORM\" \"UNIFORM\" \"Q\" \"middle\" \"0\" \"0\"\n"
          "Duduve_Apply\n",
     {{11, "HAnchor \"Q\" is not an anchor, so Duduve anchors the object Left",
       "write \"L\", \"C\" or \"R\""},
      {11, "VAnchor \"middle\" is not an anchor, so Duduve anchors the object Top",
       "write \"T\", \"C\" or \"B\""}}},
    {"a name with no object on the page",
     HEAD "Duduve_RegisterObject \"Logoo\" \"UNIFORM\" \"UNIFORM\" \"C\" \"T\" \"0\" \"0\"\n"
          "Duduve_Apply\n",
     {{11,
       "there is no object \"Logoo\" on the page, so Duduve never measures it and never "
       "moves it",
       "correct the name: the page has \"Logo\""}}},
    {"a pin whose target is pinned later",
     HEAD "Duduve_RegisterObject \"Tag\" \"\" \"\" \"\" \"\" \"0\" \"0\"\n"
          "Duduve_PinObject \"Tag\" \"Stage\" \"BL\" \"TL\" \"0\" \"-4\"\n"
          "Duduve_RegisterObject \"Stage\" \"UNIFORM\" \"UNIFORM\" \"L\" \"C\" \"0\" \"0\"\n"
          "Duduve_PinObject \"Stage\" \"Bar\" \"TL\" \"BL\" \"0\" \"0\"\n"
          "Duduve_Apply\n",
     {{12,
       "\"Tag\" is pinned to \"Stage\", which is pinned too and comes later in the registry "
       "(registered on line 13), so \"Tag\" never moves",
       "register \"Stage\" (line 13) before \"Tag\" (line 11)"}}},
    {"a group member that is also registered",
     HEAD "Duduve_RegisterObject \"Stage\" \"UNIFORM\" \"UNIFORM\" \"L\" \"C\" \"0\" \"0\"\n"
          "Duduve_RegisterObject \"Logo\" \"FIXED\" \"FIXED\" \"C\" \"T\" \"0\" \"0\"\n"
          "Duduve_RegisterGroup \"Icons\" \"Stage\" \"FIT\" \"Sword;Logo\"\n"
          "Duduve_Apply\n",
     {{13, "member \"Logo\" is registered itself (line 12), so the group never moves it",
       "take \"Logo\" out of the members, or drop its Duduve_RegisterObject line"}}},
    {"a design size beyond 8192 makes every apply refuse",
     "Duduve_Clear\n"
     "Duduve_SetDesignSize \"9000\" \"360\"\n"
     "Duduve_RegisterObject \"Bar\" \"STRETCH\" \"FIXED\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{9,
       "Duduve refuses the design size 9000 x 360 (each side must be 1 to 8192), so every "
       "Duduve_Apply returns 0 until a good size is declared",
       "write Duduve_SetDesignSize \"640\" \"360\" (the page's design size)"},
      {11,
       "Duduve_Apply returns 0 and moves nothing: no design size is declared (Duduve "
       "refused the one on line 9)",
       "declare the design size with Duduve_SetDesignSize before Duduve_Apply"}}},
    {"a design size of 0",
     "Duduve_SetDesignSize \"0\" \"360\"\n"
     "Duduve_RegisterObject \"Bar\" \"STRETCH\" \"FIXED\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{8,
       "Duduve refuses the design size 0 x 360 (each side must be 1 to 8192), so every "
       "Duduve_Apply returns 0 until a good size is declared",
       "write Duduve_SetDesignSize \"640\" \"360\" (the page's design size)"},
      {10,
       "Duduve_Apply returns 0 and moves nothing: no design size is declared (Duduve "
       "refused the one on line 8)",
       "declare the design size with Duduve_SetDesignSize before Duduve_Apply"}}},
    {"a name outside 7-bit ASCII reads as empty",
     HEAD "Duduve_RegisterObject \"Log\xE9\" \"UNIFORM\" \"UNIFORM\" \"C\" \"T\" \"0\" \"0\"\n"
          "Duduve_Apply\n",
     {{11,
       "Name \"Log\xE9\" holds a byte outside 7-bit ASCII (0xE9, character 4), so Duduve "
       "reads it as empty and refuses the line",
       "give the name of an object on the page"}}},
    {"missing parameters",
     HEAD "Duduve_RegisterObject \"Logo\" \"UNIFORM\"\nDuduve_Apply\n",
     {{11,
       "Duduve_RegisterObject takes 7 parameters (Name, WMode, HMode, HAnchor, VAnchor, "
       "NudgeX, NudgeY), found 2: Duduve reads the missing ones as empty",
       "write Duduve_RegisterObject \"Logo\" \"UNIFORM\" \"\" \"\" \"\" \"\" \"\""}}},
    {"a parameter beyond the action's count",
     HEAD "Duduve_Apply \"now\"\n",
     {{11, "Duduve_Apply takes no parameters, found 1: Duduve never reads the extra one",
       "write Duduve_Apply"}}},
    {"numbers with trailing text",
     HEAD "Duduve_RegisterObject \"Logo\" \"UNIFORM\" \"UNIFORM\" \"C\" \"T\" \"5px\" \"abc\"\n"
          "Duduve_Apply\n",
     {{11, "NudgeX \"5px\" has text after the number: Duduve reads 5 and ignores \"px\"",
       "write \"5\""},
      {11, "NudgeY \"abc\" is not a number, so Duduve reads 0",
       "write a whole number such as \"0\""}}},
    {"a number beyond 32 bits",
     HEAD "Duduve_RegisterObject \"Logo\" \"\" \"\" \"\" \"\" \"4294967297\" \"0\"\nDuduve_Apply\n",
     {{11, "NudgeX \"4294967297\" does not fit in 32 bits: Duduve keeps its low 32 bits, 1",
       "write a number from -2147483648 to 2147483647"}}},
    {"page entry without Duduve_Apply",
     HEAD "on resized\nDuduve_Apply\n",
     {{7,
       "page entry never runs Duduve_Apply, so nothing is laid out until the window is first "
       "resized",
       "end the \"on enter\" lines with Duduve_Apply"}}},
    {"an object registered twice",
     HEAD "Duduve_RegisterObject \"bar\" \"FIXED\" \"FIXED\" \"R\" \"B\" \"0\" \"0\"\n"
          "Duduve_Apply\n",
     {{11, "\"bar\" is registered again (first on line 10): this line's rule replaces that one",
       "keep one Duduve_RegisterObject line for \"Bar\""}}},
    {"a pin whose target is not registered",
     HEAD "Duduve_RegisterObject \"Tag\" \"\" \"\" \"\" \"\" \"0\" \"0\"\n"
          "Duduve_PinObject \"Tag\" \"Stage\" \"BL\" \"TL\" \"0\" \"0\"\nDuduve_Apply\n",
     {{12, "\"Tag\" is pinned to \"Stage\", which is not registered, so \"Tag\" never moves",
       "register \"Stage\" with Duduve_RegisterObject before Duduve_Apply"}}},
    {"a pin to itself",
     HEAD "Duduve_PinObject \"Bar\" \" BAR \" \"\" \"\" \"0\" \"0\"\nDuduve_Apply\n",
     {{11, "\"Bar\" is pinned to itself, so it never moves",
       "pin it to another registered object"}}},
    {"a pin of an object not registered yet",
     HEAD "Duduve_PinObject \"Tag\" \"Bar\" \"\" \"\" \"0\" \"0\"\nDuduve_Apply\n",
     {{11, "\"Tag\" is not registered before this line, so Duduve refuses the pin",
       "register \"Tag\" with Duduve_RegisterObject above this line"}}},
    {"a group whose target is not registered",
     HEAD "Duduve_RegisterGroup \"Icons\" \"Stage\" \"FIT\" \"Sword\"\nDuduve_Apply\n",
     {{11,
       "the group \"Icons\" is fitted into \"Stage\", which is not registered, so the group "
       "never moves",
       "register \"Stage\" with Duduve_RegisterObject before Duduve_Apply"}}},
    {"a group that collects from no object",
     HEAD "Duduve_RegisterGroup \"Frame\" \"Bar\" \"FILLL\" \"\"\nDuduve_Apply\n",
     {{11, "Mode \"FILLL\" is not a group mode, so Duduve fits the group (FIT)",
       "write \"FIT\" or \"FILL\""},
      {11,
       "there is no object \"Frame\" on the page to collect the members from, so Duduve "
       "refuses the group",
       "name the frame object drawn behind the members, or list the members"}}},
    {"point words read by their letters",
     HEAD "Duduve_RegisterObject \"Tag\" \"\" \"\" \"\" \"\" \"0\" \"0\"\n"
          "Duduve_PinObject \"Tag\" \"Bar\" \"BOTTOM\" \"tc\" \"0\" \"0\"\nDuduve_Apply\n",
     {{12, "SrcPoint \"BOTTOM\" is not a point code; Duduve reads its letters as TC (Top-Center)",
       "write one of \"TL\", \"TC\", \"TR\", \"CL\", \"CC\", \"CR\", \"BL\", \"BC\" or \"BR\""}}},
    {"Duduve_InitDPI in a page's lines, once with a mode Duduve refuses",
     HEAD "Duduve_InitDPI \"unaware\"\nDuduve_InitDPI \"awar\"\nDuduve_Apply\n",
     {{11,
       "Duduve_InitDPI runs again at every page entry, and only its first call in the process "
       "counts",
       "move it to the host's StartupAction, before any page loads"},
      {12,
       "Duduve_InitDPI runs again at every page entry, and only its first call in the process "
       "counts",
       "move it to the host's StartupAction, before any page loads"},
      {12, "Duduve refuses it: InitDPI: mode must be 'aware' or 'unaware'.",
       "write \"aware\" or \"unaware\""}}},
    {"an action the plug-in does not have",
     HEAD "Duduve_Aply\nDuduve_Apply\n",
     {{11, "Duduve has no action \"Duduve_Aply\", so the host cannot run this line",
       "write Duduve_Apply"}}},
    {"an apply with nothing registered",
     "Duduve_Clear\nDuduve_SetDesignSize \"640\" \"360\"\nDuduve_Apply\n",
     {{10, "Duduve_Apply returns 0 and moves nothing: no object is registered",
       "register the page's objects with Duduve_RegisterObject before Duduve_Apply"}}},
};

#undef HEAD

std::string Describe(const std::vector<Finding>& findings) {
  return FormatFindings("case.page", findings);
}

TEST(PreviewCheck, FindsEachFaultOnItsLineWithWhatDuduveDoesAndHowToWriteIt) {
  for (const auto& example : kCases) {
    Page page;
    const std::string text = std::string(kObjects) + example.Script;
    ASSERT_FALSE(ParsePage(text, "case.page", page)) << example.Situation;
    std::vector<Finding> findings;
    const auto failure =
        CheckPageFile(page, standin::StandInHost::DefaultDllPath(), "case.page", findings);
    ASSERT_FALSE(failure) << failure->Text;
    EXPECT_EQ(findings, example.Expected) << example.Situation << "\nfound:\n"
                                          << Describe(findings) << "expected:\n"
                                          << Describe(example.Expected);
  }
}

// An example page: beside this program in the i386 guest, else in the checkout's examples.
std::optional<std::string> ExamplePage(const std::wstring& name) {
  const std::wstring dll = standin::StandInHost::DefaultDllPath();
  const std::wstring folder = dll.substr(0, dll.find_last_of(L"\\/") + 1);
  for (const std::wstring& place : {name, L"..\\..\\examples\\" + name}) {
    if (auto text = ReadWholeFile(folder + place)) return text;
  }
  return std::nullopt;
}

TEST(PreviewCheck, TheExamplePagesAreClean) {
  for (const wchar_t* name : {L"castle.page", L"shop.page"}) {
    const auto text = ExamplePage(name);
    ASSERT_TRUE(text) << "examples/" << Narrow(name) << " not found";
    Page page;
    ASSERT_FALSE(ParsePage(*text, Narrow(name), page));
    std::vector<Finding> findings;
    ASSERT_FALSE(
        CheckPageFile(page, standin::StandInHost::DefaultDllPath(), Narrow(name), findings));
    EXPECT_EQ(findings, std::vector<Finding>{}) << Describe(findings);
  }
}

TEST(PreviewCheck, SummariesCountTheFindings) {
  EXPECT_EQ(FindingsSummary("a.page", 0), "No findings: Duduve carries out every line as written.");
  EXPECT_EQ(FindingsSummary("a.page", 1), "1 finding: duduve-preview --check a.page lists it.");
  EXPECT_EQ(FindingsSummary("a.page", 3), "3 findings: duduve-preview --check a.page lists them.");
  EXPECT_EQ(FormatFindings("a.page", {{4, "what", "how"}}),
            "a.page:4: warning: what\na.page:4: note: how\n");
}

TEST(PreviewCheck, NumberEndIsWhereTextToIntStops) {
  const struct {
    const wchar_t* Text;
    std::size_t End;
  } cases[] = {{L"1280", 4}, {L"1280px", 4}, {L"-42abc", 3}, {L"$1F", 3}, {L"%102", 3},
               {L"12.9", 2}, {L"- 5", 1},    {L"abc", 0},    {L"+7", 2},  {L"0x10", 1}};
  for (const auto& example : cases) {
    EXPECT_EQ(NumberEnd(example.Text), example.End) << Narrow(example.Text);
  }
}

}  // namespace
}  // namespace preview
