#include "global_account.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace standin {

namespace {

std::string Describe(const void* block) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%p", block);
  return buffer;
}

// The start of a block's text, for fault messages; blocks are ours, so reading is safe.
std::string Excerpt(const BlockRecord& record) {
  if (record.Size == 0) return "";
  const auto* text = static_cast<const char*>(record.Address);
  const std::size_t length = strnlen(text, std::min<std::size_t>(record.Size, 60));
  return " \"" + std::string(text, length) + "\"";
}

}  // namespace

const char* RoleName(BlockRole role) {
  switch (role) {
    case BlockRole::PluginUnclaimed:
      return "plug-in block never handed over";
    case BlockRole::ActionText:
      return "action text";
    case BlockRole::StartupText:
      return "start-up text";
    case BlockRole::ParamWriteBack:
      return "parameter write-back";
    case BlockRole::LentVariable:
      return "lent variable text";
    case BlockRole::LentRequest:
      return "lent interface request";
    case BlockRole::HostParam:
      return "host parameter";
    case BlockRole::HostAnswer:
      return "host interface answer";
    case BlockRole::HostOther:
      return "host block";
    case BlockRole::Leaked:
      return "block already reported";
  }
  return "?";
}

GlobalAccount& GlobalAccount::Instance() {
  static GlobalAccount account;
  return account;
}

BlockRecord* GlobalAccount::Find(const void* block) {
  const auto found = blocks_.find(block);
  return found == blocks_.end() ? nullptr : &found->second;
}

const BlockRecord* GlobalAccount::Find(const void* block) const {
  const auto found = blocks_.find(block);
  return found == blocks_.end() ? nullptr : &found->second;
}

void GlobalAccount::AddFault(std::string text) {
  faults_.push_back(std::move(text));
}

void GlobalAccount::ReportFault(std::string text) {
  std::lock_guard lock(mutex_);
  AddFault(std::move(text));
}

void* GlobalAccount::HostAlloc(std::size_t size, BlockRole role) {
  void* block = GlobalAlloc(GPTR, size);
  if (block == nullptr) return nullptr;
  std::lock_guard lock(mutex_);
  blocks_[block] = BlockRecord{block, size, role, true};
  return block;
}

char* GlobalAccount::HostText(const std::string& text, BlockRole role) {
  auto* block = static_cast<char*>(HostAlloc(text.size() + 1, role));
  if (block != nullptr) std::memcpy(block, text.c_str(), text.size() + 1);
  return block;
}

bool GlobalAccount::HostFree(void* block) {
  {
    std::lock_guard lock(mutex_);
    auto* record = Find(block);
    if (record == nullptr || !record->Live) return false;
    record->Live = false;
  }
  GlobalFree(block);
  return true;
}

bool GlobalAccount::Classify(void* block, BlockRole role) {
  std::lock_guard lock(mutex_);
  auto* record = Find(block);
  if (record == nullptr || !record->Live) return false;
  record->Role = role;
  return true;
}

bool GlobalAccount::RoleOf(const void* block, BlockRole& role) const {
  std::lock_guard lock(mutex_);
  const auto* record = Find(block);
  if (record == nullptr || !record->Live) return false;
  role = record->Role;
  return true;
}

bool GlobalAccount::IsLive(const void* block) const {
  BlockRole role;
  return RoleOf(block, role);
}

void GlobalAccount::ReportLeftAlive(const std::vector<BlockRole>& roles, const std::string& when) {
  std::lock_guard lock(mutex_);
  for (auto& [address, record] : blocks_) {
    if (!record.Live || std::find(roles.begin(), roles.end(), record.Role) == roles.end()) {
      continue;
    }
    AddFault(std::string(RoleName(record.Role)) + " left alive after " + when + ":" +
             Excerpt(record));
    record.Role = BlockRole::Leaked;
  }
}

void GlobalAccount::SetParamFreesAllowed(bool allowed) {
  std::lock_guard lock(mutex_);
  paramFreesAllowed_ = allowed;
}

