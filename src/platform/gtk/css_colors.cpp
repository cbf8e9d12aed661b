// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/css_colors.h"

#include <cstdio>

namespace tv {

namespace {
// Values with the top bit set name system colours rather than carrying one.
bool IsSystemColor(uint32_t bgr) {
  return (bgr & 0x80000000u) != 0;
}
}  // namespace

std::string CssColor(uint32_t bgr) {
  if (IsSystemColor(bgr)) return "";
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", bgr & 0xFF, (bgr >> 8) & 0xFF,
                (bgr >> 16) & 0xFF);
  return text;
}

void ApplyColors(GtkWidget* widget, GtkCssProvider** provider, uint32_t back, uint32_t fore) {
  std::string rule;
  std::string b = CssColor(back);
  if (!b.empty()) rule += "background-color:" + b + ";background-image:none;";
  // Black is the default text colour; leaving it to the theme keeps dark themes legible,
  // unless the control paints a background of its own, on which the black is meant.
  std::string f = fore == 0 && b.empty() ? "" : CssColor(fore);
  if (!f.empty()) rule += "color:" + f + ";";
  if (!*provider) {
    if (rule.empty()) return;
    *provider = gtk_css_provider_new();
    gtk_style_context_add_provider(gtk_widget_get_style_context(widget),
                                   GTK_STYLE_PROVIDER(*provider),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  }
  std::string css = rule.empty() ? "" : "* {" + rule + "}";
  gtk_css_provider_load_from_data(*provider, css.c_str(), -1, nullptr);
}

bool PaintColor(cairo_t* cr, uint32_t bgr, double width, double height) {
  if (IsSystemColor(bgr)) return false;
  cairo_set_source_rgb(cr, (bgr & 0xFF) / 255.0, ((bgr >> 8) & 0xFF) / 255.0,
                       ((bgr >> 16) & 0xFF) / 255.0);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_fill(cr);
  return true;
}

}  // namespace tv
