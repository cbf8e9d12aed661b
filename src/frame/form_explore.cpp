// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/form_explore.h"

#include <algorithm>

#include "frame/external_addresses.h"
#include "frame/input_filter.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "settings/kept_windows.h"
#include "settings/settings_schema.h"
#include "text/text_util.h"
#include "text/utf8.h"
#include "webpics/download_move.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

constexpr int kStripTop = 30, kStripSize = 420;
constexpr int kAddressTop = 480, kAddressHeight = 510;
constexpr int kTabTop = 1020, kTabHeight = 450;
constexpr int kPictHeight = 1500;
constexpr int kFirstTabWidth = 2470;
constexpr int kGoWidth = 630;

std::string Joined(const std::vector<int16_t>& values, int count) {
  std::string out;
  for (int i = 0; i < count && i < static_cast<int>(values.size()); ++i) {
    if (i) out += ",";
    out += std::to_string(values[static_cast<size_t>(i)]);
  }
  return out;
}

}  // namespace

FormExplore::FormExplore(Application& app)
    : Form(app.Services(), "FormExplore"), app_(app), state_(app.State()), b_(app.State().browser) {
  SetCaption(kFrameTitle);
  CreateControls();
  WireHandlers();
  Resize(15000, 11000);
}

FormExplore::~FormExplore() = default;

void FormExplore::CreateControls() {
  top_panel = &Add(ControlKind::PictureBox, "Pict");
  top_panel->Move(0, 0, 15000, kPictHeight);
  CreateCommands();
  // The tool strip: the table's buttons up to the address row's.
  int left = 40;
  for (const auto& c : Controls()) {
    if (c->Kind() != ControlKind::Button) continue;
    if (c->Name() == "CmdPage") break;
    c->Move(left, kStripTop, kStripSize, kStripSize);
    left += kStripSize + 30;
  }
  pictures_switch = &Add(ControlKind::CheckBox, "Chk");
  pictures_switch->SetCaption("查看网页图片（大图）");
  pictures_switch->SetToolTipText("查看网页图片（大图）");
  pictures_switch->Move(left + 60, kStripTop + 45, 2900, 330);

  for (int i : {0, 1}) history_buttons[i].Move(40 + i * 380, kAddressTop, 360, kAddressHeight);
  address_box = &Add(ControlKind::ComboBox, "TextUrl");
  address_box->SetToolTipText("地址栏里输入“关键词”可以直接搜索");
  address_box->Move(800, kAddressTop, 10000, kAddressHeight);
  for (const char* address : kPresetAddresses) address_box->AddItem(address);
  // Wide enough for its caption, which the search box must not cover.
  go_button->Move(10860, kAddressTop, kGoWidth, kAddressHeight);
  search_box = &Add(ControlKind::ComboBox, "CmbSearch");
  search_box->Move(11240, kAddressTop, 2600, kAddressHeight);
  for (const char* word :
       {"香山",     "风景",     "竹林",     "枫叶",     "红枫",     "椰树",     "城市夜景",
        "日出",     "日落",     "风景艺术", "美丽夕阳", "艺术壁纸", "梦幻风景", "风光壁纸",
        "海洋风光", "湖光山色", "海底世界", "海天一色", "浩瀚星空", "神秘宇宙", "海洋风光",
        "油画风景", "梦幻仙境", "3d风景",   "黄昏",     "瀑布",     "夜色"}) {
    search_box->AddItem(word);
  }
  search_box->SetText("枫叶");
  search_button->Move(13850, kAddressTop, 1100, kAddressHeight);

  // Label 0 is part of the design; the others are made when their slot is first used.
  Control& first = Add(tab_labels, ControlKind::TextBox, "TextLab", 0);
  first.Move(30, kTabTop, kFirstTabWidth, kTabHeight);

  auto_scroll_timer = &Add(ControlKind::Timer, "Timer1");
  auto_scroll_timer->SetInterval(20);
  CreateFindBar();
}

Control& FormExplore::Label(int slot) {
  if (Control* c = tab_labels.Find(slot)) return *c;
  Control& c = Add(tab_labels, ControlKind::TextBox, "TextLab", slot);
  c.Move(30, kTabTop, kFirstTabWidth, kTabHeight);
  c.MouseUp = [this, slot](const MouseArgs& m) { TabLabelMouseUp(slot, m); };
  c.DblClick = [this, slot] { TabLabelDoubleClick(slot); };
  return c;
}

