// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/form.h"

#include <algorithm>

#include "host/html_view.h"
#include "platform/platform.h"

namespace tv {

Form::Form(Platform& platform, std::string name) : platform_(platform), name_(std::move(name)) {}

Form::~Form() {
  for (auto& c : controls_) {
    if (c->Kind() == ControlKind::Timer) platform_.loop.ControlDestroyed(*c);
  }
  native_.reset();
}

void Form::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  if (native_) native_->CaptionChanged();
}

void Form::Resize(int scale_width, int scale_height) {
  scale_width_ = scale_width;
  scale_height_ = scale_height;
  if (!maximized_ && !full_screen_ && !(native_ && native_->ReportsNormalSize())) {
    SetNormalSize(scale_width, scale_height);
  }
  Form_Resize();
}

namespace {

// What a window manager adds around a window: a title bar and thin borders.
constexpr int kTitleBarTwips = 40 * 15;
constexpr int kBorderTwips = 4 * 15;
constexpr int kSmallestSide = 100 * 15;

}  // namespace

WindowPlace FitWindow(const ScreenArea& area, int width, int height, int frame_width,
                      int frame_height) {
  WindowPlace place{0, 0, width, height};
  if (area.width <= 0 || area.height <= 0) return place;
  place.width = std::max(std::min(width, area.width - frame_width), std::min(width, kSmallestSide));
  place.height =
      std::max(std::min(height, area.height - frame_height), std::min(height, kSmallestSide));
  place.left = area.left + std::max(0, (area.width - place.width - frame_width) / 2);
  place.top = area.top + std::max(0, (area.height - place.height - frame_height) / 2);
  return place;
}

void Form::SetPosition(int left, int top) {
  left_ = left;
  top_ = top;
  if (native_) native_->PositionChanged();
}

void Form::FitIntoWorkArea() {
  fitted_ = true;
  if (parent_ || !native_) return;
  const ScreenArea area = platform_.windows.WorkArea();
  const WindowPlace place = FitWindow(area, scale_width_, scale_height_, 2 * kBorderTwips,
                                      kTitleBarTwips + kBorderTwips + native_->MenuBarHeight());
  if (place.width != scale_width_ || place.height != scale_height_) {
    Resize(place.width, place.height);
    native_->SizeChanged();
  }
  // A dialog stays over its owner, where the front-end keeps it inside the screen.
  if (area.width > 0 && !owner_) SetPosition(place.left, place.top);
}

void Form::Show() {
  if (!native_) Realize();
  if (!fitted_) FitIntoWorkArea();
  if (visible_) return;
  visible_ = true;
  if (native_) native_->VisibilityChanged();
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  if (native_) native_->VisibilityChanged();
}

bool Form::IsInside(const Form& outer) const {
  for (const Form* f = this; f; f = f->parent_) {
    if (f == &outer) return true;
  }
  return false;
}

void Form::Realize() {
  if (native_) return;
  native_ = platform_.windows.CreateNativeWindow(*this);
  for (auto& c : controls_) {
    if (c->Kind() == ControlKind::Timer) platform_.loop.TimerChanged(*c);
  }
}

void Form::RequestClose() {
  if (closer) {
    closer(*this);
  } else if (!Form_QueryUnload()) {
    Form_Unload();
    Hide();
    MarkUnloaded();
  }
}

void Form::SetFullScreen(bool on) {
  if (full_screen_ == on) return;
  full_screen_ = on;
  if (native_) native_->SetFullScreen(on);
  Form_Resize();
}

void Form::SetMaximized(bool on) {
  maximized_ = on;
  if (native_) native_->SetMaximized(on);
}

void Form::SetNormalSize(int width, int height) {
  normal_width_ = width;
  normal_height_ = height;
}

bool Form::RunShortcut(const std::string& keys) {
  for (const auto& c : controls_) {
    if (c->Kind() == ControlKind::MenuItem && c->Shortcut == keys) {
      if (c->Enabled()) c->FireClick();
      return true;
    }
  }
  for (const WindowShortcut& s : shortcuts) {
    if (s.keys == keys) {
      // A copy: the handler may change the window's shortcuts.
      auto run = s.run;
      if (run) run();
      return true;
    }
  }
  return false;
}

