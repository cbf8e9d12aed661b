// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/webkit_view.h"

#include <algorithm>
#include <memory>

#include "platform/gtk/key_codes.h"
#include "platform/gtk/local_pictures.h"
#include "platform/gtk/web_context.h"

#include "platform/gtk/view_address.h"

namespace tv {

namespace {

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

gboolean OnFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError* error, gpointer data) {
  Self(data)->OnLoadFailed(
      g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED));
  return FALSE;
}

int64_t NowMs() {
  return g_get_monotonic_time() / 1000;
}

std::string RequestUri(WebKitNavigationAction* action) {
  WebKitURIRequest* request = action ? webkit_navigation_action_get_request(action) : nullptr;
  const char* uri = request ? webkit_uri_request_get_uri(request) : nullptr;
  return uri ? uri : "";
}

// The mouse button of a link's click as the logic counts them (1 left, 4 middle); 0 for
// other navigations.
int ClickButton(WebKitNavigationAction* action) {
  if (webkit_navigation_action_get_navigation_type(action) != WEBKIT_NAVIGATION_TYPE_LINK_CLICKED)
    return 0;
  switch (webkit_navigation_action_get_mouse_button(action)) {
    case 1:
      return 1;
    case 2:
      return 4;
    default:
      return 0;
  }
}

gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                        WebKitPolicyDecisionType type, gpointer data) {
  if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION &&
      type != WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION)
    return FALSE;
  WebKitNavigationAction* action = webkit_navigation_policy_decision_get_navigation_action(
      WEBKIT_NAVIGATION_POLICY_DECISION(decision));
  const int button = action ? ClickButton(action) : 0;
  if (button != 0 &&
      Self(data)->OnLinkClick(RequestUri(action), button,
                              ShiftFromModifiers(webkit_navigation_action_get_modifiers(action)))) {
    webkit_policy_decision_ignore(decision);
    return TRUE;
  }
  // A new window is asked for through "create", where the logic gives the view for it.
  if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) return FALSE;
  if (Self(data)->OnNavigation(RequestUri(action))) {
    Self(data)->OnRefused();
    webkit_policy_decision_ignore(decision);
    return TRUE;
  }
  return FALSE;
}

void OnResourceLoadStarted(WebKitWebView*, WebKitWebResource* resource, WebKitURIRequest*,
                           gpointer data) {
  Self(data)->OnResourceStarted(resource);
}

GtkWidget* OnCreateView(WebKitWebView*, WebKitNavigationAction* action, gpointer data) {
  return Self(data)->OnCreate(RequestUri(action),
                              action && webkit_navigation_action_is_user_gesture(action));
}

void OnReady(WebKitWebView*, gpointer data) {
  Self(data)->OnReadyToShow();
}

// A settings object of its own with every value of `from`.
WebKitSettings* CopySettings(WebKitSettings* from) {
  WebKitSettings* copy = webkit_settings_new();
  guint count = 0;
  GParamSpec** properties = g_object_class_list_properties(G_OBJECT_GET_CLASS(from), &count);
  for (guint i = 0; i < count; ++i) {
    const GParamFlags flags = properties[i]->flags;
    if (!(flags & G_PARAM_READABLE) || !(flags & G_PARAM_WRITABLE) ||
        (flags & G_PARAM_CONSTRUCT_ONLY) || (flags & G_PARAM_DEPRECATED)) {
      continue;
    }
    GValue value = G_VALUE_INIT;
    g_value_init(&value, properties[i]->value_type);
    g_object_get_property(G_OBJECT(from), properties[i]->name, &value);
    g_object_set_property(G_OBJECT(copy), properties[i]->name, &value);
    g_value_unset(&value);
  }
  g_free(properties);
  return copy;
}

void OnTerminated(WebKitWebView*, WebKitWebProcessTerminationReason reason, gpointer data) {
  // The program ends a process itself with its views, or when the user stops a hung page.
  if (reason != WEBKIT_WEB_PROCESS_TERMINATED_BY_API || Self(data)->Ending())
    Self(data)->OnProcessEnded();
}

constexpr char kViewKey[] = "tessaview-html-view";

// Views of one kind share a web process in groups of this many views and their
// companions (a page window's page and its picture gallery), so twenty tabs need three
// processes and a crash ends at most seven tabs. (A process a tab costs some 25 MB: twenty
// tabs of their own would take 690 MB where three processes take 260.) A process that
// does not answer takes no new view: the tabs opened after a page hung never wait on it.
constexpr size_t kViewsPerProcess = 7;

gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*,
                       gpointer) {
  return TRUE;
}

}  // namespace

WebKitHtmlView* WebKitHtmlView::opener_ = nullptr;

std::vector<std::unique_ptr<WebKitHtmlView::ProcessGroup>>& WebKitHtmlView::Groups() {
  static std::vector<std::unique_ptr<ProcessGroup>> groups;
  return groups;
}

WebKitHtmlView* WebKitHtmlView::OfView(WebKitWebView* view) {
  return view ? static_cast<WebKitHtmlView*>(g_object_get_data(G_OBJECT(view), kViewKey)) : nullptr;
}

WebKitHtmlView* WebKitHtmlView::TakeOpener() {
  WebKitHtmlView* opener = opener_;
  opener_ = nullptr;
  return opener;
}

WebKitHtmlView::WebKitHtmlView(ScriptHooks& script, Paths* paths, WebKitHtmlView* related,
                               const std::string& kind, WebKitHtmlView* companion)
    : script_(script), paths_(paths), counted_(companion == nullptr) {
  WebKitWebContext* context = ProgramWebContext(paths);
  if (kind == "FormWeb") UseBrowserCache();
  WebKitHtmlView* partner = related;
  if (related) {
    group_ = related->group_;
  } else if (companion) {
    group_ = companion->group_;
    partner = companion;
  } else {
    for (auto& g : Groups()) {
      if (g->kind == kind && g->counted < kViewsPerProcess && g->Answers()) group_ = g.get();
    }
    if (group_) partner = group_->views.front();
  }
  if (!group_) {
    static uint64_t serial = 0;
    auto group = std::make_unique<ProcessGroup>();
    group->kind = kind;
    group->serial = ++serial;
    group->answered_ms = g_get_monotonic_time() / 1000;
    Groups().push_back(std::move(group));
    group_ = Groups().back().get();
    WatchProcesses();
  }
  group_->views.push_back(this);
  if (counted_) ++group_->counted;
  if (partner) {
    view_ = WEBKIT_WEB_VIEW(
        g_object_new(WEBKIT_TYPE_WEB_VIEW, "related-view", partner->view_, nullptr));
    // A related view shares its partner's settings object; switching scripts off in one
    // would switch them off in both. A new window starts with its opener's values, any
    // other view with the engine's own.
    WebKitSettings* own = related ? CopySettings(webkit_web_view_get_settings(related->view_))
                                  : webkit_settings_new();
    webkit_web_view_set_settings(view_, own);
    g_object_unref(own);
  } else {
    view_ = WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(context));
  }
  g_object_ref_sink(view_);
  WebKitSettings* settings = webkit_web_view_get_settings(view_);
  // Generated pages carry no charset of their own.
  webkit_settings_set_default_charset(settings, "UTF-8");
  // A local page may show pictures from any folder, but never read a file: without these
  // a script of a page could fetch any file of the user.
  webkit_settings_set_allow_file_access_from_file_urls(settings, FALSE);
  webkit_settings_set_allow_universal_access_from_file_urls(settings, FALSE);
  SetGeneratedPages(true);
  // Without a GPU the accelerated compositor costs far more memory than it saves time.
  webkit_settings_set_hardware_acceleration_policy(settings,
                                                   WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
  // Pages may open windows; the logic decides where they go.
  webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
  history_ = webkit_web_view_get_back_forward_list(view_);
  g_signal_connect(view_, "mouse-target-changed", G_CALLBACK(OnMouseTarget), this);
  g_signal_connect(view_, "notify::estimated-load-progress", G_CALLBACK(OnProgressNotify), this);
  g_signal_connect(history_, "changed", G_CALLBACK(OnHistory), this);
  g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoad), this);
  g_signal_connect(view_, "load-failed", G_CALLBACK(OnFailed), this);
  g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
  g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitleNotify), this);
  g_signal_connect(view_, "create", G_CALLBACK(OnCreateView), this);
  g_signal_connect(view_, "ready-to-show", G_CALLBACK(OnReady), this);
  g_signal_connect(view_, "context-menu", G_CALLBACK(OnContextMenu), this);
  g_signal_connect(view_, "resource-load-started", G_CALLBACK(OnResourceLoadStarted), this);
  g_signal_connect(view_, "web-process-terminated", G_CALLBACK(OnTerminated), this);
  g_object_set_data(G_OBJECT(view_), kViewKey, this);
}

