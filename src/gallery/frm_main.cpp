// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/frm_main.h"

#include <algorithm>
#include <cstdlib>

#include "host/html_view.h"
#include "program/application.h"

namespace tv {

namespace {

struct ButtonDesign {
  const char* name;
  int index;
  const char* tooltip;
  const char* picture;  // themed icon name
};

// The button row above the view, left to right.
constexpr ButtonDesign kButtons[] = {
    {"Command1", -1, "打开图片", "document-open-symbolic"},
    {"Command5", -1, "搜索(展开)图片子目录", "folder-saved-search-symbolic"},
    {"Command8", -1, "查看图片路径", "folder-symbolic"},
    {"Command2", -1, "刷新图像", "view-refresh-symbolic"},
    {"CmdPage", 0, "往前翻页", "go-previous-symbolic"},
    {"CmdPage", 1, "往后翻页", "go-next-symbolic"},
    {"BigP", 0, "图像放大", "zoom-in-symbolic"},
    {"BigP", 1, "图像缩小", "zoom-out-symbolic"},
    {"Command7", -1, "切换图像方阵 X4", "view-grid-symbolic"},
    {"Command10", -1, "屏幕拉伸 / 宽度相等 / 原始大小", "zoom-fit-best-symbolic"},
    {"ImgComb", -1, "切换图像背景", "color-select-symbolic"},
    {"MoveUp", 0, "至页面顶部", "go-top-symbolic"},
    {"MoveUp", 1, "至页面底部", "go-bottom-symbolic"},
    {"Command9", -1, "全部图片 保存为截图", "camera-photo-symbolic"},
    {"Command6", -1, "Lumbra看图浏览器", "web-browser-symbolic"},
    {"Command3", -1, "关于软件作者", "help-about-symbolic"},
};

constexpr int kButtonTop = 60;
constexpr int kButtonSize = 450;
constexpr int kViewTop = 570;
// The status row along the bottom edge, as high as a line of the desktop's font, so that
// no descender falls past the window's edge; it still clears the view above it.
constexpr int kLabelHeight = 330;

}  // namespace

FrmMain::FrmMain(Application& app)
    : Form(app.Services(), "FrmMain"), app_(app), state_(app.State()) {
  SetCaption(kGalleryTitle);
  CreateControls();
  CreateMenus();
  // The folder list starts at the user's pictures; nothing is listed until a folder is
  // chosen or given on the command line.
  SetDriveFor(Services().paths.PicturesFolder());
  Dir1->SetPath(NormalizeFolder(Services().paths.PicturesFolder()));
  WireHandlers();
  Resize(16800, 10800);
}

void FrmMain::CreateControls() {
  int left = 40;
  for (const auto& b : kButtons) {
    Control* c;
    if (b.index >= 0) {
      ControlArray& array = std::string(b.name) == "CmdPage" ? CmdPage
                            : std::string(b.name) == "BigP"  ? BigP
                                                             : MoveUp;
      c = &Add(array, ControlKind::Button, b.name, b.index);
    } else {
      c = &Add(ControlKind::Button, b.name);
    }
    c->SetToolTipText(b.tooltip);
    c->Picture = b.picture;
    c->Move(left, kButtonTop, kButtonSize, kButtonSize);
    left += kButtonSize + 30;
  }
  Command1 = FindControl("Command1");
  Command2 = FindControl("Command2");
  Command3 = FindControl("Command3");
  Command5 = FindControl("Command5");
  Command6 = FindControl("Command6");
  Command7 = FindControl("Command7");
  Command8 = FindControl("Command8");
  Command9 = FindControl("Command9");
  Command10 = FindControl("Command10");
  ImgComb = FindControl("ImgComb");
  CmdPage[0].SetEnabled(false);

  ChkFace = &Add(ControlKind::CheckBox, "ChkFace");
  ChkFace->SetToolTipText("显示 / 隐藏文件夹列表");
  ChkFace->SetCaption("目录");
  ChkFace->Move(left + 60, kButtonTop + 60, 900, 330);

  Drive1 = &Add(ControlKind::DriveList, "Drive1");
  Drive1->Move(40, kViewTop, 2880, 330);
  Dir1 = &Add(ControlKind::DirList, "Dir1");
  Dir1->Move(40, kViewTop + 390, 2880, 7000);
  law = &Add(ControlKind::PictureBox, "law");
  law->Move(2920, kViewTop, 60, 8000);
  for (Control* c : {Drive1, Dir1, law}) c->SetVisible(false);

  Web = &Add(ControlKind::View, "Web");
  Web->Move(40, kViewTop, 14320, 8630);
  TotalWeb = &Add(ControlKind::View, "TotalWeb");
  TotalWeb->SetVisible(false);
  TotalWeb->Move(0, 0, 150, 150);

  // The focus holder sits outside the visible area: it only receives keys.
  Cmb = &Add(ControlKind::ComboBox, "Cmb");
  Cmb->Move(-2000, kButtonTop, 1200, 330);
  Picture1 = &Add(ControlKind::PictureBox, "Picture1");
  Picture1->SetVisible(false);
  ImageCopy = &Add(ControlKind::Image, "ImageCopy");
  ImageCopy->SetVisible(false);

  struct LabelDesign {
    int left, width;
    const char* text;
  };
  constexpr LabelDesign kLabels[] = {
      {40, 5600, "当前路径：未知"},
      {5660, 30, ""},
      {5720, 1900, "图片总数：0"},
      {7640, 30, ""},
      {7700, 1900, ""},
      {9620, 30, ""},
      {11500, 2850, "Corvex看图器"},
  };
  for (int i = 0; i < 7; ++i) {
    Control& l = Add(Lab, ControlKind::Label, "Lab", i);
    l.SetCaption(kLabels[i].text);
    l.Move(kLabels[i].left, 9600 - kLabelHeight, kLabels[i].width, kLabelHeight);
  }

  Timer1 = &Add(ControlKind::Timer, "Timer1");
  Timer1->SetInterval(20);
  Timer2 = &Add(ControlKind::Timer, "Timer2");
  Timer2->SetInterval(1000);
  Timer2->SetTimerEnabled(true);
  // A page refits the window's new width once resizing has paused this long.
  Refit = &Add(ControlKind::Timer, "Refit");
  Refit->SetInterval(200);
}

void FrmMain::CreateMenus() {
  mFile = &AddMenu("mFile", "文件(&F)");
  AddMenu("FopenFile", "打开图片(&O)", mFile);
  AddMenu("FsearchDir", "搜索图片目录(&S)", mFile);
  AddSeparator(*mFile);
  AddMenu("Fliulanqi", "Lumbra图片浏览器(&A)", mFile);
  AddSeparator(*mFile);
  AddMenu("ToolSaveList", "导出图像文件列表", mFile);
  AddMenu("ToolScreen", "全部图片 保存为截图", mFile);
  AddSeparator(*mFile);
  AddMenu("FprintSet", "打印设置", mFile);
  AddMenu("FprintView", "打印预览", mFile);
  AddMenu("Fprint", "打印(&P)", mFile);
  AddSeparator(*mFile);
  // The desktop's key for ending a program.
  AddMenu("Fexit", "退出(&E)", mFile).Shortcut = "Ctrl+Q";

  mEdit = &AddMenu("mEdit", "查看(&V)");
  AddMenu("Eforward", "页面前进", mEdit).Shortcut = "Page_Down";
  AddMenu("Eback", "页面后退", mEdit).Shortcut = "Page_Up";
  AddMenu("ToolJump", "快速跳转页面至…页", mEdit);
  AddMenu("Ereload", "刷新目录(&R)", mEdit).Shortcut = "F5";
  AddMenu("FullScreen", "全屏显示", mEdit).Shortcut = "F11";
  AddSeparator(*mEdit);
  EviewPath = &AddMenu("EviewPath", "显示图片文件目录", mEdit);
  AddMenu("EfilePath", "查看图片文件路径", mEdit);
  Folder = &AddMenu("Folder", "驻在文件夹菜单上", mEdit);
  AddSeparator(*mEdit);
  AddMenu("ToolSetup", "系统设置(&S)", mEdit);

  mImage = &AddMenu("mImage", "图像(&I)");
  AddMenu("IbigSize", "图像放大", mImage).Shortcut = "Ctrl+plus";
  AddMenu("IsmaillSize", "图像缩小", mImage).Shortcut = "Ctrl+minus";
  AddMenu("IbackColor", "切换图像背景", mImage);
  AddMenu("IfangZhen", "切换图像方阵", mImage);
  AddMenu("Iwidth", "图像拉伸/宽度相等/原始大小", mImage);
  AddSeparator(*mImage);
  Control& run_screen = AddMenu("RunScreen", "滚动屏幕(&R)", mImage);
  AddMenu("RgoTop", "至页面顶部(&T)", &run_screen);
  AddMenu("RgoButton", "至页面底部(&B)", &run_screen);
  AddSeparator(run_screen);
  const char* speeds[] = {"低速(&L)", "慢速(&M)", "中速(&H)", "快速(&U)", "高速(&G)"};
  for (int i = 0; i < 5; ++i) Speed.Add(AddMenu("Speed", speeds[i], &run_screen, i));
  Speed[0].SetChecked(true);

  HelpM = &AddMenu("HelpM", "帮助(&H)");
  AddMenu("HelpMe", "使用帮助(&H)", HelpM);
  AddMenu("HelpEmail", "联系作者(&E)", HelpM);
  AddMenu("HelpHome", "官方网站(&P)", HelpM);
  AddSeparator(*HelpM);
  AddMenu("LagFanti", "繁体语言版", HelpM);
  AddMenu("LagEnglish", "英文语言版", HelpM);
  AddSeparator(*HelpM);
  AddMenu("ToolsLocal", "程序所在位置", HelpM);
  AddMenu("HelpAbout", "关于(&A)", HelpM);

  MyTools = &AddMenu("MyTools", "工具(&T)");
  AddMenu("ToolDefaut", "打开图片(&O)", MyTools);
  AddMenu("ToolsPath", "查看图片路径(&P)", MyTools);
  AddSeparator(*MyTools);
  AddMenu("ToolJump2", "快速跳转页面至…页", MyTools);
  AddMenu("ToolsTop", "至页面顶部(&T)", MyTools);
  AddMenu("ToolsButton", "至页面底部(&B)", MyTools);
  AddMenu("ToolReload", "刷新(&R)", MyTools);
  AddSeparator(*MyTools);
  AddMenu("ToolsCopy", "另存图片(&C)", MyTools);
  AddMenu("ToolsDel", "删除图片(&D)", MyTools);
  AddMenu("ToolsClipboard", "复制图片(剪贴板)", MyTools);
  AddMenu("ToolsEdit", "编辑图片(画图板)", MyTools);
  AddSeparator(*MyTools);
  AddMenu("ToolsAttrib", "图片属性(&A)", MyTools);
}

void FrmMain::WireHandlers() {
  auto on = [this](const char* name, std::function<void()> handler) {
    FindControl(name)->Click = std::move(handler);
  };
  Dir1->Change = [this] { Dir1_Change(); };
  Drive1->Change = [this] { Drive1_Change(); };
  Timer1->TimerTick = [this] { Timer1_Timer(); };
  Timer2->TimerTick = [this] { Timer2_Timer(); };
  Refit->TimerTick = [this] { Refit_Timer(); };

  // Buttons.
  for (int i : {0, 1}) {
    CmdPage[i].Click = [this, i] { CmdPage_Click(i); };
    BigP[i].Click = [this, i] { BigP_Click(i); };
    MoveUp[i].Click = [this, i] { MoveUp_Click(i); };
  }
  on("Command1", [this] { Command1_Click(); });
  on("Command2", [this] { Command2_Click(); });
  on("Command3", [this] { Command3_Click(); });
  on("Command5", [this] { Command5_Click(); });
  on("Command6", [this] { Command6_Click(); });
  on("Command7", [this] { Command7_Click(); });
  on("Command8", [this] { EfilePath_Click(); });
  on("Command9", [this] { Command9_Click(); });
  on("Command10", [this] { Command10_Click(); });
  on("ImgComb", [this] { ImgComb_Click(); });
  ChkFace->Click = [this] { ChkFace_Click(); };
  Cmb->KeyDown = [this](int key, int) { Cmb_KeyDown(key); };
  law->MouseMove = [this](const MouseArgs& m) { law_MouseMove(m); };
  law->MouseUp = [this](const MouseArgs& m) { law_MouseUp(m); };

  // File menu.
  on("FopenFile", [this] { Command1_Click(); });
  on("FsearchDir", [this] { Command5_Click(); });
  on("Fliulanqi", [this] { Command6_Click(); });
  on("ToolSaveList", [this] { ToolSaveList_Click(); });
  on("ToolScreen", [this] { Command9_Click(); });
  on("FprintSet", [this] { FprintSet_Click(); });
  on("FprintView", [this] { FprintView_Click(); });
  on("Fprint", [this] { Fprint_Click(); });
  on("Fexit", [this] { Fexit_Click(); });
  // View menu.
  on("Eforward", [this] { Eforward_Click(); });
  on("Eback", [this] { Eback_Click(); });
  on("ToolJump", [this] { ToolJump_Click(); });
  on("Ereload", [this] { Command2_Click(); });
  on("EviewPath", [this] { EviewPath_Click(); });
  on("EfilePath", [this] { EfilePath_Click(); });
  on("Folder", [this] { Folder_Click(); });
  on("ToolSetup", [this] { ToolSetup_Click(); });
  on("FullScreen", [this] { SetFullScreen(!FullScreen()); });
  // Keys a picture viewer's user reaches for, beside those the menus show.
  shortcuts.push_back({"Home", [this] { PageEnd(false); }});
  shortcuts.push_back({"End", [this] { PageEnd(true); }});
  shortcuts.push_back({"Ctrl+equal", [this] { BigP_Click(0); }});
  shortcuts.push_back({"Ctrl+KP_Add", [this] { BigP_Click(0); }});
  shortcuts.push_back({"Ctrl+KP_Subtract", [this] { BigP_Click(1); }});
  shortcuts.push_back({"Escape", [this] { SetFullScreen(false); }});
  // Picture menu.
  on("IbigSize", [this] { BigP_Click(0); });
  on("IsmaillSize", [this] { BigP_Click(1); });
  on("IbackColor", [this] { ImgComb_Click(); });
  on("IfangZhen", [this] { Command7_Click(); });
  on("Iwidth", [this] { Command10_Click(); });
  on("RgoTop", [this] { ToolsTop_Click(); });
  on("RgoButton", [this] { ToolsButton_Click(); });
  for (int i = 0; i < 5; ++i) Speed[i].Click = [this, i] { Speed_Click(i); };
  // Help menu; "HelpMe" does nothing.
  on("HelpEmail", [this] { HelpEmail_Click(); });
  on("HelpHome", [this] { HelpHome_Click(); });
  on("LagFanti", [this] { LagFanti_Click(); });
  on("LagEnglish", [this] { LagEnglish_Click(); });
  on("ToolsLocal", [this] { ToolsLocal_Click(); });
  on("HelpAbout", [this] { HelpAbout_Click(); });
  // Picture pop-up.
  on("ToolDefaut", [this] { ToolDefaut_Click(); });
  on("ToolsPath", [this] { ToolsPath_Click(); });
  on("ToolJump2", [this] { ToolJump_Click(); });
  on("ToolsTop", [this] { ToolsTop_Click(); });
  on("ToolsButton", [this] { ToolsButton_Click(); });
  on("ToolReload", [this] { Command2_Click(); });
  on("ToolsCopy", [this] { ToolsCopy_Click(); });
  on("ToolsDel", [this] { ToolsDel_Click(); });
  on("ToolsClipboard", [this] { ToolsClipboard_Click(); });
  on("ToolsEdit", [this] { ToolsEdit_Click(); });
  on("ToolsAttrib", [this] { ToolsAttrib_Click(); });

  HtmlViewEvents& events = Web->View()->events;
  events.StatusTextChange = [this](const std::string& text) { status_text = text; };
  events.DownloadBegin = [this] { status_text.clear(); };
  events.DownloadComplete = [this] {
    zoom = 100;
    // The first page of a run comes back at the zoom it was left at.
    if (kept_zoom_armed_ && Web->View()->LocationURL() != "about:blank") {
      zoom = kept_zoom_;
      kept_zoom_ = 0;
      kept_zoom_armed_ = false;
      ZOOMIE(zoom);
    }
  };
  events.NewWindow2 = [this](HtmlView*&, bool& cancel) { Web_NewWindow2(cancel); };
}

void FrmMain::Form_Resize() {
  const int sw = ScaleWidth(), sh = ScaleHeight();
  // Full screen gives the whole window to the pictures.
  const bool full = FullScreen();
  for (const auto& c : Controls()) {
    if (c->Kind() == ControlKind::Button) c->SetVisible(!full);
  }
  ChkFace->SetVisible(!full);
  for (Control* c : {Drive1, Dir1, law}) c->SetVisible(!full && ChkFace->Value() == 1);
  for (int i = 0; i <= 6; ++i) Lab[i].SetVisible(!full);
  if (full) {
    Web->Move(0, 0, sw, sh);
    if (written_width_ >= 0 && Web->Width() != written_width_) Refit->SetTimerEnabled(true);
    return;
  }
  // A window narrower than the button row takes the rest of the buttons on further rows.
  const int extra = PlaceButtons(sw);
  Web->SetTop(kViewTop + extra);
  Drive1->SetTop(kViewTop + extra);
  Dir1->SetTop(kViewTop + 390 + extra);
  law->SetTop(kViewTop + extra);
  Drive1->SetWidth(sw / 5);
  Dir1->SetWidth(Drive1->Width());
  Dir1->SetHeight(std::max(sh - 1300 - extra, 0));
  Web->SetHeight(std::max(sh - 970 - extra, 0));
  Web->SetLeft(ChkFace->Value() == 1 ? Drive1->Width() + 80 : 40);
  Web->SetWidth(sw - Web->Left() - 40);
  law->SetLeft(Drive1->Width() + 40);
  law->SetHeight(Web->Height());
  for (int i = 0; i <= 6; ++i) Lab[i].SetTop(sh - kLabelHeight);
  PlacePageLabel(sw);
  // Each resize step starts the wait again, so the page is written once at the end.
  if (written_width_ >= 0 && Web->Width() != written_width_) {
    Refit->SetTimerEnabled(false);
    Refit->SetTimerEnabled(true);
  }
}

int FrmMain::PlaceButtons(int sw) {
  constexpr int kStep = kButtonSize + 30, kCheckWidth = 960;
  const int per_row = std::max(1, (sw - 40) / kStep);
  int n = 0;
  for (const auto& b : kButtons) {
    Control* c = b.index >= 0
                     ? FindControl(std::string(b.name) + "(" + std::to_string(b.index) + ")")
                     : FindControl(b.name);
    c->Move(40 + (n % per_row) * kStep, kButtonTop + (n / per_row) * kStep, kButtonSize,
            kButtonSize);
    ++n;
  }
  int row = (n - 1) / per_row, left = 40 + ((n - 1) % per_row + 1) * kStep;
  if (left + kCheckWidth > sw && left > 40 + kStep) {
    ++row;
    left = 40;
  }
  ChkFace->Move(left + 60, kButtonTop + 60 + row * kStep, 900, 330);
  return row * kStep;
}

void FrmMain::Refit_Timer() {
  Refit->SetTimerEnabled(false);
  if (state_.pictures.count == 0 || Web->Width() == written_width_) return;
  // The width toggle's original size does not follow the window; its other states do.
  if (width_toggle == 0) {
    WritePage();
  } else if (width_toggle == 1) {
    const int v = ViewWidthPixels(Web->Width());
    WritePageFile(true, [v](const std::string&) { return PictureLineChoice{PictureLine::Row, v}; });
  }
}

void FrmMain::PlacePageLabel(int sw) {
  // The page label stays at its place while its text fits there. In a narrower window it
  // moves left over the labels before it, which give way, so the page number always shows.
  constexpr int kDesignLeft = 11500, kTextWidth = 3700;
  int left = kDesignLeft;
  if (sw - 11550 >= kTextWidth) {
    Lab[6].SetWidth(sw - 11550);
  } else {
    left = std::max(40, sw - kTextWidth - 40);
    Lab[6].SetWidth(std::max(sw - left - 40, 0));
  }
  Lab[6].SetLeft(left);
  for (int i = 1; i < 6; ++i) Lab[i].SetVisible(Lab[i].Left() + Lab[i].Width() <= left);
  // The folder line gives up its end before it gives way altogether.
  constexpr int kFolderWidth = 5600, kFolderMin = 1500;
  const int room = std::min(left - Lab[0].Left() - 40, kFolderWidth);
  Lab[0].SetWidth(std::max(room, kFolderMin));
  Lab[0].SetVisible(room >= kFolderMin);
}

std::optional<std::string> FrmMain::StateField(const std::string& field) const {
  if (field == "current page") return std::to_string(current_page);
  if (field == "page count") return std::to_string(page_count);
  if (field == "per page") return std::to_string(per_page);
  if (field == "zoom") return std::to_string(zoom);
  if (field == "display mode") return std::to_string(display_mode);
  if (field == "width toggle") return std::to_string(width_toggle);
  if (field == "background") return background;
  if (field == "current folder") return current_folder;
  if (field == "start file") return start_file;
  if (field == "scroll step") return std::to_string(scroll_step);
  if (field == "selected picture") return state_.selected_picture;
  if (field == "picture count") return std::to_string(state_.pictures.count);
  if (field.rfind("picture ", 0) == 0) {
    return state_.pictures.At(std::atoi(field.c_str() + 8));
  }
  return std::nullopt;
}

}  // namespace tv
