// The preview's page-file reader and command line: what a page says, and every error with
// its file name, line number and what was expected.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "page_file.h"
#include "preview_options.h"

namespace preview {
namespace {

std::string ErrorOf(const std::string& text) {
  Page page;
  const auto error = ParsePage(text, "hall.page", page);
  return error ? error->Text() : "no error";
}

TEST(PreviewPageFile, ReadsObjectsOptionsAndBothScripts) {
  Page page;
  const auto error = ParsePage(
      "# a comment\r\n"
      "page 1280 720\r\n"
      "\r\n"
      "object \"Title Bar\" 0 -5 1280 80 kind=panel colour=#2A4D69 label=\"Castle Quest\"\r\n"
      "object Logo 580 10 120 60 KIND=Image\r\n"
      "Duduve_SetDesignSize \"1280\" \"720\"\r\n"
      "Duduve_RegisterObject \"Title Bar\" \"STRETCH\" \"\" \"L\" \"T\" \"0\" \"0\"\r\n"
      "on resized\r\n"
      "  Duduve_Apply\r\n",
      "hall.page", page);
  ASSERT_FALSE(error.has_value()) << error->Text();
  EXPECT_EQ(page.Width, 1280);
  EXPECT_EQ(page.Height, 720);
  ASSERT_EQ(page.Objects.size(), 2u);
  const PageObject& bar = page.Objects[0];
  EXPECT_EQ(bar.Name, "Title Bar");
  EXPECT_EQ((std::vector<int>{bar.Left, bar.Top, bar.Width, bar.Height}),
            (std::vector<int>{0, -5, 1280, 80}));
  EXPECT_EQ(bar.Kind, ObjectKind::Panel);
  EXPECT_EQ(bar.Colour, 0x2A4D69u);
  EXPECT_EQ(bar.Label, "Castle Quest");
  EXPECT_EQ(bar.Line, 4);
  EXPECT_EQ(page.Objects[1].Kind, ObjectKind::Image);
  EXPECT_FALSE(page.Objects[1].Colour.has_value());
  ASSERT_EQ(page.Enter.size(), 2u);
  EXPECT_EQ(page.Enter[1].Params,
            (std::vector<std::string>{"Title Bar", "STRETCH", "", "L", "T", "0", "0"}));
  EXPECT_EQ(ScriptText(page.Enter[0]), "Duduve_SetDesignSize \"1280\" \"720\"");
  EXPECT_TRUE(page.HasResized);
  ASSERT_EQ(page.Resized.size(), 1u);
  EXPECT_EQ(page.Resized[0].Line, 9);
}

TEST(PreviewPageFile, ObjectsInsideContainersKeepPageCoordinates) {
  Page page;
  const auto error = ParsePage(
      "page 640 360\n"
      "object \"Side Panel\" 440 0 200 360 kind=panel\n"
      "object Card 40 60 300 200\n"
      "object Ok 60 200 80 30 kind=button IN=card\n"
      "object Badge 460 20 40 40 in=\"side panel\" colour=#208040\n"
      "object Star 470 30 10 10 in=Badge\n",
      "hall.page", page);
  ASSERT_FALSE(error.has_value()) << error->Text();
  ASSERT_EQ(page.Objects.size(), 5u);
  const PageObject& ok = page.Objects[2];
  EXPECT_EQ((std::vector<int>{ok.Left, ok.Top, ok.Width, ok.Height}),
            (std::vector<int>{60, 200, 80, 30}));
  EXPECT_EQ(ok.Kind, ObjectKind::Button);
  // The container as its own line spells it.
  EXPECT_EQ(ok.Container, "Card");
  EXPECT_EQ(page.Objects[3].Container, "Side Panel");
  EXPECT_EQ(page.Objects[3].Colour, 0x208040u);
  EXPECT_EQ(page.Objects[4].Container, "Badge");
  EXPECT_EQ(page.Objects[0].Container, "");
  const std::optional<std::size_t> containers[] = {std::nullopt, std::nullopt, 1, 0, 3};
  for (std::size_t i = 0; i < page.Objects.size(); ++i) {
    EXPECT_EQ(ContainerIndex(page, i), containers[i]) << page.Objects[i].Name;
  }
}

TEST(PreviewPageFile, ErrorsNameTheFileTheLineAndWhatWasExpected) {
  EXPECT_EQ(ErrorOf(""), "hall.page: expected a \"page WIDTH HEIGHT\" line");
  EXPECT_EQ(ErrorOf("page 10 10\n"), "hall.page:1: expected at least one \"object\" line");
  EXPECT_EQ(ErrorOf("object A 0 0 10 10\n"),
            "hall.page:1: expected a \"page WIDTH HEIGHT\" line before the first object or "
            "action, found \"object\"");
  EXPECT_EQ(ErrorOf("page 0 720\n"),
            "hall.page:1: expected \"page WIDTH HEIGHT\" with whole numbers from 1 to 8192");
  EXPECT_EQ(ErrorOf("page 8193 720\n"),
            "hall.page:1: expected \"page WIDTH HEIGHT\" with whole numbers from 1 to 8192");
  EXPECT_EQ(ErrorOf("page 10 10\npage 20 20\n"),
            "hall.page:2: expected one \"page\" line, found a second one (the first is on "
            "line 1)");
  EXPECT_EQ(ErrorOf("page 10 10\n\n# note\nobject A 0 0 10\n"),
            "hall.page:4: expected \"object NAME LEFT TOP WIDTH HEIGHT\" with whole numbers "
            "from -100000 to 100000");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 1O 10\n"),
            "hall.page:2: expected \"object NAME LEFT TOP WIDTH HEIGHT\" with whole numbers "
            "from -100000 to 100000");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 0 5\n"),
            "hall.page:2: expected a width and a height of at least 1 for \"A\", found 0 x 5");
  EXPECT_EQ(ErrorOf("page 10 10\nobject Logo 0 0 5 5\nobject LOGO 1 1 5 5\n"),
            "hall.page:3: expected a new object name, found \"LOGO\" again (it is first on "
            "line 2)");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 5 5 colour=red\n"),
            "hall.page:2: expected colour=#rrggbb with six hexadecimal digits, found "
            "\"colour=red\"");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 5 5 kind=round\n"),
            "hall.page:2: expected kind=box, panel, button, text or image, found \"kind=round\"");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 5 5 shadow\n"),
            "hall.page:2: expected kind=..., colour=#rrggbb, label=\"...\" or in=CONTAINER "
            "after the rectangle, found \"shadow\"");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 5 5\nobject B 1 1 2 2 in=Panel\n"),
            "hall.page:3: expected in=CONTAINER naming an object listed on an earlier line, "
            "found \"in=Panel\"");
  EXPECT_EQ(ErrorOf("page 10 10\nobject B 1 1 2 2 in=A\nobject A 0 0 5 5\n"),
            "hall.page:2: expected in=CONTAINER naming an object listed on an earlier line, "
            "found \"in=A\"");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 5 5 in=A\n"),
            "hall.page:2: expected in=CONTAINER naming an object listed on an earlier line, "
            "found \"in=A\"");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 5 5\nobject B 1 1 2 2 in=\n"),
            "hall.page:3: expected in=CONTAINER naming an object listed on an earlier line, "
            "found \"in=\"");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 5 5\nDuduve_SetDesignSize 1280 \"720\"\n"),
            "hall.page:3: expected every parameter of Duduve_SetDesignSize in double quotes, "
            "found 1280");
  EXPECT_EQ(ErrorOf("page 10 10\r\nobject A 0 0 5 5\r\nDuduve_Clear \"open\r\n"),
            "hall.page:3: expected a closing double quote on the line");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 5 5\nApply\n"),
            "hall.page:3: expected \"page\", \"object\", \"on\", an action such as "
            "Duduve_Apply, or a comment starting with #, found \"Apply\"");
  EXPECT_EQ(ErrorOf("page 10 10\nobject A 0 0 5 5\non click\n"),
            "hall.page:3: expected \"on enter\" or \"on resized\"");
}

