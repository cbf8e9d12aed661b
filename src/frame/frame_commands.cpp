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

void FormExplore::ExecInPage(int command, int option) {
  if (HtmlView* view = ChildView()) view->ExecWB(command, option);
}

void FormExplore::StartDesktopService(DesktopService service, const char* missing) {
  if (!Services().shell.StartService(service) && missing) Unavailable(missing);
}

void FormExplore::OpenOrSay(const std::string& target, const char* missing) {
  if (!Services().shell.Open(target) && missing) Unavailable(missing);
}

void FormExplore::StartAnotherCopy() {
  StartDesktopService(DesktopService::NewInstance, nullptr);
}

void FormExplore::PageSetup() {
  ExecInPage(kCmdPageSetup, kOptPromptUser);
}

void FormExplore::PrintPreview() {
  if (FormWeb* page = b_.CurrentPage()) page->Web->View()->ExecWB(kCmdPrintPreview, kOptPromptUser);
}

void FormExplore::PrintPage() {
  ExecInPage(kCmdPrint, kOptDefault);
}

void FormExplore::WriteEmail() {
  OpenOrSay("mailto:", "邮件程序");
}

void FormExplore::OpenComputerFolder() {
  StartDesktopService(DesktopService::ComputerFolder, "文件管理器");
}

void FormExplore::OpenDialUpSettings() {
  StartDesktopService(DesktopService::NetworkSettings, "拨号上网的网络设置");
}

void FormExplore::ToggleOffline() {
  Control* item = FindControl("offnet");
  item->SetChecked(!item->Checked());
}

void FormExplore::CopySelection() {
  ExecInPage(kCmdCopy, kOptDontPrompt);
}

void FormExplore::CutSelection() {
  ExecInPage(kCmdCut, kOptDontPrompt);
}

void FormExplore::Paste() {
  ExecInPage(kCmdPaste, kOptDontPrompt);
}

void FormExplore::SelectAll() {
  ExecInPage(kCmdSelectAll, kOptDontPrompt);
}

void FormExplore::ScrollToTop() {
  PageEnd(-1);
}

void FormExplore::ScrollToBottom() {
  PageEnd(1);
}

void FormExplore::CloseOtherTabs() {
  CloseLeft();
  CloseRight();
}

void FormExplore::CopyTabTitle() {
  Services().clipboard.SetText(b_.CurTab >= 0 ? Label(b_.TabOrder[b_.CurTab]).Text() : "");
}

void FormExplore::CopyAddress() {
  Services().clipboard.SetText(address_box->Text());
}

void FormExplore::CopyTabText() {
  Control* label = b_.CurTab >= 0 ? &Label(b_.TabOrder[b_.CurTab]) : nullptr;
  Services().clipboard.SetText(label && Native() ? Native()->SelectedText(*label) : "");
}

void FormExplore::RefreshPage() {
  if (FormWeb* child = ActiveChild()) {
    child->ApplyPageSwitches();
    child->Web->View()->Refresh();
  }
}

void FormExplore::OpenInOtherBrowser() {
  // Only addresses go to the other browser: a bare path could start any program.
  if (IsBrowserAddress(address_box->Text())) Services().shell.Open(address_box->Text());
}

void FormExplore::OpenInNewTab(const char* address) {
  LoadNewForm(std::string(address));
}

void FormExplore::OpenDefaultHomePage() {
  LoadNewForm(std::string(kDefaultHomePage));
}

void FormExplore::BlockPopUps() {
  b_.Pop = 1;
  if (FormWeb* child = ActiveChild()) child->ApplyPageSwitches();
}

void FormExplore::TurnScreenOff() {
  StartDesktopService(DesktopService::MonitorOff, nullptr);
}

void FormExplore::StartTextEditor() {
  StartDesktopService(DesktopService::TextEditor, "文本编辑器（记事本）");
}

void FormExplore::StartImageEditor() {
  StartDesktopService(DesktopService::ImageEditor, "图像编辑器（画图）");
}

void FormExplore::OpenNetworkSettings() {
  StartDesktopService(DesktopService::NetworkSettings, "网络设置（INTERNET 选项）");
}

void FormExplore::WriteToAuthor() {
  OpenOrSay(std::string("mailto:") + kContactAddress + "?subject=" + kAuthorSubject, "邮件程序");
}

void FormExplore::ShowAbout() {
  Services().dialogs.About(this, kFrameTitle, "Lumbra看图浏览器：本地看图和网页图片浏览。");
}

void FormExplore::QuitProgram() {
  app_.Quit();
}

void FormExplore::OpenLocalFile() {
  std::string path = OpenFileDialog(app_, this, "打开网页", "", kFilterPages);
  if (!path.empty()) LoadNewForm(path);
}

void FormExplore::ToggleEditMode() {
  Control* item = FindControl("EditPage");
  item->SetChecked(!item->Checked());
  FormWeb* child = ActiveChild();
  if (!child) return;
  child->WebEdit = item->Checked();
  child->Web->View()->SetEditable(child->WebEdit);
}

void FormExplore::ShowPageProperties() {
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

void FormExplore::RefreshAllTabs() {
  // The first tab keeps its page as it is.
  for (int pos = 1; pos < b_.TabCount; ++pos) {
    FormWeb* page = Page(b_.TabOrder[static_cast<size_t>(pos)]);
    if (!page) continue;
    page->ApplyPageSwitches();
    page->Web->View()->Refresh();
  }
}

void FormExplore::ShowHelp() {
  Platform& p = Services();
  const std::string folder = p.paths.ProgramFolder();
  const std::string path = folder + kHelpPageName;
  if (!p.fs.IsFile(path)) p.fs.WriteAtomic(path, HelpPageText(folder, p.paths.DownloadFolder()));
  LoadNewForm(path);
}

}  // namespace tv
