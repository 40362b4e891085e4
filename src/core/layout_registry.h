#pragma once
// The process-wide layout state.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/geometry.h"
#include "core/group_record.h"
#include "core/object_record.h"

namespace duduve {

struct LayoutRegistry {
  // The declared design canvas; both 0 while none is declared, else both in 1..8192.
  std::int32_t CanvasWidth = 0;
  std::int32_t CanvasHeight = 0;
  ObjectList Objects;
  // First measured design rectangle per name key; never changed once stored.
  std::unordered_map<std::wstring, Rect> DesignRectCache;
  bool ApplyInProgress = false;
  float LastScaleX = -1.0f;
  float LastScaleY = -1.0f;
  std::int32_t LastDpi = -1;
  std::vector<GroupRecord> Groups;
  std::unordered_map<std::wstring, GroupCacheEntry> GroupCache;
};

}  // namespace duduve