void* GlobalAccount::PluginAlloc(UINT flags, SIZE_T size) {
  {
    std::lock_guard lock(mutex_);
    if (allocationsUntilFailure_ > 0 && --allocationsUntilFailure_ == 0) {
      ++pluginAllocations_;
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  }
  void* block = GlobalAlloc(flags, size);
  std::lock_guard lock(mutex_);
  ++pluginAllocations_;
  if (block != nullptr) blocks_[block] = BlockRecord{block, size, BlockRole::PluginUnclaimed, true};
  return block;
}

HGLOBAL GlobalAccount::PluginFree(HGLOBAL block) {
  if (block == nullptr) return nullptr;
  {
    std::lock_guard lock(mutex_);
    ++pluginFrees_;
    auto* record = Find(block);
    if (record == nullptr) {
      // Not forwarded: freeing what the heap never gave out could corrupt it.
      AddFault("plug-in freed a block the account never saw: " + Describe(block));
      return block;
    }
    if (!record->Live) {
      AddFault("plug-in freed a block twice: " + Describe(block));
      return block;
    }
    const auto role = record->Role;
    if (role == BlockRole::ActionText || role == BlockRole::StartupText ||
        role == BlockRole::HostOther) {
      AddFault(std::string("plug-in freed a ") + RoleName(role) +
               " it does not own:" + Excerpt(*record));
      return block;
    }
    if ((role == BlockRole::HostParam || role == BlockRole::ParamWriteBack) &&
        !paramFreesAllowed_) {
      AddFault(std::string("plug-in freed a ") + RoleName(role) +
               " outside an edit:" + Excerpt(*record));
      return block;
    }
    record->Live = false;
  }
  return GlobalFree(block);
}

SIZE_T GlobalAccount::PluginSize(HGLOBAL block) {
  {
    std::lock_guard lock(mutex_);
    const auto* record = Find(block);
    // A block the account saw freed is answered here: the heap may no longer know it.
    if (record != nullptr && !record->Live) return 0;
  }
  return GlobalSize(block);
}

std::vector<std::string> GlobalAccount::Faults() const {
  std::lock_guard lock(mutex_);
  return faults_;
}

std::string GlobalAccount::FaultReport() const {
  std::lock_guard lock(mutex_);
  std::string report;
  for (const auto& fault : faults_) {
    if (!report.empty()) report += "\n";
    report += fault;
  }
  return report;
}

void GlobalAccount::ClearFaults() {
  std::lock_guard lock(mutex_);
  faults_.clear();
}

std::size_t GlobalAccount::LiveCount(BlockRole role) const {
  std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(std::count_if(
      blocks_.begin(), blocks_.end(),
      [&](const auto& entry) { return entry.second.Live && entry.second.Role == role; }));
}

std::vector<BlockRecord> GlobalAccount::LiveBlocks() const {
  std::lock_guard lock(mutex_);
  std::vector<BlockRecord> live;
  for (const auto& [address, record] : blocks_) {
    if (record.Live) live.push_back(record);
  }
  return live;
}

std::size_t GlobalAccount::PluginAllocations() const {
  std::lock_guard lock(mutex_);
  return pluginAllocations_;
}

std::size_t GlobalAccount::PluginFrees() const {
  std::lock_guard lock(mutex_);
  return pluginFrees_;
}

void GlobalAccount::ResetCounters() {
  std::lock_guard lock(mutex_);
  pluginAllocations_ = 0;
  pluginFrees_ = 0;
}

void GlobalAccount::FailPluginAllocation(std::size_t nth) {
  std::lock_guard lock(mutex_);
  allocationsUntilFailure_ = nth;
}

void GlobalAccount::ForgetDead() {
  std::lock_guard lock(mutex_);
  std::erase_if(blocks_, [](const auto& entry) { return !entry.second.Live; });
}

}  // namespace standin
