#pragma once
// The process-wide layout state, and what each of the host's ways of starting over forgets.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/geometry.h"
#include "core/group_record.h"
#include "core/object_record.h"

namespace duduve {

struct LayoutRegistry {
  // What the published factors hold before the first publication, so that it always publishes.
  static constexpr float kUnpublishedScale = -1.0f;
  static constexpr std::int32_t kUnpublishedDpi = -1;

  // The declared design canvas; both 0 while none is declared, else both in 1..8192.
  std::int32_t CanvasWidth = 0;
  std::int32_t CanvasHeight = 0;
  ObjectList Objects;
  // First measured design rectangle per name key; never changed once stored.
  std::unordered_map<std::wstring, Rect> DesignRectCache;
  bool ApplyInProgress = false;
  float LastScaleX = kUnpublishedScale;
  float LastScaleY = kUnpublishedScale;
  std::int32_t LastDpi = kUnpublishedDpi;
  std::vector<GroupRecord> Groups;
  std::unordered_map<std::wstring, GroupCacheEntry> GroupCache;

  // The clear action: the registered objects and groups. Both memories of first
  // measurements, the design size, the pass flag and the published factors stay.
  void ForgetRegistrations();
  // The release pass: the registrations, both memories, the design size and the pass flag.
  // The published factors stay, so that an apply at the same size republishes nothing.
  void ForgetAllButThePublishedFactors();
  // The host's reset message: everything, as at load.
  void ForgetEverything();
};

}  // namespace duduve
