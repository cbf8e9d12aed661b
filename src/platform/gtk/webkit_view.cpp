#include "platform/gtk/webkit_view.h"

#include "platform/gtk/script_wait.h"
#include "platform/gtk/view_address.h"

namespace tv {

namespace {

constexpr gint64 kRequestLimitUs = 5 * 1000 * 1000;
constexpr int kFrameWaitMs = 2000, kDrawWaitMs = 500;

WebKitHtmlView* Self(gpointer data) {
  return static_cast<WebKitHtmlView*>(data);
}

void OnMouseTarget(WebKitWebView*, WebKitHitTestResult* hit, guint, gpointer data) {
  const char* uri = webkit_hit_test_result_context_is_link(hit)
                        ? webkit_hit_test_result_get_link_uri(hit)
                        : nullptr;
  Self(data)->OnStatus(uri ? uri : "");
}

void OnProgressNotify(GObject*, GParamSpec*, gpointer data) {
  Self(data)->OnProgress();
}
void OnTitleNotify(GObject*, GParamSpec*, gpointer data) {
  Self(data)->OnTitle();
}

void OnHistory(WebKitBackForwardList*, WebKitBackForwardListItem*, gpointer, gpointer data) {
  Self(data)->OnHistoryChanged();
}

void OnLoad(WebKitWebView*, WebKitLoadEvent event, gpointer data) {
  Self(data)->OnLoadChanged(event);
}

std::string RequestUri(WebKitNavigationAction* action) {
  WebKitURIRequest* request = action ? webkit_navigation_action_get_request(action) : nullptr;
  const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
  return uri ? uri : "";
}

gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                        WebKitPolicyDecisionType type, gpointer data) {
  if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return FALSE;
  WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
      WEBKIT_NAVIGATION_POLICY_DECISION(decision));
  std::string uri = RequestUri(action);
  if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
    // The logic places a new window itself; the engine's own is never made.
    webkit_policy_decision_ignore(decision);
    Self(data)->OnNewWindow(uri);
    return TRUE;
  }
  if (Self(data)->OnNavigation(uri)) {
    Self(data)->OnRefused();
    webkit_policy_decision_ignore(decision);
    return TRUE;
  }
  return FALSE;
}

GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction* action, gpointer data) {
  Self(data)->OnNewWindow(RequestUri(action));
  return nullptr;
}

gboolean OnDrawn(GtkWidget*, cairo_t*, gpointer data) {
  *static_cast<bool*>(data) = true;
  return FALSE;
}

gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*,
                       gpointer) {
  return TRUE;
}

}  // namespace

WebKitHtmlView::WebKitHtmlView(ScriptHooks& script) : script_(script) {
  view_ = WEBKIT_WEB_VIEW(webkit_web_view_new());
  g_object_ref_sink(view_);
  WebKitSettings* settings = webkit_web_view_get_settings(view_);
  // Generated pages carry no charset of their own.
  webkit_settings_set_default_charset(settings, "UTF-8");
  webkit_settings_set_allow_file_access_from_file_urls(settings, TRUE);
  history_ = webkit_web_view_get_back_forward_list(view_);
  g_signal_connect(view_, "mouse-target-changed", G_CALLBACK(OnMouseTarget), this);
  g_signal_connect(view_, "notify::estimated-load-progress", G_CALLBACK(OnProgressNotify), this);
  g_signal_connect(history_, "changed", G_CALLBACK(OnHistory), this);
  g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoad), this);
  g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
  g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitleNotify), this);
  g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
  g_signal_connect(view_, "context-menu", G_CALLBACK(OnContextMenu), this);
}

WebKitHtmlView::~WebKitHtmlView() {
  g_signal_handlers_disconnect_by_data(history_, this);
  g_signal_handlers_disconnect_by_data(view_, this);
  GtkWidget* widget = GTK_WIDGET(view_);
  if (GtkWidget* parent = gtk_widget_get_parent(widget)) {
    gtk_container_remove(GTK_CONTAINER(parent), widget);
  }
  gtk_widget_destroy(widget);
  g_object_unref(view_);
}

GtkWidget* WebViewWidget(HtmlView* view) {
  auto* web = dynamic_cast<WebKitHtmlView*>(view);
  return web ? web->Widget() : nullptr;
}

void WebKitHtmlView::WaitDrawn() {
  if (!gtk_widget_get_mapped(Widget())) return;
  // The page renders in its own process; its frame reaches the window with the next draw.
  WaitPageFrames(view_, kFrameWaitMs);
  bool drawn = false;
  gulong id = g_signal_connect_after(view_, "draw", G_CALLBACK(OnDrawn), &drawn);
  gtk_widget_queue_draw(Widget());
  PumpUntil([&drawn] { return drawn; }, kDrawWaitMs);
  g_signal_handler_disconnect(view_, id);
}

std::string WebKitHtmlView::Shown(const char* uri) const {
  std::string text = uri ? uri : "";
  if (!about_text_.empty() && text == "about:blank") return about_text_;
  return text;
}

