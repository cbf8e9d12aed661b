// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "program/program_state.h"
#include "support/gallery_rig.h"
#include "support/memory_tree.h"

namespace tv {
namespace {

// One folder of generated names, listed in the order given.
struct Folder : test::Tree {
  void Add(const std::string& name, bool is_folder = false) {
    if (is_folder) return AddFolder("/pics/" + name);
    AddFile("/pics/" + name, 0);
  }
};

TEST(FolderListing, MoreThanTheListHoldsKeepsTheFirstInListingOrder) {
  Folder fs;
  for (int i = 0; i < kPictureSlots + 500; ++i) fs.Add("p" + std::to_string(i) + ".jpg");
  test::GalleryRig rig(fs);
  rig.gallery.folder_list->SetPath("/pics");
  const PictureList& list = rig.app.State().pictures;
  EXPECT_EQ(list.count, kPictureSlots);
  EXPECT_EQ(list.At(kPictureSlots - 1), "/pics/p20000.jpg");
  EXPECT_EQ(list.At(kPictureSlots), "");  // nothing beyond the list
  EXPECT_EQ(rig.gallery.page_count, (kPictureSlots + 29) / 30);
  // The user can see that the folder holds more than the list shows.
  EXPECT_EQ(list.left_out, 500);
  EXPECT_EQ(rig.gallery.status[2].Caption(), "图片总数：20001+");

  // A start file near the end wraps round and still stops at the list's size.
  rig.gallery.start_file = "p20400.jpg";
  rig.gallery.ListChosenFolder();
  EXPECT_EQ(list.count, kPictureSlots);
  EXPECT_EQ(list.At(0), "/pics/p20400.jpg");
  EXPECT_EQ(list.At(101), "/pics/p0.jpg");
}

TEST(FolderListing, StartFileIsMatchedExactlyAndFoldersAreNotListed) {
  Folder fs;
  for (const char* n : {"a.jpg", "B.jpg", "b.jpg", "c.jpg"}) fs.Add(n);
  fs.Add("album.jpg", true);
  test::GalleryRig rig(fs);
  rig.gallery.start_file = "b.jpg";
  rig.gallery.folder_list->SetPath("/pics");
  EXPECT_EQ(rig.app.State().pictures.text,
            "/pics/b.jpg\r\n/pics/c.jpg\r\n/pics/a.jpg\r\n/pics/B.jpg\r\n");
}

TEST(FolderListing, UnreadableFolderListsNothingAndGoesOn) {
  Folder fs;
  fs.Add("a.jpg");
  fs.unreadable.insert("/pics");
  test::GalleryRig rig(fs);
  rig.gallery.folder_list->SetPath("/pics");
  EXPECT_EQ(rig.app.State().pictures.count, 0);
  EXPECT_EQ(rig.gallery.page_count, 0);
  EXPECT_FALSE(rig.gallery.page_buttons[1].Enabled());
}

TEST(Paging, PageBeyondTheListAfterMorePerPageShowsNothing) {
  Folder fs;
  for (int i = 0; i < 95; ++i) fs.Add(std::to_string(i) + ".gif");
  test::GalleryRig rig(fs);
  FrmMain& g = rig.gallery;
  g.folder_list->SetPath("/pics");
  g.current_page = 4;  // 30 a page: 90 to 94
  g.WritePage();
  g.per_page = 200;
  g.Refresh();  // refresh: page 4 of 1 starts past the end
  EXPECT_EQ(g.page_count, 1);
  EXPECT_FALSE(g.page_buttons[1].Enabled());
  std::string page;
  ASSERT_TRUE(fs.ReadWhole(rig.posix.paths.PageFile(kGalleryPage), page));
  EXPECT_EQ(page.find("<img"), std::string::npos);
}

}  // namespace
}  // namespace tv
