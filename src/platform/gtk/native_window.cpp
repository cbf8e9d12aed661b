// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gtk/native_window.h"

#include <algorithm>
#include <unordered_map>

#include "platform/file_system.h"
#include "platform/front_end.h"
#include "platform/gtk/gtk_loop.h"
#include "platform/gtk/program_identity.h"
#include "platform/gtk/shrink_fixed.h"
#include "platform/gtk/webkit_view.h"
#include "platform/gtk/window_image.h"

namespace tv {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kDefaultWidth = 800, kDefaultHeight = 600;

GtkNativeWindow* Self(gpointer data) {
  return static_cast<GtkNativeWindow*>(data);
}

void OnAllocate(GtkWidget*, GdkRectangle* allocation, gpointer data) {
  Self(data)->OnSurfaceAllocated(allocation->width, allocation->height);
}

gboolean OnResizeIdle(gpointer data) {
  Self(data)->ApplySurfaceSize();
  return G_SOURCE_REMOVE;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  Self(data)->OnCloseBox();
  return TRUE;  // the form's own close handling decides
}

void OnActiveNotify(GObject*, GParamSpec*, gpointer data) {
  Self(data)->OnActiveChanged();
}

gboolean OnWindowStateEvent(GtkWidget*, GdkEventWindowState* event, gpointer data) {
  Self(data)->OnWindowState(event->new_window_state);
  return FALSE;
}

gboolean OnConfigureEvent(GtkWidget*, GdkEventConfigure* event, gpointer data) {
  Self(data)->OnConfigure(event->width, event->height);
  return FALSE;
}

// The states in which the window's size is the desktop's, not the one it comes back at.
constexpr int kNotNormal = GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_FULLSCREEN |
                           GDK_WINDOW_STATE_TILED | GDK_WINDOW_STATE_ICONIFIED;

// Moving a child always asks for a new layout, even to where it is; this avoids that.
// Moves and sizes `w.outer` on `fixed` where it is not there already; `w` remembers.
void PlaceWidget(GtkWidget* fixed, ControlWidget& w, int x, int y, int width, int height) {
  if (!w.off_surface && (!w.placed || w.x != x || w.y != y)) {
    gtk_fixed_move(GTK_FIXED(fixed), w.outer, x, y);
  }
  if (!w.placed || w.width != width || w.height != height) {
    gtk_widget_set_size_request(w.outer, width, height);
  }
  w.x = x;
  w.y = y;
  w.width = width;
  w.height = height;
  w.placed = true;
}

// A control hidden from the start gets its widget when it is first shown: a page window
// has a panel of them that most pages never show. Views are made by their HTML view
// objects, and buttons keep a widget so the desktop can name every one.
bool BuiltWhenShown(const Control& c) {
  switch (c.Kind()) {
    case ControlKind::View:
    case ControlKind::Button:
    case ControlKind::CheckBox:
      return false;
    default:
      return true;
  }
}

// Text boxes (a frame's tab labels) and labels come in the hundreds and cost little to
// put back; a view would lose its engine surface, and the rest are few.
bool KeptOffWhenHidden(const Control& c) {
  return c.Kind() == ControlKind::TextBox || c.Kind() == ControlKind::Label;
}

// A window shortcut's closure: which window's shortcut of which keys it runs.
struct ShortcutTarget {
  Form* form;
  std::string keys;
};

gboolean OnWindowShortcut(GtkAccelGroup*, GObject*, guint, GdkModifierType, gpointer data) {
  auto* target = static_cast<ShortcutTarget*>(data);
  return target->form->RunShortcut(target->keys);
}

void ForgetShortcutTarget(gpointer data, GClosure*) {
  delete static_cast<ShortcutTarget*>(data);
}

void AddWindowShortcuts(GtkAccelGroup* accel, Form& form) {
  std::vector<std::string> keys;
  for (const Form::WindowShortcut& s : form.shortcuts) keys.push_back(s.keys);
  // A menu item's key also works while the menu bar is hidden (full screen), when GTK
  // lets no hidden item take its key.
  for (const auto& c : form.Controls()) {
    if (c->Kind() == ControlKind::MenuItem && !c->Shortcut.empty()) keys.push_back(c->Shortcut);
  }
  for (const std::string& k : keys) {
    guint key = 0;
    GdkModifierType mods{};
    if (!ParseShortcut(k, key, mods)) continue;
    GClosure* closure = g_cclosure_new(G_CALLBACK(OnWindowShortcut), new ShortcutTarget{&form, k},
                                       ForgetShortcutTarget);
    gtk_accel_group_connect(accel, key, mods, GtkAccelFlags(0), closure);
  }
}

// The arrow keys without a modifier, which GTK lets no accelerator have.
const char* BareArrowName(guint keyval) {
  switch (keyval) {
    case GDK_KEY_Left:
      return "Left";
    case GDK_KEY_Right:
      return "Right";
    case GDK_KEY_Up:
      return "Up";
    case GDK_KEY_Down:
      return "Down";
    default:
      return nullptr;
  }
}

// GTK keeps Tab and the bare arrow keys for moving the focus and lets no accelerator have
// them, so the window's Ctrl+Tab, Ctrl+Shift+Tab and arrow shortcuts (the detail window's
// Left and Right) are taken here, before the focus moves.
gboolean OnWindowKey(GtkWidget*, GdkEventKey* event, gpointer data) {
  auto& form = *static_cast<Form*>(data);
  constexpr auto kModifiers = GDK_CONTROL_MASK | GDK_SHIFT_MASK | GDK_MOD1_MASK | GDK_SUPER_MASK;
  if (const char* arrow = BareArrowName(event->keyval); arrow && !(event->state & kModifiers)) {
    for (const Form::WindowShortcut& s : form.shortcuts) {
      if (s.keys == arrow) return form.RunShortcut(arrow);
    }
    return FALSE;
  }
  const bool tab = event->keyval == GDK_KEY_Tab || event->keyval == GDK_KEY_ISO_Left_Tab ||
                   event->keyval == GDK_KEY_KP_Tab;
  if (!tab || !(event->state & GDK_CONTROL_MASK)) return FALSE;
  const bool shift = (event->state & GDK_SHIFT_MASK) || event->keyval == GDK_KEY_ISO_Left_Tab;
  return form.RunShortcut(shift ? "Ctrl+Shift+Tab" : "Ctrl+Tab");
}

bool IsMenuKind(ControlKind k) {
  return k == ControlKind::Menu || k == ControlKind::MenuItem || k == ControlKind::Separator;
}

}  // namespace

