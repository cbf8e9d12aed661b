// SPDX-License-Identifier: GPL-3.0-or-later
// Files a page wants to save: none is written before the user says where in the
// download dialog, and a page has at most one such dialog open.
#include "download/form_download.h"
#include "frame/form_explore.h"
#include "host/html_view.h"
#include "program/application.h"
#include "webpics/form_web.h"

namespace tv {

void FormWeb::Web_PageDownload(int id, const std::string& address, const std::string& name) {
  HtmlView& view = *Web->View();
  const std::string shown = DownloadFileName(name, address);
  if (download_dialog_) {
    view.DropDownload(id);
    status[0].SetCaption("下载对话框已经打开，网页要下载的另一个文件已忽略：" + shown);
    return;
  }
  auto& dialog =
      static_cast<FormDownload&>(app_.Adopt(std::make_unique<FormDownload>(app_, frame_)));
  download_dialog_ = &dialog;
  dialog.Form_Load();
  std::weak_ptr<bool> alive = alive_;
  dialog.AskForPageDownload(address, name, [this, alive, id](const std::string& path) {
    if (alive.expired()) return;
    download_dialog_ = nullptr;
    if (path.empty()) {
      Web->View()->DropDownload(id);
    } else {
      Web->View()->SaveDownload(id, path);
    }
  });
  status[0].SetCaption("网页要下载文件：" + shown);
  dialog.Show();
}

}  // namespace tv
