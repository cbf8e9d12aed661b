// SPDX-License-Identifier: GPL-3.0-or-later
// The model of one window: its controls, caption and inner size. Each window of the
// program derives from Form, makes its commands from its command table and its other
// controls in its constructor, and names its handlers for what they do.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/command_table.h"
#include "platform/control.h"
#include "platform/window_system.h"

namespace tv {

struct Platform;
class NativeWindow;

class Form {
 public:
  Form(Platform& platform, std::string name);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }
  Platform& Services() const { return platform_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  // Inner size in twips (what Form_Resize lays out).
  int ScaleWidth() const { return scale_width_; }
  int ScaleHeight() const { return scale_height_; }
  // Sets the inner size and runs Form_Resize, as the front-end does when the user resizes.
  void Resize(int scale_width, int scale_height);

  // The outer top-left corner on the screen in twips, where the logic placed the window.
  int Left() const { return left_; }
  int Top() const { return top_; }
  void SetPosition(int left, int top);

  bool IsVisible() const { return visible_; }
  // Full screen: the window covers the screen without its title bar and menu bar; the
  // window's own Form_Resize hides what else it wants out of the way.
  bool FullScreen() const { return full_screen_; }
  void SetFullScreen(bool on);
  // Maximised: the logic asks for it; the front-end reports what the desktop did.
  bool Maximized() const { return maximized_; }
  void SetMaximized(bool on);
  void MaximizedShown(bool on) { maximized_ = on; }
  // The inner size in twips the window has when neither maximised nor full screen: the
  // size it comes back at. A front-end that reports it (SetNormalSize) is the one source;
  // elsewhere every Resize outside those states sets it.
  int NormalWidth() const { return normal_width_ > 0 ? normal_width_ : scale_width_; }
  int NormalHeight() const { return normal_height_ > 0 ? normal_height_ : scale_height_; }
  void SetNormalSize(int width, int height);
  // The first time a window of its own is shown it is fitted into the screen's work area.
  void Show();
  void Hide();

  // The window this one belongs to: shown over it and centred on it (dialog windows).
  Form* Owner() const { return owner_; }
  void SetOwner(Form* owner) { owner_ = owner; }
  // A dialog that takes all input of the program while it is shown (set before Show).
  bool Modal() const { return modal_; }
  void SetModal(bool modal) { modal_ = modal; }

  // The window this one sits inside (page windows inside the browser frame).
  Form* ParentForm() const { return parent_; }
  void SetParentForm(Form* parent) { parent_ = parent; }
  bool IsInside(const Form& outer) const;

  // Creates the native window for the controls made so far.
  void Realize();
  NativeWindow* Native() const { return native_.get(); }
  bool IsUnloaded() const { return unloaded_; }
  void MarkUnloaded() { unloaded_ = true; }

  // The close box: asks Form_QueryUnload, then unloads through the owner's closer.
  void RequestClose();
  std::function<void(Form&)> closer;

  // Keys that act in the whole window without a menu item showing them ("Ctrl+Q"); set
  // before Realize.
  struct WindowShortcut {
    std::string keys;
    std::function<void()> run;
  };
  std::vector<WindowShortcut> shortcuts;
  // The key combination `keys` as the window takes it: the enabled menu item showing it,
  // else the window's own shortcut. False when neither has it.
  bool RunShortcut(const std::string& keys);

  void PopupMenu(Control& menu);
  void SetFocus(Control& control);
  void SetBusyPointer(bool busy);
  void Beep();

  // Window events.
  virtual void Form_Load() {}
  virtual void Form_Resize() {}
  virtual void Form_Activate() {}
  // Returns true to cancel the close.
  virtual bool Form_QueryUnload() { return false; }
  virtual void Form_Unload() {}

  // Lookup by full name ("CmdPage(1)", "Web", "Speed(2)") for the scenario runner; a
  // control the window makes only when it is first needed is made here.
  Control* FindControl(const std::string& full_name);
  const std::deque<std::unique_ptr<Control>>& Controls() const { return controls_; }
  const std::vector<Control*>& MenuBar() const { return menu_bar_; }
  // A named state value of the window for the scenario runner ("current page").
  virtual std::optional<std::string> StateField(const std::string& field) const;
  // A control of this window that is made on first use, made now; null for other names.
  virtual Control* MakeOnDemand(const std::string& /*full_name*/) { return nullptr; }

  // Called by Control when a property changes.
  void ControlChanged(Control& c, Prop p);

 protected:
  Control& Add(ControlKind kind, const std::string& name, int index = -1);
  Control& Add(ControlArray& array, ControlKind kind, const std::string& name, int index);
  // A view shown in place of `companion`'s view at times; the two share an engine process.
  Control& AddView(const std::string& name, Control& companion);
  // Menus: a top-level entry of the bar, or an entry under a parent menu.
  Control& AddMenu(const std::string& name, const std::string& caption, Control* parent = nullptr,
                   int index = -1);
  Control& AddSeparator(Control& parent);
  // Makes the menus, buttons and keys of the window's command table, in its order, each
  // wired to its handler on `self`.
  template <class W, size_t N>
  void AddCommands(W& self, const Command<W> (&table)[N]);

 private:
  void FitIntoWorkArea();
  // One row of a command table; `menus` holds the menus the rows are going into.
  Control* AddCommand(const CommandLook& look, std::function<void()> run, ControlArray* array,
                      std::vector<Control*>& menus);
  Control& Add(ControlKind kind, const std::string& name, int index, HtmlView* companion);

  Platform& platform_;
  std::string name_;
  std::string caption_;
  int scale_width_ = 0;
  int scale_height_ = 0;
  int left_ = 0;
  int top_ = 0;
  bool visible_ = false;
  bool full_screen_ = false;
  bool maximized_ = false;
  int normal_width_ = 0;
  int normal_height_ = 0;
  bool fitted_ = false;  // placed inside the work area at its first showing
  bool unloaded_ = false;
  Form* parent_ = nullptr;
  Form* owner_ = nullptr;
  bool modal_ = false;
  std::deque<std::unique_ptr<Control>> controls_;
  std::map<std::string, Control*> by_name_;
  std::vector<Control*> menu_bar_;
  std::unique_ptr<NativeWindow> native_;
  int separators_ = 0;
};

// Where a window with an inner area of `width` x `height` twips and a frame of
// `frame_width` x `frame_height` twips around it goes in `area`: no larger than the area
// leaves room for, centred in it. Sizes only shrink; an empty area changes nothing.
struct WindowPlace {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
template <class W, size_t N>
void Form::AddCommands(W& self, const Command<W> (&table)[N]) {
  std::vector<Control*> menus;
  for (const Command<W>& row : table) {
    std::function<void()> run;
    if (row.run) {
      run = [&self, f = row.run] { (self.*f)(); };
    } else if (row.run_at) {
      run = [&self, f = row.run_at, i = row.look.index] { (self.*f)(i); };
    } else if (row.run_with) {
      run = [&self, f = row.run_with, a = row.argument] { (self.*f)(a); };
    }
    Control* c =
        AddCommand(row.look, std::move(run), row.array ? &(self.*row.array) : nullptr, menus);
    if (row.field) self.*row.field = c;
  }
}

WindowPlace FitWindow(const ScreenArea& area, int width, int height, int frame_width,
                      int frame_height);

}  // namespace tv
