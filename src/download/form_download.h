// SPDX-License-Identifier: GPL-3.0-or-later
// FormDownload: the dialog "下载网络文件" that hands a web address to the engine's
// download, and, hidden, the page saver behind the frame's save-page command.
#pragma once

#include <functional>
#include <string>

#include "platform/form.h"

namespace tv {

class Application;
class FileSystem;
class FormExplore;

class FormDownload : public Form {
 public:
  FormDownload(Application& app, FormExplore& frame);

  void Form_Load() override;
  void Form_Unload() override;
  void AddressFocused();
  void AddressEdited();
  void Download();      // download
  void Close();         // close
  void ChooseFolder();  // browse for a folder
  void SavePageTick();
  void PageTitleChanged();

  // Waits for this window's page to report its title (or for save_timer), then saves it.
  void StartSavePage();

  // The dialog for a file a page wants to save: the address is fixed, the folder and the
  // cleaned name preset. `answer` gets the file chosen with 下载, or "" when the dialog
  // closes without it; it is called once, unless ForgetPageDownload came first.
  void AskForPageDownload(const std::string& address, const std::string& suggested_name,
                          std::function<void(const std::string& path)> answer);
  // The page is gone: nobody waits for the answer any more.
  void ForgetPageDownload() { page_answer_ = nullptr; }

  std::optional<std::string> StateField(const std::string& field) const override;

  Control* address_box;
  Control* Text1;  // folder
  Control* Text2;  // file name
  Control* download_button;
  Control* close_button;
  Control* browse_button;
  Control* Web;
  Control* save_timer;

 private:
  // Asks where to save `view`'s page and saves it; a failure is said in a message.
  void SavePageOf(HtmlView& view, const std::string& title);

  Application& app_;
  FormExplore& frame_;
  std::string title_;  // title of the page in Web
  std::string held_;   // last clipboard text, chosen folder or the title's copy
  bool timer_fired_ = false;
  std::function<void(const std::string&)> page_answer_;  // a page's download waits for it
};

// The file name an address gives: the part after its last "/".
std::string FileNameOfAddress(const std::string& address);

// The name a download is saved under: the typed name cleaned as page names are; where
// that leaves no name, the address's own (without its query), else "index.html".
std::string DownloadFileName(const std::string& typed, const std::string& address);

// `folder` + `name`, or, when that is taken, the first free "name (2).ext", "name (3).ext"...;
// "" when none is free.
std::string FreeFilePath(FileSystem& fs, const std::string& folder, const std::string& name);

}  // namespace tv