WebKitHtmlView::~WebKitHtmlView() {
  while (!page_downloads_.empty()) DropDownload(page_downloads_.begin()->first);
  g_object_set_data(G_OBJECT(view_), kViewKey, nullptr);
  g_signal_handlers_disconnect_by_data(history_, this);
  g_signal_handlers_disconnect_by_data(view_, this);
  DropResources();
  GtkWidget* widget = GTK_WIDGET(view_);
  if (GtkWidget* parent = gtk_widget_get_parent(widget)) {
    gtk_container_remove(GTK_CONTAINER(parent), widget);
  }
  gtk_widget_destroy(widget);
  g_object_unref(view_);
  auto& members = group_->views;
  members.erase(std::find(members.begin(), members.end(), this));
  if (counted_) --group_->counted;
  if (members.empty()) {
    auto& groups = Groups();
    groups.erase(std::find_if(groups.begin(), groups.end(),
                              [this](const auto& g) { return g.get() == group_; }));
  }
}

void WebKitHtmlView::OnProcessEnded() {
  ending_ = false;
  // A new process answers afresh; a late answer of the old one is for no question.
  group_->asked_ms = 0;
  group_->hung = false;
  group_->answered_ms = g_get_monotonic_time() / 1000;
  load_.Dropped();
  if (events.ProcessEnded) events.ProcessEnded();
}

void WebKitHtmlView::EndProcess() {
  // The views sharing the process end with it; each shows that it was stopped.
  for (WebKitHtmlView* v : group_->views) v->ending_ = true;
  webkit_web_view_terminate_web_process(view_);
}

void WebKitHtmlView::ShowMessage(const std::string& text) {
  const char* uri = webkit_web_view_get_uri(view_);
  const std::string address = uri && *uri ? uri : "about:blank";
  // In place of the page: its address stays, so a reload opens the page itself.
  webkit_web_view_load_alternate_html(view_, AboutPage("about:" + text).c_str(), address.c_str(),
                                      nullptr);
}

void WebKitHtmlView::SetGeneratedPages(bool generated) {
  // Only the page's own scripts stop (script elements, on... attributes, javascript:
  // links); the program's evaluate_javascript calls keep running.
  webkit_settings_set_enable_javascript_markup(webkit_web_view_get_settings(view_), !generated);
  // A generated page is never gone back to: keeping the last ones alive would only hold
  // their pictures.
  webkit_settings_set_enable_page_cache(webkit_web_view_get_settings(view_), !generated);
}

void WebKitHtmlView::SetPictureWidths(const std::vector<std::pair<std::string, int>>& widths) {
  tv::SetPictureWidths(view_, widths);
}

std::string WebKitHtmlView::PreviewFile() const {
  std::string folder = paths_ ? paths_->PageFolder() : std::string(g_get_tmp_dir()) + "/";
  return folder + "preview.pdf";
}

GtkWidget* WebViewWidget(HtmlView* view) {
  auto* web = dynamic_cast<WebKitHtmlView*>(view);
  return web ? web->Widget() : nullptr;
}

std::string WebKitHtmlView::Shown(const char* uri) const {
  std::string text = uri ? uri : "";
  if (!about_text_.empty() && text == "about:blank") return about_text_;
  return text;
}

void WebKitHtmlView::Navigate(const std::string& address) {
  // The engine starts loading later; the view is busy from the request on, as callers
  // that wait for the page expect.
  scripted_pointer_.reset();
  switch (ClassifyAddress(address)) {
    case AddressKind::Blank:
      about_text_.clear();
      load_.Requested("about:blank", NowMs());
      webkit_web_view_load_uri(view_, "about:blank");
      break;
    case AddressKind::AboutText:
      about_text_ = address;
      load_.Requested("about:blank", NowMs());
      webkit_web_view_load_html(view_, AboutPage(address).c_str(), "about:blank");
      break;
    case AddressKind::LocalPath: {
      gchar* uri = g_filename_to_uri(address.c_str(), nullptr, nullptr);
      if (!uri) return;
      about_text_.clear();
      load_.Requested(uri, NowMs());
      DropOutgrownPictures(view_);
      webkit_web_view_load_uri(view_, uri);
      g_free(uri);
      break;
    }
    case AddressKind::Web: {
      if (address.empty()) return;
      about_text_.clear();
      load_.Requested("", NowMs());
      const std::string uri = WebAddress(address);
      // Typed as the user likes: the engine reads a scheme in any case.
      if (g_ascii_strncasecmp(uri.c_str(), "file:", 5) == 0) DropOutgrownPictures(view_);
      webkit_web_view_load_uri(view_, uri.c_str());
      break;
    }
  }
}

