// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures a page names but has not loaded (larger versions, linked and lazy pictures),
// loaded by the page itself as pictures of its own, so that its cookies and its address
// as the referrer go with them, and taken from the engine like the others. A redirected
// resource gives its bytes to no one under its final address, so such a picture is read
// again by that address.
#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/gtk/script_wait.h"
#include "platform/gtk/webkit_view.h"
#include "reduced_pictures/picture_requests.h"

namespace tv {

namespace {

constexpr size_t kFetchesAtOnce = 6;
constexpr int kFetchTimeoutMs = 30000;
constexpr int kDataTimeoutMs = 5000;

bool IsWebAddress(const std::string& a) {
  return a.rfind("http://", 0) == 0 || a.rfind("https://", 0) == 0;
}

// A JavaScript string literal of `text`, which nothing in it can end.
std::string ScriptString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c < 0x20 || c == '"' || c == '\\' || c == '<' || c >= 0x7f) {
      char code[8];
      std::snprintf(code, sizeof code, "%%%02X", c);  // addresses take percent escapes
      out += code;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

void OnData(GObject* source, GAsyncResult* res, gpointer data) {
  gsize length = 0;
  guchar* bytes =
      webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), res, &length, nullptr);
  std::string copy;
  if (bytes) copy.assign(reinterpret_cast<const char*>(bytes), length);
  g_free(bytes);
  static_cast<PendingCall<std::string>*>(data)->Finish(std::move(copy));
}

// The resource's bytes as the engine received them; "" when it gives none.
std::string ReadData(WebKitWebResource* resource) {
  auto* call = new PendingCall<std::string>;
  webkit_web_resource_get_data(resource, nullptr, OnData, call);
  return Await(call, kDataTimeoutMs).value_or("");
}

bool AnsweredWithAPicture(WebKitWebResource* resource) {
  WebKitURIResponse* response = webkit_web_resource_get_response(resource);
  if (!response) return false;
  const guint status = webkit_uri_response_get_status_code(response);
  const char* mime = webkit_uri_response_get_mime_type(response);
  const std::string type = mime ? mime : "";
  // A local or data resource has no status.
  return (status == 0 || (status >= 200 && status < 300)) &&
         (type.empty() || type.rfind("image/", 0) == 0 || type == "application/octet-stream");
}

}  // namespace

void WebKitHtmlView::FetchPictures(const std::vector<std::string>& addresses) {
  if (!HasDocument()) return;
  for (const std::string& a : addresses) {
    if (!IsWebAddress(a) || ResourceOf(a)) continue;
    if (std::find(fetching_.begin(), fetching_.end(), a) != fetching_.end()) continue;
    if (std::find(fetch_queue_.begin(), fetch_queue_.end(), a) != fetch_queue_.end()) continue;
    fetch_queue_.push_back(a);
  }
  StartFetches();
}

void WebKitHtmlView::StartFetch(const std::string& address) {
  fetching_.push_back(address);
  // Held by the page until taken, so the engine keeps what it loaded.
  PostScript(view_,
             "(function(u){var m=window.__tvFetch||(window.__tvFetch={});"
             "if(m[u])return;var i=new Image();m[u]=i;i.src=u;})(" +
                 ScriptString(address) + ")");
}

void WebKitHtmlView::StartFetches() {
  // Started and not yet taken, loaded or not: a run takes them in order, so what waits is
  // bounded as well as what is under way.
  while (!fetch_queue_.empty() && fetching_.size() < kFetchesAtOnce) {
    const std::string address = fetch_queue_.front();
    fetch_queue_.pop_front();
    StartFetch(address);
  }
}

WebKitWebResource* WebKitHtmlView::AwaitResource(const std::string& address, int timeout_ms) {
  const uint64_t page = pages_shown_;
  PumpUntil(
      [&] {
        if (pages_shown_ != page) return true;
        WebKitWebResource* r = ResourceOf(address);
        if (!r) return false;
        for (const HeldResource& h : resources_)
          if (h.resource == r) return h.done;
        return true;  // the main resource, loaded with its page
      },
      timeout_ms);
  if (pages_shown_ != page) return nullptr;
  return ResourceOf(address);
}

std::optional<std::string> WebKitHtmlView::BytesOf(WebKitWebResource* resource,
                                                   const std::string& address) {
  // Held across the waits below, in which a new page drops the old page's resources.
  using Held = std::unique_ptr<WebKitWebResource, decltype(&g_object_unref)>;
  const Held first(WEBKIT_WEB_RESOURCE(g_object_ref(resource)), g_object_unref);
  std::string bytes = ReadData(resource);
  // A byte or none: still loading, left behind by a navigation, or renamed by a redirect.
  if (bytes.size() >= 8) return bytes;
  const char* now = webkit_web_resource_get_uri(resource);
  const std::string final_address = now ? reduced::AsPageNamesIt(now) : "";
  if (final_address.empty() || final_address == address || !IsWebAddress(final_address)) {
    return std::nullopt;
  }
  // The engine received the bytes under the first address: it is asked for them under the
  // last one, which its cache answers where the site lets it keep them.
  const uint64_t page = pages_shown_;
  if (!ResourceOf(final_address) || ResourceOf(final_address) == resource) {
    StartFetch(final_address);
  }
  WebKitWebResource* moved = AwaitResource(final_address, kFetchTimeoutMs);
  if (pages_shown_ != page) return std::nullopt;
  fetching_.erase(std::remove(fetching_.begin(), fetching_.end(), final_address), fetching_.end());
  if (!moved || moved == resource || !AnsweredWithAPicture(moved)) return std::nullopt;
  const Held second(WEBKIT_WEB_RESOURCE(g_object_ref(moved)), g_object_unref);
  bytes = ReadData(moved);
  if (bytes.size() < 8) return std::nullopt;
  return bytes;
}

std::optional<std::string> WebKitHtmlView::FetchedPicture(const std::string& address) {
  const auto started = std::find(fetching_.begin(), fetching_.end(), address);
  if (started == fetching_.end()) return std::nullopt;
  const uint64_t page = pages_shown_;
  WebKitWebResource* resource = AwaitResource(address, kFetchTimeoutMs);
  if (pages_shown_ != page) return std::nullopt;
  std::optional<std::string> bytes;
  // An answer that is no picture (a link to a page) is not taken.
  if (resource && AnsweredWithAPicture(resource)) bytes = BytesOf(resource, address);
  fetching_.erase(std::remove(fetching_.begin(), fetching_.end(), address), fetching_.end());
  PostScript(view_, "if(window.__tvFetch)delete window.__tvFetch[" + ScriptString(address) + "]");
  StartFetches();
  return bytes;
}

void WebKitHtmlView::DropFetches() {
  fetch_queue_.clear();
  fetching_.clear();
}

}  // namespace tv