void Form::PopupMenu(Control& menu) {
  if (native_) native_->PopupMenu(menu);
}

void Form::SetFocus(Control& control) {
  if (native_) native_->SetFocus(control);
}

void Form::SetBusyPointer(bool busy) {
  if (native_) native_->SetBusyPointer(busy);
}

void Form::Beep() {
  if (native_) native_->Beep();
}

Control* Form::FindControl(const std::string& full_name) {
  auto it = by_name_.find(full_name);
  return it == by_name_.end() ? MakeOnDemand(full_name) : it->second;
}

std::optional<std::string> Form::StateField(const std::string&) const {
  return std::nullopt;
}

void Form::ControlChanged(Control& c, Prop p) {
  if (c.Kind() == ControlKind::Timer && (p == Prop::Interval || p == Prop::TimerEnabled)) {
    if (native_) platform_.loop.TimerChanged(c);
    return;
  }
  if (native_) native_->ControlChanged(c, p);
}

Control& Form::Add(ControlKind kind, const std::string& name, int index) {
  return Add(kind, name, index, nullptr);
}

Control& Form::AddView(const std::string& name, Control& companion) {
  return Add(ControlKind::View, name, -1, companion.View());
}

Control& Form::Add(ControlKind kind, const std::string& name, int index, HtmlView* companion) {
  controls_.push_back(std::make_unique<Control>(*this, kind, name, index));
  Control& c = *controls_.back();
  by_name_[c.FullName()] = &c;
  if (kind == ControlKind::View) c.SetView(platform_.windows.CreateView(c, companion));
  if (native_) {
    native_->ControlAdded(c);
    if (kind == ControlKind::Timer) platform_.loop.TimerChanged(c);
  }
  return c;
}

Control& Form::Add(ControlArray& array, ControlKind kind, const std::string& name, int index) {
  Control& c = Add(kind, name, index);
  array.Add(c);
  return c;
}

Control& Form::AddMenu(const std::string& name, const std::string& caption, Control* parent,
                       int index) {
  Control& m = Add(parent ? ControlKind::MenuItem : ControlKind::Menu, name, index);
  m.SetCaption(caption);
  if (parent) {
    parent->AddChild(m);
  } else {
    menu_bar_.push_back(&m);
  }
  return m;
}

Control& Form::AddSeparator(Control& parent) {
  Control& s = Add(ControlKind::Separator, "-sep" + std::to_string(++separators_));
  parent.AddChild(s);
  return s;
}

Control* Form::AddCommand(const CommandLook& look, std::function<void()> run, ControlArray* array,
                          std::vector<Control*>& menus) {
  Control* parent = menus.empty() ? nullptr : menus.back();
  Control* c = nullptr;
  switch (look.shows) {
    case CommandShows::Menu:
      menus.clear();
      c = &AddMenu(look.name, look.caption, nullptr, look.index);
      menus.push_back(c);
      break;
    case CommandShows::Submenu:
      c = &AddMenu(look.name, look.caption, parent, look.index);
      menus.push_back(c);
      break;
    case CommandShows::EndMenu:
      if (!menus.empty()) menus.pop_back();
      return nullptr;
    case CommandShows::Separator:
      return parent ? &AddSeparator(*parent) : nullptr;
    case CommandShows::Item:
      c = &AddMenu(look.name, look.caption, parent, look.index);
      break;
    case CommandShows::Button:
      c = &Add(ControlKind::Button, look.name, look.index);
      c->SetCaption(look.caption);
      c->Picture = look.icon;
      break;
    case CommandShows::Key:
      shortcuts.push_back({look.keys, std::move(run)});
      return nullptr;
  }
  if (array) array->Add(*c);
  c->Shortcut = look.keys;
  if (*look.tooltip) c->SetToolTipText(look.tooltip);
  c->SetEnabled(look.enabled);
  if (look.checked) c->SetChecked(true);
  c->Click = std::move(run);
  return c;
}

}  // namespace tv
