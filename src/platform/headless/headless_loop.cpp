// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/headless_loop.h"

#include <algorithm>
#include <vector>

#include "platform/control.h"
#include "platform/form.h"

namespace tv {

void HeadlessLoop::WaitMessage() {
  if (!tasks_.empty() || HasInput()) return;
  // Nothing is pending: the script supplies the next message.
  if (!idle_done_ && idle_work) {
    if (!idle_work()) idle_done_ = true;
    return;
  }
  // No script and nothing to do: let a second of virtual time pass so timers still run.
  Sleep(1000);
}

bool HeadlessLoop::RunTasks() {
  bool ran = false;
  // Bounded, so a task that keeps posting work cannot hang the run.
  for (int n = 0; n < 100000 && !tasks_.empty(); ++n) {
    auto task = std::move(tasks_.front());
    tasks_.pop_front();
    task();
    ran = true;
  }
  return ran;
}

void HeadlessLoop::DoEvents() {
  DropUntakenInput();
  RunTasks();
  FireDueTimers();
}

void HeadlessLoop::FireDueTimers() {
  // Collect first: a tick may enable, disable or destroy timers.
  std::vector<Control*> due;
  for (auto& [control, t] : timers_) {
    if (t.due <= now_) due.push_back(control);
  }
  for (Control* c : due) {
    auto it = timers_.find(c);
    if (it == timers_.end() || it->second.due > now_) continue;
    it->second.due = now_ + it->second.interval;
    if (c->TimerTick) c->TimerTick();
    RunTasks();
  }
}

void HeadlessLoop::Sleep(int ms) {
  const uint64_t end = now_ + static_cast<uint64_t>(std::max(ms, 0));
  RunTasks();
  while (true) {
    uint64_t next = end;
    for (auto& [control, t] : timers_) next = std::min(next, t.due);
    now_ = std::max(now_, next);
    FireDueTimers();
    RunTasks();
    if (now_ >= end) break;
  }
}

void HeadlessLoop::TimerChanged(Control& timer) {
  if (timer.TimerEnabled() && timer.Interval() > 0) {
    timers_[&timer] = {static_cast<uint64_t>(timer.Interval()),
                       now_ + static_cast<uint64_t>(timer.Interval())};
  } else {
    timers_.erase(&timer);
  }
}

void HeadlessLoop::ControlDestroyed(Control& control) {
  timers_.erase(&control);
}

void HeadlessLoop::PostTask(std::function<void()> task) {
  tasks_.push_back(std::move(task));
}

}  // namespace tv
