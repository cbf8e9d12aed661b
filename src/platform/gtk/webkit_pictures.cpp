// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of a page as the view holds them: the bytes the engine received for each
// resource of the page, decoded, so nothing is fetched from the network again. A picture
// whose bytes are of a format the system's decoders lack is cut out of what the view
// shows; a damaged one is no picture to keep.
#include <cairo.h>

#include <cstdio>
#include <string_view>

#include "platform/gtk/rgb_bands.h"
#include "platform/gtk/script_wait.h"
#include "platform/gtk/webkit_view.h"
#include "reduced_pictures/picture_requests.h"

namespace tv {

namespace {

constexpr int kDataTimeoutMs = 5000;
// Past this many resources a page keeps the ones it loaded first: a page that loads
// without end must not grow the program without end.
constexpr size_t kMaxResources = 20000;

using DataCall = PendingCall<std::string>;

void OnData(GObject* source, GAsyncResult* res, gpointer data) {
  gsize length = 0;
  guchar* bytes =
      webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), res, &length, nullptr);
  std::string copy;
  if (bytes) copy.assign(reinterpret_cast<const char*>(bytes), length);
  g_free(bytes);
  static_cast<DataCall*>(data)->Finish(std::move(copy));
}

std::string ResourceBytes(WebKitWebResource* resource) {
  auto* call = new DataCall;
  webkit_web_resource_get_data(resource, nullptr, OnData, call);
  return Await(call, kDataTimeoutMs).value_or("");
}

}  // namespace

void WebKitHtmlView::OnResourceStarted(WebKitWebResource* resource) {
  if (resources_.size() < kMaxResources)
    resources_.push_back(WEBKIT_WEB_RESOURCE(g_object_ref(resource)));
}

void WebKitHtmlView::DropResources() {
  for (WebKitWebResource* r : resources_) g_object_unref(r);
  resources_.clear();
}

std::optional<std::string> WebKitHtmlView::PictureBytes(int index) {
  if (index < 0 || !HasDocument()) return std::nullopt;
  // Only a picture the engine has loaded and decoded: a missing or broken one shows the
  // engine's own box, which is no picture of the page.
  const auto src = RunScript(view_,
                             "(function(i){var a=document.all||"
                             "document.getElementsByTagName('*');var e=a[i];"
                             "return e&&e.tagName==='IMG'&&e.complete&&e.naturalWidth>0?"
                             "String(e.currentSrc||e.src):'';})(" +
                                 std::to_string(index) + ")");
  if (!src || src->empty()) return std::nullopt;
  // The newest resource of that address (a redirect has changed its address by now).
  for (auto it = resources_.rbegin(); it != resources_.rend(); ++it) {
    const char* uri = webkit_web_resource_get_uri(*it);
    if (!uri || *src != reduced::AsPageNamesIt(uri)) continue;
    std::string bytes = ResourceBytes(*it);
    // A byte or none: still loading, or left behind by a navigation. Not the picture, and
    // its pixels would be known by another key than its bytes, so the same picture would
    // be saved twice: a later pass takes it whole.
    if (bytes.size() < 8) return std::nullopt;
    return bytes;
  }
  return std::string();
}

std::optional<Picture> WebKitHtmlView::CopyPicture(int index, std::string_view bytes) {
  if (index < 0 || !HasDocument()) return std::nullopt;
  DecodeFault fault = DecodeFault::kNone;
  if (auto picture = DecodePicture(bytes, &fault)) return picture;
  if (fault != DecodeFault::kUnknownFormat) return std::nullopt;
  return ShownPicture(index);
}

std::optional<Picture> WebKitHtmlView::ShownPicture(int index) {
  // Brought into view, where the engine paints it; the scroll position is put back.
  const auto box =
      RunScript(view_,
                "(function(i){var a=document.all||document.getElementsByTagName('*');var e=a[i];"
                "if(!e)return '';var x=window.scrollX,y=window.scrollY;e.scrollIntoView();"
                "var r=e.getBoundingClientRect();window.__tvBack=[x,y];"
                "return [Math.round(r.left),Math.round(r.top),Math.round(r.width),"
                "Math.round(r.height)].join(',');})(" +
                    std::to_string(index) + ")");
  int x = 0, y = 0, w = 0, h = 0;
  const bool placed = box && std::sscanf(box->c_str(), "%d,%d,%d,%d", &x, &y, &w, &h) == 4;
  cairo_surface_t* shown = placed && w > 0 && h > 0 ? VisibleImage() : nullptr;
  PostScript(view_,
             "if(window.__tvBack){window.scrollTo(window.__tvBack[0],window.__tvBack[1]);"
             "delete window.__tvBack;}");
  if (!shown) return std::nullopt;
  std::optional<Picture> picture;
  if (cairo_image_surface_get_format(shown) == CAIRO_FORMAT_ARGB32 ||
      cairo_image_surface_get_format(shown) == CAIRO_FORMAT_RGB24) {
    cairo_surface_flush(shown);
    const int sw = cairo_image_surface_get_width(shown), sh = cairo_image_surface_get_height(shown);
    // Only the part of the picture that is on screen can be cut out.
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + w, sw), bottom = std::min(y + h, sh);
    if (right > left && bottom > top) {
      Picture p;
      p.width = right - left;
      p.height = bottom - top;
      p.rgb.resize(static_cast<size_t>(p.width) * p.height * 3);
      const bool alpha = cairo_image_surface_get_format(shown) == CAIRO_FORMAT_ARGB32;
      const int stride = cairo_image_surface_get_stride(shown);
      const uint8_t* data = cairo_image_surface_get_data(shown);
      uint8_t* out = p.rgb.data();
      for (int row = top; row < bottom; ++row) {
        const uint8_t* in =
            data + static_cast<size_t>(row) * stride + static_cast<size_t>(left) * 4;
        for (int col = left; col < right; ++col, in += 4, out += 3) ArgbToRgb(in, alpha, out);
      }
      picture = std::move(p);
    }
  }
  cairo_surface_destroy(shown);
  return picture;
}

}  // namespace tv
