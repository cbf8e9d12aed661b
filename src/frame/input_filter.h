// SPDX-License-Identifier: GPL-3.0-or-later
// The input filter of the address box and the tab labels: wheel turns, context menus and
// the clipboard editing messages never reach these boxes; everything else passes.
#pragma once

#include <cstdint>

namespace tv {

class Control;

inline constexpr uint32_t kMsgMouseWheel = 0x020A;
inline constexpr uint32_t kMsgContextMenu = 0x007B;
inline constexpr uint32_t kMsgUndo = 0x00C7;
inline constexpr uint32_t kMsgCut = 0x0300;
inline constexpr uint32_t kMsgCopy = 0x0301;
inline constexpr uint32_t kMsgPaste = 0x0302;
inline constexpr uint32_t kMsgClear = 0x0303;

// True for the seven messages the filter swallows.
bool FilterSwallows(uint32_t message);
// Installs the filter in front of a text box's or a combo box's own handling.
void InstallTextFilter(Control& text_box);
void InstallComboFilter(Control& combo_box);

}  // namespace tv
