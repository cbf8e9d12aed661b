// SPDX-License-Identifier: GPL-3.0-or-later
// The tab strip: the page-window table, inserting, laying out and closing tabs, switching
// by mouse, and reopening closed pages.
#include <algorithm>

#include "frame/external_addresses.h"
#include "frame/form_explore.h"
#include "frame/input_filter.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "text/text_util.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
// A dark grey: plainly not the white current tab (5:1 against it), its white text readable.
constexpr uint32_t kBackgroundTab = 0x6E6E6E;
constexpr int kMaxTabWidth = 2500;

}  // namespace

bool FormExplore::AddLab() {
  BrowserState& b = b_;
  if (b.FreeCount <= 0 && b.TabCount >= kTabSlots) {
    // Every slot holds a page: a further tab would write past the tables.
    Services().dialogs.MsgBox(this, "最多只能打开 5001 个选项卡，请先关闭一些网页。",
                              MsgIcon::Exclamation, "Lumbra看图浏览器");
    return false;
  }
  for (int i = b.TabCount; i >= b.CurTab + 2; --i) b.TabOrder[i] = b.TabOrder[i - 1];
  int16_t slot;
  if (b.FreeCount > 0) {
    slot = b.FreeSlots[--b.FreeCount];
  } else {
    slot = b.TabCount;
  }
  b.TabOrder[b.CurTab + 1] = slot;
  ++b.TabCount;
  ++b.CurTab;
  b.CurSlot = b.TabOrder[b.CurTab];
  Control& label = Label(b.CurSlot);
  label.SetText("");
  label.SetToolTipText("");
  label.SetVisible(true);
  if (b.CurSlot > 0) InstallTextFilter(label);
  LayOutTabs();
  return true;
}

void FormExplore::LayOutTabs() {
  BrowserState& b = b_;
  if (b.TabCount <= 0) return;
  int w = RoundHalfEven(static_cast<double>(FrameWidth()) / b.TabCount);
  w = std::clamp(w, -32768, 32767);
  if (w > kMaxTabWidth) w = kMaxTabWidth;
  // A label still where the last layout put it at the same width stays: after a tab is
  // opened or closed only the labels right of it move.
  if (w != laid_width_) laid_.clear();
  laid_width_ = w;
  const size_t count = static_cast<size_t>(b.TabCount);
  if (laid_.size() > count) laid_.resize(count);
  laid_.resize(count, -1);
  for (int i = 0; i < b.TabCount; ++i) {
    b.CurSlot = b.TabOrder[i];
    if (laid_[static_cast<size_t>(i)] == b.CurSlot) continue;
    Control* label = tab_labels.Find(b.CurSlot);
    if (!label) continue;
    label->Move(i * w + 30, label->Top(), w - 30, label->Height());
    ColourLabel(*label, i == b.CurTab);
    laid_[static_cast<size_t>(i)] = b.CurSlot;
  }
  // The current tab is the one white label among the open ones.
  const int current = b.CurTab >= 0 && b.CurTab < b.TabCount ? b.TabOrder[b.CurTab] : -1;
  if (lit_slot_ != current) {
    Control* was = tab_labels.Find(lit_slot_);
    if (was && was->Visible()) ColourLabel(*was, false);
  }
  if (Control* now = tab_labels.Find(current)) ColourLabel(*now, true);
  lit_slot_ = current;
}

void FormExplore::ColourLabel(Control& label, bool current) {
  label.SetBackColor(current ? kWhite : kBackgroundTab);
  label.SetForeColor(current ? kBlack : kWhite);
}

void FormExplore::LoadNewForm(const std::string& url) {
  std::string copy = url;
  LoadNewForm(copy);
}

void FormExplore::LoadNewForm(std::string& url) {
  BrowserState& b = b_;
  if (!AddLab()) return;
  if (url == kNavigationSite) url = NavigationAddressWithQuery();
  b.CurSlot = b.TabOrder[b.CurTab];
  const int16_t slot = b.CurSlot;
  FormWeb& page = NewPage();
  b.Webs[slot] = &page;
  page.tab_index = slot;
  page.Web->View()->Navigate(url);
  ShowPage(page);
  if (url == "about:blank" || b.Topme == 0) {
    url = PlainNavigationAddress(url);
    address_box->SetText(url);
    if (url == "about:blank") SetCaption(kBlankCaption);
  } else {
    page.SendToBack();
    if (b.CurTab > 0) --b.CurTab;
    LayOutTabs();
  }
}

bool FormExplore::OpenBehind(const std::string& address) {
  BrowserState& b = b_;
  FormWeb* current = b.CurrentPage();
  if (!AddLab()) return false;
  const int16_t slot = b.TabOrder[b.CurTab];
  FormWeb& page = NewPage();
  b.Webs[slot] = &page;
  page.tab_index = slot;
  page.Web->View()->Navigate(address);
  ShowPage(page);
  page.SendToBack();
  --b.CurTab;  // AddLab made the new tab current
  LayOutTabs();
  // A page loaded while new pages open in front takes the wheel and keys for itself.
  if (current) current->SetActivate();
  return true;
}

