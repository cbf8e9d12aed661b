// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/form_setup.h"

#include <iterator>

#include "program/application.h"
#include "program/browser_state.h"
#include "settings/settings_store.h"
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
void ReadSwitch(SettingsStore& store, const char* key, Control& box) {
  int32_t value = box.Value();
  store.ReadInteger("setup", key, value);
  if (value == 0 || value == 1) box.SetValue(value);
}

}  // namespace

FormSetup::FormSetup(Application& app) : Form(app.Services(), "FormSetup"), app_(app) {
  SetCaption("系统设置中心");
  Frame1 = &Add(ControlKind::Frame, "Frame1");
  Frame1->SetCaption("首页");
  Frame1->Move(120, 60, 6600, 900);
  ComUrl = &Add(ControlKind::ComboBox, "ComUrl");
  ComUrl->AddItem(kDefaultHomePage);
  ComUrl->SetText(kDefaultHomePage);
  ComUrl->Move(300, 390, 6240, 375);
  Frame2 = &Add(ControlKind::Frame, "Frame2");
  Frame2->SetCaption("选项");
  Frame2->Move(120, 1080, 6600, 2100 + (kSwitchCount - 4) * 420);
  for (int i = 0; i < kSwitchCount; ++i) {
    Control& c = Add(Chk, ControlKind::CheckBox, "Chk", i);
    c.SetCaption(kSwitches[i].caption);
    c.SetValue(kSwitches[i].preset);
    c.SetEnabled(kSwitches[i].enabled);
    c.Move(300, 1410 + i * 420, 6240, 330);
  }
  Command1 = &Add(ControlKind::Button, "Command1");
  Command1->SetCaption("确定(&Y)");
  const int buttons_top = 3360 + (kSwitchCount - 4) * 420;
  Command1->Move(3960, buttons_top, 1300, 420);
  Command2 = &Add(ControlKind::Button, "Command2");
  Command2->SetCaption("取消(&C)");
  Command2->Move(5420, buttons_top, 1300, 420);
  Command1->Click = [this] { Command1_Click(); };
  Command2->Click = [this] { Command2_Click(); };
  shortcuts.push_back({"Escape", [this] { Command2_Click(); }});
  Resize(6900, buttons_top + 600);
}

void FormSetup::Form_Load() {
  SettingsStore store(Services().settings);
  const std::string home = store.GetSetting("setup", "Homepage");
  ComUrl->SetText(CharCount(home) < 15 ? std::string(kDefaultHomePage) : home);
  Chk[0].SetValue(app_.State().browser.Pop != 0 ? 1 : 0);
  ReadSwitch(store, "Topme", Chk[2]);
  ReadSwitch(store, "Download", Chk[3]);
  ReadSwitch(store, "FetchLarger", Chk[4]);
}

void FormSetup::Command1_Click() {
  BrowserState& b = app_.State().browser;
  b.Pop = Chk[0].Value();
  b.JumpWindows = Chk[1].Value();
  b.Topme = static_cast<int16_t>(Chk[2].Value());
  b.Download = Chk[3].Value();
  b.FetchLarger = Chk[4].Value();
  b.HomePage = ComUrl->Text();
  SettingsStore store(Services().settings);
  store.SaveSetting("setup", "Homepage", ComUrl->Text());
  store.SaveSetting("setup", "Pop", std::to_string(Chk[0].Value()));
  store.SaveSetting("setup", "JumpWindows", std::to_string(Chk[1].Value()));
  store.SaveSetting("setup", "Topme", std::to_string(Chk[2].Value()));
  store.SaveSetting("setup", "Download", std::to_string(Chk[3].Value()));
  store.SaveSetting("setup", "FetchLarger", std::to_string(Chk[4].Value()));
  app_.Unload(*this);
}

void FormSetup::Command2_Click() {
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
