#pragma once
// The seven actions, the host's messages and the passes they run, over a Context.
// Parameter texts arrive already read from the host (empty where unreadable).
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "layout/context.h"

namespace duduve {

using ParamTexts = std::span<const std::wstring>;

// Parameter `index`, or the empty text when the host gave fewer.
std::wstring_view ParamAt(ParamTexts params, std::size_t index);

// Runs action `actionId` (1..7) and returns its result; 0 for any other number.
int ExecuteAction(Context& context, int actionId, ParamTexts params);
// The host's messages: 1 resets, 2 releases, anything else does nothing.
void HandleMessage(Context& context, int code);

int SetDesignSize(Context& context, ParamTexts params);   // action 1
int RegisterObject(Context& context, ParamTexts params);  // action 2
int ApplyPass(Context& context);                          // action 3
int ClearAction(Context& context);                        // action 4
int InitDpi(Context& context, ParamTexts params);         // action 5
int PinObject(Context& context, ParamTexts params);       // action 6
int RegisterGroup(Context& context, ParamTexts params);   // action 7

// Host message 1: forget the layout without touching any window.
void ResetMessage(Context& context);
// Host message 2 and unload: restore (unless unloading) and forget everything.
void ReleasePass(Context& context);

// Inside the apply pass.
void RunPinPass(Context& context, float uniform);
void ResolveGroups(Context& context);

}  // namespace duduve
