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
  gallery_.reset();
  return 0;
}

Form* Application::FindWindow(const std::string& name) {
  if (gallery_ && name == gallery_->Name() && !gallery_->IsUnloaded()) return gallery_.get();
  return nullptr;
}

void Application::Unload(Form& form) {
  if (form.IsUnloaded()) return;
  if (form.Form_QueryUnload()) return;
  form.Form_Unload();
  form.Hide();
  form.MarkUnloaded();
}

}  // namespace tv
