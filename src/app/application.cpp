#include "app/application.h"

#include "gallery/frm_main.h"
#include "platform/front_end.h"

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
  if (!gallery_->IsUnloaded()) {
    gallery_->Form_Unload();
    gallery_->Hide();
    gallery_->MarkUnloaded();
  }
  platform_.loop.DoEvents();
  windows_.clear();
  gallery_.reset();
  return 0;
}

Form* Application::FindWindow(const std::string& name) {
  if (gallery_ && name == gallery_->Name() && !gallery_->IsUnloaded()) return gallery_.get();
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    if ((*it)->Name() == name && !(*it)->IsUnloaded()) return it->get();
  }
  return nullptr;
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
