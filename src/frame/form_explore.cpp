// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame/form_explore.h"

#include <algorithm>

#include "frame/external_addresses.h"
#include "frame/input_filter.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "settings/settings_store.h"
#include "text/text_util.h"
#include "text/utf8.h"
#include "webpics/download_move.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

struct ButtonDesign {
  const char* name;
  int index;
  const char* tooltip;
  const char* picture;  // themed icon name
};

// The tool strip, left to right.
constexpr ButtonDesign kToolStrip[] = {
    {"Command2", -1, "页面刷新", "view-refresh-symbolic"},
    {"Command5", -1, "首页", "go-home-symbolic"},
    {"Command1", -1, "网站访问历史", "document-open-recent-symbolic"},
    {"Command3", -1, "恢复关闭的网页", "edit-undo-symbolic"},
    {"Command8", -1, "关闭当前网页", "window-close-symbolic"},
    {"Command11", -1, "查看源文件", "text-x-generic-symbolic"},
    {"MoveUp", 0, "至页面顶部", "go-top-symbolic"},
    {"MoveUp", 1, "至页面底部", "go-bottom-symbolic"},
    {"Command10", -1, "屏幕拉伸 / 宽度相等 / 原始大小", "zoom-fit-best-symbolic"},
    {"Command7", -1, "图像矩形方阵 X4", "view-grid-symbolic"},
    {"ImgComb", -1, "图像背景颜色", "color-select-symbolic"},
    {"Command4", -1, "手动下载图片", "document-save-symbolic"},
    {"Command6", -1, "图片下载目录", "folder-open-symbolic"},
};

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
  CreateMenus();
  WireHandlers();
  Resize(15000, 11000);
}

FormExplore::~FormExplore() = default;

void FormExplore::CreateControls() {
  Pict = &Add(ControlKind::PictureBox, "Pict");
  Pict->Move(0, 0, 15000, kPictHeight);
  int left = 40;
  for (const auto& b : kToolStrip) {
    Control& c = b.index >= 0 ? Add(MoveUp, ControlKind::Button, b.name, b.index)
                              : Add(ControlKind::Button, b.name);
    c.SetToolTipText(b.tooltip);
    c.Picture = b.picture;
    c.Move(left, kStripTop, kStripSize, kStripSize);
    left += kStripSize + 30;
  }
  Chk = &Add(ControlKind::CheckBox, "Chk");
  Chk->SetCaption("查看网页图片（大图）");
  Chk->SetToolTipText("查看网页图片（大图）");
  Chk->Move(left + 60, kStripTop + 45, 2900, 330);

  const char* arrows[] = {"后退", "前进"};
  const char* arrow_pictures[] = {"go-previous-symbolic", "go-next-symbolic"};
  for (int i : {0, 1}) {
    Control& c = Add(CmdPage, ControlKind::Button, "CmdPage", i);
    c.SetToolTipText(arrows[i]);
    c.Picture = arrow_pictures[i];
    c.SetEnabled(false);
    c.Move(40 + i * 380, kAddressTop, 360, kAddressHeight);
  }
  TextUrl = &Add(ControlKind::ComboBox, "TextUrl");
  TextUrl->SetToolTipText("地址栏里输入“关键词”可以直接搜索");
  TextUrl->Move(800, kAddressTop, 10000, kAddressHeight);
  for (const char* address : kPresetAddresses) TextUrl->AddItem(address);
  CmdGo = &Add(ControlKind::Button, "CmdGo");
  CmdGo->SetCaption("转到");
  // Wide enough for its caption, which the search box must not cover.
  CmdGo->Move(10860, kAddressTop, kGoWidth, kAddressHeight);
  CmbSearch = &Add(ControlKind::ComboBox, "CmbSearch");
  CmbSearch->Move(11240, kAddressTop, 2600, kAddressHeight);
  for (const char* word :
       {"香山",     "风景",     "竹林",     "枫叶",     "红枫",     "椰树",     "城市夜景",
        "日出",     "日落",     "风景艺术", "美丽夕阳", "艺术壁纸", "梦幻风景", "风光壁纸",
        "海洋风光", "湖光山色", "海底世界", "海天一色", "浩瀚星空", "神秘宇宙", "海洋风光",
        "油画风景", "梦幻仙境", "3d风景",   "黄昏",     "瀑布",     "夜色"}) {
    CmbSearch->AddItem(word);
  }
  CmbSearch->SetText("枫叶");
  CmdSearch = &Add(ControlKind::Button, "CmdSearch");
  CmdSearch->SetCaption("搜索(&S)");
  CmdSearch->Move(13850, kAddressTop, 1100, kAddressHeight);

  // Label 0 is part of the design; the others are made when their slot is first used.
  Control& first = Add(TextLab, ControlKind::TextBox, "TextLab", 0);
  first.Move(30, kTabTop, kFirstTabWidth, kTabHeight);

  Timer1 = &Add(ControlKind::Timer, "Timer1");
  Timer1->SetInterval(20);
  CreateFindBar();
}