void FormExplore::WireHandlers() {
  tab_labels[0].MouseUp = [this](const MouseArgs& m) { TabLabelMouseUp(0, m); };
  tab_labels[0].DblClick = [this] { TabLabelDoubleClick(0); };
  top_panel->DblClick = [this] { NewTab(); };
  pictures_switch->Click = [this] { TogglePagePictures(); };
  address_box->Change = [this] { AddressChanged(); };
  address_box->Click = [this] { AddressPicked(); };
  address_box->GotFocus = [this] { AddressFocused(); };
  address_box->KeyPress = [this](int key) { AddressKeyPress(key); };
  search_box->GotFocus = [this] { SearchBoxFocused(); };
  search_box->KeyPress = [this](int key) { SearchBoxKeyPress(key); };
  auto_scroll_timer->TimerTick = [this] { AutoScrollTick(); };
  WireSideWindows();
}

int FormExplore::FrameWidth() const {
  return ScaleWidth();
}

int FormExplore::FrameHeight() const {
  return std::max(ScaleHeight() - (top_panel->Visible() ? top_panel->Height() : 0), 0);
}

void FormExplore::Form_Load() {
  Platform& p = Services();
  b_.ClosedTop = -1;
  FocusBounced = false;
  FillFavoritesMenu();
  b_.TabCount = 0;
  b_.CurTab = -1;
  b_.FreeCount = 0;
  std::fill(b_.Webs.begin(), b_.Webs.end(), nullptr);
  laid_.clear();
  laid_width_ = -1;
  lit_slot_ = -1;
  InstallTextFilter(tab_labels[0]);
  InstallComboFilter(*address_box);

  // From here on a failing step leaves its value as it was.
  // Pictures saved by earlier versions into the data folder join the download folder.
  p.fs.CreateFolder(p.paths.DownloadFolder());
  MoveDownloads(p.fs, p.paths.ProgramFolder() + "Download/", p.paths.DownloadFolder());
  p.fs.CreateFolder(p.paths.ProgramFolder() + "History");
  SettingsStore settings(p.settings);
  settings.Save(kBlockPopUps, "1");
  settings.Save(kJumpWindows, "1");
  b_.Pop = 1;
  b_.JumpWindows = 0;
  if (auto topme = settings.Number(kBackgroundWindows)) b_.Topme = static_cast<int16_t>(*topme);
  b_.Download = settings.Number(kAutoDownload).value_or(b_.Download);
  b_.FetchLarger = settings.Number(kFetchLarger).value_or(b_.FetchLarger);
  RestoreWindow(settings, "Browser", *this);
  Show();
  b_.HomePage = settings.Text(kHomePage);
  LoadNewForm(b_.HomePage);
  if (FormWeb* first = Page(0)) first->SetActivate();
}

void FormExplore::Form_Resize() {
  const int w = FrameWidth();
  top_panel->SetWidth(w);
  address_box->SetWidth(RoundHalfEven(w * 2.0 / 3.0));
  go_button->SetLeft(address_box->Width() + 860);
  search_button->SetLeft(w - 1150);
  search_box->SetLeft(go_button->Left() + kGoWidth + 20);
  search_box->SetWidth(std::max(w - 1160 - search_box->Left(), 0));
  if (FormWeb* page = b_.CurrentPage()) ShowPage(*page);
  // Closed pages leave much memory free; it goes back to the system at every resize.
  Services().process.TrimWorkingSet();
}

bool FormExplore::Form_QueryUnload() {
  SettingsStore settings(Services().settings);
  KeepWindow(settings, "Browser", *this);
  Hide();
  return false;
}

void FormExplore::Form_Unload() {
  closing_ = true;
  for (int slot = 0; slot < kTabSlots; ++slot) {
    if (FormWeb* page = b_.Webs[static_cast<size_t>(slot)]) {
      app_.Unload(*page);
      b_.Webs[static_cast<size_t>(slot)] = nullptr;
    }
  }
  stack_.clear();
  if (state_.active_window == this) state_.active_window = nullptr;
}

void FormExplore::CloseBrowser() {
  app_.Unload(*this);
}

FormWeb& FormExplore::NewPage() {
  auto made = std::make_unique<FormWeb>(app_, *this);
  made->SetParentForm(this);
  auto& page = static_cast<FormWeb&>(app_.Adopt(std::move(made)));
  page.Form_Load();
  page.Show();
  Stack(page, true);
  return page;
}

