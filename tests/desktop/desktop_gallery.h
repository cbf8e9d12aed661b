// SPDX-License-Identifier: GPL-3.0-or-later
// The gallery on the desktop front-end, for tests that drive the real window: a shared
// private home, a folder of real pictures and a loop that carries out one step each time
// the gallery's main loop is idle.
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "desktop/xtest_input.h"
#include "gallery/frm_main.h"
#include "host/html_view.h"
#include "platform/front_end.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/script_wait.h"
#include "platform/gtk/webkit_view.h"
#include "platform/jpeg.h"
#include "platform/posix/posix_services.h"
#include "program/application.h"
#include "support/test_env.h"

namespace tv::test {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};
inline constexpr Rgb kPictureColour{200, 90, 40};  // the default pictures are this colour
inline constexpr guint kGuardMs = 20000;           // a run that hangs is closed after this

inline void WriteSolidJpeg(const std::string& path, int width, int height,
                           Rgb colour = kPictureColour) {
  ASSERT_TRUE(SaveJpegFile(path, width, height, 80, [width, colour](int, int rows, uint8_t* rgb) {
    for (int i = 0; i < rows * width; ++i, rgb += 3) {
      rgb[0] = colour.r, rgb[1] = colour.g, rgb[2] = colour.b;
    }
    return true;
  }));
}

// The pixel of `image` at x, y.
inline const guchar* PixelAt(GdkPixbuf* image, int x, int y) {
  return gdk_pixbuf_read_pixels(image) + static_cast<size_t>(y) * gdk_pixbuf_get_rowstride(image) +
         static_cast<size_t>(x) * gdk_pixbuf_get_n_channels(image);
}

// The shown pop-up menu among the program's windows (a pop-up has a window of its own), or
// null.
inline GtkMenu* ShownMenu() {
  GtkMenu* found = nullptr;
  GList* all = gtk_window_list_toplevels();
  for (GList* l = all; l && !found; l = l->next) {
    GtkWidget* child = gtk_bin_get_child(GTK_BIN(l->data));
    if (child && GTK_IS_MENU(child) && gtk_widget_get_mapped(child)) found = GTK_MENU(child);
  }
  g_list_free(all);
  return found;
}

// The items of `menu` that show, without the separators, and their labels.
inline std::vector<std::pair<GtkWidget*, std::string>> MenuItems(GtkMenu* menu) {
  std::vector<std::pair<GtkWidget*, std::string>> shown;
  GList* items = menu ? gtk_container_get_children(GTK_CONTAINER(menu)) : nullptr;
  for (GList* i = items; i; i = i->next) {
    GtkWidget* item = GTK_WIDGET(i->data);
    if (!gtk_widget_get_visible(item) || GTK_IS_SEPARATOR_MENU_ITEM(item)) continue;
    const char* text = gtk_menu_item_get_label(GTK_MENU_ITEM(item));
    shown.emplace_back(item, text ? text : "");
  }
  g_list_free(items);
  return shown;
}
// The labels of `menu`, one a line, each marked " (off)" where it cannot be chosen.
inline std::string MenuLabels(GtkMenu* menu) {
  std::string labels;
  for (const auto& [item, label] : MenuItems(menu))
    labels += label + (gtk_widget_get_sensitive(item) ? "\n" : " (off)\n");
  return labels;
}
// The centre on the screen of a widget without a window of its own (a menu item).
inline ScreenPoint CentreOnScreen(GtkWidget* item) {
  GtkAllocation box;
  gtk_widget_get_allocation(item, &box);
  int ox = 0, oy = 0;
  gdk_window_get_origin(gtk_widget_get_window(item), &ox, &oy);
  return {ox + box.x + box.width / 2, oy + box.y + box.height / 2};
}
// A real click on the item of the shown menu with that label; false when there is none.
inline bool ClickMenuItem(const std::string& label) {
  for (const auto& [item, text] : MenuItems(ShownMenu())) {
    if (text != label) continue;
    MovePointer(CentreOnScreen(item));
    g_usleep(100000);
    PressAndRelease(1);
    return true;
  }
  return false;
}

// Answers every dialog that comes up with Cancel, noting its kind and, for a message,
// its text.
class DialogCatcher {
 public:
  DialogCatcher() { timer_ = g_timeout_add(100, Poll, this); }
  ~DialogCatcher() { g_source_remove(timer_); }
  DialogCatcher(const DialogCatcher&) = delete;
  DialogCatcher& operator=(const DialogCatcher&) = delete;

