// SPDX-License-Identifier: GPL-3.0-or-later
// Runs page scripts and waits for their results while the main context keeps running,
// so the logic can read the document synchronously. Every wait has a time limit.
#pragma once

#include <webkit2/webkit2.h>

#include <functional>
#include <optional>
#include <string>

namespace tv {

// Runs `code` in the page; the result as text (numbers in decimal, null and undefined as
// ""), or nothing when the script failed or took longer than `timeout_ms`.
std::optional<std::string> RunScript(WebKitWebView* view, const std::string& code,
                                     int timeout_ms = 5000);
// Runs `code` without waiting for it.
void PostScript(WebKitWebView* view, const std::string& code);

// Iterates the main context until `done()` or `timeout_ms` passed; false on timeout.
bool PumpUntil(const std::function<bool()>& done, int timeout_ms);

// The result of an asynchronous engine call, shared by the waiter and the callback.
// Whichever finishes last frees it, so a late result after a time-out never writes into a
// finished frame; `drop` releases a result nobody waits for any more.
template <typename T>
struct PendingCall {
  bool done = false;
  bool abandoned = false;
  T result{};
  void (*drop)(T&) = nullptr;

  // From the callback, once.
  void Finish(T value) {
    result = std::move(value);
    done = true;
    if (!abandoned) return;
    if (drop) drop(result);
    delete this;
  }
};

// Waits for a call made with `call` as its data; its result, or nothing on time-out.
template <typename T>
std::optional<T> Await(PendingCall<T>* call, int timeout_ms) {
  if (!PumpUntil([call] { return call->done; }, timeout_ms)) {
    call->abandoned = true;
    return std::nullopt;
  }
  std::optional<T> result = std::move(call->result);
  delete call;
  return result;
}

}  // namespace tv