FormWeb* FormExplore::ActiveChild() const {
  return stack_.empty() ? nullptr : stack_.back();
}

void FormExplore::Stack(FormWeb& page, bool front) {
  Forget(page);
  if (front) {
    stack_.push_back(&page);
  } else {
    stack_.insert(stack_.begin(), &page);
  }
}

void FormExplore::Forget(FormWeb& page) {
  stack_.erase(std::remove(stack_.begin(), stack_.end(), &page), stack_.end());
}

FormWeb* FormExplore::Page(int slot) const {
  if (slot < 0 || slot >= kTabSlots) return nullptr;
  FormWeb* page = b_.Webs[static_cast<size_t>(slot)];
  return page && !page->IsUnloaded() ? page : nullptr;
}

void FormExplore::ShowPage(FormWeb& page) {
  page.Move(0, 0, FrameWidth(), FrameHeight());
}

void FormExplore::ReloadWithoutBlocking() {
  if (b_.Pop != 1) return;
  FormWeb* page = ActiveChild();
  if (!page) return;
  b_.Pop = 0;
  page->ApplyPageSwitches();
  page->AllowScriptsOnce();
  page->Web->View()->Refresh();
  b_.Pop = 1;
}

void FormExplore::GoBackOrForward(int index) {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  if (index == 0) {
    page->Web->View()->GoBack();
  } else {
    page->Web->View()->GoForward();
  }
}

void FormExplore::TogglePagePictures() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  SetBusyPointer(true);
  page->columns = 1;
  if (pictures_switch->Value() != 0) {
    page->count_only = false;
    page->SearchPic();
    page->Gallery().SetLeft(0);
    pictures_switch->SetBackColor(kYellow);
  } else {
    if (page->WebPic) page->WebPic->SetLeft(FrameWidth() + 2000);
    pictures_switch->SetBackColor(kButtonFace);
  }
  page->SetFocus(*page->focus_holder);
  page->SetActivate();
  SetBusyPointer(false);
}

std::optional<std::string> FormExplore::StateField(const std::string& field) const {
  auto flag = [](bool v) { return std::string(v ? "True" : "False"); };
  if (field == "TabCount") return std::to_string(b_.TabCount);
  if (field == "CurTab") return std::to_string(b_.CurTab);
  if (field == "CurSlot") return std::to_string(b_.CurSlot);
  if (field == "FreeCount") return std::to_string(b_.FreeCount);
  if (field == "TabOrder") return Joined(b_.TabOrder, b_.TabCount);
  if (field == "FreeSlots") return Joined(b_.FreeSlots, b_.FreeCount);
  if (field == "ClosedTop") return std::to_string(b_.ClosedTop);
  if (field == "ClosedUrls") {
    std::string out;
    for (int i = 0; i <= std::min<int>(b_.ClosedTop, kTabSlots - 1); ++i) {
      if (i) out += ",";
      out += b_.ClosedUrls[static_cast<size_t>(i)];
    }
    return out;
  }
  if (field == "Pop") return std::to_string(b_.Pop);
  if (field == "Topme") return std::to_string(b_.Topme);
  if (field == "Download") return std::to_string(b_.Download);
  if (field == "FetchLarger") return std::to_string(b_.FetchLarger);
  if (field == "JumpWindows") return std::to_string(b_.JumpWindows);
  if (field == "HomePage") return b_.HomePage;
  if (field == "FocusBounced") return flag(FocusBounced);
  if (field == "BgIndex") return std::to_string(background_index);
  if (field == "BgColor") return background;
  if (field == "ScrollDir") return std::to_string(ScrollDir);
  if (field == "front") {
    FormWeb* page = ActiveChild();
    return page ? std::to_string(page->tab_index) : "none";
  }
  if (field == "download folder") return state_.picture_saving.download_folder;
  if (field == "web picture count") return std::to_string(state_.web_pictures.count);
  if (field.rfind("web picture ", 0) == 0) {
    const std::string n = field.substr(12);
    const std::vector<std::string>& entries = state_.web_pictures.entries;
    if (n.empty() || n.size() > 5 || n.find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt;
    const size_t i = std::stoul(n);
    return i < entries.size() ? entries[i] : "";
  }
  return std::nullopt;
}

void OpenBrowserFrame(Application& app) {
  if (Form* open = app.FindWindow("FormExplore")) {
    open->Show();
    return;
  }
  Form& frame = app.Adopt(std::make_unique<FormExplore>(app));
  frame.Form_Load();
}

}  // namespace tv