GtkWindow* ToplevelOf(Form* form) {
  auto* native = form ? dynamic_cast<GtkNativeWindow*>(form->Native()) : nullptr;
  return native ? native->Toplevel() : nullptr;
}

GtkNativeWindow::GtkNativeWindow(Form& form, GtkLoop& loop, FileSystem& fs, ScriptHooks& script)
    : form_(form), loop_(loop), fs_(fs), script_(script) {
  auto* outer =
      form.ParentForm() ? dynamic_cast<GtkNativeWindow*>(form.ParentForm()->Native()) : nullptr;
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  GtkAccelGroup* accel = nullptr;
  if (!outer && (!form.MenuBar().empty() || !form.shortcuts.empty())) {
    accel = gtk_accel_group_new();
  }
  if (!form.MenuBar().empty() && !outer) {
    menus_.SetAccelGroup(accel);
    menu_bar_ = gtk_menu_bar_new();
    menus_.BuildBar(GTK_MENU_SHELL(menu_bar_), form.MenuBar());
    gtk_box_pack_start(GTK_BOX(box), menu_bar_, FALSE, FALSE, 0);
    gtk_widget_show(menu_bar_);
  }
  // After the menu items: theirs come first while they can take their keys.
  if (accel) AddWindowShortcuts(accel, form);
  surface_ = NewShrinkFixed();
  gtk_box_pack_start(GTK_BOX(box), surface_, TRUE, TRUE, 0);
  gtk_widget_show(surface_);
  gtk_widget_show(box);
  g_signal_connect(surface_, "size-allocate", G_CALLBACK(OnAllocate), this);
  for (auto& c : form.Controls()) AddControlWidget(*c);

  if (outer) {
    // An event box has a window of its own, so a page window covers the ones below it.
    holder_ = gtk_event_box_new();
    g_object_ref_sink(holder_);
    gtk_container_add(GTK_CONTAINER(holder_), box);
    outer->AttachInner(*this);
  } else {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    holder_ = window_;
    g_object_ref_sink(holder_);
    gtk_container_add(GTK_CONTAINER(window_), box);
    gtk_window_set_title(GTK_WINDOW(window_), form.Caption().c_str());
    gtk_window_set_application(GTK_WINDOW(window_), ProgramApplication());
    if (GtkWindow* owner = ToplevelOf(form.Owner())) {
      gtk_window_set_transient_for(GTK_WINDOW(window_), owner);
      gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER_ON_PARENT);
    }
    if (form.Modal()) gtk_window_set_modal(GTK_WINDOW(window_), TRUE);
    if (accel) gtk_window_add_accel_group(GTK_WINDOW(window_), accel);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(OnWindowKey), &form);
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(window_, "notify::is-active", G_CALLBACK(OnActiveNotify), this);
    g_signal_connect(window_, "window-state-event", G_CALLBACK(OnWindowStateEvent), this);
    g_signal_connect(window_, "configure-event", G_CALLBACK(OnConfigureEvent), this);
    SizeChanged();
  }
  if (accel) g_object_unref(accel);
  loop_.AddWindow(holder_, form_);
}

