// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes speak the program's language: their one button reads "确定" whatever the
// system's language is, as 编辑 › 页面属性 shows it.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

#include "platform/gtk/gtk_dialogs.h"

namespace tv {
namespace {

struct Seen {
  std::vector<std::string> buttons;
  std::string title;
  bool answered = false;
};

void CollectButtons(GtkWidget* widget, gpointer data) {
  auto* seen = static_cast<Seen*>(data);
  if (GTK_IS_BUTTON(widget)) {
    const char* label = gtk_button_get_label(GTK_BUTTON(widget));
    seen->buttons.push_back(label ? label : "");
  } else if (GTK_IS_CONTAINER(widget)) {
    gtk_container_forall(GTK_CONTAINER(widget), CollectButtons, data);
  }
}

// Once the box is up: notes its buttons and title, then answers it.
gboolean AnswerBox(gpointer data) {
  auto* seen = static_cast<Seen*>(data);
  GList* windows = gtk_window_list_toplevels();
  for (GList* w = windows; w; w = w->next) {
    if (!GTK_IS_MESSAGE_DIALOG(w->data) || !gtk_widget_get_visible(GTK_WIDGET(w->data))) continue;
    seen->title = gtk_window_get_title(GTK_WINDOW(w->data));
    CollectButtons(GTK_WIDGET(w->data), seen);
    gtk_dialog_response(GTK_DIALOG(w->data), GTK_RESPONSE_OK);
    seen->answered = true;
    g_list_free(windows);
    return G_SOURCE_REMOVE;
  }
  g_list_free(windows);
  return G_SOURCE_CONTINUE;
}

TEST(MessageBoxTest, TheOnlyButtonReadsOkInChinese) {
  ASSERT_TRUE(gtk_init_check(nullptr, nullptr));
  ScriptHooks hooks;  // not scripted: the real box is shown
  GtkDialogs dialogs(hooks);
  for (bool about : {false, true}) {
    Seen seen;
    const guint answer = g_timeout_add(50, AnswerBox, &seen);
    if (about) {
      dialogs.About(nullptr, "关于", "Tessaview");
    } else {
      dialogs.MsgBox(nullptr, "标题：测试", MsgIcon::Information, "页面属性");
    }
    if (!seen.answered) g_source_remove(answer);
    EXPECT_EQ(seen.title, about ? "关于" : "页面属性");
    EXPECT_EQ(seen.buttons, std::vector<std::string>{"确定(_O)"});
  }
}

}  // namespace
}  // namespace tv
