// SPDX-License-Identifier: GPL-3.0-or-later
// The widget that draws one control model, and the per-kind builders behind it.
#pragma once

#include <gtk/gtk.h>

#include "platform/control.h"

namespace tv {

class FileSystem;

struct ControlWidget {
  Control* control = nullptr;
  FileSystem* fs = nullptr;
  GtkWidget* outer = nullptr;  // placed in the window's surface
  GtkWidget* inner = nullptr;  // carries the content (entry, tree view, label ...)
  GtkCssProvider* outer_css = nullptr;
  GtkCssProvider* inner_css = nullptr;
  int syncing = 0;  // >0 while the model is written into the widget: no events back
  // Where the widget was last put, in pixels: asking the container costs a search of all
  // its children, and a frame with thousands of tabs has thousands.
  int x = -1, y = -1, width = -1, height = -1;
  bool placed = false;
  // A hidden text box or label is kept off the surface (this holds its reference
  // meanwhile): the toolkit looks past every hidden child whenever one of their siblings
  // changes, and the labels of closed tabs would make thousands of them.
  bool off_surface = false;
  // The list entries the widget shows: the first `list_rows` of the control's list as it
  // was after `list_clears` emptyings.
  size_t list_rows = 0;
  uint32_t list_clears = 0;
};

// Builds the widget of a control; false for kinds without one (timers, menus).
bool BuildControlWidget(ControlWidget& w);
// Brings the widget up to date with one property of its control.
void UpdateControlWidget(ControlWidget& w, Prop p);
// Disconnects every handler that points at `w`; the widget itself stays.
void DetachControlWidget(ControlWidget& w);

// Per-kind parts, one file each.
void BuildListControl(ControlWidget& w);  // ComboBox, ListBox
void UpdateListControl(ControlWidget& w, Prop p);
void BuildFolderControl(ControlWidget& w);  // DriveList, DirList
void UpdateFolderControl(ControlWidget& w, Prop p);
void BuildSurfaceControl(ControlWidget& w);  // Label, PictureBox, Image
// Forwards mouse input on `widget` to the control's mouse handlers.
void ConnectMouse(GtkWidget* widget, ControlWidget& w);
// Forwards key presses on `widget` to the control's KeyDown.
void ConnectKeys(GtkWidget* widget, ControlWidget& w);
// Focus on `widget` fires the control's GotFocus.
void ConnectFocus(GtkWidget* widget, ControlWidget& w);
// The input filter of an entry (clipboard commands, its own menu) and the control it
// belongs to, which the message loop asks before it takes a right-button release.
void ConnectEntryFilter(GtkWidget* entry, ControlWidget& w);
inline constexpr const char* kControlDataKey = "tv-filtered-control";
// Typing in an entry sets the control's Text.
void OnEntryChanged(GtkEditable* editable, gpointer data);

// RAII guard for ControlWidget::syncing.
class Syncing {
 public:
  explicit Syncing(ControlWidget& w) : w_(w) { ++w_.syncing; }
  ~Syncing() { --w_.syncing; }
  Syncing(const Syncing&) = delete;
  Syncing& operator=(const Syncing&) = delete;

 private:
  ControlWidget& w_;
};

}  // namespace tv