GtkNativeWindow::~GtkNativeWindow() {
  menus_.Forget();
  loop_.RemoveWindow(holder_);
  if (resize_idle_) g_source_remove(resize_idle_);
  if (popup_) gtk_widget_destroy(popup_);
  for (GtkNativeWindow* inner : std::vector<GtkNativeWindow*>(inner_)) DetachInner(*inner);
  if (outer_) outer_->DetachInner(*this);
  g_signal_handlers_disconnect_by_data(surface_, this);
  if (window_) g_signal_handlers_disconnect_by_data(window_, this);
  for (auto& [control, w] : widgets_) {
    DetachControlWidget(*w);
    if (w->off_surface) {
      gtk_widget_destroy(w->outer);
      g_object_unref(w->outer);
      continue;
    }
    // Views belong to their HTML view objects, which outlive this window.
    if (control->Kind() == ControlKind::View && gtk_widget_get_parent(w->outer) == surface_) {
      gtk_container_remove(GTK_CONTAINER(surface_), w->outer);
    }
  }
  gtk_widget_destroy(holder_);
  g_object_unref(holder_);
}

GtkWidget* GtkNativeWindow::WidgetOf(const Control& c) const {
  auto it = widgets_.find(const_cast<Control*>(&c));
  return it == widgets_.end() ? nullptr : it->second->outer;
}

void GtkNativeWindow::AddControlWidget(Control& c) {
  if (IsMenuKind(c.Kind()) || widgets_.count(&c)) return;
  if (!c.Visible() && BuiltWhenShown(c)) {
    unbuilt_.insert(&c);
    return;
  }
  // The surface paints its children in the order they were put, a view included; the
  // controls made before a view are put before it.
  if (c.Kind() == ControlKind::View) BuildAllUnbuilt();
  MakeWidget(c);
}