Control& FormExplore::Label(int slot) {
  if (Control* c = TextLab.Find(slot)) return *c;
  Control& c = Add(TextLab, ControlKind::TextBox, "TextLab", slot);
  c.Move(30, kTabTop, kFirstTabWidth, kTabHeight);
  c.MouseUp = [this, slot](const MouseArgs& m) { TextLab_MouseUp(slot, m); };
  c.DblClick = [this, slot] { TextLab_DblClick(slot); };
  return c;
}

void FormExplore::WireHandlers() {
  auto on = [this](const char* name, std::function<void()> handler) {
    FindControl(name)->Click = std::move(handler);
  };
  TextLab[0].MouseUp = [this](const MouseArgs& m) { TextLab_MouseUp(0, m); };
  TextLab[0].DblClick = [this] { TextLab_DblClick(0); };
  Pict->DblClick = [this] { build_Click(); };
  for (int i : {0, 1}) CmdPage[i].Click = [this, i] { CmdPage_Click(i); };
  Chk->Click = [this] { Chk_Click(); };

  TextUrl->Change = [this] { TextUrl_Change(); };
  TextUrl->Click = [this] { TextUrl_Click(); };
  TextUrl->GotFocus = [this] { TextUrl_GotFocus(); };
  TextUrl->KeyPress = [this](int key) { TextUrl_KeyPress(key); };
  CmbSearch->GotFocus = [this] { CmbSearch_GotFocus(); };
  CmbSearch->KeyPress = [this](int key) { CmbSearch_KeyPress(key); };
  on("CmdGo", [this] { CmdGo_Click(); });
  on("CmdSearch", [this] { CmdSearch_Click(); });

  // Tab strip.
  on("build", [this] { build_Click(); });
  on("build2", [this] { build_Click(); });
  on("Command3", [this] { Command3_Click(); });
  on("cancel", [this] { Command3_Click(); });
  on("closeme", [this] { DelLine(); });
  on("CloseMyie", [this] { DelLine(); });
  on("Command8", [this] { DelLine(); });
  on("mnuCloseOther", [this] {
    CloseLeft();
    CloseRight();
  });
  on("mnuFileClose", [this] { CloseAll(); });
  on("closeleft", [this] { CloseLeft(); });
  on("closeright", [this] { CloseRight(); });
  on("mnuFileExit", [this] { mnuFileExit_Click(); });
  // 文件 › 退出 here closes the browser alone; the desktop's key for ending a program
  // ends all of it, as the gallery's 退出 does.
  shortcuts.push_back({"Ctrl+Q", [this] { app_.Quit(); }});
  on("Baidu", [this] { Baidu_Click(); });
  on("EnablePlayFilmMusic", [this] { EnablePlayFilmMusic_Click(); });
  WirePictureCommands();
  WireSideWindows();
  WireFrameCommands();
  WireKeys();
}