void WebKitHtmlView::Navigate(const std::string& address) {
  // The engine starts loading later; the view is busy from the request on, as callers
  // that wait for the page expect.
  Requested();
  switch (ClassifyAddress(address)) {
    case AddressKind::Blank:
      about_text_.clear();
      webkit_web_view_load_uri(view_, "about:blank");
      break;
    case AddressKind::AboutText:
      about_text_ = address;
      webkit_web_view_load_html(view_, AboutPage(address).c_str(), "about:blank");
      break;
    case AddressKind::LocalPath: {
      gchar* uri = g_filename_to_uri(address.c_str(), nullptr, nullptr);
      if (!uri) {
        requested_us_ = 0;
        return;
      }
      about_text_.clear();
      webkit_web_view_load_uri(view_, uri);
      g_free(uri);
      break;
    }
    case AddressKind::Web:
      if (address.empty()) {
        requested_us_ = 0;
        return;
      }
      about_text_.clear();
      webkit_web_view_load_uri(view_, WebAddress(address).c_str());
      break;
  }
}

std::string WebKitHtmlView::LocationURL() {
  return Shown(webkit_web_view_get_uri(view_));
}

void WebKitHtmlView::Refresh() {
  Requested();
  webkit_web_view_reload(view_);
}
void WebKitHtmlView::Stop() {
  requested_us_ = 0;
  webkit_web_view_stop_loading(view_);
}

void WebKitHtmlView::GoBack() {
  if (!webkit_web_view_can_go_back(view_)) return;
  Requested();
  webkit_web_view_go_back(view_);
}

void WebKitHtmlView::GoForward() {
  if (!webkit_web_view_can_go_forward(view_)) return;
  Requested();
  webkit_web_view_go_forward(view_);
}

void WebKitHtmlView::Requested() {
  requested_us_ = g_get_monotonic_time();
  if (getenv("TVDBG")) g_printerr("requested %ld\n", (long)requested_us_/1000);
}

bool WebKitHtmlView::Busy() {
  if (getenv("TVDBG")) g_printerr("busy? %d %ld %ld\n", webkit_web_view_is_loading(view_), (long)requested_us_/1000, (long)(g_get_monotonic_time()/1000));
  if (webkit_web_view_is_loading(view_)) return true;
  // A jump inside the same document never reports a load; such a request stops counting.
  return requested_us_ && g_get_monotonic_time() - requested_us_ < kRequestLimitUs;
}

void WebKitHtmlView::OnStatus(const std::string& text) {
  if (text == status_) return;
  status_ = text;
  if (events.StatusTextChange) events.StatusTextChange(text);
}

void WebKitHtmlView::OnProgress() {
  double progress = webkit_web_view_get_estimated_load_progress(view_);
  if (events.ProgressChange) events.ProgressChange(static_cast<long>(progress * 100 + 0.5), 100);
}

void WebKitHtmlView::OnHistoryChanged() {
  bool back = webkit_web_view_can_go_back(view_);
  bool forward = webkit_web_view_can_go_forward(view_);
  if (!events.CommandStateChange) return;
  events.CommandStateChange(kCsteNavigateBack, back);
  if (events.CommandStateChange) events.CommandStateChange(kCsteNavigateForward, forward);
}

void WebKitHtmlView::OnLoadChanged(WebKitLoadEvent event) {
  if (getenv("TVDBG")) g_printerr("load %d %s %ld\n", event, webkit_web_view_get_uri(view_), (long)(g_get_monotonic_time()/1000));
  switch (event) {
    case WEBKIT_LOAD_STARTED:
      if (events.DownloadBegin) events.DownloadBegin();
      break;
    case WEBKIT_LOAD_COMMITTED:
      if (events.NavigateComplete2) events.NavigateComplete2(LocationURL());
      break;
    case WEBKIT_LOAD_FINISHED:
      requested_us_ = 0;
      if (events.DownloadComplete) events.DownloadComplete();
      if (events.DocumentComplete) events.DocumentComplete(LocationURL());
      break;
    default:
      break;
  }
}

void WebKitHtmlView::OnRefused() {
  requested_us_ = 0;
}

bool WebKitHtmlView::OnNavigation(const std::string& uri) {
  bool cancel = false;
  if (events.BeforeNavigate2) events.BeforeNavigate2(Shown(uri.c_str()), cancel);
  return cancel;
}

void WebKitHtmlView::OnNewWindow(const std::string& uri) {
  HtmlView* target = nullptr;
  bool cancel = false;
  new_window_href_ = uri;
  in_new_window_ = true;
  if (events.NewWindow2) events.NewWindow2(target, cancel);
  in_new_window_ = false;
  new_window_href_.clear();
  // The view handed back shows the page; a refused or unclaimed window shows nothing.
  if (!cancel && target && !uri.empty()) target->Navigate(uri);
}

void WebKitHtmlView::OnTitle() {
  const char* title = webkit_web_view_get_title(view_);
  if (events.TitleChange) events.TitleChange(title ? title : "");
}

}  // namespace tv
