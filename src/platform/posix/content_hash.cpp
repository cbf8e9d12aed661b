// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 from GLib.
#include <glib.h>

#include <algorithm>

#include "platform/content_hash.h"

namespace tv {

std::string ContentHash(std::string_view bytes) {
  GChecksum* sum = g_checksum_new(G_CHECKSUM_SHA256);
  // GChecksum takes a signed length: large inputs go in pieces.
  constexpr size_t kPiece = size_t{1} << 30;
  for (size_t at = 0; at < bytes.size(); at += kPiece) {
    const size_t n = std::min(kPiece, bytes.size() - at);
    g_checksum_update(sum, reinterpret_cast<const guchar*>(bytes.data() + at),
                      static_cast<gssize>(n));
  }
  std::string hex = g_checksum_get_string(sum);
  g_checksum_free(sum);
  return hex;
}

}  // namespace tv
