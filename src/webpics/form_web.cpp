// SPDX-License-Identifier: GPL-3.0-or-later
#include "webpics/form_web.h"

#include <cstdio>

#include "frame/form_explore.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"

namespace tv {

namespace {

struct LabelDesign {
  int left, width;
  const char* caption;
};

// The status row along the bottom edge: each label wide enough for its longest text
// ("图片总数：6001", "  自动下载图片 200"), and as high as a line of the desktop's font.
constexpr int kLabelHeight = 330;
constexpr LabelDesign kLabels[] = {
    {40, 3000, ""},
    {3070, 30, ""},
    {3130, 2400, "0"},
    {5560, 30, ""},
    {5620, 1800, ""},
    {7450, 30, ""},
    {10300, 2850, "Corvex看图器"},
    {10240, 30, ""},
    {7510, 2700, "  自动下载图片 0"},
};
constexpr int kBrandLeft = 10300;

}  // namespace

namespace {

using FormWebCommands = Commands<FormWeb>;

// clang-format off
constexpr Command<FormWeb> kFormWebCommands[] = {
    FormWebCommands::Button("Lanlose", "", "", &FormWeb::CloseBlockedPanel).Text("×").Named(&FormWeb::blocked_close_button),
    FormWebCommands::Button("CmdStop", "", "", &FormWeb::StopHungPage).Text("停止此网页(&S)").Named(&FormWeb::stop_button),
    // The right-click menu of the page and of its gallery.
    FormWebCommands::Menu("WebMenu", "").Named(&FormWeb::page_menu),
    FormWebCommands::Item("WebOpenLink", "在新标签页中打开链接", &FormWeb::OpenLinkBehind),
    FormWebCommands::Item("WebCopyLink", "复制链接地址", &FormWeb::CopyLinkAddress),
    FormWebCommands::Separator(),
    FormWebCommands::Item("WebOpenPicture", "在新标签页中打开图片", &FormWeb::OpenPictureBehind),
    FormWebCommands::Item("WebCopyPicture", "复制图片地址", &FormWeb::CopyPictureAddress),
    FormWebCommands::Item("WebSavePicture", "保存图片", &FormWeb::SaveMenuPicture),
    FormWebCommands::Item("WebShowPicture", "在图片窗口中查看", &FormWeb::ShowMenuPicture),
    FormWebCommands::Separator(),
    FormWebCommands::Item("WebCopy", "复制", &FormWeb::CopyMenuSelection),
    FormWebCommands::Separator(),
    FormWebCommands::Item("WebBack", "后退", &FormWeb::GoBack),
    FormWebCommands::Item("WebForward", "前进", &FormWeb::GoForward),
    FormWebCommands::Item("WebReload", "刷新", &FormWeb::RefreshOrRescan),
};
// clang-format on

}  // namespace

FormWeb::FormWeb(Application& app, FormExplore& frame)
    : Form(app.Services(), "FormWeb"),
      app_(app),
      frame_(frame),
      state_(app.State()),
      b_(app.State().browser) {
  CreateControls();
  WireHandlers();
}

FormWeb::~FormWeb() {
  // The program-wide references never outlive the views they point at.
  if (ShowsView(state_.active_view)) state_.active_view = nullptr;
  if (state_.active_window == this) state_.active_window = nullptr;
}

bool FormWeb::ShowsView(const HtmlView* view) const {
  return view && (view == Web->View() || (WebPic && view == WebPic->View()));
}

Control& FormWeb::Gallery() {
  if (WebPic) return *WebPic;
  // The program's own pages: none of their scripts run (the view's default).
  WebPic = &AddView("WebPic", *Web);
  HtmlView* view = WebPic->View();
  view->SetSilent(true);
  view->events.ProcessEnded = [view] { view->ShowMessage(kProcessEndedText); };
  view->events.NewWindow2 = [this](HtmlView*& opened, bool& cancel) {
    WebPic_NewWindow2(opened, cancel);
  };
  view->events.LinkClick = [this](const std::string& address, int button, int shift,
                                  bool& handled) {
    FollowLinkClick(address, button, shift, handled);
  };
  if (laid_out_) PlaceGallery();
  return *WebPic;
}

Control* FormWeb::MakeOnDemand(const std::string& full_name) {
  return full_name == "WebPic" ? &Gallery() : nullptr;
}

void FormWeb::CreateControls() {
  // The host's container lies under the view it holds.
  host_container = &Add(ControlKind::PictureBox, "PicJava");
  host_container->SetVisible(false);
  Web = &Add(ControlKind::View, "Web");
  // Web pages run their own scripts unless the host turns them off; the gallery view
  // below shows the program's own pages and runs none.
  Web->View()->SetGeneratedPages(false);
  screenshot_surface = &Add(ControlKind::PictureBox, "Picture1");
  screenshot_surface->SetVisible(false);
  // The focus holder sits outside the visible area: it only receives keys.
  focus_holder = &Add(ControlKind::ComboBox, "Cmb");
  focus_holder->Move(-2000, 0, 1200, 330);
  for (int i = 0; i < 9; ++i) {
    Control& l = Add(status, ControlKind::Label, "Lab", i);
    l.SetCaption(kLabels[i].caption);
    l.Move(kLabels[i].left, 0, kLabels[i].width, kLabelHeight);
  }
  finish_watch_timer = &Add(ControlKind::Timer, "Timer2");
  finish_watch_timer->SetInterval(200);
  repeat_timer = &Add(ControlKind::Timer, "Timer3");
  repeat_timer->SetInterval(5000);
  repeat_timer->SetTimerEnabled(true);

  blocked_panel = &Add(ControlKind::PictureBox, "LanPic");
  blocked_panel->Move(0, 0, 5300, 2100);
  blocked_caption = &Add(ControlKind::Label, "Label2");
  blocked_caption->SetCaption("拦截窗口");
  blocked_list = &Add(ControlKind::ListBox, "LanList");
  blocked_list->SetToolTipText("鼠标单击复制网址，双击以后打开网址");
  // Over the top of the page while its engine process does not answer.
  hung_notice = &Add(ControlKind::Label, "HungLab");
  hung_notice->SetCaption("此网页已有 10 秒没有响应，其他网页不受影响。");
  hung_notice->SetBackColor(kPaleYellow);
  AddCommands(*this, kFormWebCommands);
  // No part of the program blocks a window yet: the panel starts hidden.
  for (Control* c : {blocked_panel, blocked_caption, blocked_list, blocked_close_button})
    c->SetVisible(false);
  for (Control* c : {hung_notice, stop_button}) c->SetVisible(false);
  page_menu->SetVisible(false);  // a pop-up only, never in a menu bar
}

void FormWeb::WireHandlers() {
  HtmlViewEvents& e = Web->View()->events;
  e.StatusTextChange = [this](const std::string& text) { Web_StatusTextChange(text); };
  e.ProgressChange = [this](long p, long m) { Web_ProgressChange(p, m); };
  e.CommandStateChange = [this](long c, bool on) { Web_CommandStateChange(c, on); };
  e.DownloadComplete = [this] { Web_DocumentComplete(); };
  e.DocumentComplete = [this](const std::string&) { Web_DocumentComplete(); };
  e.BeforeNavigate2 = [this](const std::string&, bool&) { Web_BeforeNavigate2(); };
  e.TitleChange = [this](const std::string&) { Web_TitleChange(); };
  e.NewWindow2 = [this](HtmlView*& view, bool& cancel) { Web_NewWindow2(view, cancel); };
  e.ProcessEnded = [this] { Web_ProcessEnded(); };
  e.ProcessHung = [this](bool hung) { Web_ProcessHung(hung); };
  e.PageDownload = [this](int id, const std::string& address, const std::string& name) {
    Web_PageDownload(id, address, name);
  };
  e.LinkClick = [this](const std::string& address, int button, int shift, bool& handled) {
    FollowLinkClick(address, button, shift, handled);
  };
  Web->GotFocus = [this] { HostFocused(); };
  host_container->GotFocus = [this] { HostFocused(); };
  finish_watch_timer->TimerTick = [this] { WatchFinishedPage(); };
  repeat_timer->TimerTick = [this] { RepeatAfterNavigation(); };
  focus_holder->KeyDown = [this](int key, int) { ScrollByArrowKey(key); };
  blocked_list->Click = [this] { CopyBlockedAddress(); };
  blocked_list->DblClick = [this] { OpenBlockedAddress(); };
}

void FormWeb::Form_Load() {
  close_requested_ = false;
  saving_ = false;
  count_only = false;
  columns = 0;
  timer2_stopped_ = false;
  background_colour = kStartBackground;
  const DateTime now = Services().clock.Now();
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", now.year, now.month, now.day);
  status[4].SetCaption(date);
  Web->View()->SetSilent(true);
  if (WebPic) WebPic->View()->SetSilent(true);
  left_ = 40000;
  if (b_.Topme == 0) SetActivate();
  if (b_.Pop == 1) ApplyPageSwitches();
}

void FormWeb::Move(int left, int, int width, int height) {
  left_ = left;
  Resize(width, height);
  if (Native()) Native()->SizeChanged();
}

void FormWeb::BringToFront() {
  frame_.Stack(*this, true);
  if (Native()) Native()->ZOrder(true);
}

void FormWeb::SendToBack() {
  frame_.Stack(*this, false);
  if (Native()) Native()->ZOrder(false);
}

void FormWeb::Form_Resize() {
  const int w = ScaleWidth(), h = ScaleHeight();
  // The view ends where the status row begins, so no label is cut by the window's edge.
  Web->Move(0, -50, w, h - 40 - kLabelHeight);
  host_container->Move(-50, -50, Web->Width(), Web->Height());
  laid_out_ = true;
  // A gallery shown over the page is needed now; one beside it only once it is made.
  if (frame_.pictures_switch->Value() != 0) Gallery();
  if (WebPic) PlaceGallery();
  for (int i = 0; i <= 8; ++i) status[i].SetTop(h - kLabelHeight);
  status[6].SetWidth(std::max(w - kBrandLeft - 50, 0));
  blocked_panel->Move(w - 5340, h - 2430, blocked_panel->Width(), blocked_panel->Height());
  blocked_caption->Move(blocked_panel->Left() + 60, blocked_panel->Top() + 60, 3000, 255);
  blocked_close_button->Move(blocked_panel->Left() + blocked_panel->Width() - 360,
                             blocked_panel->Top() + 30, 300, 300);
  blocked_list->Move(blocked_panel->Left() + 60, blocked_panel->Top() + 390,
                     blocked_panel->Width() - 120, blocked_panel->Height() - 450);
  hung_notice->Move(0, 0, std::max(w - 2400, 0), 450);
  stop_button->Move(std::max(w - 2400, 0), 0, 2400, 450);
}

void FormWeb::PlaceGallery() {
  WebPic->Move(frame_.pictures_switch->Value() != 0 ? 0 : ScaleWidth() + 2000, -50, Web->Width(),
               Web->Height());
}

void FormWeb::SetActivate() {
  state_.active_view = Web->View();
  if (frame_.pictures_switch->Value() != 0) state_.active_view = Gallery().View();
  state_.active_window = this;
}

void FormWeb::ShowHistoryButtons() {
  frame_.history_buttons[0].SetEnabled(back_enabled_);
  frame_.history_buttons[1].SetEnabled(forward_enabled_);
}

void FormWeb::ApplyPageSwitches() {
  host = std::make_unique<cWebBrowser>();
  host->INIAll(*host_container, *Web);
  host_container->SetVisible(true);
  if (b_.Pop != 0) host->SetDL_Script(false);
}

void FormWeb::AllowScriptsOnce() {
  scripts_until_ = navigations_ + 1;
}

bool FormWeb::IsCurrentTab() const {
  if (b_.CurTab < 0 || b_.CurTab >= b_.TabCount) return false;
  return tab_index == b_.TabOrder[b_.CurTab];
}

std::string FormWeb::DownloadFolder() const {
  // "download" and "Download" name one folder: the one the frame makes.
  return Services().paths.DownloadFolder();
}

std::optional<std::string> FormWeb::StateField(const std::string& field) const {
  auto flag = [](bool v) { return std::string(v ? "True" : "False"); };
  if (field == "tab index") return std::to_string(tab_index);
  if (field == "columns") return std::to_string(columns);
  if (field == "background colour") return background_colour;
  if (field == "pictures found") return std::to_string(pictures_found);
  if (field == "count-only") return flag(count_only);
  if (field == "saved count") return std::to_string(saved_count_);
  if (field == "stretched") return flag(stretched_);
  if (field == "history buffer") return history_.Buffer();
  if (field == "page title") return page_title;
  if (field == "left") return std::to_string(left_);
  if (field == "Timer3 ticks") return std::to_string(timer3_ticks_);
  if (field == "download control") {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", Web->View()->DownloadControl());
    return std::string(hex);
  }
  return std::nullopt;
}

}  // namespace tv
