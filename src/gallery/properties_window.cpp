// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/properties_window.h"

#include <ctime>

#include "program/application.h"
#include "reduced_pictures/picture_size.h"
#include "text/text_util.h"

namespace tv {

namespace {

std::string SizeText(uint64_t bytes) {
  std::string exact = std::to_string(bytes) + " 字节";
  if (bytes < 1024) return exact;
  char buf[32];
  if (bytes < 1024 * 1024) {
    std::snprintf(buf, sizeof buf, "%.1f KB", bytes / 1024.0);
  } else {
    std::snprintf(buf, sizeof buf, "%.1f MB", bytes / (1024.0 * 1024.0));
  }
  return std::string(buf) + "（" + exact + "）";
}

}  // namespace

std::string LocalTimeText(int64_t seconds) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return "";
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
  return buf;
}

namespace {

using FormPropertiesCommands = Commands<FormProperties>;

// clang-format off
constexpr Command<FormProperties> kFormPropertiesCommands[] = {
    FormPropertiesCommands::Button("Command1", "", "", &FormProperties::Close).Text("确定").Named(&FormProperties::ok_button),
    FormPropertiesCommands::Key("Escape", &FormProperties::Close),
};
// clang-format on

}  // namespace

FormProperties::FormProperties(Application& app, const std::string& path)
    : Form(app.Services(), "FormProperties"), app_(app) {
  const std::string name = AfterLastSlash(path);
  SetCaption(name + " 属性");
  FileSystem& fs = app.Services().fs;
  const auto info = fs.Info(path);
  const PictureSize size = GetPictureSize(fs, path);
  const std::string rows[][2] = {
      {"名称：", name},
      {"位置：", UpToLastSlash(path)},
      {"大小：", info ? SizeText(info->size) : ""},
      {"修改时间：", info ? LocalTimeText(info->modified) : ""},
      {"图像尺寸：",
       size.width > 0 ? std::to_string(size.width) + " x " + std::to_string(size.height) + " 像素"
                      : "未知"},
  };
  for (int i = 0; i < 5; ++i) {
    Control& c = Add(Caption, ControlKind::Label, "Caption", i);
    c.SetCaption(rows[i][0]);
    c.Move(240, 240 + i * 420, 1500, 300);
    Control& v = Add(Value, ControlKind::Label, "Value", i);
    v.SetCaption(rows[i][1]);
    v.Move(1800, 240 + i * 420, 4800, 300);
  }
  AddCommands(*this, kFormPropertiesCommands);
  Resize(7000, 3200);
}

void FormProperties::Form_Resize() {
  ok_button->Move(ScaleWidth() - 1440, ScaleHeight() - 600, 1200, 420);
  for (auto& [i, v] : Value.Members()) v->SetWidth(std::max(ScaleWidth() - 2040, 0));
}

void FormProperties::Close() {
  app_.Unload(*this);
}

bool ShowProperties(Application& app, const std::string& path, Form* owner) {
  if (!app.Services().fs.IsFile(path)) return false;
  auto window = std::make_unique<FormProperties>(app, path);
  window->SetOwner(owner);
  Form& f = app.Adopt(std::move(window));
  f.Show();
  return true;
}

}  // namespace tv
