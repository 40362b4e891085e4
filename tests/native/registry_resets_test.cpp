// What each way of starting over forgets: the clear action, the release pass (at the host's
// release message and at unload) and the host's reset message, field by field.
#include <functional>
#include <map>
#include <string>

#include "layout_fixture.h"
#include "plugin/dispatch.h"

namespace duduve::testing {
namespace {

enum class Fate { Kept, Cleared };

// Every field of the registry, and what each operation leaves of it: its seeded value, or
// the value it has at load.
struct FieldFates {
  const char* Field;
  Fate Clear;
  Fate Release;
  Fate Reset;
};

constexpr Fate K = Fate::Kept;
constexpr Fate C = Fate::Cleared;

// clang-format off
constexpr FieldFates kFates[] = {
    // field            clear  release  reset
    {"CanvasWidth",     K,     C,       C},
    {"CanvasHeight",    K,     C,       C},
    {"Objects",         C,     C,       C},
    {"DesignRectCache", K,     C,       C},
    {"ApplyInProgress", K,     C,       C},
    {"LastScaleX",      K,     K,       C},
    {"LastScaleY",      K,     K,       C},
    {"LastDpi",         K,     K,       C},
    {"Groups",          C,     C,       C},
    {"GroupCache",      K,     C,       C},
};
// clang-format on

using Fates = std::map<std::string, std::string>;

std::string Name(Fate fate) {
  return fate == Fate::Kept ? "kept" : "cleared";
}

class RegistryResets : public LayoutFixture {
 protected:
  // A value in every field unlike the one it has at load.
  void Seed() {
    auto& registry = context.Registry;
    registry.CanvasWidth = 1280;
    registry.CanvasHeight = 720;
    ObjectRecord logo;
    logo.Name = L"Logo";
    logo.Key = L"logo";
    registry.Objects.Append(std::move(logo));
    registry.DesignRectCache[L"logo"] = {1, 2, 3, 4};
    registry.ApplyInProgress = true;
    registry.LastScaleX = 1.5f;
    registry.LastScaleY = 2.0f;
    registry.LastDpi = 144;
    GroupRecord panel;
    panel.GroupName = L"Panel";
    panel.Key = L"panel";
    registry.Groups.push_back(std::move(panel));
    registry.GroupCache[L"panel"].SetBounds({5, 6, 7, 8});
    seededGeneration = registry.Objects.Generation();
  }

  // Each field as kept (its seeded value), cleared (its value at load) or neither.
  Fates FatesNow() const {
    const auto& now = context.Registry;
    const LayoutRegistry load;
    const auto fate = [](bool seeded, bool atLoad) {
      return seeded ? "kept" : atLoad ? "cleared" : "neither";
    };
    // Emptied objects must also start a new generation, so that a running pass stops.
    const bool objectsCleared = now.Objects.empty() && now.Objects.Generation() != seededGeneration;
    const bool objectsKept = now.Objects.size() == 1 && now.Objects[0].Key == L"logo" &&
                             now.Objects.Generation() == seededGeneration;
    return {
        {"CanvasWidth", fate(now.CanvasWidth == 1280, now.CanvasWidth == load.CanvasWidth)},
        {"CanvasHeight", fate(now.CanvasHeight == 720, now.CanvasHeight == load.CanvasHeight)},
        {"Objects", fate(objectsKept, objectsCleared)},
        {"DesignRectCache",
         fate(now.DesignRectCache.size() == 1 && now.DesignRectCache.count(L"logo") == 1,
              now.DesignRectCache.empty())},
        {"ApplyInProgress", fate(now.ApplyInProgress, now.ApplyInProgress == load.ApplyInProgress)},
        {"LastScaleX", fate(now.LastScaleX == 1.5f, now.LastScaleX == load.LastScaleX)},
        {"LastScaleY", fate(now.LastScaleY == 2.0f, now.LastScaleY == load.LastScaleY)},
        {"LastDpi", fate(now.LastDpi == 144, now.LastDpi == load.LastDpi)},
        {"Groups",
         fate(now.Groups.size() == 1 && now.Groups[0].Key == L"panel", now.Groups.empty())},
        {"GroupCache", fate(now.GroupCache.size() == 1 && now.GroupCache.count(L"panel") == 1 &&
                                now.GroupCache.at(L"panel").Bounds() == Rect{5, 6, 7, 8},
                            now.GroupCache.empty())},
    };
  }

  std::uint64_t seededGeneration = 0;
};

TEST_F(RegistryResets, EachWayOfStartingOverForgetsItsOwnFields) {
  struct Operation {
    const char* Name;
    Fate FieldFates::*Column;
    std::function<void(Context&)> Run;
  };
  const Operation operations[] = {
      {"clear action", &FieldFates::Clear, [](Context& c) { EXPECT_EQ(ClearAction(c), 1); }},
      {"release message", &FieldFates::Release, [](Context& c) { HandleMessage(c, 2, [] {}); }},
      {"release at unload", &FieldFates::Release,
       [](Context& c) {
         c.UnloadingFlag = true;
         ReleasePass(c);
       }},
      {"reset message", &FieldFates::Reset, [](Context& c) { HandleMessage(c, 1, [] {}); }},
  };
  Fates allSeeded;
  for (const auto& row : kFates) allSeeded[row.Field] = "kept";
  for (const auto& operation : operations) {
    SCOPED_TRACE(operation.Name);
    context.Registry = LayoutRegistry{};
    context.UnloadingFlag = false;
    Seed();
    ASSERT_EQ(FatesNow(), allSeeded);
    operation.Run(context);
    Fates expected;
    for (const auto& row : kFates) expected[row.Field] = Name(row.*operation.Column);
    EXPECT_EQ(FatesNow(), expected);
  }
}

}  // namespace
}  // namespace duduve::testing
