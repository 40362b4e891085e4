// Host scripts that call back into the plug-in from inside the variable publication at the
// end of an apply pass: another apply, a clear, and the reset and release messages.
#include "fault_fixture.h"

namespace fault_test {
namespace {

class PublicationReentry : public FaultPage {
 protected:
  // Two objects on a 1280 x 720 canvas, and the window made 1.5 times larger.
  void Page() {
    host.AddObject("A", {100, 50, 200, 100});
    host.AddObject("B", {400, 300, 100, 50});
    ASSERT_EQ(DesignSize(1280, 720), 1);
    ASSERT_EQ(Register({"A"}), 1);
    ASSERT_EQ(Register({"B", "FIXED", "FIXED", "R", "B"}), 1);
    host.Resize(1920, 1080);
    host.ClearRecords();
    host.ResetPaintCounters();
  }

  // Runs `nested` from inside the first variable the next pass publishes.
  template <typename Nested>
  void OnFirstPublication(Nested nested) {
    host.OnSetVariable = [this, nested, fired = false](standin::StandInHost&) mutable {
      if (fired) return;
      fired = true;
      nestedResult = nested();
    };
  }

  std::vector<std::string> PublishedNames() const {
    std::vector<std::string> names;
    for (const auto& set : host.Variables()) names.push_back(set.Name);
    return names;
  }

  static const std::vector<std::string>& SixNames() {
    static const std::vector<std::string> names = {"[Duduve.ScaleX]",  "[Duduve.ScaleY]",
                                                   "[Duduve.Uniform]", "[Duduve.FontScale]",
                                                   "[Duduve.DPI]",     "[Duduve.DPIScale]"};
    return names;
  }

  static constexpr Box kAppliedA{150, 75, 300, 150};
  // FIXED 100 x 50 anchored right and bottom: margins 780 and 370 scaled by 1.5.
  static constexpr Box kAppliedB{650, 475, 100, 50};
  static constexpr Box kDesignA{100, 50, 200, 100};
  static constexpr Box kDesignB{400, 300, 100, 50};

  int nestedResult = -1;
};

TEST_F(PublicationReentry, AnApplyFromInsideGetsZero) {
  Page();
  OnFirstPublication([this] { return ExecBare(3); });
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(nestedResult, 0);
  EXPECT_EQ(PublishedNames(), SixNames());  // once each: the nested pass published nothing
  EXPECT_EQ(host.ObjectBox("A"), kAppliedA);
  EXPECT_EQ(host.ObjectBox("B"), kAppliedB);
  EXPECT_EQ(host.RedrawOffCount(), 1);
  EXPECT_EQ(host.RedrawOnCount(), 1);
  host.OnSetVariable = nullptr;
  EXPECT_EQ(Apply(), 1);  // nothing is left marked as running
}

TEST_F(PublicationReentry, AClearFromInsideRestoresAndEmpties) {
  Page();
  OnFirstPublication([this] { return ExecBare(4); });
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(nestedResult, 1);
  EXPECT_EQ(PublishedNames(), SixNames());  // the publication still completes
  EXPECT_EQ(host.VariableValue("[Duduve.ScaleX]"), "1.5000");
  EXPECT_EQ(host.ObjectBox("A"), kDesignA);
  EXPECT_EQ(host.ObjectBox("B"), kDesignB);
  host.OnSetVariable = nullptr;
  EXPECT_EQ(Apply(), 0);  // no objects left

  // The design size and the first measurements stay, as after any clear.
  ASSERT_EQ(Register({"A"}), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("A"), kAppliedA);
}

TEST_F(PublicationReentry, AResetFromInsideForgetsTheLayoutAndMovesNothing) {
  Page();
  OnFirstPublication([this] { return host.Message(1); });
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(nestedResult, 0);
  EXPECT_EQ(PublishedNames(), SixNames());
  EXPECT_EQ(host.ObjectBox("A"), kAppliedA);  // the reset moves nothing
  EXPECT_EQ(host.ObjectBox("B"), kAppliedB);
  host.OnSetVariable = nullptr;
  EXPECT_EQ(Apply(), 0);  // no objects and no design size

  // A fresh page: A is measured afresh where it now stands.
  ASSERT_EQ(DesignSize(1920, 1080), 1);
  ASSERT_EQ(Register({"A"}), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("A"), kAppliedA);
  EXPECT_EQ(host.VariableValue("[Duduve.ScaleX]"), "1.0000");
}

TEST_F(PublicationReentry, AReleaseFromInsideRestoresAndForgetsEverything) {
  Page();
  OnFirstPublication([this] { return host.Message(2); });
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(nestedResult, 0);
  EXPECT_EQ(PublishedNames(), SixNames());
  EXPECT_EQ(host.ObjectBox("A"), kDesignA);
  EXPECT_EQ(host.ObjectBox("B"), kDesignB);
  host.OnSetVariable = nullptr;
  EXPECT_EQ(Apply(), 0);
  ASSERT_EQ(Register({"A"}), 1);
  EXPECT_EQ(Apply(), 0);  // the design size went with the release

  ASSERT_EQ(DesignSize(1280, 720), 1);
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(host.ObjectBox("A"), kAppliedA);
}

TEST_F(PublicationReentry, EveryPublicationRunsAClearAndAnApply) {
  Page();
  std::vector<int> results;
  host.OnSetVariable = [&](standin::StandInHost&) {
    results.push_back(ExecBare(4));
    results.push_back(ExecBare(3));
  };
  ASSERT_EQ(Apply(), 1);
  EXPECT_EQ(results, (std::vector<int>{1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(PublishedNames(), SixNames());
  EXPECT_EQ(host.ObjectBox("A"), kDesignA);
}

}  // namespace
}  // namespace fault_test
