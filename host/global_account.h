#pragma once
// The account of every GlobalAlloc block that crosses the boundary between the stand-in
// host and a loaded Duduve.dll. The plug-in's own GlobalAlloc, GlobalFree and GlobalSize
// calls reach the account through its patched import table; the host's blocks are entered
// by the host itself. One account serves the whole process.
#include <windows.h>

#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace standin {

// A slim reader/writer lock used exclusively: it works in every mingw thread model, where
// std::mutex needs the posix one.
class AccountLock {
 public:
  void lock() { AcquireSRWLockExclusive(&lock_); }
  void unlock() { ReleaseSRWLockExclusive(&lock_); }

 private:
  SRWLOCK lock_ = SRWLOCK_INIT;
};

// Who a block belongs to, as far as the boundary rules say.
enum class BlockRole {
  PluginUnclaimed,  // made by the plug-in and not (yet) seen crossing to the host
  ActionText,       // an action's name or help text, handed to the host for good
  StartupText,      // a start-up text (title, publisher, hint), handed for good
  ParamWriteBack,   // a block an editor stored in a parameter slot, handed for good
  LentVariable,     // a variable name or value lent for one SetVariable call
  LentRequest,      // an interface request lent for one interface call
  HostParam,        // a parameter text the host made
  HostAnswer,       // an interface answer the host made; the plug-in must free it
  HostOther,        // any other block the host made
  Leaked,           // a block already reported as left alive
};

// A readable name for a role, used in fault texts.
const char* RoleName(BlockRole role);

struct BlockRecord {
  void* Address = nullptr;  // the block's address (GPTR blocks: the pointer itself)
  std::size_t Size = 0;     // the size asked for
  BlockRole Role = BlockRole::PluginUnclaimed;
  bool Live = true;  // false once freed; kept to recognise a second free
};

class GlobalAccount {
 public:
  // The one account of this process.
  static GlobalAccount& Instance();

  // --- Used by the stand-in host ---
  // A block made by the host (real GlobalAlloc, GPTR), entered with its role.
  void* HostAlloc(std::size_t size, BlockRole role);
  // A zero-terminated copy of `text` in a new host block.
  char* HostText(const std::string& text, BlockRole role);
  // Frees a live block on the host's behalf; false (and nothing freed) when not live.
  bool HostFree(void* block);
  // Re-labels a live block; false when the account does not know it as live.
  bool Classify(void* block, BlockRole role);
  // The role of a live block; false when not live in the account.
  bool RoleOf(const void* block, BlockRole& role) const;
  bool IsLive(const void* block) const;
  // Reports every live block with one of the given roles as a fault, then marks it Leaked.
  void ReportLeftAlive(const std::vector<BlockRole>& roles, const std::string& when);
  // Whether the plug-in may free host parameter blocks now (only inside an edit call).
  void SetParamFreesAllowed(bool allowed);
  // Adds a fault seen by the host itself (for example a text that is not a block).
  void ReportFault(std::string text);

  // --- Used by the patched imports of the plug-in ---
  void* PluginAlloc(UINT flags, SIZE_T size);
  HGLOBAL PluginFree(HGLOBAL block);
  SIZE_T PluginSize(HGLOBAL block);

  // --- Read by tests ---
  // Every fault seen so far, one line each: double frees, frees of unknown or handed-over
  // blocks, blocks lent for one call and left alive.
  std::vector<std::string> Faults() const;
  // The faults joined by newlines; empty when the account is balanced.
  std::string FaultReport() const;
  void ClearFaults();
  // Live blocks with the given role.
  std::size_t LiveCount(BlockRole role) const;
  std::vector<BlockRecord> LiveBlocks() const;
  // Calls of the plug-in's GlobalAlloc and GlobalFree since the last ResetCounters.
  std::size_t PluginAllocations() const;
  std::size_t PluginFrees() const;
  void ResetCounters();
  // The plug-in's `nth` GlobalAlloc from now on (1: the next one) answers null, as when memory
  // runs out; 0 fails none. Counted in PluginAllocations like any other call.
  void FailPluginAllocation(std::size_t nth);
  // Forgets dead records (live blocks stay); keeps the account small between tests.
  void ForgetDead();

 private:
  void AddFault(std::string text);
  BlockRecord* Find(const void* block);
  const BlockRecord* Find(const void* block) const;

  mutable AccountLock mutex_;
  std::unordered_map<const void*, BlockRecord> blocks_;
  std::vector<std::string> faults_;
  std::size_t pluginAllocations_ = 0;
  std::size_t pluginFrees_ = 0;
  bool paramFreesAllowed_ = false;
  std::size_t allocationsUntilFailure_ = 0;  // 0: none fails
};

// Points the module's kernel32 imports of GlobalAlloc, GlobalFree and GlobalSize at the
// account. Returns how many import entries were patched (3 for a module importing all three).
int PatchGlobalImports(HMODULE module);

}  // namespace standin