void GtkNativeWindow::MakeWidget(Control& c) {
  auto w = std::make_unique<ControlWidget>();
  w->control = &c;
  w->fs = &fs_;
  if (!BuildControlWidget(*w)) return;
  if (GtkWidget* parent = gtk_widget_get_parent(w->outer)) {
    // A view moved from a window that no longer shows it.
    gtk_container_remove(GTK_CONTAINER(parent), w->outer);
  }
  if (GTK_IS_BUTTON(w->outer)) {
    gtk_style_context_add_class(gtk_widget_get_style_context(w->outer), "tv-compact");
  }
  gtk_widget_set_visible(w->outer, c.Visible());
  if (KeptOffWhenHidden(c) && !c.Visible() && !ViewMadeAfter(c)) {
    g_object_ref_sink(w->outer);
    w->off_surface = true;
  } else {
    gtk_fixed_put(GTK_FIXED(surface_), w->outer, 0, 0);
  }
  Place(*w);
  widgets_[&c] = std::move(w);
}

void GtkNativeWindow::BuildAllUnbuilt() {
  if (unbuilt_.empty()) return;
  for (const auto& owned : form_.Controls()) {
    if (unbuilt_.erase(owned.get())) MakeWidget(*owned);
  }
}

bool GtkNativeWindow::ViewMadeAfter(const Control& c) const {
  bool after = false;
  for (const auto& owned : form_.Controls()) {
    if (owned.get() == &c) {
      after = true;
    } else if (after && owned->Kind() == ControlKind::View) {
      return true;
    }
  }
  return false;
}

void GtkNativeWindow::PutOnSurface(ControlWidget& w, bool on) {
  if (!KeptOffWhenHidden(*w.control) || w.off_surface != on) return;
  if (on) {
    gtk_fixed_put(GTK_FIXED(surface_), w.outer, w.placed ? w.x : 0, w.placed ? w.y : 0);
    g_object_unref(w.outer);
    w.off_surface = false;
    KeepPaintingOrder(*w.control);
  } else if (!ViewMadeAfter(*w.control)) {
    // A view made later would be painted under it once it is put back.
    g_object_ref(w.outer);
    gtk_container_remove(GTK_CONTAINER(surface_), w.outer);
    w.off_surface = true;
  }
}

void GtkNativeWindow::KeepPaintingOrder(const Control& put) {
  // A widget put back goes last; the later controls laid over it go back above it.
  auto at = widgets_.find(const_cast<Control*>(&put));
  if (at == widgets_.end()) return;
  const ControlWidget& low = *at->second;
  bool after = false;
  for (const auto& owned : form_.Controls()) {
    Control* c = owned.get();
    if (c == &put) {
      after = true;
      continue;
    }
    auto it = widgets_.find(c);
    if (!after || it == widgets_.end() || c->Kind() == ControlKind::View) continue;
    ControlWidget& w = *it->second;
    if (w.off_surface || !w.placed || w.x >= low.x + low.width || low.x >= w.x + w.width ||
        w.y >= low.y + low.height || low.y >= w.y + w.height) {
      continue;
    }
    g_object_ref(w.outer);
    gtk_container_remove(GTK_CONTAINER(surface_), w.outer);
    gtk_fixed_put(GTK_FIXED(surface_), w.outer, w.x, w.y);
    g_object_unref(w.outer);
  }
}

void GtkNativeWindow::Place(ControlWidget& w) {
  Control& c = *w.control;
  PlaceWidget(surface_, w, c.Left() / kTwipsPerPixel, c.Top() / kTwipsPerPixel,
              std::max(0, c.Width() / kTwipsPerPixel), std::max(0, c.Height() / kTwipsPerPixel));
  if (c.Top() <= 0) {
    top_edge_.insert(&c);
  } else {
    top_edge_.erase(&c);
  }
}

void GtkNativeWindow::ControlAdded(Control& c) {
  AddControlWidget(c);
}

