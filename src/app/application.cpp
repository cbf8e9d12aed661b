// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/application.h"

#include "frame/form_explore.h"
#include "gallery/frm_main.h"
#include "platform/front_end.h"
#include "webpics/form_web.h"

namespace tv {

Application::Application(Platform& platform, ScriptHooks& hooks)
    : platform_(platform), hooks_(hooks) {}

Application::~Application() = default;

int Application::Run(const std::string& command_line) {
  gallery_ = std::make_unique<FrmMain>(*this);
  gallery_->closer = [this](Form& f) { Unload(f); };
  gallery_->command_line = command_line;
  gallery_->Realize();
  gallery_->Form_Load();  // returns when the main loop has ended
  CloseDown();
  return 0;
}

void Application::CloseDown() {
  if (gallery_ && !gallery_->IsUnloaded()) {
    gallery_->Form_Unload();
    gallery_->Hide();
    gallery_->MarkUnloaded();
  }
  // The browser closes with the gallery: its pages write their history on the way out.
  if (Form* frame = FindWindow("FormExplore")) Unload(*frame);
  platform_.loop.DoEvents();
  if (leave_windows_) return;
  windows_.clear();
  gallery_.reset();
}

void Application::Quit() {
  if (gallery_ && !gallery_->IsUnloaded()) gallery_->Quit();
}

Form* Application::FindWindow(const std::string& name) {
  if (name.rfind("FormWeb", 0) == 0) return FindPageWindow(name);
  if (gallery_ && name == gallery_->Name() && !gallery_->IsUnloaded()) return gallery_.get();
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->Name() == name && !(*it)->IsUnloaded()) return it->get();
  }
  return nullptr;
}

Form* Application::FindPageWindow(const std::string& name) {
  // "FormWeb" is the current tab's page window, "FormWeb(N)" the one in slot N.
  auto* frame = dynamic_cast<FormExplore*>(FindWindow("FormExplore"));
  if (!frame) return nullptr;
  if (name == "FormWeb") return state_.browser.CurrentPage();
  if (name.size() < 10 || name[7] != '(' || name.back() != ')') return nullptr;
  const std::string digits = name.substr(8, name.size() - 9);
  if (digits.empty() || digits.size() > 4 ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return nullptr;
  return frame->Page(std::stoi(digits));
}

Form& Application::Adopt(std::unique_ptr<Form> window) {
  window->closer = [this](Form& f) { Unload(f); };
  windows_.push_back(std::move(window));
  return *windows_.back();
}

void Application::CollectUnloaded() {
  std::erase_if(windows_, [](const std::unique_ptr<Form>& w) { return w->IsUnloaded(); });
}

void Application::Unload(Form& form) {
  if (form.IsUnloaded()) return;
  if (form.Form_QueryUnload()) return;
  form.Form_Unload();
  form.Hide();
  form.MarkUnloaded();
}

}  // namespace tv
