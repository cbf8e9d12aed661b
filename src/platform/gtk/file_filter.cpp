// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/file_filter.h"

#include <cctype>
#include <string>

namespace tv {

namespace {

// "*.jpg" -> "*.[jJ][pP][gG]": GTK 3 patterns heed letter case.
std::string AnyCase(const std::string& pattern) {
  std::string out;
  for (char c : pattern) {
    unsigned char u = static_cast<unsigned char>(c);
    if (std::isalpha(u)) {
      out += '[';
      out += static_cast<char>(std::tolower(u));
      out += static_cast<char>(std::toupper(u));
      out += ']';
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

GtkFileFilter* NewGtkFileFilter(const FileFilterEntry& entry) {
  GtkFileFilter* filter = gtk_file_filter_new();
  gtk_file_filter_set_name(filter, entry.label.c_str());
  for (const std::string& p : entry.patterns) {
    gtk_file_filter_add_pattern(filter, AnyCase(p).c_str());
  }
  return filter;
}

}  // namespace tv
