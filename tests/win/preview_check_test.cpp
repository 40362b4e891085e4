// duduve-preview --check through the real Duduve.dll: small pages with one mistake each in
// how the lines are read or carried out, and the findings each gives, line by line; numbers
// read by the plug-in's grammar; the example pages give no warning.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ascii_text.h"
#include "check_reading.h"
#include "core/text_rules.h"
#include "file_output.h"
#include "page_check.h"
#include "preview_check_fixture.h"

namespace preview {
namespace {

// Lines 1 to 7; each case's script starts on line 8.
#define OBJECTS                    \
  "page 640 360\n"                 \
  "object Bar     0   0 640  60\n" \
  "object Logo  270  10 100  40\n" \
  "object Stage  40 100 200 200\n" \
  "object Tag    40  80  80  16\n" \
  "object Sword  60 120  40  40\n" \
  "on enter\n"

// The head every case but the design-size ones starts with: lines 8 to 10.
#define HEAD                               \
  OBJECTS                                  \
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
          "Duduve_RegisterObject \"Stage\" \"UNIFORM\" \"UNIFORM\" \"L\" \"T\" \"0\" \"0\"\n"
          "Duduve_PinObject \"Stage\" \"Bar\" \"TL\" \"BL\" \"40\" \"40\"\n"
          "Duduve_Apply\n",
     {{12,
       "\"Tag\" is pinned to \"Stage\", which is pinned too and comes later in the registry "
       "(registered on line 13), so \"Tag\" never moves",
       "register \"Stage\" (line 13) before \"Tag\" (line 11)"}}},
    {"a group member that is also registered",
     HEAD "Duduve_RegisterObject \"Stage\" \"UNIFORM\" \"UNIFORM\" \"L\" \"T\" \"0\" \"0\"\n"
          "Duduve_RegisterObject \"Logo\" \"FIXED\" \"FIXED\" \"C\" \"T\" \"0\" \"0\"\n"
          "Duduve_RegisterGroup \"Icons\" \"Stage\" \"FIT\" \"Logo\"\n"
          "Duduve_Apply\n",
     {{13, "member \"Logo\" is registered itself (line 12), so the group never moves it",
       "take \"Logo\" out of the members, or drop its Duduve_RegisterObject line"}}},
    {"a design size beyond 8192 makes every apply refuse",
     OBJECTS "Duduve_Clear\n"
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
     OBJECTS "Duduve_SetDesignSize \"0\" \"360\"\n"
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
       "write a whole number such as \"0\""},
      {11,
       "at the design size \"Logo\" moves 5 px right (from 270, 10 to 275, 10): its nudge moves "
       "it by that much at every window size",
       "to show it where it is drawn, write Duduve_RegisterObject \"Logo\" \"UNIFORM\" "
       "\"UNIFORM\" \"C\" \"T\" \"0\" \"0\"",
       Severity::Remark}}},
    {"a number beyond 32 bits",
     HEAD "Duduve_RegisterObject \"Logo\" \"\" \"\" \"\" \"\" \"4294967296\" \"0\"\nDuduve_Apply\n",
     {{11, "NudgeX \"4294967296\" does not fit in 32 bits: Duduve keeps its low 32 bits, 0",
       "write a number from -2147483648 to 2147483647"}}},
    {"page entry without Duduve_Apply",
     HEAD "on resized\nDuduve_Apply\n",
     {{7,
       "page entry never runs Duduve_Apply, so nothing is laid out until the window is first "
       "resized",
       "end the \"on enter\" lines with Duduve_Apply"}}},
    {"an object registered twice",
     HEAD "Duduve_RegisterObject \"bar\" \"STRETCH\" \"FIXED\" \"L\" \"T\" \"0\" \"0\"\n"
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
     HEAD "Duduve_RegisterObject \"Sword\" \"\" \"\" \"\" \"\" \"0\" \"0\"\n"
          "Duduve_PinObject \"Sword\" \"Bar\" \"BOTTOM\" \"tc\" \"-240\" \"120\"\nDuduve_Apply\n",
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
    {"a misspelt action with parameters",
     HEAD "Duduve_RegisterObjet \"Logo\" \"UNIFORM\" \"UNIFORM\" \"C\" \"T\" \"0\" \"0\"\n"
          "Duduve_Apply\n",
     {{11, "Duduve has no action \"Duduve_RegisterObjet\", so the host cannot run this line",
       "write Duduve_RegisterObject \"Logo\" \"UNIFORM\" \"UNIFORM\" \"C\" \"T\" \"0\" \"0\""}}},
    {"an apply with nothing registered",
     OBJECTS "Duduve_Clear\nDuduve_SetDesignSize \"640\" \"360\"\nDuduve_Apply\n",
     {{10, "Duduve_Apply returns 0 and moves nothing: no object is registered",
       "register the page's objects with Duduve_RegisterObject before Duduve_Apply"}}},
    {"a second Duduve_InitDPI with a good mode",
     HEAD "Duduve_InitDPI \"unaware\"\nDuduve_InitDPI \"aware\"\nDuduve_Apply\n",
     {{11,
       "Duduve_InitDPI runs again at every page entry, and only its first call in the process "
       "counts",
       "move it to the host's StartupAction, before any page loads"},
      {12,
       "Duduve refuses it: InitDPI already called; cannot change DPI mode at runtime. Only the "
       "first Duduve_InitDPI of the process counts: the one on line 11",
       "keep one Duduve_InitDPI, in the host's StartupAction, before any page loads"}}},
    {"Duduve_InitDPI on every resize",
     HEAD "Duduve_Apply\non resized\nDuduve_InitDPI \"unaware\"\nDuduve_Apply\n",
     {{13,
       "Duduve refuses it: InitDPI already called; cannot change DPI mode at runtime. Only the "
       "first Duduve_InitDPI of the process counts: this line's own first run",
       "keep one Duduve_InitDPI, in the host's StartupAction, before any page loads"}}},
    {"a design size written as one parameter",
     HEAD "Duduve_SetDesignSize \"640x360\"\nDuduve_Apply\n",
     {{11,
       "Duduve_SetDesignSize takes 2 parameters (W, H), found 1: Duduve reads the missing one as "
       "empty",
       "write Duduve_SetDesignSize \"640\" \"360\""},
      {11, "W \"640x360\" has text after the number: Duduve reads 640 and ignores \"x360\"",
       "write \"640\""},
      {11,
       "Duduve refuses the design size 640 x 0 (each side must be 1 to 8192); the size declared "
       "before stays",
       "write Duduve_SetDesignSize \"640\" \"360\" (the page's design size)"}}},
    {"a refused design size still lets the other lines be checked",
     OBJECTS "Duduve_SetDesignSize \"0\" \"360\"\n"
             "Duduve_RegisterObject \"Stage\" \"UNIFORM\" \"UNIFORM\" \"L\" \"T\" \"0\" \"0\"\n"
             "Duduve_RegisterObject \"Sword\" \"FIXED\" \"FIXED\" \"L\" \"T\" \"0\" \"0\"\n"
             "Duduve_RegisterGroup \"Items\" \"Stage\" \"FIT\" \"Sword\"\n"
             "Duduve_Apply\n",
     {{8,
       "Duduve refuses the design size 0 x 360 (each side must be 1 to 8192), so every "
       "Duduve_Apply returns 0 until a good size is declared",
       "write Duduve_SetDesignSize \"640\" \"360\" (the page's design size)"},
      {11, "member \"Sword\" is registered itself (line 10), so the group never moves it",
       "take \"Sword\" out of the members, or drop its Duduve_RegisterObject line"},
      {12,
       "Duduve_Apply returns 0 and moves nothing: no design size is declared (Duduve "
       "refused the one on line 8)",
       "declare the design size with Duduve_SetDesignSize before Duduve_Apply"}}},
};

