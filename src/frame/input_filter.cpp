// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/input_filter.h"

#include "platform/control.h"

namespace tv {

bool FilterSwallows(uint32_t message) {
  switch (message) {
    case kMsgMouseWheel:
    case kMsgContextMenu:
    case kMsgUndo:
    case kMsgCut:
    case kMsgCopy:
    case kMsgPaste:
    case kMsgClear:
      return true;
    default:
      return false;
  }
}

void InstallTextFilter(Control& text_box) {
  text_box.MessageFilter = FilterSwallows;
}

void InstallComboFilter(Control& combo_box) {
  combo_box.MessageFilter = FilterSwallows;
}

}  // namespace tv