  std::vector<std::string> seen;  // type name, then ": " and the text for messages
  std::string title;              // of the last one
  std::vector<std::string> buttons;

 private:
  static gboolean Poll(gpointer data) {
    auto* self = static_cast<DialogCatcher*>(data);
    GList* all = gtk_window_list_toplevels();
    for (GList* l = all; l; l = l->next) {
      GtkWidget* w = GTK_WIDGET(l->data);
      if (!GTK_IS_DIALOG(w) || !gtk_widget_get_mapped(w)) continue;
      std::string what = G_OBJECT_TYPE_NAME(w);
      if (GTK_IS_MESSAGE_DIALOG(w)) {
        gchar* text = nullptr;
        g_object_get(w, "text", &text, nullptr);
        what += std::string(": ") + (text ? text : "");
        g_free(text);
      }
      self->seen.push_back(what);
      self->title = gtk_window_get_title(GTK_WINDOW(w)) ? gtk_window_get_title(GTK_WINDOW(w)) : "";
      self->buttons.clear();
      AddButtons(w, &self->buttons);
      gtk_dialog_response(GTK_DIALOG(w), GTK_RESPONSE_CANCEL);
    }
    g_list_free(all);
    return G_SOURCE_CONTINUE;
  }
  static void AddButtons(GtkWidget* widget, gpointer labels) {
    if (GTK_IS_BUTTON(widget)) {
      const char* label = gtk_button_get_label(GTK_BUTTON(widget));
      static_cast<std::vector<std::string>*>(labels)->push_back(label ? label : "");
    } else if (GTK_IS_CONTAINER(widget)) {
      gtk_container_forall(GTK_CONTAINER(widget), AddButtons, labels);
    }
  }
  guint timer_ = 0;
};

// The engine keeps one web context per process, with its caches in the home it saw first;
// so the tests share one home, removed once all have run.
class SharedHome : public ::testing::Environment {
 public:
  static const std::string& Root() {
    if (!home_) home_ = new TempHome;
    return home_->Root();
  }
  void TearDown() override {
    delete home_;
    home_ = nullptr;
  }

 private:
  static inline TempHome* home_ = nullptr;
};
inline ::testing::Environment* const kSharedHome =
    ::testing::AddGlobalTestEnvironment(new SharedHome);

// Removes a folder that the engine's network process of an earlier test may still be
// writing into: a file that vanishes or appears under the walk only means another go.
inline void RemoveSettledFolder(const std::string& path) {
  for (int attempt = 0;; ++attempt) {
    std::error_code failed;
    std::filesystem::remove_all(path, failed);
    if (!failed) return;
    ASSERT_LT(attempt, 100) << path << ": " << failed.message();
    g_usleep(20000);
  }
}

// One test's part of the shared home: the program's own folders start empty, as on a
// first start, and the test has a folder of its own.
struct TestHome {
  TestHome() : root(SharedHome::Root()), folder(root + "/test") {
    for (const char* own : {"/home/.config", "/home/.local/share/tessaview", "/run/tessaview"}) {
      RemoveSettledFolder(root + own);
    }
    RemoveSettledFolder(folder);
    std::filesystem::create_directories(folder);
  }
  std::string root;
  std::string folder;
};

// The gallery on the desktop front-end over a folder of real pictures. Run() starts it and
// carries out one step each time its main loop is idle, as a person acts between messages.
class DesktopGalleryTest : public ::testing::Test {
 protected:
  static constexpr int kPictures = 12;

  void SetUp() override {
    front_ = MakeDesktopFrontEnd(posix_.fs, posix_.paths);
    if (!front_) GTEST_SKIP() << "no display";
    platform_ = std::make_unique<Platform>(PlatformOf(posix_, *front_, posix_.fs));
    app_ = std::make_unique<Application>(*platform_, front_->script);
    folder_ = home_.folder + "/pics";
    std::filesystem::create_directories(folder_);
    MakePictures();
  }

  // Twelve pictures of 320 x 240 in the default colour.
  virtual void MakePictures() {
    for (int i = 1; i <= kPictures; ++i) {
      char name[16];
      std::snprintf(name, sizeof name, "/p%02d.jpg", i);
      WriteSolidJpeg(folder_ + name, 320, 240);
    }
  }

  // Runs the gallery on the folder until it closes; the last step should close it.
  void Run(std::vector<std::function<void()>> steps) {
    size_t next = 0;
    front_->Loop().idle_work = [&] {
      if (next == steps.size()) return false;
      steps[next++]();
      return true;
    };
    guard_ = g_timeout_add(guard_ms_, OnGuard, this);
    app_->Run(folder_);
    if (guard_) g_source_remove(guard_);
    EXPECT_FALSE(timed_out_) << "the gallery did not close";
    EXPECT_EQ(next, steps.size());
  }

