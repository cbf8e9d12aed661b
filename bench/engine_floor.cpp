// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's own start-up, for the start-up bench to time beside the program: one window
// holding one web view, set up as the program sets up its views (no GL in the window, no
// DMA-BUF renderer, no accelerated compositing), loading the page given as a URI.
// `engine_floor URI` runs until it is stopped.
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  g_setenv("GDK_GL", "disable", FALSE);
  g_setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "1", FALSE);
  gtk_init(&argc, &argv);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_default_size(GTK_WINDOW(window), 1000, 700);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
  WebKitSettings* settings = webkit_settings_new();
  webkit_settings_set_hardware_acceleration_policy(settings,
                                                   WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
  GtkWidget* view = webkit_web_view_new_with_settings(settings);
  gtk_container_add(GTK_CONTAINER(window), view);
  webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[1]);
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