void FormExplore::CloseCurrentTab() {
  BrowserState& b = b_;
  if (b.TabCount <= 1) {
    // The last tab is never closed; it shows a blank page instead.
    if (FormWeb* page = b.CurrentPage()) page->Web->View()->Navigate("about:blank");
    return;
  }
  b.CurSlot = b.CurTab != 0 ? b.TabOrder[b.CurTab - 1] : b.TabOrder[b.CurTab + 1];
  if (FormWeb* neighbour = Page(b.CurSlot)) {
    neighbour->BringToFront();
    ShowPage(*neighbour);
    neighbour->SetFocus(*neighbour->focus_holder);
    neighbour->SetActivate();
    SetCaption(Label(b.CurSlot).Text() + kCaptionSuffix);
  }
  b.CurSlot = b.TabOrder[b.CurTab];
  UnloadSlot(b.CurSlot);
  for (int i = b.CurTab + 1; i < b.TabCount; ++i) b.TabOrder[i - 1] = b.TabOrder[i];
  --b.TabCount;
  if (b.CurTab > 0) --b.CurTab;
  b.CurSlot = b.TabOrder[b.CurTab];
  if (FormWeb* page = Page(b.CurSlot)) address_box->SetText(page->Web->View()->LocationURL());
  LayOutTabs();
  pictures_switch->SetValue(0);
}

void FormExplore::UnloadSlot(int16_t& slot) {
  if (slot < 0 || slot >= kTabSlots) return;
  // Labels stay made and hidden; the slot's next tab shows its label again.
  if (Control* label = tab_labels.Find(slot)) label->SetVisible(false);
  if (FormWeb* page = Page(slot)) app_.Unload(*page);
  b_.Webs[slot] = nullptr;
  if (b_.FreeCount < kTabSlots) b_.FreeSlots[b_.FreeCount++] = slot;
}

void FormExplore::CloseRight() {
  BrowserState& b = b_;
  const int last = b.TabCount - 1;
  for (int i = b.CurTab + 1; i <= last; ++i) {
    --b.TabCount;
    b.CurSlot = b.TabOrder[i];
    UnloadSlot(b.CurSlot);
  }
  LayOutTabs();
  if (FormWeb* page = b.CurrentPage()) {
    page->SetFocus(*page->focus_holder);
    page->SetActivate();
  }
}

void FormExplore::CloseLeft() {
  BrowserState& b = b_;
  if (b.CurTab <= 0) return;
  for (int i = 0; i < b.CurTab; ++i) {
    b.CurSlot = b.TabOrder[i];
    UnloadSlot(b.CurSlot);
  }
  for (int i = b.CurTab; i < b.TabCount; ++i) b.TabOrder[i - b.CurTab] = b.TabOrder[i];
  b.TabCount -= b.CurTab;
  b.CurTab = 0;
  LayOutTabs();
}

void FormExplore::CloseAll() {
  BrowserState& b = b_;
  if (b.TabCount <= 0) return;
  // The table shows one tab before any message is processed, so a handler that runs in
  // between sees the tabs as they will be.
  std::vector<int16_t> closing(b.TabOrder.begin() + 1, b.TabOrder.begin() + b.TabCount);
  b.TabCount = 1;
  b.CurTab = 0;
  for (int16_t slot : closing) {
    b.CurSlot = slot;
    UnloadSlot(b.CurSlot);
    Services().loop.DoEvents();
  }
  LayOutTabs();
  b.CurSlot = b.TabOrder[0];
  if (FormWeb* page = Page(b.CurSlot)) page->Web->View()->Navigate("about:blank");
  SetCaption(kBlankCaption);
  address_box->SetText("http://www.");
}

void FormExplore::TabLabelMouseUp(int slot, const MouseArgs& m) {
  BrowserState& b = b_;
  pictures_switch->SetValue(0);
  if (m.button == 2) {
    PopupMenu(*tab_menu);
    return;
  }
  Control* label = tab_labels.Find(slot);
  if (!label || label->BackColor() == kWhite) return;
  if (FormWeb* page = Page(slot)) {
    ShowPage(*page);
    page->BringToFront();
    page->SetFocus(*page->focus_holder);
    page->SetActivate();
    page->ShowHistoryButtons();
  }
  for (int i = 0; i < b.TabCount; ++i) {
    b.CurSlot = b.TabOrder[i];
    if (b.CurSlot == slot) b.CurTab = static_cast<int16_t>(i);
  }
  LayOutTabs();
  if (FormWeb* front = ActiveChild()) {
    address_box->SetText(PlainNavigationAddress(front->Web->View()->LocationURL()));
  }
  SetCaption(label->Text() + kCaptionSuffix);
}

void FormExplore::TabLabelDoubleClick(int) {
  CloseCurrentTab();
}

void FormExplore::NewTab() {
  LoadNewForm("about:blank");
  SetFocus(*address_box);
}

void FormExplore::RestoreClosedPage() {
  BrowserState& b = b_;
  if (b.ClosedTop < 0) return;
  if (b.ClosedTop >= kTabSlots) {
    // Nothing was stored beyond the stack's end: nothing to reopen there.
    --b.ClosedTop;
    return;
  }
  const int16_t tabs = b.TabCount;
  LoadNewForm(b.ClosedUrls[b.ClosedTop]);
  if (b.TabCount != tabs) --b.ClosedTop;  // a refused tab keeps the page on the stack
}

}  // namespace tv
