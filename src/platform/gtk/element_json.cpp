// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/element_json.h"

#include <json-glib/json-glib.h>

#include <cmath>
#include <string>

namespace tv {

namespace {

std::string TextAt(JsonArray* row, guint i) {
  if (i >= json_array_get_length(row)) return "";
  JsonNode* n = json_array_get_element(row, i);
  if (JSON_NODE_HOLDS_VALUE(n) && json_node_get_value_type(n) == G_TYPE_STRING) {
    const gchar* s = json_node_get_string(n);
    return s ? s : "";
  }
  return "";
}

int IntAt(JsonArray* row, guint i) {
  if (i >= json_array_get_length(row)) return 0;
  JsonNode* n = json_array_get_element(row, i);
  if (!JSON_NODE_HOLDS_VALUE(n)) return 0;
  const GType t = json_node_get_value_type(n);
  if (t != G_TYPE_DOUBLE && t != G_TYPE_INT64) return 0;
  const double d = json_node_get_double(n);
  if (!std::isfinite(d)) return 0;
  if (d >= 2147483647.0) return 2147483647;
  if (d <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(d);
}

}  // namespace

std::vector<HtmlElement> ParseElementRows(std::string_view json) {
  std::vector<HtmlElement> rows;
  JsonParser* parser = json_parser_new();
  if (json_parser_load_from_data(parser, json.data(), static_cast<gssize>(json.size()), nullptr)) {
    JsonNode* root = json_parser_get_root(parser);
    if (root && JSON_NODE_HOLDS_ARRAY(root)) {
      JsonArray* all = json_node_get_array(root);
      const guint n = json_array_get_length(all);
      rows.reserve(n);
      for (guint i = 0; i < n; ++i) {
        JsonNode* node = json_array_get_element(all, i);
        if (!JSON_NODE_HOLDS_ARRAY(node)) break;  // the rows up to the first malformed one
        JsonArray* row = json_node_get_array(node);
        HtmlElement e;
        e.tag_name = TextAt(row, 0);
        e.src = TextAt(row, 1);
        e.href = TextAt(row, 2);
        e.target = TextAt(row, 3);
        e.width = IntAt(row, 4);
        e.height = IntAt(row, 5);
        e.title = TextAt(row, 6);
        e.natural_width = IntAt(row, 7);
        e.natural_height = IntAt(row, 8);
        e.loaded = IntAt(row, 9) != 0;
        e.lazy = IntAt(row, 10) != 0;
        e.shown_src = TextAt(row, 11);
        e.largest = TextAt(row, 12);
        e.link = TextAt(row, 13);
        e.background = TextAt(row, 14);
        rows.push_back(std::move(e));
      }
    }
  }
  g_object_unref(parser);
  return rows;
}

PointerTarget ParsePointerTarget(std::string_view json) {
  PointerTarget t;
  JsonParser* parser = json_parser_new();
  if (json_parser_load_from_data(parser, json.data(), static_cast<gssize>(json.size()), nullptr)) {
    JsonNode* root = json_parser_get_root(parser);
    if (root && JSON_NODE_HOLDS_ARRAY(root)) {
      JsonArray* row = json_node_get_array(root);
      t.link = TextAt(row, 0);
      t.picture = TextAt(row, 1);
      if (json_array_get_length(row) > 2) {
        JsonNode* n = json_array_get_element(row, 2);
        t.selected = JSON_NODE_HOLDS_VALUE(n) && json_node_get_value_type(n) == G_TYPE_BOOLEAN &&
                     json_node_get_boolean(n);
      }
    }
  }
  g_object_unref(parser);
  return t;
}

}  // namespace tv
