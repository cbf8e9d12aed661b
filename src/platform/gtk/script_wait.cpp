// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/script_wait.h"

#include "platform/gtk/webkit_view.h"

namespace tv {

namespace {

using ScriptCall = PendingCall<std::optional<std::string>>;

void OnScriptDone(GObject* source, GAsyncResult* res, gpointer data) {
  auto* call = static_cast<ScriptCall*>(data);
  std::optional<std::string> result;
  GError* error = nullptr;
  JSCValue* value =
      webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), res, &error);
  if (value) {
    if (jsc_value_is_undefined(value) || jsc_value_is_null(value)) {
      result = std::string();
    } else {
      gchar* text = jsc_value_to_string(value);
      result = std::string(text ? text : "");
      g_free(text);
    }
    g_object_unref(value);
  }
  if (error) g_error_free(error);
  call->Finish(std::move(result));
}

gboolean WakeUp(gpointer data) {
  *static_cast<bool*>(data) = true;
  return G_SOURCE_REMOVE;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeout_ms) {
  if (done()) return true;
  bool expired = false;
  guint timer = g_timeout_add(static_cast<guint>(timeout_ms), WakeUp, &expired);
  while (!done() && !expired) g_main_context_iteration(nullptr, TRUE);
  if (!expired) g_source_remove(timer);
  return done();
}

std::optional<std::string> RunScript(WebKitWebView* view, const std::string& code, int timeout_ms) {
  // A process that does not answer gets no script: the caller, and the other windows
  // whose events run inside the wait, would wait for it every time.
  if (!view || !WebKitHtmlView::ProcessAnswers(view)) return std::nullopt;
  auto* call = new ScriptCall;
  webkit_web_view_evaluate_javascript(view, code.c_str(), static_cast<gssize>(code.size()), nullptr,
                                      nullptr, nullptr, OnScriptDone, call);
  // The wait ends as soon as the process is found not to answer.
  g_object_ref(view);
  if (!PumpUntil([call, view] { return call->done || !WebKitHtmlView::ProcessAnswers(view); },
                 timeout_ms) ||
      !call->done) {
    call->abandoned = true;
    g_object_unref(view);
    return std::nullopt;
  }
  g_object_unref(view);
  std::optional<std::optional<std::string>> result = Await(call, 0);
  return result.value_or(std::nullopt);
}

void PostScript(WebKitWebView* view, const std::string& code) {
  if (!view) return;
  webkit_web_view_evaluate_javascript(view, code.c_str(), static_cast<gssize>(code.size()), nullptr,
                                      nullptr, nullptr, nullptr, nullptr);
}

}  // namespace tv
