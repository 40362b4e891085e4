#pragma once
// The host's side of the boundary: its callbacks, and every read and write of host
// memory. Host texts are zero-terminated ANSI texts in GlobalAlloc blocks; the host's
// memory is never trusted, so every read of it is tested first.
#include <windows.h>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace duduve {

// Host callbacks, WINAPI convention.
using AddActionCallbackFn = int(WINAPI*)(int actionId, const char* name, const char* help,
                                         const unsigned char* typeCodes, int zero, int count);
using SetVariableCallbackFn = int(WINAPI*)(const char* name, const char* value);
using InterfaceAccessFn = int(WINAPI*)(int command, char** textSlot);

// The host's parameter array: one text pointer per declared parameter.
using ParamArray = char**;

struct HostCallbacks {
  AddActionCallbackFn AddAction = nullptr;
  LONG_PTR RegistrationValue2 = 0;  // stored, never read
  LONG_PTR RegistrationValue3 = 0;  // stored, never read
  SetVariableCallbackFn SetVariable = nullptr;
  InterfaceAccessFn InterfaceAccess = nullptr;
};

// The callbacks the host registered; all null before registration and after unload.
HostCallbacks& Callbacks();

// Readable memory: committed, not a guard page, with read access, and the whole range
// inside one region.
bool IsReadableMemory(const void* address, std::size_t size);
// The same, and writable: a parameter slot must be both before it is replaced.
bool IsWritableMemory(const void* address, std::size_t size);

// Up to maxCount bytes of 7-bit text, stopping at a zero byte or unreadable memory;
// any byte outside printable ASCII and tab empties the whole result.
std::wstring ReadHostText(const char* address, std::size_t maxCount);
std::wstring ReadParam(ParamArray params, std::size_t index);
// Stores texts[i] into slot i, all or nothing: a new block is made for every writable slot
// first, and only when every one exists are they stored, each slot's old block freed when it
// is a live GlobalAlloc block; the host owns the new blocks from then on. When an allocation
// fails, nothing is stored or freed and the blocks made are freed again: false. The host's
// texts are never lost halfway (freeing first, a failed allocation would leave a null slot).
bool WriteParams(ParamArray params, std::span<const std::wstring> texts);

// A new GPTR block with the text in the ANSI code page, or null when allocation fails.
char* ToHostText(std::wstring_view text);
// The ANSI text at the address, every byte value accepted, read no further than the
// readable memory it lies in.
std::wstring FromHostText(const char* address);

void SetHostVariable(std::wstring_view name, std::wstring_view value);
std::wstring CallHostInterface(int command, std::wstring_view text);

}  // namespace duduve
