// SPDX-License-Identifier: GPL-3.0-or-later
// Every thumbnail shows, opens, selects and deletes its own file, whatever its name holds,
// and nothing outside the list is ever acted on.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "host/html_view.h"
#include "platform/posix/posix_file_system.h"
#include "reduced_pictures/picture_size.h"
#include "support/gallery_rig.h"
#include "support/hostile_names.h"
#include "support/png_head.h"
#include "text/page_text.h"
#include "text/text_util.h"

namespace tv {
namespace {

// A PNG header is all the page model reads; each picture gets a width of its own so a
// thumbnail showing the wrong file is seen.
std::string Png(int width) {
  return test::PngHead(static_cast<uint32_t>(width), 20);
}

const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = test::HostileNames(".png");
  return names;
}

// A wastebasket that empties itself at once: the process keeps the first data folder
// GLib saw, which need not be this test's.
class EmptiedTrash : public PosixFileSystem {
 public:
  TrashResult Trash(const std::string& path) override {
    return Delete(path) ? TrashResult::kTrashed : TrashResult::kFailed;
  }
};

class HostileNames : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = rig_.home.Root() + "/pics";
    ::mkdir(folder_.c_str(), 0700);
    victim_ = rig_.home.Write("victim.png", Png(999));
    for (size_t i = 0; i < Names().size(); ++i)
      rig_.home.Write("pics/" + Names()[i], Png(static_cast<int>(100 + i)));
    rig_.gallery.per_page = 200;
    rig_.gallery.folder_list->SetPath(folder_);
    rig_.front->Loop().DoEvents();
    ASSERT_EQ(rig_.app.State().pictures.count, static_cast<int>(Names().size()));
  }

  HtmlView& view() { return *rig_.gallery.page_view->View(); }
  bool Exists(const std::string& path) { return fs_.IsFile(path); }
  int WidthOf(const std::string& path) {
    return static_cast<int>(
        100 + (std::find(Names().begin(), Names().end(), path.substr(folder_.size() + 1)) -
               Names().begin()));
  }

  EmptiedTrash fs_;
  test::GalleryRig rig_{fs_};
  std::string folder_, victim_;
};

TEST_F(HostileNames, EachThumbnailShowsOpensAndDeletesItsOwnFile) {
  // The links of the page in the order of the list, as the view resolves them.
  std::vector<HtmlElement> links, pictures;
  for (const HtmlElement& e : view().All()) {
    if (e.tag_name == "A") links.push_back(e);
    if (e.tag_name == "IMG") pictures.push_back(e);
  }
  const PictureList& list = rig_.app.State().pictures;
  ASSERT_EQ(links.size(), Names().size());
  ASSERT_EQ(pictures.size(), Names().size());
  for (int i = 0; i < list.count; ++i) {
    const std::string path = list.At(i);
    SCOPED_TRACE(path);
    // Shows: the picture read is this file (its own width, plus the border).
    EXPECT_EQ(PathFromStatusText(pictures[i].src), path);
    EXPECT_EQ(pictures[i].width, WidthOf(path) + 2);
    // Click: this file is opened.
    rig_.output.str("");
    ASSERT_TRUE(view().ClickLink(i));
    EXPECT_EQ(rig_.output.str(), "shell: open " + path + "\n");
    // Right-click with the pointer on it: this file is selected.
    view().RestPointerOn(links[static_cast<size_t>(i)].href);
    rig_.gallery.SelectPictureUnderPointer();
    EXPECT_EQ(rig_.app.State().selected_picture, path);
  }
  // Delete, last to first: each removes exactly its own file.
  for (int i = list.count - 1; i >= 0; --i) {
    const std::string path = list.At(i);
    SCOPED_TRACE(path);
    view().RestPointerOn(links[static_cast<size_t>(i)].href);
    rig_.gallery.SelectPictureUnderPointer();
    rig_.gallery.TrashSelectedPicture();
    EXPECT_FALSE(Exists(path));
    for (int k = 0; k < i; ++k) EXPECT_TRUE(Exists(list.At(k))) << list.At(k);
    rig_.front->Loop().DoEvents();
  }
  EXPECT_TRUE(Exists(victim_));
}

TEST_F(HostileNames, AddressesOutsideTheListSelectAndOpenNothing) {
  const std::string listed = folder_ + "/photo 1.png";
  for (const std::string& address :
       {FileUrl(victim_), FileUrl(folder_ + "/../victim.png"), std::string("file:///etc/passwd"),
        std::string("http://example.org/a.png"), std::string("short"), std::string("")}) {
    SCOPED_TRACE(address);
    view().RestPointerOn(address);
    rig_.gallery.SelectPictureUnderPointer();
    EXPECT_EQ(rig_.app.State().selected_picture, "");
    rig_.gallery.TrashSelectedPicture();
    rig_.gallery.OpenSelectedPicture();
  }
  EXPECT_TRUE(Exists(victim_));
  EXPECT_TRUE(Exists(listed));
  EXPECT_EQ(rig_.output.str(), "");

  // A page that starts loading leaves the pointer on nothing: the next right-click of a
  // still pointer selects nothing, not what the last status text named.
  view().RestPointerOn(FileUrl(listed));
  rig_.gallery.SelectPictureUnderPointer();
  EXPECT_EQ(rig_.app.State().selected_picture, listed);
  rig_.gallery.TurnPage(1);
  rig_.gallery.SelectPictureUnderPointer();
  EXPECT_EQ(rig_.app.State().selected_picture, "");
  EXPECT_EQ(rig_.gallery.status_text, "");
}

}  // namespace
}  // namespace tv
