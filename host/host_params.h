#pragma once
// A host parameter array: pointer-size slots, each naming a GlobalAlloc text the host made.
// An editor may replace slots (freeing the old block); the array frees whatever live block
// each slot names when it goes away.
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace standin {

class HostParams {
 public:
  // One slot per text, each a new host block; std::nullopt leaves that slot null.
  HostParams(std::initializer_list<std::optional<std::string>> texts);
  explicit HostParams(const std::vector<std::string>& texts);
  ~HostParams();
  HostParams(const HostParams&) = delete;
  HostParams& operator=(const HostParams&) = delete;

  // The array as the plug-in receives it.
  char** Data() { return slots_.data(); }
  std::size_t Size() const { return slots_.size(); }
  // The text slot `index` names now (empty for a null slot); read after an edit.
  std::string Text(std::size_t index) const;
  // The raw pointer in slot `index`.
  char* Slot(std::size_t index) const { return slots_[index]; }
  // Puts any pointer into a slot (the old block is freed if live); the array frees the new
  // pointer later only if it is a live block in the account.
  void SetSlot(std::size_t index, char* pointer);
  // Hands slot blocks the plug-in made during an edit to the host for good.
  void ClaimWriteBacks();

 private:
  std::vector<char*> slots_;
};

}  // namespace standin
