// duduve-preview --check on the page laid out by the real Duduve.dll: at its design size
// every object that moves is reported on the line that places it, with the reason and the
// line that keeps it in place; at 4:3, 16:9, 21:9 and portrait 3:4 the remarks say what the
// rules do. One small page per finding, with its exact findings.
#include <gtest/gtest.h>

#include <vector>

#include "preview_check_fixture.h"

namespace preview {
namespace {

const CheckCase kLayoutCases[] = {
    {"anchor C centres an object drawn off-centre",
     "page 640 360\n"
     "object Answer 40 200 240 60\n"
     "on enter\n"
     "Duduve_SetDesignSize \"640\" \"360\"\n"
     "Duduve_RegisterObject \"Answer\" \"STRETCH\" \"UNIFORM\" \"L\" \"C\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{5,
       "at the design size \"Answer\" moves 50 px up (from 40, 200 to 40, 150): VAnchor C "
       "centres it in the window, and it is drawn off-centre",
       "write Duduve_RegisterObject \"Answer\" \"STRETCH\" \"UNIFORM\" \"L\" \"T\" \"0\" \"0\""}}},
    {"anchor C on a FIXED width keeps the nearer edge's margin instead",
     "page 640 360\n"
     "object Badge 500 20 100 40\n"
     "on enter\n"
     "Duduve_SetDesignSize \"640\" \"360\"\n"
     "Duduve_RegisterObject \"Badge\" \"FIXED\" \"FIXED\" \"C\" \"T\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{5,
       "at the design size \"Badge\" moves 230 px left (from 500, 20 to 270, 20): HAnchor C "
       "centres it in the window, and it is drawn off-centre",
       "write Duduve_RegisterObject \"Badge\" \"FIXED\" \"FIXED\" \"R\" \"T\" \"0\" \"0\""}}},
    {"a pin's offset that does not match the drawing",
     "page 640 360\n"
     "object Bar 0 0 640 60\n"
     "object Tag 300 70 40 20\n"
     "on enter\n"
     "Duduve_SetDesignSize \"640\" \"360\"\n"
     "Duduve_RegisterObject \"Bar\" \"STRETCH\" \"FIXED\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_RegisterObject \"Tag\" \"\" \"\" \"\" \"\" \"0\" \"0\"\n"
     "Duduve_PinObject \"Tag\" \"Bar\" \"TC\" \"BC\" \"0\" \"4\"\n"
     "Duduve_Apply\n",
     {{8,
       "at the design size \"Tag\" moves 6 px up (from 300, 70 to 300, 64): the pin's offset "
       "(0, 4) does not match where it is drawn",
       "write Duduve_PinObject \"Tag\" \"Bar\" \"TC\" \"BC\" \"0\" \"10\""}}},
    {"a pinned object follows a target that moves",
     "page 640 360\n"
     "object Stage 40 60 200 160\n"
     "object Tag 40 40 80 16\n"
     "on enter\n"
     "Duduve_SetDesignSize \"640\" \"360\"\n"
     "Duduve_RegisterObject \"Stage\" \"UNIFORM\" \"UNIFORM\" \"L\" \"C\" \"0\" \"0\"\n"
     "Duduve_RegisterObject \"Tag\" \"\" \"\" \"\" \"\" \"0\" \"0\"\n"
     "Duduve_PinObject \"Tag\" \"Stage\" \"BL\" \"TL\" \"0\" \"-4\"\n"
     "Duduve_Apply\n",
     {{6,
       "at the design size \"Stage\" moves 40 px down (from 40, 60 to 40, 100): VAnchor C "
       "centres it in the window, and it is drawn off-centre",
       "write Duduve_RegisterObject \"Stage\" \"UNIFORM\" \"UNIFORM\" \"L\" \"T\" \"0\" \"0\""},
      {8,
       "at the design size \"Tag\" moves 40 px down (from 40, 40 to 40, 80) with \"Stage\", which "
       "it is pinned to",
       "keep \"Stage\" where it is drawn (line 6)", Severity::Remark}}},
    {"a FIT group maps its members' box onto the whole target",
     "page 640 360\n"
     "object Tray 40 40 320 120\n"
     "object Pen 60 60 80 80\n"
     "object Ink 160 60 80 80\n"
     "on enter\n"
     "Duduve_SetDesignSize \"640\" \"360\"\n"
     "Duduve_RegisterObject \"Tray\" \"STRETCH\" \"STRETCH\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_RegisterGroup \"Tools\" \"Tray\" \"FIT\" \"Pen;Ink\"\n"
     "Duduve_Apply\n",
     {{8,
       "at the design size the FIT group \"Tools\" maps its members' box (60 60 180 80) onto the "
       "whole of \"Tray\" (40 40 320 120), so 2 members move up to 55 px and change size "
       "(\"Pen\" 80 x 80 becomes 120 x 120)",
       "name the group after an object drawn as large as \"Tray\" (40 40 320 120), which "
       "becomes its frame, or draw \"Tray\" as large as the members' box (60 60 180 80)"}}},
    {"a FILL group's frame smaller than its target",
     "page 640 360\n"
     "object Tray 40 40 320 120\n"
     "object Frame 60 60 180 80\n"
     "object Pen 60 60 80 80\n"
     "object Ink 160 60 80 80\n"
     "on enter\n"
     "Duduve_SetDesignSize \"640\" \"360\"\n"
     "Duduve_RegisterObject \"Tray\" \"STRETCH\" \"STRETCH\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_RegisterGroup \"Frame\" \"Tray\" \"FILL\" \"Pen;Ink\"\n"
     "Duduve_Apply\n",
     {{9,
       "at the design size the FILL group \"Frame\" maps its frame \"Frame\" (60 60 180 80) onto "
       "the whole of \"Tray\" (40 40 320 120), so its frame and 2 members move up to 58 px and "
       "change size (\"Frame\" 180 x 80 becomes 320 x 120)",
       "draw \"Frame\" as large as \"Tray\" (40 40 320 120), or draw \"Tray\" as large as "
       "\"Frame\" (60 60 180 80)"}}},
    {"a group named after a frame as large as its target stays",
     "page 640 360\n"
     "object Tray 40 40 320 120\n"
     "object Frame 40 40 320 120\n"
     "object Pen 60 60 80 80\n"
     "object Ink 160 60 80 80\n"
     "on enter\n"
     "Duduve_SetDesignSize \"640\" \"360\"\n"
     "Duduve_RegisterObject \"Tray\" \"STRETCH\" \"STRETCH\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_RegisterGroup \"Frame\" \"Tray\" \"FIT\" \"Pen;Ink\"\n"
     "Duduve_Apply\n",
     {}},
    {"a nudge moves an object at every size",
     "page 640 360\n"
     "object Box 40 40 100 50\n"
     "on enter\n"
     "Duduve_SetDesignSize \"640\" \"360\"\n"
     "Duduve_RegisterObject \"Box\" \"UNIFORM\" \"UNIFORM\" \"L\" \"T\" \"0\" \"12\"\n"
     "Duduve_Apply\n",
     {{5,
       "at the design size \"Box\" moves 12 px down (from 40, 40 to 40, 52): its nudge moves it "
       "by that much at every window size",
       "to show it where it is drawn, write Duduve_RegisterObject \"Box\" \"UNIFORM\" \"UNIFORM\" "
       "\"L\" \"T\" \"0\" \"0\"",
       Severity::Remark}}},
    {"a declared design size that is not the page's",
     "page 640 360\n"
     "object Box 40 40 100 50\n"
     "on enter\n"
     "Duduve_SetDesignSize \"1280\" \"720\"\n"
     "Duduve_RegisterObject \"Box\" \"STRETCH\" \"STRETCH\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{4,
       "Duduve_SetDesignSize declares 1280 x 720, but the page is drawn at 640 x 360, so at the "
       "page's own size every object moves",
       "write Duduve_SetDesignSize \"640\" \"360\" (the page's design size)"}}},
    {"an object that leaves narrower windows",
     "page 1280 720\n"
     "object Panel 1000 100 260 200\n"
     "on enter\n"
     "Duduve_SetDesignSize \"1280\" \"720\"\n"
     "Duduve_RegisterObject \"Panel\" \"FIXED\" \"FIXED\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{5,
       "\"Panel\" leaves the window at 4:3 (1024 x 768), 36 px past its right edge; at portrait "
       "3:4 (768 x 1024), 92 px past its right edge",
       "anchor it R to keep its right margin: write Duduve_RegisterObject \"Panel\" \"FIXED\" "
       "\"FIXED\" \"R\" \"T\" \"0\" \"0\"",
       Severity::Remark}}},
    {"an object Duduve never moves leaves narrower windows",
     "page 1280 720\n"
     "object Bar 0 0 1280 80\n"
     "object Clock 1100 100 120 60\n"
     "on enter\n"
     "Duduve_SetDesignSize \"1280\" \"720\"\n"
     "Duduve_RegisterObject \"Bar\" \"STRETCH\" \"FIXED\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{3,
       "\"Clock\" leaves the window at 4:3 (1024 x 768), 196 px past its right edge; at portrait "
       "3:4 (768 x 1024), 452 px past its right edge",
       "register \"Clock\" with Duduve_RegisterObject, so that it follows the window",
       Severity::Remark}}},
    {"two objects that meet in narrower windows",
     "page 1280 720\n"
     "object Menu 20 100 300 400\n"
     "object Board 340 100 900 400\n"
     "on enter\n"
     "Duduve_SetDesignSize \"1280\" \"720\"\n"
     "Duduve_RegisterObject \"Menu\" \"FIXED\" \"STRETCH\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_RegisterObject \"Board\" \"STRETCH\" \"STRETCH\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{7,
       "\"Menu\" and \"Board\" overlap at 4:3 (1024 x 768), by 44 x 427 px; at portrait 3:4 "
       "(768 x 1024), by 108 x 569 px, though they are apart in the design",
       "to keep them apart, give them rules that move them alike where they meet (the same "
       "policy and anchor on that axis), or pin one to the other",
       Severity::Remark}}},
    {"R on a STRETCH width",
     "page 640 360\n"
     "object Bar 0 0 640 60\n"
     "object Score 520 80 100 40\n"
     "on enter\n"
     "Duduve_SetDesignSize \"640\" \"360\"\n"
     "Duduve_RegisterObject \"Bar\" \"STRETCH\" \"FIXED\" \"L\" \"T\" \"0\" \"0\"\n"
     "Duduve_RegisterObject \"Score\" \"STRETCH\" \"STRETCH\" \"R\" \"T\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{7,
       "HAnchor R on a STRETCH width puts \"Score\" where L would: both its margins scale with "
       "the window",
       "to keep it by the right edge at its own width, write Duduve_RegisterObject \"Score\" "
       "\"FIXED\" \"STRETCH\" \"R\" \"T\" \"0\" \"0\"; to hug the window's right edge while it "
       "scales, add after line 7: Duduve_PinObject \"Score\" \"Bar\" \"TR\" \"TR\" \"-20\" "
       "\"80\"",
       Severity::Remark}}},
    {"R and B on UNIFORM axes",
     "page 1280 720\n"
     "object Score 1080 600 180 60\n"
     "on enter\n"
     "Duduve_SetDesignSize \"1280\" \"720\"\n"
     "Duduve_RegisterObject \"Score\" \"UNIFORM\" \"UNIFORM\" \"R\" \"B\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{5,
       "HAnchor R on a UNIFORM width and VAnchor B on a UNIFORM height put \"Score\" where L and "
       "T would: it sits in the centred uniform frame, whose margins scale, so at 21:9 (2560 x "
       "1080) it is 350 px from the window's right edge (20 px in the design), and at portrait "
       "3:4 (768 x 1024) it is 332 px from the window's bottom edge (60 px in the design)",
       "to keep it by the bottom-right corner at its own size, write Duduve_RegisterObject "
       "\"Score\" \"FIXED\" \"FIXED\" \"R\" \"B\" \"0\" \"0\"; to hug the window's bottom-right "
       "corner while it scales, pin its BR point to the BR point of an object that stretches to "
       "that corner",
       Severity::Remark}}},
    {"R or B that change nothing, on an object that C moves as well",
     "page 640 360\n"
     "object Start 500 300 100 40\n"
     "on enter\n"
     "Duduve_SetDesignSize \"640\" \"360\"\n"
     "Duduve_RegisterObject \"Start\" \"UNIFORM\" \"UNIFORM\" \"C\" \"B\" \"0\" \"0\"\n"
     "Duduve_Apply\n",
     {{5,
       "at the design size \"Start\" moves 230 px left (from 500, 300 to 270, 300): HAnchor C "
       "centres it in the window, and it is drawn off-centre",
       "write Duduve_RegisterObject \"Start\" \"UNIFORM\" \"UNIFORM\" \"L\" \"B\" \"0\" \"0\""},
      {5,
       "VAnchor B on a UNIFORM height puts \"Start\" where T would: it sits in the centred "
       "uniform frame, whose margins scale, so at portrait 3:4 (768 x 1024) it is 320 px from "
       "the window's bottom edge (20 px in the design)",
       "to keep it by the bottom edge at its own height, write Duduve_RegisterObject \"Start\" "
       "\"UNIFORM\" \"FIXED\" \"L\" \"B\" \"0\" \"0\"; to hug the window's bottom edge while it "
       "scales, pin its BL point to the BL point of an object that stretches to that edge",
       Severity::Remark}}},
};

TEST(PreviewCheckLayout, ReportsEveryMoveAtTheDesignSizeAndRemarksOnEachShapeWithCleanLines) {
  for (const auto& example : kLayoutCases) ExpectFindings(example);
}

}  // namespace
}  // namespace preview
