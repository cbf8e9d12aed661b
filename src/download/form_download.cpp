// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/form_download.h"

#include "frame/form_explore.h"
#include "host/html_view.h"
#include "platform/platform.h"
#include "program/application.h"
#include "program/file_dialogs.h"
#include "text/utf8.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

constexpr size_t kShortestAddress = 15;
constexpr int kSaveWaitLimitMs = 30000;  // the timer ends the wait long before this

}  // namespace

std::string FileNameOfAddress(const std::string& address) {
  const size_t slash = address.rfind('/');
  return slash == std::string::npos ? address : address.substr(slash + 1);
}

namespace {

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A name that stands for a file of its own in the folder, not the folder or its parent;
// control characters (line breaks among them) become blanks.
std::string UsableName(const std::string& name) {
  std::string n = CleanFileName(name);
  for (char& c : n) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  }
  n = TrimBlanks(n);
  return n == "." || n == ".." ? "" : n;
}

}  // namespace

std::string DownloadFileName(const std::string& typed, const std::string& address) {
  if (std::string name = UsableName(typed); !name.empty()) return name;
  std::string path = address.substr(0, address.find_first_of("?#"));
  // "http://host" has no path: the part after its last "/" is the host.
  if (path.find("://") != std::string::npos &&
      path.find('/', path.find("://") + 3) == std::string::npos) {
    path.clear();
  }
  if (std::string name = UsableName(FileNameOfAddress(path)); !name.empty()) return name;
  return "index.html";
}

std::string FreeFilePath(FileSystem& fs, const std::string& folder, const std::string& name) {
  const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  auto taken = [&fs](const std::string& path) { return fs.IsFile(path) || fs.IsFolder(path); };
  if (!taken(base + name)) return base + name;
  const size_t dot = name.rfind('.');
  const bool has_ext = dot != std::string::npos && dot > 0;
  const std::string stem = has_ext ? name.substr(0, dot) : name;
  const std::string ext = has_ext ? name.substr(dot) : "";
  for (int n = 2; n < 10000; ++n) {
    const std::string path = base + stem + " (" + std::to_string(n) + ")" + ext;
    if (!taken(path)) return path;
  }
  return "";
}

namespace {

using FormDownloadCommands = Commands<FormDownload>;

// clang-format off
constexpr Command<FormDownload> kFormDownloadCommands[] = {
    FormDownloadCommands::Button("Command3", "", "", &FormDownload::ChooseFolder).Text("浏览(&V)").Named(&FormDownload::browse_button),
    FormDownloadCommands::Button("Command1", "", "", &FormDownload::Download).Text("下载(&D)").Named(&FormDownload::download_button),
    FormDownloadCommands::Button("Command2", "", "", &FormDownload::Close).Text("关闭(&C)").Named(&FormDownload::close_button),
    FormDownloadCommands::Key("Escape", &FormDownload::Close),
};
// clang-format on

}  // namespace

FormDownload::FormDownload(Application& app, FormExplore& frame)
    : Form(app.Services(), "FormDownload"), app_(app), frame_(frame) {
  SetCaption("下载网络文件");
  struct LabelDesign {
    const char* name;
    const char* caption;
    int left, top, width;
  };
  for (const LabelDesign& l : {LabelDesign{"Label1", "添加新任务", 240, 120, 2400},
                               LabelDesign{"Label2", "网址：", 240, 660, 1000},
                               LabelDesign{"Label3", "目录：", 240, 1260, 1000},
                               LabelDesign{"Label4", "文件名：", 240, 1860, 1000},
                               LabelDesign{"Label5", "高级模式", 240, 2460, 1500}}) {
    Control& c = Add(ControlKind::Label, l.name);
    c.SetCaption(l.caption);
    c.Move(l.left, l.top, l.width, 300);
  }
  address_box = &Add(ControlKind::ComboBox, "CombUrl");
  address_box->SetText("http://");
  address_box->Move(1260, 540, 5400, 510);
  Text1 = &Add(ControlKind::TextBox, "Text1");
  Text1->Move(1260, 1140, 4020, 510);
  AddCommands(*this, kFormDownloadCommands);
  browse_button->Move(5400, 1140, 1260, 510);
  Text2 = &Add(ControlKind::TextBox, "Text2");
  Text2->Move(1260, 1740, 5400, 510);
  download_button->Move(3900, 2400, 1300, 450);
  close_button->Move(5360, 2400, 1300, 450);
  // The page saver's view: it loads the page to be saved and is never shown.
  Web = &Add(ControlKind::View, "Web");
  Web->Move(0, 0, 6840, 3120);
  Web->SetVisible(false);
  Web->View()->SetGeneratedPages(false);
  save_timer = &Add(ControlKind::Timer, "Timer1");
  save_timer->SetInterval(1000);

  address_box->GotFocus = [this] { AddressFocused(); };
  address_box->Change = [this] { AddressEdited(); };
  save_timer->TimerTick = [this] { SavePageTick(); };
  HtmlViewEvents& e = Web->View()->events;
  e.TitleChange = [this](const std::string&) { PageTitleChanged(); };
  // The page saver's page opens no window of its own.
  e.NewWindow2 = [](HtmlView*&, bool& cancel) { cancel = true; };
  Resize(6840, 3120);
}

