// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/control.h"

#include "host/html_view.h"
#include "platform/form.h"

namespace tv {

Control::Control(Form& owner, ControlKind kind, std::string name, int index)
    : owner_(owner), kind_(kind), name_(std::move(name)), index_(index) {}

std::string Control::FullName() const {
  return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::Notify(Prop p) {
  owner_.ControlChanged(*this, p);
}

void Control::SetCaption(const std::string& v) {
  if (caption_ == v) return;
  caption_ = v;
  Notify(Prop::Caption);
}

void Control::SetText(const std::string& v) {
  if (text_ == v) return;
  text_ = v;
  Notify(Prop::Text);
  if (kind_ == ControlKind::TextBox || kind_ == ControlKind::ComboBox) FireChange();
}

void Control::SetSelection(int start, int length) {
  sel_start_ = start < 0 ? 0 : start;
  sel_length_ = length < 0 ? 0 : length;
  Notify(Prop::Selection);
}

void Control::SetToolTipText(const std::string& v) {
  if (tooltip_ == v) return;
  tooltip_ = v;
  Notify(Prop::ToolTipText);
}

void Control::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  Notify(Prop::Enabled);
}

void Control::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  Notify(Prop::Visible);
}

void Control::SetValue(int v) {
  if (value_ == v) return;
  value_ = v;
  Notify(Prop::Value);
  if (kind_ == ControlKind::CheckBox) FireClick();
}

void Control::SetChecked(bool v) {
  if (checked_ == v) return;
  checked_ = v;
  Notify(Prop::Checked);
}

void Control::SetBackColor(uint32_t v) {
  if (back_color_ == v) return;
  back_color_ = v;
  Notify(Prop::BackColor);
}

void Control::SetForeColor(uint32_t v) {
  if (fore_color_ == v) return;
  fore_color_ = v;
  Notify(Prop::ForeColor);
}

void Control::Move(int left, int top, int width, int height) {
  // Negative sizes are refused, as the system refuses them.
  if (width < 0) width = width_;
  if (height < 0) height = height_;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Notify(Prop::Geometry);
}

void Control::AddItem(const std::string& item) {
  list_.push_back(item);
  Notify(Prop::List);
}

void Control::ClearList() {
  list_.clear();
  ++list_clears_;
  list_index_ = -1;
  Notify(Prop::List);
}

void Control::SetListIndex(int v) {
  if (v < -1 || v >= static_cast<int>(list_.size())) return;
  if (list_index_ == v) return;
  list_index_ = v;
  Notify(Prop::ListIndex);
  FireClick();
}

void Control::SetPath(const std::string& v) {
  if (path_ == v) return;
  path_ = v;
  Notify(Prop::Path);
  FireChange();
}

void Control::SetInterval(int ms) {
  if (interval_ == ms) return;
  interval_ = ms;
  Notify(Prop::Interval);
}

void Control::SetTimerEnabled(bool v) {
  if (timer_enabled_ == v) return;
  timer_enabled_ = v;
  Notify(Prop::TimerEnabled);
}

void Control::AddChild(Control& c) {
  c.parent_ = this;
  children_.push_back(&c);
}

void Control::SetView(std::unique_ptr<HtmlView> view) {
  view_ = std::move(view);
}

void Control::FireClick() {
  if (Click) Click();
}
void Control::FireDblClick() {
  if (DblClick) DblClick();
}
void Control::FireChange() {
  if (Change) Change();
}
void Control::FireKeyDown(int key_code, int shift) {
  if (KeyDown) KeyDown(key_code, shift);
}

void Control::FireKeyPress(int key_ascii) {
  if (KeyPress) KeyPress(key_ascii);
}
void Control::FireGotFocus() {
  if (GotFocus) GotFocus();
}

std::optional<std::string> Control::PropertyText(const std::string& property) const {
  auto flag = [](bool b) { return std::string(b ? "True" : "False"); };
  if (property == "Caption") return caption_;
  if (property == "Text") return text_;
  if (property == "ToolTipText") return tooltip_;
  if (property == "Enabled") return flag(enabled_);
  if (property == "Visible") return flag(visible_);
  if (property == "Value") return std::to_string(value_);
  if (property == "Checked") return flag(checked_);
  if (property == "BackColor") return std::to_string(back_color_);
  if (property == "ForeColor") return std::to_string(fore_color_);
  if (property == "Left") return std::to_string(left_);
  if (property == "Top") return std::to_string(top_);
  if (property == "Width") return std::to_string(width_);
  if (property == "Height") return std::to_string(height_);
  if (property == "SelStart") return std::to_string(sel_start_);
  if (property == "SelLength") return std::to_string(sel_length_);
  if (property == "ListIndex") return std::to_string(list_index_);
  if (property == "ListCount") return std::to_string(list_.size());
  if (property == "Path" || property == "Drive") return path_;
  if (property == "Interval") return std::to_string(interval_);
  if (property == "TimerEnabled") return flag(timer_enabled_);
  if (property == "Tag") return Tag;
  if (property == "Shortcut") return Shortcut;
  if (property == "Picture") return Picture;
  if (property.rfind("List(", 0) == 0 && property.back() == ')') {
    const std::string n = property.substr(5, property.size() - 6);
    if (n.empty() || n.find_first_not_of("0123456789") != std::string::npos || n.size() > 9)
      return std::nullopt;
    const size_t i = std::stoul(n);
    return i < list_.size() ? list_[i] : "";
  }
  if (view_) {
    if (property == "LocationURL") return view_->LocationURL();
    if (property == "Title") return view_->Title();
    if (property == "ScrollTop") return std::to_string(view_->ScrollTop());
    if (property == "ScrollHeight") return std::to_string(view_->ScrollHeight());
    if (property == "ScrollWidth") return std::to_string(view_->ScrollWidth());
    if (property == "Images" || property == "Links") {
      const std::string tag = property == "Images" ? "IMG" : "A";
      int n = 0;
      for (const HtmlElement& e : view_->All()) n += e.tag_name == tag;
      return std::to_string(n);
    }
  }
  return std::nullopt;
}

Control& ControlArray::operator[](int index) const {
  return *members_.at(index);
}

Control* ControlArray::Find(int index) const {
  auto it = members_.find(index);
  return it == members_.end() ? nullptr : it->second;
}

}  // namespace tv
