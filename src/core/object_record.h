#pragma once
// One registered page object, and the ordered list of them with a name index.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/geometry.h"
#include "core/vocabulary.h"

namespace duduve {

struct ObjectRecord {
  std::wstring Name;  // as first registered: trimmed, case kept
  std::wstring Key;   // NameKey(Name): the identity the record is found by
  AxisPolicy WMode = AxisPolicy::Stretch;
  AxisPolicy HMode = AxisPolicy::Stretch;
  HorizontalAnchor HAnchor = HorizontalAnchor::Left;
  VerticalAnchor VAnchor = VerticalAnchor::Top;
  std::int32_t NudgeX = 0;  // for a pinned object: the pin's X offset in design pixels
  std::int32_t NudgeY = 0;
  WindowHandle Window = 0;
  std::int32_t DesignLeft = 0;
  std::int32_t DesignTop = 0;
  std::int32_t DesignWidth = 0;
  std::int32_t DesignHeight = 0;
  bool Captured = false;
  // The pin, when there is one.
  bool Pinned = false;
  std::wstring PinTarget;     // as given: trimmed, case kept
  std::wstring PinTargetKey;  // NameKey(PinTarget), kept so the pin pass allocates nothing
  HorizontalAnchor SrcPointH = HorizontalAnchor::Left;  // the pinned object's own point
  VerticalAnchor SrcPointV = VerticalAnchor::Top;
  HorizontalAnchor TgtPointH = HorizontalAnchor::Left;  // the point on the target
  VerticalAnchor TgtPointV = VerticalAnchor::Top;
  // What the last apply pass gave the object.
  std::int32_t ResolvedLeft = 0;
  std::int32_t ResolvedTop = 0;
  std::int32_t ResolvedWidth = 0;
  std::int32_t ResolvedHeight = 0;
  bool Placed = false;

  Rect Design() const { return {DesignLeft, DesignTop, DesignWidth, DesignHeight}; }
  void SetDesign(const Rect& rect) {
    StoreRect(rect, DesignLeft, DesignTop, DesignWidth, DesignHeight);
  }
  Rect Resolved() const { return {ResolvedLeft, ResolvedTop, ResolvedWidth, ResolvedHeight}; }
  void SetResolved(const Rect& rect) {
    StoreRect(rect, ResolvedLeft, ResolvedTop, ResolvedWidth, ResolvedHeight);
  }
};

// Records in first-registration order. Records are appended or updated in place,
// never removed singly; a hash index on the key keeps look-ups O(1).
class ObjectList {
 public:
  // The record whose key equals `key` (already trimmed and lower-cased), or null.
  ObjectRecord* Find(const std::wstring& key);
  const ObjectRecord* Find(const std::wstring& key) const;
  // Appends a record whose Key is set and not yet present.
  ObjectRecord& Append(ObjectRecord record);
  // Empties the list and starts a new generation.
  void Clear();
  // Changes at every Clear, so that a running pass notices when host code run by one of its
  // moves has emptied the registry.
  std::uint64_t Generation() const { return generation_; }

  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  ObjectRecord& operator[](std::size_t i) { return records_[i]; }
  const ObjectRecord& operator[](std::size_t i) const { return records_[i]; }
  auto begin() { return records_.begin(); }
  auto end() { return records_.end(); }
  auto begin() const { return records_.begin(); }
  auto end() const { return records_.end(); }

 private:
  std::vector<ObjectRecord> records_;
  std::unordered_map<std::wstring, std::size_t> index_;
  std::uint64_t generation_ = 0;
};

}  // namespace duduve