void GtkNativeWindow::ControlChanged(Control& c, Prop p) {
  if (IsMenuKind(c.Kind())) {
    menus_.Update(c, p);
    return;
  }
  if (unbuilt_.count(&c)) {
    // Its widget is made from the control as it is now, whatever changed meanwhile.
    if (p != Prop::Visible || !c.Visible()) return;
    unbuilt_.erase(&c);
    AddControlWidget(c);
    KeepPaintingOrder(c);
    RestackAfter(c);
    if (!inner_.empty() && top_edge_.count(&c)) LayoutInner();
    return;
  }
  auto it = widgets_.find(&c);
  if (it == widgets_.end()) return;
  ControlWidget& w = *it->second;
  const bool on_top_edge = top_edge_.count(&c) > 0;
  if (p == Prop::Geometry) {
    Place(w);
  } else {
    if (p == Prop::Visible && c.Visible()) PutOnSurface(w, true);
    UpdateControlWidget(w, p);
    if (p == Prop::Visible && !c.Visible()) PutOnSurface(w, false);
  }
  if (p == Prop::Visible && c.Visible()) RestackAfter(c);
  // Only a control along the top edge moves the inner windows: a tab label does not.
  if ((p == Prop::Geometry || p == Prop::Visible) && !inner_.empty() &&
      (on_top_edge || top_edge_.count(&c))) {
    LayoutInner();
  }
}

void GtkNativeWindow::CaptionChanged() {
  if (window_) gtk_window_set_title(GTK_WINDOW(window_), form_.Caption().c_str());
}

void GtkNativeWindow::VisibilityChanged() {
  if (outer_) {
    // Of the windows inside one window, only the front one that is shown is drawn.
    if (form_.IsVisible()) outer_->Stack(*this, true);
    outer_->ShowFrontInner();
    return;
  }
  if (form_.IsVisible()) {
    gtk_widget_show(holder_);
    if (window_) gtk_window_present(GTK_WINDOW(window_));
    Raise();
  } else {
    gtk_widget_hide(holder_);
  }
}

void GtkNativeWindow::SizeChanged() {
  if (!window_) return;
  int w = form_.ScaleWidth() / kTwipsPerPixel;
  int h = form_.ScaleHeight() / kTwipsPerPixel;
  if (w <= 0 || h <= 0) {
    w = kDefaultWidth;
    h = kDefaultHeight;
  } else {
    asked_width_ = w;
    asked_height_ = h;
  }
  int bar = 0;
  if (menu_bar_) gtk_widget_get_preferred_height(menu_bar_, nullptr, &bar);
  if (gtk_widget_get_realized(window_)) {
    gtk_window_resize(GTK_WINDOW(window_), w, h + bar);
  } else {
    gtk_window_set_default_size(GTK_WINDOW(window_), w, h + bar);
  }
}

int GtkNativeWindow::MenuBarHeight() const {
  int bar = 0;
  if (menu_bar_) gtk_widget_get_preferred_height(menu_bar_, nullptr, &bar);
  return bar * kTwipsPerPixel;
}

void GtkNativeWindow::PositionChanged() {
  if (window_) {
    gtk_window_move(GTK_WINDOW(window_), form_.Left() / kTwipsPerPixel,
                    form_.Top() / kTwipsPerPixel);
  }
}

ScreenArea GtkNativeWindow::OuterArea() const {
  GdkWindow* window = window_ ? gtk_widget_get_window(window_) : nullptr;
  if (!window || !gtk_widget_get_mapped(window_)) return {};
  GdkRectangle r{};
  gdk_window_get_frame_extents(window, &r);
  return {r.x * kTwipsPerPixel, r.y * kTwipsPerPixel, r.width * kTwipsPerPixel,
          r.height * kTwipsPerPixel};
}

void GtkNativeWindow::SetFullScreen(bool on) {
  if (!window_) return;
  if (menu_bar_) gtk_widget_set_visible(menu_bar_, !on);
  if (on) {
    gtk_window_fullscreen(GTK_WINDOW(window_));
  } else {
    gtk_window_unfullscreen(GTK_WINDOW(window_));
  }
}

void GtkNativeWindow::SetMaximized(bool on) {
  if (!window_) return;
  if (on) {
    gtk_window_maximize(GTK_WINDOW(window_));
  } else {
    gtk_window_unmaximize(GTK_WINDOW(window_));
  }
}

