// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/program_identity.h"

#include <string>

#include "platform/application_id.h"
#include "platform/gtk/interface_gl.h"
#include "platform/gtk/program_files.h"

namespace tv {

namespace {

bool SearchedAlready(GtkIconTheme* theme, const std::string& folder) {
  gchar** path = nullptr;
  gint count = 0;
  gtk_icon_theme_get_search_path(theme, &path, &count);
  bool found = false;
  for (gint i = 0; i < count && !found; ++i) found = folder == path[i];
  g_strfreev(path);
  return found;
}

void SetWindowIcon() {
  // Decided by the folder's name: asking the theme for an icon it lacks looks through
  // every folder of every theme, which costs the start several times what loading it does.
  GtkIconTheme* theme = gtk_icon_theme_get_default();
  const std::string folder = IconFolder(RunningProgram());
  if (!folder.empty() && !SearchedAlready(theme, folder)) {
    gtk_icon_theme_append_search_path(theme, folder.c_str());
  }
  gtk_window_set_default_icon_name(kApplicationId);
}

GtkApplication* MakeApplication() {
  // Not unique: a second start is a program of its own, with its own pages, as before.
  GtkApplication* app = gtk_application_new(kApplicationId, G_APPLICATION_NON_UNIQUE);
  GError* error = nullptr;
  // Without a session bus it stays a local application; the windows still carry its id.
  if (!g_application_register(G_APPLICATION(app), nullptr, &error)) g_clear_error(&error);
  return app;
}

}  // namespace

bool StartGtk() {
  static const bool named = [] {
    g_set_prgname(kApplicationId);
    g_set_application_name("Tessaview");
    // Once, while the program still runs one thread: the engine opens its display once.
    HideGlDriverFromInterface();
    return true;
  }();
  (void)named;
  // The class half of every X window class, the group leader's GDK makes when it opens
  // the display included, comes from this option; GDK capitalises the name otherwise.
  std::string program = kApplicationId;
  std::string window_class = std::string("--class=") + kApplicationId;
  char* args[] = {program.data(), window_class.data(), nullptr};
  int argc = 2;
  char** argv = args;
  // No window of the program draws with OpenGL and the engine's views composite in
  // software: without these, GDK and the engine each load the software GL driver (its
  // LLVM alone is 13 MB a process). A value the user set stays.
  g_setenv("GDK_GL", "disable", FALSE);
  g_setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "1", FALSE);
  return gtk_init_check(&argc, &argv);
}

GtkApplication* ProgramApplication() {
  static GtkApplication* app = [] {
    SetWindowIcon();
    return MakeApplication();
  }();
  return app;
}

}  // namespace tv