#undef HEAD

TEST(PreviewCheck, FindsEachFaultOnItsLineWithWhatDuduveDoesAndALineThatIsClean) {
  for (const auto& example : kCases) ExpectFindings(example);
}

// Each example page with the remarks it gives; it gives no warning.
struct ExamplePage {
  const wchar_t* File;
  std::vector<Finding> Remarks;
};
const ExamplePage kExamplePages[] = {
    {L"castle.page", {}},
    {L"shop.page",
     {{39,
       "HAnchor R on a STRETCH width puts \"Basket\" where L would: both its margins scale with "
       "the window",
       "to keep it by the right edge at its own width, write Duduve_RegisterObject \"Basket\" "
       "\"FIXED\" \"STRETCH\" \"R\" \"T\" \"0\" \"0\"; to hug the window's right edge while it "
       "scales, add after line 39: Duduve_PinObject \"Basket\" \"TopBar\" \"TR\" \"TR\" \"0\" "
       "\"70\"",
       Severity::Remark}}},
};

// An example page: beside this program in the i386 guest, else in the checkout's examples.
std::optional<std::string> ReadExample(const std::wstring& file) {
  const std::wstring dll = standin::StandInHost::DefaultDllPath();
  const std::wstring folder = dll.substr(0, dll.find_last_of(L"\\/") + 1);
  for (const std::wstring& place : {folder + file, folder + L"..\\..\\examples\\" + file}) {
    if (auto text = ReadWholeFile(place)) return text;
  }
  return std::nullopt;
}

TEST(PreviewCheck, TheExamplePagesGiveNoWarningAndTheirRemarks) {
  for (const auto& example : kExamplePages) {
    const auto text = ReadExample(example.File);
    ASSERT_TRUE(text) << "examples/" << Narrow(example.File) << " not found";
    const auto findings = CheckText(*text);
    EXPECT_EQ(findings, example.Remarks) << Narrow(example.File) << "\n" << Describe(findings);
  }
}

