// Document members of the WebKit view, read through page scripts, plus whole-page
// snapshots and the print and editing commands.
#include <cairo.h>

#include <cstdlib>
#include <memory>

#include "platform/gtk/element_json.h"
#include "platform/gtk/rgb_bands.h"
#include "platform/gtk/script_wait.h"
#include "platform/gtk/webkit_view.h"

namespace tv {

namespace {

// One pass over every element; images that are not laid out report their own size.
constexpr const char* kScanScript = R"JS((function () {
  var all = document.all || document.getElementsByTagName('*');
  var rows = [];
  for (var i = 0; i < all.length; i++) {
    var e = all[i];
    var w = e.offsetWidth || 0, h = e.offsetHeight || 0;
    if (e.tagName && e.tagName.toUpperCase() === 'IMG') {
      w = e.width || e.naturalWidth || w;
      h = e.height || e.naturalHeight || h;
    }
    rows.push([String(e.tagName || '').toUpperCase(),
               typeof e.src === 'string' ? e.src : '',
               typeof e.href === 'string' ? e.href : '',
               typeof e.target === 'string' ? e.target : '', w | 0, h | 0]);
  }
  return JSON.stringify(rows);
})())JS";

constexpr int kSnapshotTimeoutMs = 20000;

struct SnapshotCall {
  bool done = false;
  bool abandoned = false;
  cairo_surface_t* surface = nullptr;
};

void OnSnapshot(GObject* source, GAsyncResult* res, gpointer data) {
  auto* call = static_cast<SnapshotCall*>(data);
  GError* error = nullptr;
  call->surface = webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(source), res, &error);
  if (error) g_error_free(error);
  call->done = true;
  if (call->abandoned) {
    if (call->surface) cairo_surface_destroy(call->surface);
    delete call;
  }
}

GtkPageSetup* shared_page_setup = nullptr;  // kept between page-setup and print commands

}  // namespace

bool WebKitHtmlView::HasDocument() {
  const char* uri = webkit_web_view_get_uri(view_);
  return uri && *uri;
}

std::string WebKitHtmlView::Title() {
  const char* title = webkit_web_view_get_title(view_);
  return title ? title : "";
}

bool WebKitHtmlView::ScrollBy(int x, int y) {
  if (!HasDocument()) return false;
  // Scripts run in order, so later reads see this scroll without waiting for it here.
  PostScript(view_, "window.scrollBy(" + std::to_string(x) + "," + std::to_string(y) + ")");
  return true;
}

bool WebKitHtmlView::ExecScript(const std::string& code, const std::string&) {
  if (!HasDocument()) return false;
  return RunScript(view_, code).has_value();
}

std::vector<HtmlElement> WebKitHtmlView::All() {
  if (!HasDocument()) return {};
  auto json = RunScript(view_, kScanScript);
  if (!json) return {};
  return ParseElementRows(*json);
}

std::string WebKitHtmlView::ActiveElementHref() {
  if (in_new_window_) return new_window_href_;
  if (!HasDocument()) return "";
  auto href = RunScript(view_,
                        "(function(){var e=document.activeElement;"
                        "return e&&typeof e.href==='string'?e.href:'';})()");
  return href.value_or("");
}

bool WebKitHtmlView::ClickLink(int index) {
  if (index < 0 || !HasDocument()) return false;
  // The index-th link with an address, clicked in the page; one that opens a new window
  // asks the logic for it through the engine.
  std::string code =
      "(function(i){var a=document.getElementsByTagName('A');"
      "for(var k=0;k<a.length;k++){var e=a[k];"
      "if(typeof e.href!=='string'||!e.href||i--!==0)continue;"
      "try{e.focus();}catch(x){}"
      "e.click();return e.href;}return '';})(" +
      std::to_string(index) + ")";
  auto found = RunScript(view_, code);
  return found && !found->empty();
}

int WebKitHtmlView::ScriptInt(const std::string& code) {
  if (!HasDocument()) return 0;
  auto text = RunScript(view_, code);
  if (!text) return 0;
  return std::atoi(text->c_str());
}

