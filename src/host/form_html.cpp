// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/form_html.h"

#include <algorithm>
#include <cctype>

#include "program/application.h"
#include "program/file_dialogs.h"
#include "text/utf8.h"

namespace tv {

namespace {

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

int FindIgnoringCase(const std::string& text, const std::string& what) {
  if (what.empty()) return -1;
  const auto at = std::search(text.begin(), text.end(), what.begin(), what.end(),
                              [](char a, char b) { return Lower(a) == Lower(b); });
  if (at == text.end()) return -1;
  return static_cast<int>(CharCount(std::string(text.begin(), at)));
}

namespace {

using FormHtmlCommands = Commands<FormHtml>;

// clang-format off
constexpr Command<FormHtml> kFormHtmlCommands[] = {
    FormHtmlCommands::Menu("mnuFile", "文件(&F)"),
    FormHtmlCommands::Item("Fsave", "保存(&S)", &FormHtml::SaveSource),
    FormHtmlCommands::Item("Find", "查找(&S)", &FormHtml::FindInSource),
    FormHtmlCommands::Separator(),
    FormHtmlCommands::Item("Fexit", "退出", &FormHtml::Close).Keys("Escape"),
    FormHtmlCommands::Menu("mnuHelp", "帮助(&H）"),
    FormHtmlCommands::Item("About", "关于(&A)"),
};
// clang-format on

}  // namespace

FormHtml::FormHtml(Application& app) : Form(app.Services(), "FormHtml"), app_(app) {
  SetCaption("源文件");
  Control& address = Add(ControlKind::Label, "Label1");
  address.SetCaption("网站地址：");
  address.Move(60, 105, 1100, 300);
  Text2 = &Add(ControlKind::TextBox, "Text2");
  Text2->SetText("http://www.");
  Text2->Move(1160, 30, 8000, 450);
  Control& title = Add(ControlKind::Label, "Label2");
  title.SetCaption("网站标题：");
  title.Move(60, 615, 1100, 300);
  Text3 = &Add(ControlKind::TextBox, "Text3");
  Text3->SetText("网络未知");
  Text3->Move(1160, 540, 8000, 450);
  Text1 = &Add(ControlKind::TextBox, "Text1");
  Text1->Move(40, 1080, 9000, 6000);

  AddCommands(*this, kFormHtmlCommands);
  Resize(9080, 7400);
}

void FormHtml::Form_Resize() {
  const int w = ScaleWidth(), h = ScaleHeight();
  // The boxes keep the design's margins; the labels before them are wider than designed,
  // so the source box starts lower and ends where the design's did.
  Text3->SetWidth(std::max(w - 1240, 0));
  Text2->SetWidth(std::max(w - 1240, 0));
  Text1->Move(Text1->Left(), Text1->Top(), std::max(w - 80, 0), std::max(h - 1120, 0));
}

void FormHtml::FindInSource() {
  const std::string what = Services().dialogs.InputBox(this, "请输入查找内容：", "查找", "");
  if (what.empty()) return;
  SetFocus(*Text1);
  // Every search starts at the beginning; a text that is not there leaves the selection.
  const int at = FindIgnoringCase(Text1->Text(), what);
  if (at >= 0) Text1->SetSelection(at, static_cast<int>(CharCount(what)));
}

void FormHtml::SaveSource() {
  Platform& p = Services();
  const std::string path =
      SaveFileDialog(app_, this, "保存源文件", Text3->Text() + ".txt", kFilterText);
  if (path.empty()) return;
  save_path = path;
  if (!p.fs.WriteAtomic(path, Text1->Text() + "\r\n")) {
    p.dialogs.MsgBox(this, "源文件没有保存：" + path, MsgIcon::Exclamation, "保存源文件");
  }
}

void FormHtml::Close() {
  app_.Unload(*this);
}

FormHtml& ShowSourceWindow(Application& app, const std::string& source, const std::string& address,
                           const std::string& title) {
  auto& window = static_cast<FormHtml&>(app.Adopt(std::make_unique<FormHtml>(app)));
  window.Form_Load();
  window.Text1->SetText(source);
  window.Text2->SetText(address);
  window.Text3->SetText(title);
  window.Show();
  return window;
}

}  // namespace tv
