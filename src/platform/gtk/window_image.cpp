// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/window_image.h"

namespace tv {

namespace {

cairo_status_t AppendBytes(void* data, const unsigned char* bytes, unsigned int length) {
  static_cast<std::string*>(data)->append(reinterpret_cast<const char*>(bytes), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool WindowPng(GtkWindow* window, const std::vector<WidgetPicture>& covers, std::string& png) {
  GtkWidget* top = GTK_WIDGET(window);
  if (!gtk_widget_get_mapped(top)) return false;
  int width = gtk_widget_get_allocated_width(top);
  int height = gtk_widget_get_allocated_height(top);
  if (width <= 0 || height <= 0) return false;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(surface);
  // Drawn straight into the picture, so nothing waits for the screen to catch up.
  gtk_widget_draw(top, cr);
  for (const WidgetPicture& cover : covers) {
    int x = 0, y = 0;
    if (!cover.picture || !gtk_widget_get_mapped(cover.widget) ||
        !gtk_widget_translate_coordinates(cover.widget, top, 0, 0, &x, &y)) {
      continue;
    }
    cairo_save(cr);
    cairo_rectangle(cr, x, y, gtk_widget_get_allocated_width(cover.widget),
                    gtk_widget_get_allocated_height(cover.widget));
    cairo_clip(cr);
    cairo_set_source_surface(cr, cover.picture, x, y);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  png.clear();
  bool ok = cairo_surface_write_to_png_stream(surface, AppendBytes, &png) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return ok;
}

}  // namespace tv
