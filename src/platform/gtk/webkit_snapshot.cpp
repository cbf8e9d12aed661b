// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-page pictures of the WebKit view: the engine renders a document in one piece up
// to its height limit; a taller page is taken band by band from the visible area.
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/gtk/page_tiles.h"
#include "platform/gtk/rgb_bands.h"
#include "platform/gtk/script_wait.h"
#include "platform/gtk/webkit_view.h"

namespace tv {

namespace {

constexpr int kSnapshotTimeoutMs = 20000;
// The engine renders no taller document in one piece; taller pages are put together
// from pictures of the visible area.
constexpr int kFullDocumentLimit = 32767;

using SnapshotCall = PendingCall<cairo_surface_t*>;

void OnSnapshot(GObject* source, GAsyncResult* res, gpointer data) {
  GError* error = nullptr;
  cairo_surface_t* surface =
      webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(source), res, &error);
  if (error) g_error_free(error);
  static_cast<SnapshotCall*>(data)->Finish(surface);
}

cairo_surface_t* TakeSnapshot(WebKitWebView* view, WebKitSnapshotRegion region) {
  auto* call = new SnapshotCall;
  call->drop = [](cairo_surface_t*& surface) {
    if (surface) cairo_surface_destroy(surface);
  };
  webkit_web_view_get_snapshot(view, region, WEBKIT_SNAPSHOT_OPTIONS_NONE, nullptr, OnSnapshot,
                               call);
  return Await(call, kSnapshotTimeoutMs).value_or(nullptr);
}

// The pixels of a rendered picture, which they keep alive; nothing for a kind of surface
// that holds no plain pixels.
std::optional<ArgbPixels> PixelsOf(cairo_surface_t* surface) {
  if (!surface) return std::nullopt;
  std::shared_ptr<cairo_surface_t> owner(surface, cairo_surface_destroy);
  if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return std::nullopt;
  cairo_format_t format = cairo_image_surface_get_format(surface);
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) return std::nullopt;
  cairo_surface_flush(surface);
  ArgbPixels pixels;
  pixels.owner = owner;
  pixels.data = cairo_image_surface_get_data(surface);
  pixels.width = cairo_image_surface_get_width(surface);
  pixels.height = cairo_image_surface_get_height(surface);
  pixels.stride = cairo_image_surface_get_stride(surface);
  pixels.has_alpha = format == CAIRO_FORMAT_ARGB32;
  return pixels;
}

// The view's height while a tall page is taken: each picture of the visible area costs
// two trips to the engine and a rendering of its own, so a view as tall as a window would
// take a page of 40,000 pixels in some sixty pieces at several times the cost of one
// rendering; at this height it takes three (the pieces of one page are of one height).
constexpr int kTileHeight = 16384;
constexpr int kResizeWaitMs = 3000;

// Takes the visible area at one scroll position after another, and scrolls the page back
// to where the user had it once the last tile is no longer needed. Meanwhile the view is
// made taller than its window and taken off the screen, so that the engine renders each
// tile once, for the picture, and not a second time for a view nobody sees; it comes back
// with its size when the tiles are done.
class ViewTiles {
 public:
  // `page_height` is the height of the page to take, which the pieces share evenly.
  ViewTiles(WebKitWebView* view, int page_height)
      : view_(WEBKIT_WEB_VIEW(g_object_ref(view))), tile_height_(TileHeight(page_height)) {
    auto at = RunScript(view_, "(window.scrollX|0)+','+(window.scrollY|0)");
    if (at) std::sscanf(at->c_str(), "%d,%d", &saved_x_, &saved_y_);
    Heighten();
  }
  ~ViewTiles() {
    if (heightened_) {
      // A window laid out again meanwhile has placed the view already.
      int width = 0, height = 0;
      gtk_widget_get_size_request(GTK_WIDGET(view_), &width, &height);
      if (height == tile_height_) {
        gtk_widget_set_size_request(GTK_WIDGET(view_), asked_width_, asked_height_);
      }
      gtk_widget_set_child_visible(GTK_WIDGET(view_), TRUE);
    }
    PostScript(view_, "window.scrollTo(" + std::to_string(saved_x_) + "," +
                          std::to_string(saved_y_) + ")");
    g_object_unref(view_);
  }
  ViewTiles(const ViewTiles&) = delete;
  ViewTiles& operator=(const ViewTiles&) = delete;

  // Takes the tile at (x, y) and keeps it for the next call that asks for it.
  bool TakeAndKeep(int x, int y) {
    kept_ = Take(x, y);
    kept_x_ = x;
    kept_y_ = y;
    return kept_.has_value();
  }

