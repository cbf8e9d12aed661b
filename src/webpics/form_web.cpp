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
    Web_LinkClick(address, button, shift, handled);
  };
  if (laid_out_) PlaceGallery();
  return *WebPic;
}

Control* FormWeb::MakeOnDemand(const std::string& full_name) {
  return full_name == "WebPic" ? &Gallery() : nullptr;
}

void FormWeb::CreateControls() {
  // The host's container lies under the view it holds.
  PicJava = &Add(ControlKind::PictureBox, "PicJava");
  PicJava->SetVisible(false);
  Web = &Add(ControlKind::View, "Web");
  // Web pages run their own scripts unless the host turns them off; the gallery view
  // below shows the program's own pages and runs none.
  Web->View()->SetGeneratedPages(false);
  Picture1 = &Add(ControlKind::PictureBox, "Picture1");
  Picture1->SetVisible(false);
  // The focus holder sits outside the visible area: it only receives keys.
  Cmb = &Add(ControlKind::ComboBox, "Cmb");
  Cmb->Move(-2000, 0, 1200, 330);
  for (int i = 0; i < 9; ++i) {
    Control& l = Add(Lab, ControlKind::Label, "Lab", i);
    l.SetCaption(kLabels[i].caption);
    l.Move(kLabels[i].left, 0, kLabels[i].width, kLabelHeight);
  }
  Timer2 = &Add(ControlKind::Timer, "Timer2");
  Timer2->SetInterval(200);
  Timer3 = &Add(ControlKind::Timer, "Timer3");
  Timer3->SetInterval(5000);
  Timer3->SetTimerEnabled(true);

  LanPic = &Add(ControlKind::PictureBox, "LanPic");
  LanPic->Move(0, 0, 5300, 2100);
  Label2 = &Add(ControlKind::Label, "Label2");
  Label2->SetCaption("拦截窗口");
  LanList = &Add(ControlKind::ListBox, "LanList");
  LanList->SetToolTipText("鼠标单击复制网址，双击以后打开网址");
  Lanlose = &Add(ControlKind::Button, "Lanlose");
  Lanlose->SetCaption("×");
  // No part of the program blocks a window yet: the panel starts hidden.
  for (Control* c : {LanPic, Label2, LanList, Lanlose}) c->SetVisible(false);
  // Over the top of the page while its engine process does not answer.
  HungLab = &Add(ControlKind::Label, "HungLab");
  HungLab->SetCaption("此网页已有 10 秒没有响应，其他网页不受影响。");
  HungLab->SetBackColor(0x99FFFF);
  CmdStop = &Add(ControlKind::Button, "CmdStop");
  CmdStop->SetCaption("停止此网页(&S)");
  for (Control* c : {HungLab, CmdStop}) c->SetVisible(false);
  CreateWebMenu();
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
    Web_LinkClick(address, button, shift, handled);
  };
  CmdStop->Click = [this] { CmdStop_Click(); };
  Web->GotFocus = [this] { PicJava_GotFocus(); };
  PicJava->GotFocus = [this] { PicJava_GotFocus(); };
  Timer2->TimerTick = [this] { Timer2_Timer(); };
  Timer3->TimerTick = [this] { Timer3_Timer(); };
  Cmb->KeyDown = [this](int key, int) { Cmb_KeyDown(key); };
  LanList->Click = [this] { LanList_Click(); };
  LanList->DblClick = [this] { LanList_DblClick(); };
  Lanlose->Click = [this] { Lanlose_Click(); };
}

void FormWeb::Form_Load() {
  close_requested_ = false;
  saving_ = false;
  count_only = false;
  columns = 0;
  timer2_stopped_ = false;
  background_colour = "#FFFFFF";
  const DateTime now = Services().clock.Now();
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02d-%02d", now.year, now.month, now.day);
  Lab[4].SetCaption(date);
  Web->View()->SetSilent(true);
  if (WebPic) WebPic->View()->SetSilent(true);
  left_ = 40000;
  if (b_.Topme == 0) SetActivate();
  if (b_.Pop == 1) PageJavaConctrl();
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
  PicJava->Move(-50, -50, Web->Width(), Web->Height());
  laid_out_ = true;
  // A gallery shown over the page is needed now; one beside it only once it is made.
  if (frame_.Chk->Value() != 0) Gallery();
  if (WebPic) PlaceGallery();
  for (int i = 0; i <= 8; ++i) Lab[i].SetTop(h - kLabelHeight);
  Lab[6].SetWidth(std::max(w - kBrandLeft - 50, 0));
  LanPic->Move(w - 5340, h - 2430, LanPic->Width(), LanPic->Height());
  Label2->Move(LanPic->Left() + 60, LanPic->Top() + 60, 3000, 255);
  Lanlose->Move(LanPic->Left() + LanPic->Width() - 360, LanPic->Top() + 30, 300, 300);
  LanList->Move(LanPic->Left() + 60, LanPic->Top() + 390, LanPic->Width() - 120,
                LanPic->Height() - 450);
  HungLab->Move(0, 0, std::max(w - 2400, 0), 450);
  CmdStop->Move(std::max(w - 2400, 0), 0, 2400, 450);
}

void FormWeb::PlaceGallery() {
  WebPic->Move(frame_.Chk->Value() != 0 ? 0 : ScaleWidth() + 2000, -50, Web->Width(),
               Web->Height());
}

void FormWeb::SetActivate() {
  state_.active_view = Web->View();
  if (frame_.Chk->Value() != 0) state_.active_view = Gallery().View();
  state_.active_window = this;
}

void FormWeb::butenableable() {
  frame_.CmdPage[0].SetEnabled(back_enabled_);
  frame_.CmdPage[1].SetEnabled(forward_enabled_);
}

void FormWeb::PageJavaConctrl() {
  host = std::make_unique<cWebBrowser>();
  host->INIAll(*PicJava, *Web);
  PicJava->SetVisible(true);
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
