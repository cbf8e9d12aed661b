// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop front-end: GTK windows, WebKit views, GTK dialogs, GIO shell, the desktop
// clipboard and the system's local time.
#include <gtk/gtk.h>

#include <ctime>
#include <iostream>
#include <string>

#include "platform/control.h"
#include "platform/form.h"
#include "platform/front_end.h"
#include "platform/gtk/gio_shell.h"
#include "platform/gtk/gtk_clipboard.h"
#include "platform/gtk/gtk_dialogs.h"
#include "platform/gtk/gtk_loop.h"
#include "platform/gtk/native_window.h"
#include "platform/gtk/program_files.h"
#include "platform/gtk/program_identity.h"
#include "platform/gtk/webkit_view.h"
#include "platform/paths.h"

namespace tv {

namespace {

class LocalClock : public Clock {
 public:
  DateTime Now() override {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
  }
};

class GtkWindowSystem : public WindowSystem {
 public:
  GtkWindowSystem(GtkLoop& loop, FileSystem& fs, Paths& paths, ScriptHooks& script)
      : loop_(loop), fs_(fs), paths_(paths), script_(script) {}
  std::unique_ptr<NativeWindow> CreateNativeWindow(Form& form) override {
    return std::make_unique<GtkNativeWindow>(form, loop_, fs_, script_);
  }
  std::unique_ptr<HtmlView> CreateView(Control& control, HtmlView* companion) override {
    // The first view made while a page asks for a new window shows that window; it
    // shares the asking page's web process. Other views share with views of their kind,
    // a companion's with its companion.
    auto* shown_with = dynamic_cast<WebKitHtmlView*>(companion);
    return std::make_unique<WebKitHtmlView>(script_, &paths_,
                                            shown_with ? nullptr : WebKitHtmlView::TakeOpener(),
                                            control.Owner().Name(), shown_with);
  }
  ScreenArea WorkArea() override {
    GdkDisplay* display = gdk_display_get_default();
    if (!display) return {};
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor) monitor = gdk_display_get_monitor(display, 0);
    if (!monitor) return {};
    GdkRectangle r{};
    gdk_monitor_get_workarea(monitor, &r);
    constexpr int kTwips = 15;
    return {r.x * kTwips, r.y * kTwips, r.width * kTwips, r.height * kTwips};
  }

 private:
  GtkLoop& loop_;
  FileSystem& fs_;
  Paths& paths_;
  ScriptHooks& script_;
};

// Picture buttons are drawn at the small sizes the layout gives them; menu items show a
// check mark only when checked, as the program's menus do.
// The theme eases every change of a control's colours over 200 ms: a tab switched to, a
// button pressed by its key, would finish painting a fifth of a second late.
constexpr const char* kProgramStyle =
    "* { transition: none; }"
    "button.tv-compact { padding: 1px 2px; min-width: 0; min-height: 0; }"
    "menu menuitem check:not(:checked) { border-color: transparent; background: none;"
    " box-shadow: none; -gtk-icon-source: none; }";

void InstallProgramStyle() {
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css, kProgramStyle, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);
}

class DesktopFrontEnd : public FrontEnd {
 public:
  DesktopFrontEnd(FileSystem& fs, Paths& paths)
      : windows_(loop_, fs, paths, script), dialogs_(script), shell_(script), clipboard_(script) {}

  MessageLoop& Loop() override { return loop_; }
  WindowSystem& Windows() override { return windows_; }
  Dialogs& Dialog() override { return dialogs_; }
  Shell& ShellService() override { return shell_; }
  Clipboard& ClipboardService() override { return clipboard_; }
  Clock& ClockService() override { return clock_; }

 private:
  GtkLoop loop_;
  GtkWindowSystem windows_;
  GtkDialogs dialogs_;
  GioShell shell_;
  GtkClipboardService clipboard_;
  LocalClock clock_;
};

}  // namespace

std::unique_ptr<FrontEnd> MakeDesktopFrontEnd(FileSystem& fs, Paths& paths) {
  if (!StartGtk()) return nullptr;
  ProgramApplication();
  InstallProgramStyle();
  return std::make_unique<DesktopFrontEnd>(fs, paths);
}

bool DesktopFilesInPlace(FrontEnd& desktop) {
  const std::string program = RunningProgram();
  if (ExtensionFound(program)) return true;
  std::string folders;
  for (const std::string& folder : ExtensionFolders(program)) folders += "\n  " + folder;
  std::cerr << "tessaview: the web process extension " TV_WEBEXT_NAME " is missing; looked in:"
            << folders << "\nWithout it no picture can be shown: install Tessaview again.\n";
  desktop.Dialog().MsgBox(nullptr,
                          "找不到网页显示扩展 " TV_WEBEXT_NAME "，已查找的文件夹：" + folders +
                              "\n没有它图片无法显示，请重新安装 Tessaview。",
                          MsgIcon::Critical, "Tessaview");
  return false;
}

}  // namespace tv
