// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/form_setup.h"

#include <iterator>

#include "program/application.h"
#include "program/browser_state.h"
#include "settings/settings_schema.h"
#include "text/utf8.h"

namespace tv {

namespace {

struct Switch {
  const char* caption;
  int preset;
  bool enabled;
};

constexpr Switch kSwitches[] = {
    {"安全模式：拦截病毒、广告、电影音乐。", 1, true},
    {"普通拦截：拦截部分弹窗广告。", 0, false},
    {"在后台打开新窗口。", 0, true},
    {"自动下载网页中的图片到本地硬盘（不超过 2GB）。", 1, true},
    {"自动下载时也取来网页链接的大图和未显示的大图。", 0, true},
};
constexpr int kSwitchCount = static_cast<int>(std::size(kSwitches));

// A stored switch read into a check box; a text that is no 0 or 1 leaves the box as it was.
void ReadSwitch(SettingsStore& store, const Setting& setting, Control& box) {
  if (auto value = store.Switch(setting)) box.SetValue(*value);
}

}  // namespace

namespace {

using FormSetupCommands = Commands<FormSetup>;

// clang-format off
constexpr Command<FormSetup> kFormSetupCommands[] = {
    FormSetupCommands::Button("Command1", "", "", &FormSetup::Accept).Text("确定(&Y)").Named(&FormSetup::ok_button),
    FormSetupCommands::Button("Command2", "", "", &FormSetup::Cancel).Text("取消(&C)").Named(&FormSetup::cancel_button),
    FormSetupCommands::Key("Escape", &FormSetup::Cancel),
};
// clang-format on

}  // namespace

FormSetup::FormSetup(Application& app) : Form(app.Services(), "FormSetup"), app_(app) {
  SetCaption("系统设置中心");
  Frame1 = &Add(ControlKind::Frame, "Frame1");
  Frame1->SetCaption("首页");
  Frame1->Move(120, 60, 6600, 900);
  home_page_box = &Add(ControlKind::ComboBox, "ComUrl");
  home_page_box->AddItem(kDefaultHomePage);
  home_page_box->SetText(kDefaultHomePage);
  home_page_box->Move(300, 390, 6240, 375);
  Frame2 = &Add(ControlKind::Frame, "Frame2");
  Frame2->SetCaption("选项");
  Frame2->Move(120, 1080, 6600, 2100 + (kSwitchCount - 4) * 420);
  for (int i = 0; i < kSwitchCount; ++i) {
    Control& c = Add(switches, ControlKind::CheckBox, "Chk", i);
    c.SetCaption(kSwitches[i].caption);
    c.SetValue(kSwitches[i].preset);
    c.SetEnabled(kSwitches[i].enabled);
    c.Move(300, 1410 + i * 420, 6240, 330);
  }
  AddCommands(*this, kFormSetupCommands);
  const int buttons_top = 3360 + (kSwitchCount - 4) * 420;
  ok_button->Move(3960, buttons_top, 1300, 420);
  cancel_button->Move(5420, buttons_top, 1300, 420);
  Resize(6900, buttons_top + 600);
}

void FormSetup::Form_Load() {
  SettingsStore store(Services().settings);
  home_page_box->SetText(store.Text(kHomePage));
  switches[0].SetValue(app_.State().browser.Pop != 0 ? 1 : 0);
  ReadSwitch(store, kBackgroundWindows, switches[2]);
  ReadSwitch(store, kAutoDownload, switches[3]);
  ReadSwitch(store, kFetchLarger, switches[4]);
}

void FormSetup::Accept() {
  BrowserState& b = app_.State().browser;
  b.Pop = switches[0].Value();
  b.JumpWindows = switches[1].Value();
  b.Topme = static_cast<int16_t>(switches[2].Value());
  b.Download = switches[3].Value();
  b.FetchLarger = switches[4].Value();
  b.HomePage = home_page_box->Text();
  SettingsStore store(Services().settings);
  store.Save(kHomePage, home_page_box->Text());
  store.Save(kBlockPopUps, switches[0].Value());
  store.Save(kJumpWindows, switches[1].Value());
  store.Save(kBackgroundWindows, switches[2].Value());
  store.Save(kAutoDownload, switches[3].Value());
  store.Save(kFetchLarger, switches[4].Value());
  app_.Unload(*this);
}

void FormSetup::Cancel() {
  app_.Unload(*this);
}

FormSetup& ShowOptionsDialog(Application& app, Form* owner) {
  auto& dialog = static_cast<FormSetup&>(app.Adopt(std::make_unique<FormSetup>(app)));
  dialog.SetOwner(owner);
  dialog.SetModal(true);
  dialog.Form_Load();
  dialog.Show();
  return dialog;
}

}  // namespace tv