void GtkNativeWindow::OnWindowState(GdkWindowState state) {
  form_.MaximizedShown((state & GDK_WINDOW_STATE_MAXIMIZED) != 0);
}

void GtkNativeWindow::OnConfigure(int width, int height) {
  GdkWindow* window = gtk_widget_get_window(window_);
  if (!window || (gdk_window_get_state(window) & kNotNormal)) return;
  int bar = 0;
  if (menu_bar_ && gtk_widget_get_visible(menu_bar_)) {
    gtk_widget_get_preferred_height(menu_bar_, nullptr, &bar);
  }
  form_.SetNormalSize(width * kTwipsPerPixel, std::max(height - bar, 0) * kTwipsPerPixel);
}

void GtkNativeWindow::OnSurfaceAllocated(int width, int height) {
  if (!inner_.empty()) LayoutInner();
  pending_width_ = width;
  pending_height_ = height;
  // Applied after this layout pass: the form's layout moves controls, which needs a new one.
  if (!resize_idle_)
    resize_idle_ = g_idle_add_full(G_PRIORITY_HIGH_IDLE, OnResizeIdle, this, nullptr);
}

void GtkNativeWindow::ApplySurfaceSize() {
  resize_idle_ = 0;
  int w = pending_width_, h = pending_height_;
  if (w <= 1 && h <= 1) return;  // not laid out yet
  // The size the model asked for: its own twips stand, rounding aside.
  if (w == asked_width_ && h == asked_height_) return;
  asked_width_ = asked_height_ = -1;
  if (w * kTwipsPerPixel == form_.ScaleWidth() && h * kTwipsPerPixel == form_.ScaleHeight()) {
    return;
  }
  form_.Resize(w * kTwipsPerPixel, h * kTwipsPerPixel);
}

void GtkNativeWindow::OnCloseBox() {
  form_.RequestClose();
}

void GtkNativeWindow::OnActiveChanged() {
  bool active = gtk_window_is_active(GTK_WINDOW(window_));
  if (active && !was_active_) form_.Form_Activate();
  was_active_ = active;
}

void GtkNativeWindow::PopupMenu(Control& menu) {
  if (script_.active) {
    script_.Report("popup: " + menu.FullName());
    return;
  }
  GtkWindow* top = Toplevel();
  GdkWindow* target = top ? gtk_widget_get_window(GTK_WIDGET(top)) : nullptr;
  if (!target) return;
  if (popup_) gtk_widget_destroy(popup_);
  popup_ = menus_.BuildPopup(menu);
  gtk_menu_attach_to_widget(GTK_MENU(popup_), GTK_WIDGET(top), nullptr);
  GdkDevice* pointer =
      gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(target)));
  GdkRectangle at = {0, 0, 1, 1};
  if (pointer) gdk_window_get_device_position(target, pointer, &at.x, &at.y, nullptr);
  // The input that asked for the menu has been taken by the main loop; a stand-in tells
  // GTK which pointer the menu belongs to.
  GdkEvent* trigger = gtk_get_current_event();
  if (!trigger) {
    trigger = gdk_event_new(GDK_BUTTON_RELEASE);
    trigger->button.window = GDK_WINDOW(g_object_ref(target));
    trigger->button.button = 3;
    trigger->button.time = GDK_CURRENT_TIME;
    trigger->button.x = at.x;
    trigger->button.y = at.y;
    if (pointer) gdk_event_set_device(trigger, pointer);
  }
  gtk_menu_popup_at_rect(GTK_MENU(popup_), target, &at, GDK_GRAVITY_NORTH_WEST,
                         GDK_GRAVITY_NORTH_WEST, trigger);
  gdk_event_free(trigger);
}

std::string GtkNativeWindow::SelectedText(Control& c) {
  auto it = widgets_.find(&c);
  if (it == widgets_.end() || !GTK_IS_ENTRY(it->second->inner)) return "";
  GtkEditable* entry = GTK_EDITABLE(it->second->inner);
  int start = 0, end = 0;
  if (!gtk_editable_get_selection_bounds(entry, &start, &end)) return "";
  gchar* text = gtk_editable_get_chars(entry, start, end);
  std::string result = text ? text : "";
  g_free(text);
  return result;
}

