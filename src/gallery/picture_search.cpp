// SPDX-License-Identifier: GPL-3.0-or-later
// SearchDir: the walk behind the gallery's folder search.
#include "gallery/picture_search.h"

#include <unordered_set>
#include <utility>
#include <vector>

#include "gallery/frm_main.h"
#include "gallery/picture_name.h"
#include "host/html_view.h"
#include "platform/file_system.h"
#include "platform/message_loop.h"
#include "program/application.h"
#include "program/file_dialogs.h"
#include "program/program_state.h"

namespace tv {

std::string_view SearchExtensions() {
  static const std::string kList = WithExtraPictureKinds(kSearchExtensions);
  return kList;
}

namespace {

std::string_view UpToNull(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// The drive's recycle folder: its name, upper-cased, begins with "$RECYCLE".
bool IsRecycleName(std::string_view name) {
  constexpr std::string_view kRecycle = "$RECYCLE";
  if (name.size() < kRecycle.size()) return false;
  for (size_t i = 0; i < kRecycle.size(); ++i) {
    char c = name[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != kRecycle[i]) return false;
  }
  return true;
}

bool HasRecycleFolder(std::string_view path) {
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string_view::npos) end = path.size();
    if (IsRecycleName(path.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

// The extension test covers the whole path: a name without a dot takes its "extension"
// from a folder's dot or from the whole path, and neither can be in the list.
bool HasSearchExtension(std::string_view name) {
  return name.find('.') != std::string_view::npos && IsPictureName(name, SearchExtensions());
}

struct Folder {
  size_t path_length;             // the walk's path up to here is this folder, with "/"
  std::vector<DirEntry> entries;  // in listing order
  size_t next = 0;                // entry handled next
  bool in_recycle;                // lies under a recycle folder
};

class Walk {
 public:
  explicit Walk(SearchContext& c) : c_(c) {}

  void Run(const std::string& root) {
    path_ = root;
    if (!Enter(HasRecycleFolder(root))) return;
    while (!stack_.empty()) {
      Folder& f = stack_.back();
      if (f.next >= f.entries.size()) {
        Leave();
        continue;
      }
      if (f.next > 0) {
        c_.loop.DoEvents();
        if (c_.stop) {
          Leave();
          continue;
        }
      }
      Handle(stack_.back());
    }
  }

 private:
  // Starts the walk of the folder in `path_`; false when it was walked before or cannot
  // be read.
  bool Enter(bool in_recycle) {
    std::string real = c_.fs.RealPath(path_);
    if (!visited_.insert(real.empty() ? path_ : std::move(real)).second) return false;
    if (c_.entering) c_.entering(path_);
    if (path_.empty() || path_.back() != '/') path_ += '/';
    Folder f{path_.size(), {}, 0, in_recycle};
    if (!c_.fs.List(path_, f.entries)) return false;
    stack_.push_back(std::move(f));
    return true;
  }

  void Leave() {
    stack_.pop_back();
    path_.resize(stack_.empty() ? 0 : stack_.back().path_length);
  }

  void Handle(Folder& f) {
    const DirEntry& e = f.entries[f.next++];
    const std::string_view name = UpToNull(e.name);
    if (e.is_folder) {
      if (e.is_link || name.empty() || name[0] == '.') return;
      path_.resize(f.path_length);
      path_.append(name);
      Enter(f.in_recycle || IsRecycleName(name));  // may move `f`
      return;
    }
    if (!HasSearchExtension(name) || f.in_recycle || IsRecycleName(name)) return;
    path_.resize(f.path_length);
    path_.append(name);
    // Only files whose name qualifies are asked for their length.
    if (c_.fs.FileLength(path_).value_or(0) < kSearchMinBytes) return;
    c_.pictures.Append(path_);
    if (c_.pictures.count >= kSearchMaxPictures) c_.stop = true;
  }

  SearchContext& c_;
  std::vector<Folder> stack_;
  std::string path_;  // the folder being walked, then the entry's full path
  std::unordered_set<std::string> visited_;
};

}  // namespace

void SearchDir(SearchContext& context, const std::string& path) {
  Walk(context).Run(path);
}

void FrmMain::SearchSubfolders() {
  // The menu item stays enabled during a search; one search at a time.
  if (!search_button->Enabled()) return;
  scratch = BrowseFolder(Services(), "请选择一个含有图片的文件夹或者硬盘路径", this);
  if (scratch.empty()) return;
  const std::string folder = scratch;
  search_button->SetEnabled(false);
  state_.pictures.Clear();
  state_.search_stop = false;
  SetBusyPointer(true);
  page_view->View()->Navigate("about:正在搜索之中，请等待……");
  status[2].SetCaption("图片总数：0");
  status[6].SetCaption("Corvex看图器 ");
  Services().loop.DoEvents();

  SearchContext context{
      Services().fs, Services().loop, state_.pictures, state_.search_stop,
      [this](const std::string& path) {
        status[0].SetCaption("正在搜索目录： " + path + " ……");
        status[2].SetCaption("图片总数：" + std::to_string(state_.pictures.count));
      }};
  SearchDir(context, folder);
  // A gallery closed during the walk has removed its page; it must not come back.
  if (!state_.exit_flag) FirstPage();
  search_button->SetEnabled(true);
  SetBusyPointer(false);
}

}  // namespace tv
