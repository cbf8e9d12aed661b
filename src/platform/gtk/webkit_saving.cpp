// SPDX-License-Identifier: GPL-3.0-or-later
// The page as the view shows it, saved into one file (MHTML), and the source of the
// user's selection.
#include <memory>

#include "platform/gtk/script_wait.h"
#include "platform/gtk/webkit_view.h"

namespace tv {

namespace {

struct SaveResult {
  bool done = false;
  bool saved = false;
};

void OnSaved(GObject* source, GAsyncResult* result, gpointer data) {
  auto* r = static_cast<std::shared_ptr<SaveResult>*>(data);
  (*r)->saved = webkit_web_view_save_to_file_finish(WEBKIT_WEB_VIEW(source), result, nullptr);
  (*r)->done = true;
  delete r;
}

constexpr int kSaveTimeoutMs = 30000;

}  // namespace

bool WebKitHtmlView::SaveAs(const std::string& path) {
  if (path.empty() || !HasDocument()) return false;
  GFile* file = g_file_new_for_path(path.c_str());
  auto result = std::make_shared<SaveResult>();
  webkit_web_view_save_to_file(view_, file, WEBKIT_SAVE_MODE_MHTML, nullptr, OnSaved,
                               new std::shared_ptr<SaveResult>(result));
  g_object_unref(file);
  PumpUntil([&] { return result->done; }, kSaveTimeoutMs);
  return result->saved;
}

std::string WebKitHtmlView::SelectionHtml() {
  if (!HasDocument()) return "";
  return RunScript(view_,
                   "(function(){var s=window.getSelection();if(!s||!s.rangeCount)return '';"
                   "var d=document.createElement('div');"
                   "for(var i=0;i<s.rangeCount;i++)d.appendChild(s.getRangeAt(i).cloneContents());"
                   "return d.innerHTML;})()")
      .value_or("");
}

}  // namespace tv