void GtkNativeWindow::SetFocus(Control& c) {
  auto it = widgets_.find(&c);
  if (it == widgets_.end()) return;
  GtkWidget* target = it->second->inner;
  if (GTK_IS_COMBO_BOX(target) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(target))) {
    target = gtk_bin_get_child(GTK_BIN(target));
  }
  Raise();
  gtk_widget_grab_focus(target);
}

void GtkNativeWindow::SetBusyPointer(bool busy) {
  GtkWindow* top = Toplevel();
  GdkWindow* window = top ? gtk_widget_get_window(GTK_WIDGET(top)) : nullptr;
  if (!window) return;
  GdkCursor* cursor =
      busy ? gdk_cursor_new_from_name(gdk_window_get_display(window), "wait") : nullptr;
  gdk_window_set_cursor(window, cursor);
  if (cursor) g_object_unref(cursor);
}

bool GtkNativeWindow::IsForeground() const {
  // A scripted run may have no window manager to activate anything.
  if (script_.active) return form_.IsVisible();
  GtkWindow* top = Toplevel();
  return top && gtk_window_is_active(top);
}

void GtkNativeWindow::Beep() {
  if (script_.active) {
    script_.Report("beep");
    return;
  }
  gtk_widget_error_bell(holder_);
}

void GtkNativeWindow::CollectPages(std::vector<WidgetPicture>& pages) {
  // In the order the controls were made, which is how they are stacked: a view laid over
  // another (a page's gallery over its page) is painted last.
  for (const auto& owned : form_.Controls()) {
    Control* control = owned.get();
    if (!widgets_.count(control)) continue;
    auto* view = dynamic_cast<WebKitHtmlView*>(control->View());
    if (!view || !control->Visible()) continue;
    if (cairo_surface_t* page = view->VisibleImage()) pages.push_back({view->Widget(), page});
  }
  for (GtkNativeWindow* inner : inner_) inner->CollectPages(pages);
}

bool GtkNativeWindow::SaveImage(const std::string& path) {
  GtkWindow* top = Toplevel();
  if (!top) return false;
  GtkNativeWindow* outermost = this;
  while (outermost->outer_) outermost = outermost->outer_;
  std::vector<WidgetPicture> pages;
  outermost->CollectPages(pages);
  std::string png;
  bool ok = WindowPng(top, pages, png) && fs_.WriteWhole(path, png);
  for (WidgetPicture& page : pages) cairo_surface_destroy(page.picture);
  return ok;
}

GtkWindow* GtkNativeWindow::Toplevel() const {
  if (window_) return GTK_WINDOW(window_);
  GtkWidget* top = gtk_widget_get_toplevel(holder_);
  return GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr;
}

void GtkNativeWindow::ZOrder(bool front) {
  if (!outer_) return;
  outer_->Stack(*this, front);
  outer_->ShowFrontInner();
}

void GtkNativeWindow::Stack(GtkNativeWindow& inner, bool front) {
  inner_.erase(std::remove(inner_.begin(), inner_.end(), &inner), inner_.end());
  if (front) {
    inner_.push_back(&inner);
  } else {
    inner_.insert(inner_.begin(), &inner);
  }
}

void GtkNativeWindow::ShowFrontInner() {
  GtkNativeWindow* front = nullptr;
  for (auto it = inner_.rbegin(); it != inner_.rend() && !front; ++it) {
    if ((*it)->form_.IsVisible()) front = *it;
  }
  // The others are hidden already: only the one shown so far changes.
  if (shown_inner_ && shown_inner_ != front) gtk_widget_set_visible(shown_inner_->holder_, FALSE);
  if (front) gtk_widget_set_visible(front->holder_, TRUE);
  shown_inner_ = front;
}