std::string WebKitHtmlView::LocationURL() {
  return Shown(webkit_web_view_get_uri(view_));
}

std::string WebKitHtmlView::DocumentURL() {
  // Until the next page commits, the view's address already names it while the title is
  // still the old page's.
  if (webkit_web_view_is_loading(view_) && !document_uri_.empty()) return document_uri_;
  return LocationURL();
}

void WebKitHtmlView::Refresh() {
  const char* uri = webkit_web_view_get_uri(view_);
  load_.Requested(uri ? uri : "", NowMs());
  webkit_web_view_reload(view_);
}

void WebKitHtmlView::Stop() {
  load_.Dropped();
  webkit_web_view_stop_loading(view_);
}

void WebKitHtmlView::GoBack() {
  if (!webkit_web_view_can_go_back(view_)) return;
  load_.Requested("", NowMs());
  webkit_web_view_go_back(view_);
}

void WebKitHtmlView::GoForward() {
  if (!webkit_web_view_can_go_forward(view_)) return;
  load_.Requested("", NowMs());
  webkit_web_view_go_forward(view_);
}

bool WebKitHtmlView::Busy() {
  return webkit_web_view_is_loading(view_) || load_.Pending(NowMs());
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
  switch (event) {
    case WEBKIT_LOAD_STARTED:
      load_.Started();
      scripted_pointer_.reset();
      if (events.DownloadBegin) events.DownloadBegin();
      break;
    case WEBKIT_LOAD_COMMITTED:
      DropResources();  // what the old page loaded is no part of the new one
      document_uri_ = LocationURL();
      if (events.NavigateComplete2) events.NavigateComplete2(LocationURL());
      break;
    case WEBKIT_LOAD_FINISHED: {
      const char* uri = webkit_web_view_get_uri(view_);
      load_.Finished(uri ? uri : "");
      if (events.DownloadComplete) events.DownloadComplete();
      if (events.DocumentComplete) events.DocumentComplete(LocationURL());
      break;
    }
    default:
      break;
  }
}

void WebKitHtmlView::OnRefused() {
  load_.Dropped();
}

void WebKitHtmlView::OnLoadFailed(bool cancelled) {
  load_.Failed(cancelled);
}

bool WebKitHtmlView::OnNavigation(const std::string& uri) {
  bool cancel = false;
  if (events.BeforeNavigate2) events.BeforeNavigate2(Shown(uri.c_str()), cancel);
  return cancel;
}

bool WebKitHtmlView::OnLinkClick(const std::string& uri, int button, int shift) {
  bool handled = false;
  if (events.LinkClick) events.LinkClick(Shown(uri.c_str()), button, shift, handled);
  return handled;
}

GtkWidget* WebKitHtmlView::OnCreate(const std::string& uri, bool by_user) {
  HtmlView* target = nullptr;
  bool cancel = false;
  new_window_href_ = uri;
  new_window_by_user_ = by_user;
  in_new_window_ = true;
  WebKitHtmlView* outer = opener_;
  opener_ = this;
  if (events.NewWindow2) events.NewWindow2(target, cancel);
  opener_ = outer;
  in_new_window_ = false;
  new_window_by_user_ = true;
  new_window_href_.clear();
  // The engine loads the page into the view handed back; a refused window gets none.
  if (cancel || !target) return nullptr;
  auto* view = dynamic_cast<WebKitHtmlView*>(target);
  return view ? view->Widget() : nullptr;
}

void WebKitHtmlView::OnReadyToShow() {
  // The view is packed in its page window already; this may be said twice.
  gtk_widget_show(Widget());
}

void WebKitHtmlView::SetDownloadControl(uint32_t flags) {
  HtmlView::SetDownloadControl(flags);
  WebKitSettings* settings = webkit_web_view_get_settings(view_);
  webkit_settings_set_auto_load_images(settings, (flags & 0x10) != 0);
  webkit_settings_set_enable_media(settings, (flags & 0x20) != 0);
  webkit_settings_set_enable_webaudio(settings, (flags & 0x40) != 0);
  // The page's own scripts stop; the program's scripts still run.
  webkit_settings_set_enable_javascript_markup(settings, (flags & 0x80) == 0);
  // A page kept for back and forward would come back with its scripts running.
  webkit_settings_set_enable_page_cache(settings, (flags & 0x80) == 0);
}

void WebKitHtmlView::OnTitle() {
  const char* title = webkit_web_view_get_title(view_);
  if (events.TitleChange) events.TitleChange(title ? title : "");
}

}  // namespace tv