TEST(PreviewPageFile, ScriptLinesMustNameDeclaredActionsWithTheirParameterCount) {
  const std::vector<KnownAction> actions = {{1, "Duduve_SetDesignSize", 2}, {3, "Duduve_Apply", 0}};
  Page page;
  ASSERT_FALSE(
      ParsePage("page 10 10\nobject A 0 0 5 5\nduduve_setdesignsize \"10\" \"10\"\n"
                "on resized\nDuduve_Apply\n",
                "hall.page", page));
  EXPECT_FALSE(CheckActions(page, actions, "hall.page").has_value());
  EXPECT_EQ(page.Enter[0].ActionId, 1);
  EXPECT_EQ(page.Resized[0].ActionId, 3);

  ASSERT_FALSE(
      ParsePage("page 10 10\nobject A 0 0 5 5\nDuduve_SetDesignSize \"10\"\n", "hall.page", page));
  EXPECT_EQ(CheckActions(page, actions, "hall.page")->Text(),
            "hall.page:3: expected 2 parameters in double quotes for Duduve_SetDesignSize, "
            "found 1");
  ASSERT_FALSE(
      ParsePage("page 10 10\nobject A 0 0 5 5\non resized\nDuduve_Aply\n", "hall.page", page));
  EXPECT_EQ(CheckActions(page, actions, "hall.page")->Text(),
            "hall.page:4: expected one of the plug-in's actions (Duduve_SetDesignSize, "
            "Duduve_Apply), found \"Duduve_Aply\"");
}

TEST(PreviewOptions, SizesAndArguments) {
  EXPECT_EQ(ParseSizes("1024x768,1280X720"), (std::vector<WindowSize>{{1024, 768}, {1280, 720}}));
  for (const char* bad : {"", "1024", "1024x", "x768", "0x10", "8193x10", "1024x768,", "10x10x"}) {
    EXPECT_FALSE(ParseSizes(bad).has_value()) << bad;
  }
  Options options;
  EXPECT_FALSE(ParseArguments({L"castle.page"}, options).has_value());
  EXPECT_EQ(options.Sizes, DefaultSizes());
  EXPECT_TRUE(options.Pictures && options.Sheet);
  EXPECT_FALSE(options.Live);
  EXPECT_FALSE(ParseArguments({L"--live", L"castle.page"}, options));
  EXPECT_TRUE(options.Live);
  EXPECT_EQ(options.PagePath, L"castle.page");
  EXPECT_FALSE(ParseArguments({L"--sizes", L"800x600", L"castle.page", L"--no-sheet"}, options));
  EXPECT_EQ(options.Sizes, (std::vector<WindowSize>{{800, 600}}));
  EXPECT_FALSE(options.Sheet);
  EXPECT_EQ(ParseArguments({L"castle.page", L"--sizes", L"800by600"}, options),
            "expected --sizes WIDTHxHEIGHT[,WIDTHxHEIGHT...] with sides from 1 to 8192, found "
            "\"800by600\"");
  EXPECT_EQ(ParseArguments({L"castle.page", L"--out"}, options), "expected a value after --out");
  EXPECT_EQ(ParseArguments({}, options), "expected a page file (see --help)");
  EXPECT_EQ(ParseArguments({L"a.page", L"b.page"}, options),
            "expected one page file, found a second");
}

}  // namespace
}  // namespace preview
