#include "platform/gtk/window_image.h"

namespace tv {

namespace {

constexpr gint64 kSettleUs = 300 * 1000;

gboolean AppendBytes(const gchar* buf, gsize count, GError**, gpointer data) {
  static_cast<std::string*>(data)->append(buf, count);
  return TRUE;
}

}  // namespace

bool WindowPng(GtkWindow* window, std::string& png) {
  GtkWidget* widget = GTK_WIDGET(window);
  if (!gtk_widget_get_mapped(widget)) return false;
  GdkWindow* gdk_window = gtk_widget_get_window(widget);
  if (!gdk_window) return false;
  // Draws queued by the last changes reach the screen before it is read back.
  gint64 end = g_get_monotonic_time() + kSettleUs;
  while (g_main_context_pending(nullptr) && g_get_monotonic_time() < end) {
    g_main_context_iteration(nullptr, FALSE);
  }
  gdk_display_sync(gdk_window_get_display(gdk_window));
  int width = gdk_window_get_width(gdk_window);
  int height = gdk_window_get_height(gdk_window);
  if (width <= 0 || height <= 0) return false;
  GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdk_window, 0, 0, width, height);
  if (!pixbuf) return false;
  png.clear();
  gboolean ok = gdk_pixbuf_save_to_callback(pixbuf, AppendBytes, &png, "png", nullptr, nullptr);
  g_object_unref(pixbuf);
  return ok;
}

}  // namespace tv
