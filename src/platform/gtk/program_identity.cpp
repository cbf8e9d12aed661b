#include "platform/gtk/program_identity.h"

#include "platform/application_id.h"
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

void NameProgram() {
  static const bool named = [] {
    g_set_prgname(kApplicationId);
    g_set_application_name("Tessaview");
    return true;
  }();
  (void)named;
}

GtkApplication* ProgramApplication() {
  static GtkApplication* app = [] {
    // The class half of the X window class; GDK would capitalise the name otherwise.
    gdk_set_program_class(kApplicationId);
    SetWindowIcon();
    return MakeApplication();
  }();
  return app;
}

}  // namespace tv