int FormExplore::FrameWidth() const {
  return ScaleWidth();
}

int FormExplore::FrameHeight() const {
  return std::max(ScaleHeight() - (Pict->Visible() ? Pict->Height() : 0), 0);
}

void FormExplore::Form_Load() {
  Platform& p = Services();
  b_.ClosedTop = -1;
  FocusBounced = false;
  AddFavor();
  b_.TabCount = 0;
  b_.CurTab = -1;
  b_.FreeCount = 0;
  std::fill(b_.Webs.begin(), b_.Webs.end(), nullptr);
  laid_.clear();
  laid_width_ = -1;
  lit_slot_ = -1;
  InstallTextFilter(TextLab[0]);
  InstallComboFilter(*TextUrl);

  // From here on a failing step leaves its value as it was.
  // Pictures saved by earlier versions into the data folder join the download folder.
  p.fs.CreateFolder(p.paths.DownloadFolder());
  MoveDownloads(p.fs, p.paths.ProgramFolder() + "Download/", p.paths.DownloadFolder());
  p.fs.CreateFolder(p.paths.ProgramFolder() + "History");
  SettingsStore settings(p.settings);
  settings.SaveSetting("setup", "Pop", "1");
  settings.SaveSetting("setup", "JumpWindows", "1");
  b_.Pop = 1;
  b_.JumpWindows = 0;
  int32_t topme = b_.Topme;
  settings.ReadInteger("setup", "Topme", topme);
  if (topme >= INT16_MIN && topme <= INT16_MAX) b_.Topme = static_cast<int16_t>(topme);
  settings.ReadInteger("setup", "Download", b_.Download);
  settings.ReadInteger("setup", "FetchLarger", b_.FetchLarger);
  Show();
  b_.HomePage = settings.GetSetting("setup", "Homepage");
  if (CharCount(b_.HomePage) < 15) b_.HomePage = kDefaultHomePage;
  LoadNewForm(b_.HomePage);
  if (FormWeb* first = Page(0)) first->SetActivate();
}

void FormExplore::Form_Resize() {
  const int w = FrameWidth();
  Pict->SetWidth(w);
  TextUrl->SetWidth(RoundHalfEven(w * 2.0 / 3.0));
  CmdGo->SetLeft(TextUrl->Width() + 860);
  CmdSearch->SetLeft(w - 1150);
  CmbSearch->SetLeft(CmdGo->Left() + kGoWidth + 20);
  CmbSearch->SetWidth(std::max(w - 1160 - CmbSearch->Left(), 0));
  if (FormWeb* page = b_.CurrentPage()) ShowPage(*page);
  // Closed pages leave much memory free; it goes back to the system at every resize.
  Services().process.TrimWorkingSet();
}

bool FormExplore::Form_QueryUnload() {
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

void FormExplore::mnuFileExit_Click() {
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

void FormExplore::EnablePlayFilmMusic_Click() {
  if (b_.Pop != 1) return;
  FormWeb* page = ActiveChild();
  if (!page) return;
  b_.Pop = 0;
  page->PageJavaConctrl();
  page->AllowScriptsOnce();
  page->Web->View()->Refresh();
  b_.Pop = 1;
}

void FormExplore::CmdPage_Click(int index) {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  if (index == 0) {
    page->Web->View()->GoBack();
  } else {
    page->Web->View()->GoForward();
  }
}

void FormExplore::Chk_Click() {
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  SetBusyPointer(true);
  page->columns = 1;
  if (Chk->Value() != 0) {
    page->count_only = false;
    page->SearchPic();
    page->Gallery().SetLeft(0);
    Chk->SetBackColor(kYellow);
  } else {
    if (page->WebPic) page->WebPic->SetLeft(FrameWidth() + 2000);
    Chk->SetBackColor(kButtonFace);
  }
  page->SetFocus(*page->Cmb);
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
  if (field == "BgIndex") return std::to_string(BgIndex);
  if (field == "BgColor") return BgColor;
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
