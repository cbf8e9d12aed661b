// SPDX-License-Identifier: GPL-3.0-or-later
// What a front-end provides for windows: a native window per Form that draws the
// control models, and an HTML view per View control.
#pragma once

#include <memory>
#include <string>

#include "platform/control.h"

namespace tv {

class Form;
class HtmlView;

// A part of the screen in twips, from the screen's top-left corner; empty when unknown.
struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  virtual void ControlAdded(Control& c) = 0;  // a control made after Realize
  virtual void ControlChanged(Control& c, Prop p) = 0;
  virtual void CaptionChanged() = 0;
  virtual void VisibilityChanged() = 0;
  virtual void SizeChanged() = 0;  // the model's inner size was set by the logic
  virtual void PopupMenu(Control& menu) = 0;
  virtual void SetFocus(Control& c) = 0;
  virtual void SetBusyPointer(bool busy) = 0;
  virtual bool IsForeground() const = 0;
  virtual void Beep() = 0;
  // Saves what the window shows as a PNG picture; false where nothing is drawn.
  virtual bool SaveImage(const std::string& path) = 0;
  // A window inside another: to the front of its siblings (shown) or to their back.
  virtual void ZOrder(bool /*front*/) {}
  // The part of a text box's text the user has selected; "" when nothing is.
  virtual std::string SelectedText(Control&) { return ""; }
  // Height in twips of what the window draws above its inner area (its menu bar).
  virtual int MenuBarHeight() const { return 0; }
  // The logic placed the window (Form::Left/Top, its outer top-left on the screen).
  virtual void PositionChanged() {}
  // Where the window is on the screen with its frame, as the screen shows it; empty where
  // nothing is shown.
  virtual ScreenArea OuterArea() const { return {}; }
  // Covers the screen without title bar and menu bar, or comes back from that.
  virtual void SetFullScreen(bool /*on*/) {}
  virtual void SetMaximized(bool /*on*/) {}
  // True where the window tells the form its unmaximised size itself (Form::SetNormalSize).
  virtual bool ReportsNormalSize() const { return false; }
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  virtual std::unique_ptr<NativeWindow> CreateNativeWindow(Form& form) = 0;
  // `companion`, when given, is the view this one is shown in place of at times (a page's
  // picture gallery over its page): the two share an engine process and count as one.
  virtual std::unique_ptr<HtmlView> CreateView(Control& view_control, HtmlView* companion) = 0;
  // The part of the screen windows may take, without panels and docks.
  virtual ScreenArea WorkArea() { return {}; }
};

}  // namespace tv