void FormDownload::Form_Load() {
  Web->View()->SetSilent(true);
  Web->View()->SetOffline(true);
  title_.clear();
  Text1->SetText(Services().paths.DownloadFolder());
}

void FormDownload::Form_Unload() {
  // Closed without 下载: the page's download is dropped.
  if (auto answer = std::move(page_answer_)) answer("");
}

void FormDownload::AskForPageDownload(const std::string& address, const std::string& suggested_name,
                                      std::function<void(const std::string&)> answer) {
  address_box->SetText(address);
  address_box->SetEnabled(false);  // the page's answer, not another address
  Text2->SetText(DownloadFileName(suggested_name, address));
  page_answer_ = std::move(answer);
}

void FormDownload::AddressFocused() {
  if (page_answer_) return;
  held_ = Services().clipboard.GetText();
  if (held_.rfind("http", 0) == 0) address_box->SetText(held_);
}

void FormDownload::AddressEdited() {
  address_box->SetToolTipText(address_box->Text());
  Text2->SetText(FileNameOfAddress(address_box->Text()));
}

void FormDownload::Download() {
  const std::string address = address_box->Text();
  // A page's own answer may have a short address (data:, blob:).
  if (!page_answer_ && CharCount(address) < kShortestAddress) return;
  Platform& p = Services();
  // The file goes where the dialog says; what the boxes hold stays when it cannot.
  std::string folder = TrimBlanks(Text1->Text());
  if (folder.empty() || folder[0] != '/') {
    p.dialogs.MsgBox(this, "请指定保存文件的目录（完整路径）：" + folder, MsgIcon::Exclamation,
                     "下载网络文件");
    return;
  }
  if (!p.fs.IsFolder(folder) && !p.fs.CreateFolder(folder)) {
    p.dialogs.MsgBox(this, "无法建立目录：" + folder, MsgIcon::Exclamation, "下载网络文件");
    return;
  }
  const std::string path = FreeFilePath(p.fs, folder, DownloadFileName(Text2->Text(), address));
  if (path.empty()) {
    p.dialogs.MsgBox(this, "目录里没有可用的文件名：" + folder, MsgIcon::Exclamation,
                     "下载网络文件");
    return;
  }
  if (auto answer = std::move(page_answer_)) {
    page_answer_ = nullptr;
    answer(path);
  } else {
    address_box->AddItem(address);
    p.shell.DownloadFile(address, path);
  }
  app_.Unload(*this);
}

void FormDownload::Close() {
  app_.Unload(*this);
}

void FormDownload::ChooseFolder() {
  held_ = BrowseFolder(Services(), "请指定一个保存图片的文件目录", this);
  if (!held_.empty()) Text1->SetText(held_);
}

void FormDownload::PageTitleChanged() {
  title_ = Web->View()->Title();
}

void FormDownload::StartSavePage() {
  held_ = title_;
  MessageLoop& loop = Services().loop;
  const uint64_t start = loop.TickMs();
  while (title_ == held_) {
    loop.Sleep(10);
    if (timer_fired_ || IsUnloaded()) return;
    if (loop.TickMs() - start > kSaveWaitLimitMs) return;
  }
  save_timer->SetTimerEnabled(false);
  SavePageOf(*Web->View(), title_);
  app_.Unload(*this);
}

void FormDownload::SavePageTick() {
  timer_fired_ = true;
  save_timer->SetTimerEnabled(false);
  app_.Unload(*this);
  // The page never said its title here: the frame's own page is saved as it shows.
  if (FormWeb* page = frame_.ActiveChild()) SavePageOf(*page->Web->View(), page->Caption());
}

void FormDownload::SavePageOf(HtmlView& view, const std::string& title) {
  Platform& p = Services();
  const std::string path = SaveFileDialog(app_, nullptr, "保存网页", title + ".mht", kFilterAll);
  if (path.empty()) return;
  if (!view.SaveAs(path)) {
    p.dialogs.MsgBox(nullptr, "网页没有保存：" + path, MsgIcon::Exclamation, "保存网页");
  }
}

std::optional<std::string> FormDownload::StateField(const std::string& field) const {
  if (field == "title") return title_;
  return Form::StateField(field);
}

}  // namespace tv
