// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's menu commands that act on a page, on the tabs, on the desktop or open the
// help: each hands its work to the page window, its view or the desktop's shell.
#include <string>

#include "frame/external_addresses.h"
#include "frame/form_explore.h"
#include "frame/help_page.h"
#include "gallery/maker_links.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "program/file_dialogs.h"
#include "settings/settings_store.h"
#include "text/text_util.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

constexpr const char* kAuthorSubject = "%E8%81%94%E7%B3%BB%E4%BD%9C%E8%80%85";  // 联系作者

}  // namespace

bool IsBrowserAddress(const std::string& text) {
  for (const char* scheme : {"http://", "https://", "ftp://", "file://"}) {
    const std::string lower = AsciiLower(text.substr(0, std::string(scheme).size()));
    if (lower == scheme && text.size() > lower.size()) return true;
  }
  return false;
}

HtmlView* FormExplore::ChildView() const {
  FormWeb* child = ActiveChild();
  return child ? child->Web->View() : nullptr;
}

void FormExplore::Unavailable(const char* what) {
  Services().dialogs.MsgBox(this, std::string("这台电脑的桌面没有提供") + what + "。",
                            MsgIcon::Information, kFrameTitle);
}

void FormExplore::WireFrameCommands() {
  auto on = [this](const char* name, std::function<void()> handler) {
    FindControl(name)->Click = std::move(handler);
  };
  auto exec = [this](const char* name, int command, int option) {
    FindControl(name)->Click = [this, command, option] {
      if (HtmlView* view = ChildView()) view->ExecWB(command, option);
    };
  };
  auto service = [this](const char* name, DesktopService s, const char* missing) {
    FindControl(name)->Click = [this, s, missing] {
      if (!Services().shell.StartService(s) && missing) Unavailable(missing);
    };
  };
  auto open = [this](const char* name, std::string target, const char* missing) {
    FindControl(name)->Click = [this, target, missing] {
      if (!Services().shell.Open(target) && missing) Unavailable(missing);
    };
  };
  auto new_tab = [this](const char* name, const char* address) {
    FindControl(name)->Click = [this, address] { LoadNewForm(std::string(address)); };
  };

  // File.
  service("LoadMe", DesktopService::NewInstance, nullptr);
  on("mnuFileOpen", [this] { mnuFileOpen_Click(); });
  exec("printset", kCmdPageSetup, kOptPromptUser);
  on("closecd", [this] {
    if (FormWeb* page = b_.CurrentPage())
      page->Web->View()->ExecWB(kCmdPrintPreview, kOptPromptUser);
  });
  exec("Print", kCmdPrint, kOptDefault);
  open("Femail", "mailto:", "邮件程序");
  service("FmyPC", DesktopService::ComputerFolder, "文件管理器");
  service("bohao", DesktopService::NetworkSettings, "拨号上网的网络设置");
  on("offnet", [this] {
    Control* item = FindControl("offnet");
    item->SetChecked(!item->Checked());
  });

  // Edit.
  exec("mnuEditCopy", kCmdCopy, kOptDontPrompt);
  exec("shan", kCmdCut, kOptDontPrompt);
  exec("chakan", kCmdPaste, kOptDontPrompt);
  on("EditPage", [this] { EditPage_Click(); });
  on("Attrib", [this] { Attrib_Click(); });
  exec("mnuViewRefresh", kCmdSelectAll, kOptDontPrompt);
  on("mnuViewOptions", [this] { mnuViewOptions_Click(); });

  // The tab menu.
  on("pageup", [this] { PageEnd(-1); });
  on("pagedown", [this] { PageEnd(1); });
  on("fuzhi", [this] {
    Services().clipboard.SetText(b_.CurTab >= 0 ? Label(b_.TabOrder[b_.CurTab]).Text() : "");
  });
  on("address", [this] { Services().clipboard.SetText(TextUrl->Text()); });
  on("Page", [this] {
    Control* label = b_.CurTab >= 0 ? &Label(b_.TabOrder[b_.CurTab]) : nullptr;
    Services().clipboard.SetText(label && Native() ? Native()->SelectedText(*label) : "");
  });
  on("shuaxin", [this] {
    if (FormWeb* child = ActiveChild()) {
      child->PageJavaConctrl();
      child->Web->View()->Refresh();
    }
  });
  on("AllResuha", [this] { AllResuha_Click(); });
  on("Tingzhi", [this] { Tingzhi_Click(); });
  on("OpenUrlStyle", [this] {
    // Only addresses go to the other browser: a bare path could start any program.
    if (IsBrowserAddress(TextUrl->Text())) Services().shell.Open(TextUrl->Text());
  });
  on("ShowMe", [this] { ShowMe_Click(); });

  // Favourite sites.
  new_tab("FavHuasheng", kFavHuasheng);
  new_tab("Fav169mt", kFav169mt);
  new_tab("Fav169bb", kFav169bb);
  new_tab("Favumei", kFavumei);
  new_tab("Fyixiuba", kFyixiuba);

  // Tools.
  on("KillPop", [this] {
    b_.Pop = 1;
    if (FormWeb* child = ActiveChild()) child->PageJavaConctrl();
  });
  on("Tlimit", [] {});
  service("CloseScreen", DesktopService::MonitorOff, nullptr);
  service("LoadNotepad", DesktopService::TextEditor, "文本编辑器（记事本）");
  service("LoadDraw", DesktopService::ImageEditor, "图像编辑器（画图）");
  service("internet", DesktopService::NetworkSettings, "网络设置（INTERNET 选项）");
  on("setnavigation", [] {});

  // Help.
  on("mnuHelp", [this] { mnuHelp_Click(); });
  new_tab("HomePage", kHomePageUrl);
  new_tab("ReDownload", kHomePageUrl);
  open("lianxi", std::string("mailto:") + kContactAddress + "?subject=" + kAuthorSubject,
       "邮件程序");
  on("mnuHelpAbout", [this] {
    Services().dialogs.About(this, kFrameTitle, "Lumbra看图浏览器：本地看图和网页图片浏览。");
  });

  // Tool strip.
  on("Command5", [this] { LoadNewForm(std::string(kDefaultHomePage)); });
  for (int i : {0, 1}) MoveUp[i].Click = [this, i] { MoveUp_Click(i); };
  Timer1->TimerTick = [this] { Timer1_Timer(); };
}

