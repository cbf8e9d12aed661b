// SPDX-License-Identifier: GPL-3.0-or-later
// What the gallery does with single pictures: the thumbnail click, opening a picture,
// the picture menu's commands, showing folders and exporting the list.
#include <string>

#include "gallery/frm_main.h"
#include "gallery/open_folder.h"
#include "gallery/properties_window.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/file_dialogs.h"
#include "text/text_util.h"

namespace tv {

namespace {

// Opens a picture with the desktop's program for it; says so when there is none, since
// the program never opens pictures with itself.
void OpenPicture(Platform& services, Form* owner, const std::string& path) {
  if (services.shell.Open(path)) return;
  services.dialogs.MsgBox(owner, "没有可以打开这张图片的程序：" + path, MsgIcon::Exclamation,
                          "打开图片");
}

}  // namespace

std::string FrmMain::ListedPicture(const std::string& address) const {
  if (address.rfind("file:", 0) != 0) return "";
  std::string path = PathFromStatusText(address);
  return state_.pictures.Contains(path) ? path : "";
}

void FrmMain::SelectPictureUnderPointer() {
  state_.selected_picture = ListedPicture(page_view->View()->LinkUnderPointer());
}

void FrmMain::OpenThumbnailLink(bool& cancel) {
  // Thumbnails open in the program the desktop associates with the picture, not in a
  // new view; a link to anything but a listed picture opens nothing.
  cancel = true;
  scratch = ListedPicture(page_view->View()->ActiveElementHref());
  if (!scratch.empty()) OpenPicture(Services(), this, scratch);
}

void FrmMain::ChoosePictureFile() {
  const std::string path = OpenFileDialog(app_, this, "打开图像", current_folder, kFilterPictures);
  if (path.empty()) return;
  start_file = AfterLastSlash(path);
  current_folder = UpToLastSlash(path);
  page_view->View()->Navigate("about:图像载入……");
  Services().loop.DoEvents();
  listing_ran = false;
  SetDriveFor(current_folder);
  SetDirPath(current_folder);
  if (!listing_ran) ListChosenFolder();
}

void FrmMain::ShowPicturePath() {
  OpenFolder(Services(), this, folder_list->Path());
}

void FrmMain::ShowProgramFolder() {
  OpenFolder(Services(), this, Services().paths.ProgramFolder());
}

void FrmMain::ExportPictureList() {
  scratch = SaveFileDialog(app_, this, "文件另存为", "文件列表.txt", kFilterText);
  if (scratch.empty()) return;
  // The list text ends with CR LF and the write adds its own line break. Written like the
  // settings, so a failed write leaves a file of the same name as it was.
  if (!Services().fs.WriteAtomic(scratch, state_.pictures.text + "\r\n")) {
    Services().dialogs.MsgBox(this, "无法写入文件：" + scratch, MsgIcon::Exclamation, "文件另存为");
    return;
  }
  Services().shell.Open(scratch);
}

bool FrmMain::SelectedPictureExists() {
  const std::string& p = state_.selected_picture;
  return state_.pictures.Contains(p) && Services().fs.IsFile(p);
}

void FrmMain::OpenSelectedPicture() {
  if (SelectedPictureExists()) OpenPicture(Services(), this, state_.selected_picture);
}

void FrmMain::ShowSelectedPicturePath() {
  if (SelectedPictureExists()) ShowInFolder(Services(), this, state_.selected_picture);
}

void FrmMain::SaveSelectedPictureAs() {
  if (!SelectedPictureExists()) return;
  const std::string& source = state_.selected_picture;
  const std::string target =
      SaveFileDialog(app_, this, "图像另存为", AfterLastSlash(source), kFilterPictures);
  if (target.empty() || target == source) return;
  if (!Services().fs.Copy(source, target)) {
    Services().dialogs.MsgBox(this, "无法保存图片：" + target, MsgIcon::Exclamation, "图像另存为");
  }
}

void FrmMain::TrashSelectedPicture() {
  // To the wastebasket, so a slip of the mouse loses nothing; only where the file system
  // has none does it ask before deleting for good.
  if (!SelectedPictureExists()) {
    page_view->View()->Refresh();
    return;
  }
  const std::string path = state_.selected_picture;
  const TrashResult trashed = Services().fs.Trash(path);
  if (trashed != TrashResult::kTrashed) {
    const std::string why = trashed == TrashResult::kNoTrash ? "这里没有回收站" : "无法移到回收站";
    if (!Services().dialogs.Confirm(this, why + "，要永久删除这张图片吗？\n" + path, "删除图片")) {
      return;
    }
    if (!Services().fs.Delete(path)) {
      Services().dialogs.MsgBox(this, "无法删除图片：" + path, MsgIcon::Exclamation, "删除图片");
      return;
    }
  }
  state_.pictures.Remove(path);
  state_.selected_picture.clear();
  DropFromPage();
}

void FrmMain::DropFromPage() {
  const int32_t pages = (state_.pictures.count + per_page - 1) / per_page;
  if (current_page > pages && current_page > 1) current_page = pages > 0 ? pages : 1;
  page_buttons[0].SetEnabled(current_page >= 2);
  WritePage();
}

void FrmMain::CopySelectedPicture() {
  if (SelectedPictureExists()) Services().clipboard.SetPictureFromFile(state_.selected_picture);
}

void FrmMain::EditSelectedPicture() {
  if (SelectedPictureExists()) Services().shell.Edit(state_.selected_picture);
}

void FrmMain::ShowSelectedPictureProperties() {
  if (SelectedPictureExists()) ShowProperties(app_, state_.selected_picture, this);
}

}  // namespace tv
