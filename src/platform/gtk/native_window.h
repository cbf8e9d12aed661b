// SPDX-License-Identifier: GPL-3.0-or-later
// The native window of a Form: a GTK window with the form's menu bar over a surface on
// which every control is placed at its own position. A form that sits inside another
// (a page window inside the browser frame) is drawn inside that window's client area,
// below the panels along its top edge.
#pragma once

#include <gtk/gtk.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/form.h"
#include "platform/gtk/control_widget.h"
#include "platform/gtk/menus.h"
#include "platform/gtk/window_image.h"
#include "platform/window_system.h"

namespace tv {

class FileSystem;
class GtkLoop;
struct ScriptHooks;

class GtkNativeWindow : public NativeWindow {
 public:
  GtkNativeWindow(Form& form, GtkLoop& loop, FileSystem& fs, ScriptHooks& script);
  ~GtkNativeWindow() override;
  GtkNativeWindow(const GtkNativeWindow&) = delete;
  GtkNativeWindow& operator=(const GtkNativeWindow&) = delete;

  void ControlAdded(Control& c) override;
  void ControlChanged(Control& c, Prop p) override;
  void CaptionChanged() override;
  void VisibilityChanged() override;
  void SizeChanged() override;
  void PopupMenu(Control& menu) override;
  std::string SelectedText(Control& c) override;
  int MenuBarHeight() const override;
  void PositionChanged() override;
  ScreenArea OuterArea() const override;
  void SetFullScreen(bool on) override;
  void SetMaximized(bool on) override;
  bool ReportsNormalSize() const override { return window_ != nullptr; }
  void SetFocus(Control& c) override;
  void SetBusyPointer(bool busy) override;
  bool IsForeground() const override;
  void Beep() override;
  bool SaveImage(const std::string& path) override;
  void ZOrder(bool front) override;

  // The GTK window this form is shown in (its own, or the one it sits inside).
  GtkWindow* Toplevel() const;
  // The widget that draws `c`; null for controls without one (timers, menus).
  GtkWidget* WidgetOf(const Control& c) const;

  // Signal entry points.
  void OnSurfaceAllocated(int width, int height);
  void ApplySurfaceSize();
  void OnCloseBox();
  void OnActiveChanged();
  void OnWindowState(GdkWindowState state);
  void OnConfigure(int width, int height);

 private:
  void BuildToplevel();
  void BuildInside(GtkNativeWindow& outer);
  void AddControlWidget(Control& c);
  void MakeWidget(Control& c);
  void Place(ControlWidget& w);
  // Puts a text box's or label's widget back on the surface, or takes it off while hidden.
  void PutOnSurface(ControlWidget& w, bool on);
  // Makes the widgets of the controls still hidden since they were made, in their order.
  void BuildAllUnbuilt();
  bool ViewMadeAfter(const Control& c) const;
  // Puts the widgets of later controls that overlap `put` back after it.
  void KeepPaintingOrder(const Control& put);
  void Raise();
  // Puts the controls made after `shown` (and the page windows) back above it.
  void RestackAfter(const Control& shown);
  // The pages shown in this window and the ones inside it, as their engine renders them.
  void CollectPages(std::vector<WidgetPicture>& pages);
  // Client area of this window for the forms inside it.
  void LayoutInner();
  void AttachInner(GtkNativeWindow& inner);
  void DetachInner(GtkNativeWindow& inner);
  // The windows inside this one, back to front: `inner` to the front or the back.
  void Stack(GtkNativeWindow& inner, bool front);
  // Shows the front one of the shown windows inside this one, hides the one shown before.
  void ShowFrontInner();
  // Puts this window's holder at (0, top) of its outer window's surface at that size.
  void PlaceInside(int top, int width, int height);

  Form& form_;
  GtkLoop& loop_;
  FileSystem& fs_;
  ScriptHooks& script_;          // a scripted run reports pop-ups and beeps instead
  GtkWidget* window_ = nullptr;  // own GTK window; null when inside another
  GtkWidget* holder_ = nullptr;  // what holds menu bar and surface (referenced)
  GtkWidget* menu_bar_ = nullptr;
  GtkWidget* surface_ = nullptr;  // the fixed surface the controls sit on
  GtkWidget* popup_ = nullptr;
  MenuSet menus_;
  std::map<Control*, std::unique_ptr<ControlWidget>> widgets_;
  GtkNativeWindow* outer_ = nullptr;        // the window this one sits inside
  std::vector<GtkNativeWindow*> inner_;     // windows sitting inside this one, back to front
  GtkNativeWindow* shown_inner_ = nullptr;  // the one of them that is shown
  // Controls along the top edge, which may push the inner windows down.
  std::set<Control*> top_edge_;
  std::set<Control*> unbuilt_;  // hidden since they were made: no widget until shown
  int inner_top_ = -1, inner_width_ = -1, inner_height_ = -1;  // inner windows' area, last laid out
  ControlWidget place_;  // where this window sits inside its outer window
  guint resize_idle_ = 0;
  int pending_width_ = -1, pending_height_ = -1;  // surface size waiting to be applied
  int asked_width_ = -1, asked_height_ = -1;      // size last set from the model
  bool was_active_ = false;
};

// The GTK window of a form, or null when it has none (no native window yet).
GtkWindow* ToplevelOf(Form* form);

}  // namespace tv