void FormExplore::mnuFileOpen_Click() {
  std::string path = OpenFileDialog(app_, this, "打开网页", "", kFilterPages);
  if (!path.empty()) LoadNewForm(path);
}

void FormExplore::EditPage_Click() {
  Control* item = FindControl("EditPage");
  item->SetChecked(!item->Checked());
  FormWeb* child = ActiveChild();
  if (!child) return;
  child->WebEdit = item->Checked();
  child->Web->View()->SetEditable(child->WebEdit);
}

void FormExplore::Attrib_Click() {
  HtmlView* view = ChildView();
  if (!view || !view->HasDocument()) {
    Services().dialogs.MsgBox(this, "当前没有打开的网页。", MsgIcon::Information, "页面属性");
    return;
  }
  int pictures = 0, links = 0;
  for (const HtmlElement& e : view->All()) {
    if (e.tag_name == "IMG") ++pictures;
    if (e.tag_name == "A" && !e.href.empty()) ++links;
  }
  const std::string text = "标题：" + view->Title() + "\n地址：" + view->LocationURL() +
                           "\n页面大小：" + std::to_string(view->ScrollWidth()) + " × " +
                           std::to_string(view->ScrollHeight()) + " 像素\n图片：" +
                           std::to_string(pictures) + "  链接：" + std::to_string(links);
  Services().dialogs.MsgBox(this, text, MsgIcon::Information, "页面属性");
}

void FormExplore::AllResuha_Click() {
  // The first tab keeps its page as it is.
  for (int pos = 1; pos < b_.TabCount; ++pos) {
    FormWeb* page = Page(b_.TabOrder[static_cast<size_t>(pos)]);
    if (!page) continue;
    page->PageJavaConctrl();
    page->Web->View()->Refresh();
  }
}

void FormExplore::mnuHelp_Click() {
  Platform& p = Services();
  const std::string folder = p.paths.ProgramFolder();
  const std::string path = folder + kHelpPageName;
  if (!p.fs.IsFile(path)) p.fs.WriteAtomic(path, HelpPageText(folder, p.paths.DownloadFolder()));
  LoadNewForm(path);
}

}  // namespace tv
