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

}  // namespace tv
