// SPDX-License-Identifier: GPL-3.0-or-later
// A window's commands in one table. Each row is a control that runs a command (a menu
// entry, a button) or a key alone, with what it shows, its key and the member function
// that does it. The window's menus, buttons and keys are made from its table, and nothing
// else wires a command; the scenario runner's verbs reach them through the controls made.
#pragma once

namespace tv {

class Control;
class ControlArray;

enum class CommandShows {
  Menu,       // a menu of the menu bar; the items after it go into it
  Submenu,    // an item that opens a menu of its own, up to the next EndMenu
  EndMenu,    // back to the menu around the submenu
  Item,       // a menu item
  Separator,  // a line between menu items
  Button,     // a button of the window's button row
  Key,        // a key alone, shown in no menu
};

// What the toolkit needs of a row; the handler is bound separately.
struct CommandLook {
  CommandShows shows = CommandShows::Item;
  const char* name = "";     // the control's name, the one the layout and the scenarios use
  const char* caption = "";  // menu text ("&" marks the access key)
  const char* keys = "";     // the key as the toolkit names it: "Ctrl+W", "Page_Down"
  const char* tooltip = "";
  const char* icon = "";  // a button's themed icon
  int index = -1;         // its index in the control array of its name, else -1
  bool enabled = true;
  bool checked = false;
};

template <class W>
struct Command {
  using Run = void (W::*)();
  using RunAt = void (W::*)(int);
  using RunWith = void (W::*)(const char*);

  CommandLook look;
  Run run = nullptr;
  RunAt run_at = nullptr;      // handler of an array member, given the member's index
  RunWith run_with = nullptr;  // handler given the row's argument (an address)
  const char* argument = "";
  ControlArray W::*array = nullptr;
  Control* W::*field = nullptr;  // the window's field that names the control

  constexpr Command Keys(const char* keys) const {
    Command c = *this;
    c.look.keys = keys;
    return c;
  }
  constexpr Command Text(const char* caption) const {
    Command c = *this;
    c.look.caption = caption;
    return c;
  }
  constexpr Command Tip(const char* tooltip) const {
    Command c = *this;
    c.look.tooltip = tooltip;
    return c;
  }
  constexpr Command In(ControlArray W::*member, int index) const {
    Command c = *this;
    c.array = member;
    c.look.index = index;
    return c;
  }
  constexpr Command At(ControlArray W::*member, int index, RunAt handler) const {
    Command c = In(member, index);
    c.run = nullptr;
    c.run_at = handler;
    return c;
  }
  constexpr Command With(RunWith handler, const char* value) const {
    Command c = *this;
    c.run = nullptr;
    c.run_with = handler;
    c.argument = value;
    return c;
  }
  constexpr Command Named(Control* W::*member) const {
    Command c = *this;
    c.field = member;
    return c;
  }
  constexpr Command Disabled() const {
    Command c = *this;
    c.look.enabled = false;
    return c;
  }
  constexpr Command Checked() const {
    Command c = *this;
    c.look.checked = true;
    return c;
  }
};

// The rows' makers, for a table written as `using C = Commands<Window>;`.
template <class W>
struct Commands {
  using Row = Command<W>;
  using Run = typename Row::Run;

  static constexpr Row Menu(const char* name, const char* caption) {
    return Row{{CommandShows::Menu, name, caption}};
  }
  static constexpr Row Submenu(const char* name, const char* caption) {
    return Row{{CommandShows::Submenu, name, caption}};
  }
  static constexpr Row EndMenu() { return Row{{CommandShows::EndMenu}}; }
  static constexpr Row Item(const char* name, const char* caption, Run run = nullptr) {
    return Row{{CommandShows::Item, name, caption}, run};
  }
  static constexpr Row Separator() { return Row{{CommandShows::Separator}}; }
  static constexpr Row Button(const char* name, const char* tooltip, const char* icon, Run run) {
    return Row{{CommandShows::Button, name, "", "", tooltip, icon}, run};
  }
  static constexpr Row Key(const char* keys, Run run) {
    return Row{{CommandShows::Key, "", "", keys}, run};
  }
};

}  // namespace tv