  std::optional<PageTile> Take(int x, int y) {
    // The tile that showed the view could be taken is the band's first.
    if (kept_ && kept_x_ == x && kept_y_ == y) {
      std::optional<PageTile> tile = std::move(kept_);
      kept_.reset();
      return tile;
    }
    kept_.reset();
    // The scrolling element's client size leaves out scroll bars, in either document mode.
    auto at = RunScript(view_, "(function(){window.scrollTo(" + std::to_string(x) + "," +
                                   std::to_string(y) +
                                   ");var e=document.scrollingElement||document.documentElement;"
                                   "return [window.scrollX|0,window.scrollY|0,"
                                   "e?e.clientWidth|0:0,e?e.clientHeight|0:0].join();})()");
    PageTile tile;
    if (!at ||
        std::sscanf(at->c_str(), "%d,%d,%d,%d", &tile.x, &tile.y, &tile.width, &tile.height) != 4) {
      return std::nullopt;
    }
    // A view that could not scroll further right shows nothing new (the page's margin
    // lies past its end): the band stops there without a picture.
    if (x > 0 && tile.x + tile.width <= x) return tile;
    auto pixels = PixelsOf(TakeSnapshot(view_, WEBKIT_SNAPSHOT_REGION_VISIBLE));
    if (!pixels) return std::nullopt;
    tile.pixels = std::move(*pixels);
    return tile;
  }

 private:
  // As few pieces as the largest tall view allows, and none taller than needed.
  static int TileHeight(int page_height) {
    const int pieces = std::max(1, (page_height + kTileHeight - 1) / kTileHeight);
    return std::clamp((page_height + pieces - 1) / pieces, 1, kTileHeight);
  }

  // Makes the view tile_height_ tall and waits until the page has been laid out at that
  // height; a view that does not grow is taken at the height it has.
  void Heighten() {
    GtkWidget* widget = GTK_WIDGET(view_);
    const int width = gtk_widget_get_allocated_width(widget);
    if (gtk_widget_get_allocated_height(widget) >= tile_height_ || width <= 0) return;
    gtk_widget_get_size_request(widget, &asked_width_, &asked_height_);
    gtk_widget_set_size_request(widget, width, tile_height_);
    gtk_widget_set_child_visible(widget, FALSE);
    heightened_ = true;
    const int tall = tile_height_;
    PumpUntil([widget, tall] { return gtk_widget_get_allocated_height(widget) >= tall; },
              kResizeWaitMs);
    const auto start = g_get_monotonic_time();
    while (g_get_monotonic_time() - start < kResizeWaitMs * 1000) {
      auto inner = RunScript(view_, "window.innerHeight|0");
      if (!inner || std::atoi(inner->c_str()) >= tile_height_) break;
      bool later = false;
      g_timeout_add(
          10,
          [](gpointer flag) {
            *static_cast<bool*>(flag) = true;
            return G_SOURCE_REMOVE;
          },
          &later);
      PumpUntil([&later] { return later; }, kResizeWaitMs);
    }
  }

  WebKitWebView* view_;
  const int tile_height_;
  int saved_x_ = 0;
  int saved_y_ = 0;
  bool heightened_ = false;
  std::optional<PageTile> kept_;
  int kept_x_ = 0;
  int kept_y_ = 0;
  int asked_width_ = -1;
  int asked_height_ = -1;
};

}  // namespace

cairo_surface_t* WebKitHtmlView::VisibleImage() {
  if (!HasDocument() || !gtk_widget_get_mapped(Widget())) return nullptr;
  return TakeSnapshot(view_, WEBKIT_SNAPSHOT_REGION_VISIBLE);
}

std::optional<BandSource> WebKitHtmlView::Snapshot(int width, int height) {
  if (width <= 0 || height <= 0 || !HasDocument()) return std::nullopt;
  if (height <= kFullDocumentLimit) {
    auto whole = PixelsOf(TakeSnapshot(view_, WEBKIT_SNAPSHOT_REGION_FULL_DOCUMENT));
    if (whole) return RgbBands(std::move(*whole), width, height);
  }
  if (!gtk_widget_get_mapped(Widget())) return std::nullopt;
  auto tiles = std::make_shared<ViewTiles>(view_, height);
  if (!tiles->TakeAndKeep(0, 0)) return std::nullopt;
  return TiledBands([tiles](int x, int y) { return tiles->Take(x, y); }, width, height);
}

}  // namespace tv
