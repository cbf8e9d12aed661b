// SPDX-License-Identifier: GPL-3.0-or-later
// The message loop of headless runs: a virtual clock, timers that fire when it is
// advanced, and tasks posted by the views (page loads finish on the next turn).
#pragma once

#include <deque>
#include <functional>
#include <map>

#include "platform/message_loop.h"

namespace tv {

class HeadlessLoop : public MessageLoop {
 public:
  void WaitMessage() override;
  void DoEvents() override;
  void Sleep(int ms) override;
  void TimerChanged(Control& timer) override;
  void ControlDestroyed(Control& control) override;
  uint64_t TickMs() const override { return now_; }

  // Work that a real loop would do on a later turn (finishing a page load).
  void PostTask(std::function<void()> task);

 private:
  struct TimerState {
    uint64_t interval;
    uint64_t due;
  };
  bool RunTasks();
  void FireDueTimers();

  uint64_t now_ = 0;
  std::deque<std::function<void()>> tasks_;
  std::map<Control*, TimerState> timers_;
  bool idle_done_ = false;
};

}  // namespace tv
