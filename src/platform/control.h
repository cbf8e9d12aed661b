// SPDX-License-Identifier: GPL-3.0-or-later
// A control is a small model object. Setting a property tells the owning window's
// native counterpart, which draws it; the logic never talks to a toolkit directly.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/key_codes.h"

namespace tv {

class Form;
class HtmlView;

enum class ControlKind {
  Label,
  Button,
  CheckBox,
  ComboBox,
  ListBox,
  TextBox,
  PictureBox,
  Image,
  Frame,
  DriveList,  // mounted file systems
  DirList,    // folder tree of one path
  View,       // an embedded HTML view
  Timer,
  Menu,  // a menu bar entry or a submenu
  MenuItem,
  Separator,
};

// Which property changed, so a front-end redraws only that.
enum class Prop {
  Caption,
  Text,
  ToolTipText,
  Enabled,
  Visible,
  Value,
  Checked,
  BackColor,
  ForeColor,
  Geometry,
  List,
  ListIndex,
  Path,
  Interval,
  TimerEnabled,
  Selection,
};

// Colours are blue-green-red values; the system button face is a marker, not a colour.
inline constexpr uint32_t kButtonFace = 0x8000000F;
inline constexpr uint32_t kYellow = 0x0000FFFF;
inline constexpr uint32_t kBlack = 0x00000000;
inline constexpr uint32_t kDarkGreen = 0x00004000;
inline constexpr uint32_t kPaleYellow = 0x0099FFFF;

struct MouseArgs {
  int button = 0;  // 1 left, 2 right, 4 middle
  int shift = 0;
  int x = 0;  // twips, inside the control
  int y = 0;
};

class Control {
 public:
  Control(Form& owner, ControlKind kind, std::string name, int index = -1);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& Owner() const { return owner_; }
  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  // "CmdPage(1)" for an array member, "Web" otherwise.
  std::string FullName() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& v);  // fires Change on text boxes and combo boxes
  const std::string& ToolTipText() const { return tooltip_; }
  void SetToolTipText(const std::string& v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  int Value() const { return value_; }
  void SetValue(int v);  // a check box fires Click when its value changes
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  uint32_t BackColor() const { return back_color_; }
  void SetBackColor(uint32_t v);
  uint32_t ForeColor() const { return fore_color_; }
  void SetForeColor(uint32_t v);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { Move(v, top_, width_, height_); }
  void SetTop(int v) { Move(left_, v, width_, height_); }
  void SetWidth(int v) { Move(left_, top_, v, height_); }
  void SetHeight(int v) { Move(left_, top_, width_, v); }
  void Move(int left, int top, int width, int height);

  // List and combo boxes.
  const std::vector<std::string>& List() const { return list_; }
  // How often the list was emptied: a widget that saw the same count and fewer entries
  // only has entries to add.
  uint32_t ListClears() const { return list_clears_; }
  void AddItem(const std::string& item);
  void ClearList();
  int ListIndex() const { return list_index_; }
  void SetListIndex(int v);

  // Drive list (Drive) and folder list (Path). Setting a different value fires Change,
  // as the listing relies on.
  const std::string& Path() const { return path_; }
  void SetPath(const std::string& v);

  // Text boxes: the selected part, in characters from the start of the text.
  int SelStart() const { return sel_start_; }
  int SelLength() const { return sel_length_; }
  void SetSelection(int start, int length);

  // Timers.
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  bool TimerEnabled() const { return timer_enabled_; }
  void SetTimerEnabled(bool v);

  // Menus: items in order; a Menu holds items and submenus.
  Control* Parent() const { return parent_; }
  const std::vector<Control*>& Children() const { return children_; }
  void AddChild(Control& c);

  // The HTML view of a View control; null for other kinds.
  HtmlView* View() const { return view_.get(); }
  void SetView(std::unique_ptr<HtmlView> view);

  // Event handlers, wired by the owning window in one place.
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> Change;
  std::function<void()> TimerTick;
  std::function<void(int key_code, int shift)> KeyDown;
  std::function<void(const MouseArgs&)> MouseDown;
  std::function<void(const MouseArgs&)> MouseMove;
  std::function<void(const MouseArgs&)> MouseUp;
  std::function<void(int key_ascii)> KeyPress;
  std::function<void()> GotFocus;
  // Input filter of a text or combo box: true swallows the window message (wheel 0x020A,
  // context menu 0x007B, undo 0x00C7, cut 0x0300, copy 0x0301, paste 0x0302, clear 0x0303).
  std::function<bool(uint32_t message)> MessageFilter;
  bool Swallows(uint32_t message) const { return MessageFilter && MessageFilter(message); }

  // Fire a handler if one is wired (front-ends and the scenario runner use these).
  void FireClick();
  void FireDblClick();
  void FireChange();
  void FireKeyDown(int key_code, int shift = 0);
  void FireKeyPress(int key_ascii);
  void FireGotFocus();

  // A menu item's tag and its shortcut text ("Ctrl+T").
  std::string Tag;
  std::string Shortcut;
  // A picture button's image: a themed icon name, shown where the caption is empty.
  std::string Picture;
  // The caption shows exactly as it is, without access keys (captions from the user's data).
  bool LiteralCaption = false;

  // Reads a property by name for the scenario runner ("Caption", "Enabled", ...).
  std::optional<std::string> PropertyText(const std::string& property) const;

  // Front-end bookkeeping: a native widget handle the front-end keeps here.
  void* native = nullptr;

 private:
  void Notify(Prop p);

  Form& owner_;
  ControlKind kind_;
  std::string name_;
  int index_;
  std::string caption_;
  std::string text_;
  std::string tooltip_;
  bool enabled_ = true;
  bool visible_ = true;
  int value_ = 0;
  bool checked_ = false;
  uint32_t back_color_ = kButtonFace;
  uint32_t fore_color_ = 0;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  std::vector<std::string> list_;
  int list_index_ = -1;
  uint32_t list_clears_ = 0;
  int sel_start_ = 0;
  int sel_length_ = 0;
  std::string path_;
  int interval_ = 0;
  bool timer_enabled_ = false;
  Control* parent_ = nullptr;
  std::vector<Control*> children_;
  std::unique_ptr<HtmlView> view_;
};

// An indexed group of controls sharing a name: Lab(0) to Lab(6), CmdPage(0), CmdPage(1).
class ControlArray {
 public:
  ControlArray() = default;
  Control& operator[](int index) const;  // the member must exist
  Control* Find(int index) const;
  void Add(Control& c) { members_[c.Index()] = &c; }
  const std::map<int, Control*>& Members() const { return members_; }

 private:
  std::map<int, Control*> members_;
};

}  // namespace tv
