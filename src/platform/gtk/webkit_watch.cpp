// SPDX-License-Identifier: GPL-3.0-or-later
// The watch on the web processes: each is asked "0" every two seconds. One whose answer
// is a few seconds late takes no new view and no script; after ten seconds its views say
// so, until it answers again or the user ends it.
#include <algorithm>

#include "platform/gtk/webkit_view.h"

namespace tv {

namespace {

constexpr int64_t kAskEveryMs = 2000;
constexpr int64_t kSilentAfterMs = 5000;  // the longest wait of a script
constexpr int64_t kHungAfterMs = 10000;

int64_t NowMs() {
  return g_get_monotonic_time() / 1000;
}

// The group and question an answer is for; the group may be gone when it comes.
struct Question {
  uint64_t group;
  uint64_t question;
};

WebKitHtmlView::ProcessGroup* GroupOf(uint64_t serial) {
  for (auto& g : WebKitHtmlView::Groups()) {
    if (g->serial == serial) return g.get();
  }
  return nullptr;
}

// Tells every view of `group` whether its process is hung; a view's handler may not
// remove views, but the list is copied all the same.
void TellHung(WebKitHtmlView::ProcessGroup& group, bool hung) {
  group.hung = hung;
  const std::vector<WebKitHtmlView*> views = group.views;
  for (WebKitHtmlView* v : views) {
    if (v->events.ProcessHung) v->events.ProcessHung(hung);
  }
}

void OnAnswer(GObject* source, GAsyncResult* result, gpointer data) {
  const Question asked = *static_cast<Question*>(data);
  delete static_cast<Question*>(data);
  if (JSCValue* value =
          webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, nullptr)) {
    g_object_unref(value);
  }
  // An error is an answer too: the process ended, or the page went away.
  WebKitHtmlView::ProcessGroup* group = GroupOf(asked.group);
  if (!group || group->question != asked.question || group->asked_ms == 0) return;
  group->asked_ms = 0;
  group->answered_ms = NowMs();
  if (group->hung) TellHung(*group, false);
}

bool watching = false;  // the timer runs while any group lives

gboolean Ask(gpointer) {
  auto& groups = WebKitHtmlView::Groups();
  if (groups.empty()) {
    watching = false;
    return G_SOURCE_REMOVE;
  }
  const int64_t now = NowMs();
  for (size_t i = 0; i < groups.size(); ++i) {
    WebKitHtmlView::ProcessGroup& group = *groups[i];
    if (group.asked_ms == 0 && now - group.answered_ms >= kAskEveryMs) {
      group.asked_ms = now;
      auto* question = new Question{group.serial, ++group.question};
      GtkWidget* view = group.views.front()->Widget();
      webkit_web_view_evaluate_javascript(WEBKIT_WEB_VIEW(view), "0", 1, nullptr, nullptr, nullptr,
                                          OnAnswer, question);
    } else if (group.asked_ms != 0 && now - group.asked_ms >= kHungAfterMs && !group.hung) {
      TellHung(group, true);
    }
  }
  return G_SOURCE_CONTINUE;
}

}  // namespace

bool WebKitHtmlView::ProcessGroup::Answers() const {
  if (asked_ms != 0 && NowMs() - asked_ms >= kSilentAfterMs) return false;
  return std::all_of(views.begin(), views.end(), [](WebKitHtmlView* v) {
    return webkit_web_view_get_is_web_process_responsive(v->view_);
  });
}

void WebKitHtmlView::WatchProcesses() {
  if (watching) return;
  watching = true;
  g_timeout_add(1000, Ask, nullptr);
}

bool WebKitHtmlView::ProcessAnswers(WebKitWebView* view) {
  WebKitHtmlView* self = OfView(view);
  return self ? self->group_->Answers() : webkit_web_view_get_is_web_process_responsive(view);
}

}  // namespace tv