void GtkNativeWindow::RestackAfter(const Control& shown) {
  // A window shown again goes to the top of its siblings: a panel's input box would then
  // catch the clicks of every control laid over it. The controls made after it go back
  // above it, and the page windows above them, in the order they were stacked.
  GdkWindow* parent = gtk_widget_get_window(surface_);
  if (!parent || !gtk_widget_get_realized(surface_)) return;
  // The windows of each widget placed on the surface, found in one pass: a frame with
  // many tabs has many of them.
  std::unordered_map<GtkWidget*, std::vector<GdkWindow*>> windows_of;
  GList* windows = gdk_window_get_children(parent);
  for (GList* l = windows; l; l = l->next) {
    gpointer data = nullptr;
    gdk_window_get_user_data(GDK_WINDOW(l->data), &data);
    auto* owner = static_cast<GtkWidget*>(data);
    while (owner && gtk_widget_get_parent(owner) != surface_) owner = gtk_widget_get_parent(owner);
    if (owner) windows_of[owner].push_back(GDK_WINDOW(l->data));
  }
  g_list_free(windows);
  const auto raise_inside = [&windows_of](GtkWidget* outer) {
    auto it = windows_of.find(outer);
    if (it == windows_of.end()) return;
    for (GdkWindow* w : it->second) gdk_window_raise(w);
  };
  bool after = false;
  for (const auto& c : form_.Controls()) {
    if (c.get() == &shown) {
      after = true;
      continue;
    }
    auto it = widgets_.find(c.get());
    if (after && it != widgets_.end() && gtk_widget_get_mapped(it->second->outer)) {
      raise_inside(it->second->outer);
    }
  }
  for (GtkNativeWindow* inner : inner_) raise_inside(inner->holder_);
}

void GtkNativeWindow::Raise() {
  if (window_) return;
  if (GdkWindow* w = gtk_widget_get_window(holder_)) gdk_window_raise(w);
}

void GtkNativeWindow::AttachInner(GtkNativeWindow& inner) {
  inner.outer_ = this;
  inner_.push_back(&inner);
  gtk_widget_set_visible(inner.holder_, FALSE);
  gtk_fixed_put(GTK_FIXED(surface_), inner.holder_, 0, 0);
  inner.place_.outer = inner.holder_;
  inner.place_.placed = false;
  ShowFrontInner();
  if (inner_top_ < 0) {
    LayoutInner();
  } else {
    inner.PlaceInside(inner_top_, inner_width_, inner_height_);
  }
}

void GtkNativeWindow::DetachInner(GtkNativeWindow& inner) {
  inner_.erase(std::remove(inner_.begin(), inner_.end(), &inner), inner_.end());
  if (shown_inner_ == &inner) shown_inner_ = nullptr;
  inner.outer_ = nullptr;
  if (gtk_widget_get_parent(inner.holder_) == surface_) {
    gtk_container_remove(GTK_CONTAINER(surface_), inner.holder_);
  }
  ShowFrontInner();
}

void GtkNativeWindow::LayoutInner() {
  // Panels along the top edge (at the top, at least half the width) stay uncovered.
  int width = gtk_widget_get_allocated_width(surface_);
  int height = gtk_widget_get_allocated_height(surface_);
  int top = 0;
  for (const Control* c : top_edge_) {
    if (!c->Visible() || c->Width() / kTwipsPerPixel < width / 2) continue;
    top = std::max(top, (c->Top() + c->Height()) / kTwipsPerPixel);
  }
  width = std::max(1, width);
  height = std::max(1, height - top);
  if (top == inner_top_ && width == inner_width_ && height == inner_height_) return;
  inner_top_ = top;
  inner_width_ = width;
  inner_height_ = height;
  for (GtkNativeWindow* inner : inner_) inner->PlaceInside(top, width, height);
}

void GtkNativeWindow::PlaceInside(int top, int width, int height) {
  if (outer_) PlaceWidget(outer_->surface_, place_, 0, top, width, height);
}

}  // namespace tv