  guint guard_ms_ = kGuardMs;  // longer for runs that wait on slow pages on purpose

  FrmMain& Gallery() { return *app_->Gallery(); }
  HtmlView& View() { return *Gallery().page_view->View(); }
  WebKitWebView* Engine() { return WEBKIT_WEB_VIEW(WebViewWidget(&View())); }
  ScriptHooks& Script() { return front_->script; }

  // Lets the loop run for `ms`, processing messages; captured input stays queued.
  void Pause(int ms) { front_->Loop().Sleep(ms); }
  // Lets the loop run until `done` or `ms` passed.
  bool WaitUntil(const std::function<bool()>& done, int ms = 10000) {
    for (int waited = 0; waited < ms; waited += 10) {
      if (done()) return true;
      Pause(10);
    }
    return done();
  }
  void Settle() {
    EXPECT_TRUE(WaitUntil([this] { return !View().Busy(); }));
  }
  // A page script's result as text ("" when it failed).
  std::string Eval(const std::string& code) { return RunScript(Engine(), code).value_or(""); }

  // Where a point of `view` (in its own pixels) is in its window and on the screen.
  static ScreenPoint InWindow(ScreenPoint in_view, HtmlView& view) {
    GtkWidget* widget = WebViewWidget(&view);
    ScreenPoint p;
    gtk_widget_translate_coordinates(widget, gtk_widget_get_toplevel(widget), in_view.x, in_view.y,
                                     &p.x, &p.y);
    return p;
  }
  static ScreenPoint OnScreen(ScreenPoint in_view, HtmlView& view) {
    ScreenPoint p = InWindow(in_view, view);
    int ox = 0, oy = 0;
    gdk_window_get_origin(gtk_widget_get_window(gtk_widget_get_toplevel(WebViewWidget(&view))), &ox,
                          &oy);
    return {p.x + ox, p.y + oy};
  }
  ScreenPoint InWindow(ScreenPoint in_view) { return InWindow(in_view, View()); }
  ScreenPoint OnScreen(ScreenPoint in_view) { return OnScreen(in_view, View()); }
  ScreenPoint ViewCentre() {
    GtkWidget* view = WebViewWidget(&View());
    return {gtk_widget_get_allocated_width(view) / 2, gtk_widget_get_allocated_height(view) / 2};
  }
  // The centre of the page's `element` (a script expression), in `view`.
  static ScreenPoint ElementCentre(HtmlView& view, const std::string& element) {
    std::string at = RunScript(WEBKIT_WEB_VIEW(WebViewWidget(&view)),
                               "(function(){var r=" + element +
                                   ".getBoundingClientRect();return Math.round(r.left+r.width/2)"
                                   "+','+Math.round(r.top+r.height/2);})()")
                         .value_or("");
    ScreenPoint p{-1, -1};
    EXPECT_EQ(std::sscanf(at.c_str(), "%d,%d", &p.x, &p.y), 2) << element;
    return p;
  }
  // The centre of the page's picture `index`, in the view.
  ScreenPoint PictureCentre(int index) {
    return ElementCentre(View(), "document.images[" + std::to_string(index) + "]");
  }

  // The window's close box, as the window manager sends it.
  void CloseBox() { gtk_window_close(ToplevelOf(&Gallery())); }

  bool PageExists() { return posix_.fs.IsFile(posix_.paths.PageFile("C:\\Tpc.htm")); }
  ProgramState& State() { return app_->State(); }
  std::string TempPath(const std::string& name) const { return home_.folder + "/" + name; }
  const std::string& Folder() const { return folder_; }
  FrontEnd& Front() { return *front_; }
  Application& App() { return *app_; }

 private:
  static gboolean OnGuard(gpointer data) {
    auto* self = static_cast<DesktopGalleryTest*>(data);
    self->guard_ = 0;
    self->timed_out_ = true;
    if (FrmMain* gallery = self->app_->Gallery()) gallery->RequestClose();
    return G_SOURCE_REMOVE;
  }

  TestHome home_;  // first: the services read HOME and XDG
  PosixServices posix_;
  std::unique_ptr<FrontEnd> front_;
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<Application> app_;
  std::string folder_;
  guint guard_ = 0;
  bool timed_out_ = false;
};

}  // namespace tv::test
