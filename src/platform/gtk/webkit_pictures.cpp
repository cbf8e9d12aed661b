// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of a page as the view holds them: the bytes the engine received for each
// resource of the page, known by every address that led to them, so nothing is fetched
// from the network again; and a picture cut out of what the view shows, for a format the
// system's decoders lack.
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "platform/gtk/rgb_bands.h"
#include "platform/gtk/script_wait.h"
#include "platform/gtk/webkit_view.h"
#include "reduced_pictures/picture_requests.h"

namespace tv {

namespace {

// Past this many resources a page keeps the ones it loaded first: a page that loads
// without end must not grow the program without end.
constexpr size_t kMaxResources = 20000;

void OnSentRequest(WebKitWebResource* resource, WebKitURIRequest* request, WebKitURIResponse*,
                   gpointer view) {
  static_cast<WebKitHtmlView*>(view)->OnResourceRequest(resource, request);
}

void OnResourceFinished(WebKitWebResource* resource, gpointer view) {
  static_cast<WebKitHtmlView*>(view)->OnResourceDone(resource);
}

void OnResourceFailed(WebKitWebResource* resource, GError*, gpointer view) {
  static_cast<WebKitHtmlView*>(view)->OnResourceDone(resource);
}

std::string PageName(const char* uri) {
  return uri ? reduced::AsPageNamesIt(uri) : "";
}

}  // namespace

void WebKitHtmlView::OnResourceStarted(WebKitWebResource* resource) {
  if (resources_.size() >= kMaxResources) return;
  resources_.push_back({WEBKIT_WEB_RESOURCE(g_object_ref(resource)),
                        {PageName(webkit_web_resource_get_uri(resource))}});
  // A redirect renames the resource: every address of its chain names it still.
  g_signal_connect(resource, "sent-request", G_CALLBACK(OnSentRequest), this);
  g_signal_connect(resource, "finished", G_CALLBACK(OnResourceFinished), this);
  g_signal_connect(resource, "failed", G_CALLBACK(OnResourceFailed), this);
}

void WebKitHtmlView::OnResourceDone(WebKitWebResource* resource) {
  for (auto it = resources_.rbegin(); it != resources_.rend(); ++it) {
    if (it->resource == resource) {
      it->done = true;
      return;
    }
  }
}

void WebKitHtmlView::OnResourceRequest(WebKitWebResource* resource, WebKitURIRequest* request) {
  const std::string address = PageName(webkit_uri_request_get_uri(request));
  for (auto it = resources_.rbegin(); it != resources_.rend(); ++it) {
    if (it->resource != resource) continue;
    auto& known = it->addresses;
    if (!address.empty() && std::find(known.begin(), known.end(), address) == known.end())
      known.push_back(address);
    return;
  }
}

void WebKitHtmlView::DropResources() {
  for (HeldResource& r : resources_) {
    g_signal_handlers_disconnect_by_data(r.resource, this);
    g_object_unref(r.resource);
  }
  resources_.clear();
  ++pages_shown_;
  DropFetches();
}

WebKitWebResource* WebKitHtmlView::ResourceOf(const std::string& address) {
  // The newest of that address: a page may load one address twice.
  for (auto it = resources_.rbegin(); it != resources_.rend(); ++it) {
    const auto& known = it->addresses;
    if (std::find(known.begin(), known.end(), address) != known.end()) return it->resource;
    const std::string now = PageName(webkit_web_resource_get_uri(it->resource));
    if (now == address) return it->resource;
  }
  // A picture shown on its own is the page's main resource, which its load does not list.
  WebKitWebResource* main = webkit_web_view_get_main_resource(view_);
  if (main && PageName(webkit_web_resource_get_uri(main)) == address) return main;
  return nullptr;
}

std::optional<std::string> WebKitHtmlView::HeldPicture(const std::string& address) {
  if (address.empty() || !HasDocument()) return std::nullopt;
  // One the page loads for the program is taken as fetched, which lets the next start.
  if (std::find(fetching_.begin(), fetching_.end(), address) != fetching_.end()) {
    return FetchedPicture(address);
  }
  WebKitWebResource* resource = ResourceOf(address);
  if (!resource) return std::nullopt;
  return BytesOf(resource, address);
}

std::optional<Picture> WebKitHtmlView::ShownPicture(int index) {
  if (index < 0 || !HasDocument()) return std::nullopt;
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
