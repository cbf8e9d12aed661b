// SPDX-License-Identifier: GPL-3.0-or-later
// The browser's program-wide state: the in-memory copies of its settings, the frame's
// page-window table and the stack of closed pages. Page windows and the frame share it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tv {

class FormWeb;

inline constexpr int kTabSlots = 5001;  // slots and positions 0 to 5000

struct BrowserState {
  int32_t Pop = 0;          // 1: pages being created get the script-blocking host
  int32_t JumpWindows = 0;  // second blocking switch; nothing reads it
  int16_t Topme = 0;        // 1: new pages open behind the current tab
  int32_t Download = 0;     // non-zero: pictures are downloaded automatically
  int32_t FetchLarger = 0;  // non-zero: automatic downloads fetch larger versions too
  std::string HomePage;     // address of the frame's first page

  std::vector<FormWeb*> Webs = std::vector<FormWeb*>(kTabSlots);     // page window per slot
  std::vector<int16_t> TabOrder = std::vector<int16_t>(kTabSlots);   // slot at each position
  std::vector<int16_t> FreeSlots = std::vector<int16_t>(kTabSlots);  // freed slots, a stack
  int16_t FreeCount = 0;                                             // entries on FreeSlots
  int16_t TabCount = 0;                                              // open tabs
  int16_t CurTab = -1;                                               // position of the current tab
  int16_t CurSlot = 0;                                               // slot being worked on

  std::vector<std::string> ClosedUrls = std::vector<std::string>(kTabSlots);  // closed pages
  int16_t ClosedTop = -1;  // newest entry of ClosedUrls, -1 when empty

  // The page window of the current tab; null before the first tab.
  FormWeb* CurrentPage() const {
    if (CurTab < 0 || CurTab >= TabCount) return nullptr;
    int slot = TabOrder[CurTab];
    return slot >= 0 && slot < kTabSlots ? Webs[slot] : nullptr;
  }
};

}  // namespace tv
