// SPDX-License-Identifier: GPL-3.0-or-later
// The one message loop of the program. The front-end captures mouse-wheel and
// right-button-up input into a queue so the main loop can take them before the views
// see them; everything else is dispatched by DoEvents.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace tv {

class Control;
class Form;

struct InputMessage {
  enum class Kind { Wheel, RightButtonUp };
  Kind kind = Kind::Wheel;
  Form* window = nullptr;  // the window the input was aimed at
  int delta = 0;           // wheel: negative is a notch towards the user (down)
};

class MessageLoop {
 public:
  virtual ~MessageLoop() = default;

  // Blocks until a message is pending (headless: runs the next scenario line when idle).
  virtual void WaitMessage() = 0;
  // Lets pending window messages be processed, then returns.
  virtual void DoEvents() = 0;
  // Lets about `ms` milliseconds pass while processing messages and due timers.
  virtual void Sleep(int ms) = 0;

  // Queue of captured input.
  void Post(const InputMessage& message) { input_.push_back(message); }
  // Removes and returns the first queued message of that kind aimed at `window` or at a
  // window inside it.
  std::optional<InputMessage> Take(InputMessage::Kind kind, const Form& window);

  // A timer control's Interval or Enabled changed: (re)arm or stop it.
  virtual void TimerChanged(Control& timer) = 0;
  // A control is going away: forget its timer.
  virtual void ControlDestroyed(Control& control) = 0;

  // Milliseconds since the loop started (virtual clock in headless runs).
  virtual uint64_t TickMs() const = 0;

  // Called when the loop has nothing else to do; returns false when it has no more work
  // (the scenario runner's next line).
  std::function<bool()> idle_work;

 protected:
  // Input nobody took is dispatched to its window, which ignores it.
  void DropUntakenInput() { input_.clear(); }
  // A window is going away: its input goes with it.
  void DropInputOf(const Form* window);
  bool HasInput() const { return !input_.empty(); }

 private:
  std::deque<InputMessage> input_;
};

}  // namespace tv
