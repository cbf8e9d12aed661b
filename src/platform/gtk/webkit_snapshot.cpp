// Whole-page pictures of the WebKit view: the engine renders a document in one piece up
// to its height limit; a taller page is taken band by band from the visible area.
#include <cairo.h>

#include <cstdio>
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

// Takes the visible area at one scroll position after another, and scrolls the page back
// to where the user had it once the last tile is no longer needed.
class ViewTiles {
 public:
  explicit ViewTiles(WebKitWebView* view) : view_(WEBKIT_WEB_VIEW(g_object_ref(view))) {
    auto at = RunScript(view_, "(window.scrollX|0)+','+(window.scrollY|0)");
    if (at) std::sscanf(at->c_str(), "%d,%d", &saved_x_, &saved_y_);
  }
  ~ViewTiles() {
    PostScript(view_, "window.scrollTo(" + std::to_string(saved_x_) + "," +
                          std::to_string(saved_y_) + ")");
    g_object_unref(view_);
  }
  ViewTiles(const ViewTiles&) = delete;
  ViewTiles& operator=(const ViewTiles&) = delete;

  std::optional<PageTile> Take(int x, int y) {
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
    auto pixels = PixelsOf(TakeSnapshot(view_, WEBKIT_SNAPSHOT_REGION_VISIBLE));
    if (!pixels) return std::nullopt;
    tile.pixels = std::move(*pixels);
    return tile;
  }

 private:
  WebKitWebView* view_;
  int saved_x_ = 0;
  int saved_y_ = 0;
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
  auto tiles = std::make_shared<ViewTiles>(view_);
  if (!tiles->Take(0, 0)) return std::nullopt;
  return TiledBands([tiles](int x, int y) { return tiles->Take(x, y); }, width, height);
}

}  // namespace tv
