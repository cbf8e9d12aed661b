// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_loop.h"

#include <algorithm>

#include "platform/form.h"

namespace tv {

std::optional<InputMessage> MessageLoop::Take(InputMessage::Kind kind, const Form& window) {
  for (auto it = input_.begin(); it != input_.end(); ++it) {
    if (it->kind == kind && it->window && it->window->IsInside(window)) {
      InputMessage m = *it;
      input_.erase(it);
      return m;
    }
  }
  return std::nullopt;
}

void MessageLoop::DropInputOf(const Form* window) {
  std::erase_if(input_, [window](const InputMessage& m) { return m.window == window; });
}

}  // namespace tv