int WebKitHtmlView::ScrollWidth() {
  return ScriptInt("(document.body||document.documentElement||{scrollWidth:0}).scrollWidth|0");
}

int WebKitHtmlView::ScrollHeight() {
  return ScriptInt("(document.body||document.documentElement||{scrollHeight:0}).scrollHeight|0");
}

int WebKitHtmlView::ScrollTop() {
  return ScriptInt("(window.scrollY||window.pageYOffset||0)|0");
}

void WebKitHtmlView::SetBodyScroll(bool scroll_bars) {
  if (!HasDocument()) return;
  RunScript(view_, std::string("if(document.body)document.body.style.overflow='") +
                       (scroll_bars ? "" : "hidden") + "'");
}

std::string WebKitHtmlView::DocumentHtml() {
  if (!HasDocument()) return "";
  return RunScript(view_, "document.documentElement?document.documentElement.outerHTML:''")
      .value_or("");
}

cairo_surface_t* WebKitHtmlView::TakeSnapshot(WebKitSnapshotRegion region) {
  auto* call = new SnapshotCall;
  webkit_web_view_get_snapshot(view_, region, WEBKIT_SNAPSHOT_OPTIONS_NONE, nullptr, OnSnapshot,
                               call);
  if (!PumpUntil([call] { return call->done; }, kSnapshotTimeoutMs)) {
    call->abandoned = true;
    return nullptr;
  }
  cairo_surface_t* surface = call->surface;
  delete call;
  return surface;
}

cairo_surface_t* WebKitHtmlView::VisibleImage() {
  if (!HasDocument() || !gtk_widget_get_mapped(Widget())) return nullptr;
  return TakeSnapshot(WEBKIT_SNAPSHOT_REGION_VISIBLE);
}

std::optional<BandSource> WebKitHtmlView::Snapshot(int width, int height) {
  if (width <= 0 || height <= 0 || !HasDocument()) return std::nullopt;
  cairo_surface_t* surface = TakeSnapshot(WEBKIT_SNAPSHOT_REGION_FULL_DOCUMENT);
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
  return RgbBands(std::move(pixels), width, height);
}

void WebKitHtmlView::Print(int command, int option) {
  GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(view_));
  GtkWindow* parent = GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr;
  if (command == kCmdPageSetup) {
    GtkPageSetup* chosen = gtk_print_run_page_setup_dialog(parent, shared_page_setup, nullptr);
    if (shared_page_setup) g_object_unref(shared_page_setup);
    shared_page_setup = chosen;
    return;
  }
  WebKitPrintOperation* op = webkit_print_operation_new(view_);
  if (shared_page_setup) webkit_print_operation_set_page_setup(op, shared_page_setup);
  // A started job ends with "finished", which releases the operation.
  g_signal_connect(op, "finished", G_CALLBACK(g_object_unref), nullptr);
  if (command == kCmdPrintPreview || option == kOptPromptUser) {
    if (webkit_print_operation_run_dialog(op, parent) != WEBKIT_PRINT_OPERATION_RESPONSE_PRINT) {
      g_signal_handlers_disconnect_by_func(op, reinterpret_cast<gpointer>(g_object_unref), nullptr);
      g_object_unref(op);
    }
  } else {
    webkit_print_operation_print(op);
  }
}

void WebKitHtmlView::ExecWB(int command, int option) {
  if (script_.active) {
    script_.Report("view: ExecWB " + std::to_string(command) + " " + std::to_string(option));
    return;
  }
  switch (command) {
    case kCmdPrint:
    case kCmdPrintPreview:
    case kCmdPageSetup:
      if (HasDocument()) Print(command, option);
      break;
    case kCmdCut:
      webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_CUT);
      break;
    case kCmdCopy:
      webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_COPY);
      break;
    case kCmdPaste:
      webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_PASTE);
      break;
    case kCmdSelectAll:
      webkit_web_view_execute_editing_command(view_, WEBKIT_EDITING_COMMAND_SELECT_ALL);
      break;
    default:
      break;  // save-as and properties have no counterpart here
  }
}

}  // namespace tv