TEST(PreviewCheck, EveryExamplePageIsInTheTable) {
  const std::wstring dll = standin::StandInHost::DefaultDllPath();
  const std::wstring examples = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"..\\..\\examples\\";
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((examples + L"*.page").c_str(), &found);
  // The i386 guest runs with the pages beside the program and no examples folder.
  if (search == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no examples folder";
  do {
    const std::wstring name = found.cFileName;
    EXPECT_TRUE(std::any_of(std::begin(kExamplePages), std::end(kExamplePages),
                            [&](const ExamplePage& page) { return name == page.File; }))
        << Narrow(name) << " has no row in kExamplePages";
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

TEST(PreviewCheck, SummariesCountWarningsAndRemarks) {
  EXPECT_EQ(FindingsSummary("a.page", {}),
            "No findings: Duduve carries out every line as written.");
  EXPECT_EQ(FindingsSummary("a.page", {1, 0}),
            "1 warning: duduve-preview --check a.page lists it.");
  EXPECT_EQ(FindingsSummary("a.page", {0, 3}),
            "3 remarks: duduve-preview --check a.page lists them.");
  EXPECT_EQ(FindingsSummary("a.page", {2, 1}),
            "2 warnings and 1 remark: duduve-preview --check a.page lists them.");
  EXPECT_EQ(
      FormatFindings("a.page", {{4, "what", "how"}, {5, "so", "then", Severity::Remark}}),
      "a.page:4: warning: what\na.page:4: note: how\na.page:5: remark: so\na.page:5: note: then\n");
}

// Numbers as the plug-in's grammar reads them: what a NudgeX of each text gives.
TEST(PreviewCheck, NumbersAreReadByTheGrammarOfTheirParse) {
  const ParamSpec nudge{"NudgeX", ParamKind::Number};
  const auto notANumber = [](const char* text) {
    return std::vector<Finding>{
        {1, "NudgeX \"" + std::string(text) + "\" is not a number, so Duduve reads 0",
         "write a whole number such as \"0\""}};
  };
  const auto after = [](const char* text, const char* read, const char* rest) {
    return std::vector<Finding>{{1,
                                 "NudgeX \"" + std::string(text) +
                                     "\" has text after the number: Duduve reads " + read +
                                     " and ignores \"" + rest + "\"",
                                 "write \"" + std::string(read) + "\""}};
  };
  const auto beyond = [](const char* text, const char* kept) {
    return std::vector<Finding>{{1,
                                 "NudgeX \"" + std::string(text) +
                                     "\" does not fit in 32 bits: Duduve keeps its low 32 bits, " +
                                     kept,
                                 "write a number from -2147483648 to 2147483647"}};
  };
  const struct {
    const char* Text;
    std::vector<Finding> Expected;
  } cases[] = {
      {"1280", {}},
      {"+7", {}},
      {"-$10", {}},
      {"$1F", {}},
      {"%101", {}},
      {"\t5", {}},
      {"-2147483648", {}},
      {"2147483647", {}},
      {"-", notANumber("-")},
      {"+", notANumber("+")},
      {"$", notANumber("$")},
      {"%", notANumber("%")},
      {"-$", notANumber("-$")},
      {"abc", notANumber("abc")},
      {"- 5", notANumber("- 5")},
      {"$G", notANumber("$G")},
      {"5px", after("5px", "5", "px")},
      {"-42abc", after("-42abc", "-42", "abc")},
      {"12.9", after("12.9", "12", ".9")},
      {"1e3", after("1e3", "1", "e3")},
      {"%102", after("%102", "2", "2")},
      {"0x10", after("0x10", "0", "x10")},
      {"2147483648", beyond("2147483648", "-2147483648")},
      {"-2147483649", beyond("-2147483649", "2147483647")},
      {"4294967297", beyond("4294967297", "1")},
      {"$FFFFFFFF", beyond("$FFFFFFFF", "-1")},
      {"8198552921648689607", beyond("8198552921648689607", "-954437177")},
      // Beyond 64 bits the plug-in's value wraps; its low 32 bits are still kept.
      {"99999999999999999999999", beyond("99999999999999999999999", "-159383553")},
      {"18446744073709551621", beyond("18446744073709551621", "5")},
  };
  for (const auto& example : cases) {
    std::vector<Finding> findings;
    AddReadingFindings(1, nudge, ReadAsPlugIn(example.Text), findings);
    EXPECT_EQ(findings, example.Expected) << example.Text << "\n" << Describe(findings);
    // The grammar reads the value the plug-in's parse gives.
    const std::wstring wide = Widen(example.Text);
    EXPECT_EQ(ReadNumberText(wide).Value, duduve::TextToInt(wide)) << example.Text;
  }
}

}  // namespace
}  // namespace preview
