#include "host_params.h"

#include "global_account.h"

namespace standin {

namespace {

char* NewParamText(const std::optional<std::string>& text) {
  if (!text) return nullptr;
  return GlobalAccount::Instance().HostText(*text, BlockRole::HostParam);
}

// The host owns whatever live block a slot names, except texts handed over at start-up.
void FreeSlotBlock(char* pointer) {
  auto& account = GlobalAccount::Instance();
  BlockRole role;
  if (pointer == nullptr || !account.RoleOf(pointer, role)) return;
  if (role == BlockRole::ActionText || role == BlockRole::StartupText) return;
  account.HostFree(pointer);
}

}  // namespace

HostParams::HostParams(std::initializer_list<std::optional<std::string>> texts) {
  for (const auto& text : texts) slots_.push_back(NewParamText(text));
}

HostParams::HostParams(const std::vector<std::string>& texts) {
  for (const auto& text : texts) slots_.push_back(NewParamText(text));
}

HostParams::~HostParams() {
  for (char* pointer : slots_) FreeSlotBlock(pointer);
}

std::string HostParams::Text(std::size_t index) const {
  const char* pointer = slots_[index];
  return pointer == nullptr ? std::string() : std::string(pointer);
}

void HostParams::SetSlot(std::size_t index, char* pointer) {
  if (slots_[index] != pointer) FreeSlotBlock(slots_[index]);
  slots_[index] = pointer;
}

void HostParams::ClaimWriteBacks() {
  auto& account = GlobalAccount::Instance();
  for (char* pointer : slots_) {
    BlockRole role;
    if (pointer != nullptr && account.RoleOf(pointer, role) && role == BlockRole::PluginUnclaimed) {
      account.Classify(pointer, BlockRole::ParamWriteBack);
    }
  }
}

}  // namespace standin
