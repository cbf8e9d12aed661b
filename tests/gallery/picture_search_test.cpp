// SPDX-License-Identifier: GPL-3.0-or-later
#include "gallery/picture_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/headless/headless_loop.h"
#include "program/program_state.h"
#include "support/gallery_rig.h"
#include "support/memory_file_system.h"
#include "support/memory_tree.h"

namespace tv {
namespace {

using test::Tree;

// A loop that counts how often messages were serviced and can act when they are.
class Loop : public MessageLoop {
 public:
  int calls = 0;
  std::function<void()> on_events;
  void WaitMessage() override {}
  void DoEvents() override {
    ++calls;
    if (on_events) on_events();
  }
  void Sleep(int) override {}
  void TimerChanged(Control&) override {}
  void ControlDestroyed(Control&) override {}
  uint64_t TickMs() const override { return 0; }
};

struct Search {
  Tree tree;
  Loop loop;
  PictureList pictures;
  bool stop = false;

  std::vector<std::string> Run(const std::string& root) {
    SearchContext c{tree, loop, pictures, stop, nullptr};
    SearchDir(c, root);
    return pictures.entries;
  }
};

constexpr uint64_t kLarge = 40000;

TEST(SearchDir, TakesLargePicturesByTheirPathAlone) {
  Search s;
  s.tree.AddFile("/t/exact.jpg", 30000);
  s.tree.AddFile("/t/big.jpg", 30001);
  for (const char* name :
       {"UP.JPEG", "png", "trail.png.", "note.txt", "scan.Tiff", ".thumbs/hidden.jpg",
        "$RECYCLE.BIN/S-1/gone.jpg", "$Recycle.Bin/gone.png", "v1.2/png", "v1.2/in.gif", "old.bmp"})
    s.tree.AddFile(std::string("/t/") + name, kLarge);
  EXPECT_EQ(s.Run("/t"), (std::vector<std::string>{"/t/big.jpg", "/t/UP.JPEG", "/t/scan.Tiff",
                                                   "/t/v1.2/in.gif", "/t/old.bmp"}));
  EXPECT_FALSE(s.stop);
  EXPECT_EQ(std::count(s.tree.listed.begin(), s.tree.listed.end(), "/t/.thumbs"), 0);

  Search under_recycle;
  under_recycle.tree.AddFile("/media/usb/$recycle.bin/x/photo.jpg", kLarge);
  EXPECT_TRUE(under_recycle.Run("/media/usb/$recycle.bin").empty());
}

TEST(SearchDir, StopFlagEndsEveryLevelOfTheWalk) {
  Search s;
  for (const char* name :
       {"a/b/c/1.jpg", "a/b/c/2.jpg", "a/b/c/3.jpg", "a/b/later.jpg", "a/later/x.jpg", "later.jpg"})
    s.tree.AddFile(std::string("/t/") + name, kLarge);
  // The window is closed while the second picture of c is due.
  s.loop.on_events = [&] { s.stop = true; };
  EXPECT_EQ(s.Run("/t"), (std::vector<std::string>{"/t/a/b/c/1.jpg"}));
  EXPECT_EQ(s.tree.listed.back(), "/t/a/b/c");
  // One check per level on the way out: c, b and a have entries left, t has one too.
  EXPECT_EQ(s.loop.calls, 4);
}

TEST(SearchDir, FollowsNoFolderLinkAndWalksNoFolderTwice) {
  Search s;
  s.tree.AddFile("/t/a/one.jpg", kLarge);
  s.tree.AddFolderAlias("/t/a/up", "/t", /*is_link=*/true);       // a link loop
  s.tree.AddFolderAlias("/t/b", "/t/a", /*is_link=*/false);       // the same folder again
  s.tree.AddFolderAlias("/t/c", "/elsewhere", /*is_link=*/true);  // a link out of the tree
  s.tree.AddFile("/elsewhere/far.jpg", kLarge);
  s.tree.AddFile("/t/two.png", kLarge);
  EXPECT_EQ(s.Run("/t"), (std::vector<std::string>{"/t/a/one.jpg", "/t/two.png"}));
  EXPECT_EQ(s.tree.listed, (std::vector<std::string>{"/t", "/t/a"}));
}

// Folders nested far deeper than a call stack could follow, generated as they are listed.
class Chain : public test::MemoryFileSystem {
 public:
  explicit Chain(int depth) : depth_(depth) {}
  bool List(const std::string&, std::vector<DirEntry>& out,
            const std::function<bool(const DirEntry&)>&, bool) override {
    const bool deeper = ++level_ < depth_;
    out = {DirEntry{deeper ? "d" : "deepest.jpg", deeper, false, 0}};
    return true;
  }
  std::optional<uint64_t> FileLength(const std::string&) override { return kLarge; }
  // A short key per level keeps the test's memory linear in the depth.
  std::string RealPath(const std::string& p) override { return std::to_string(p.size()); }

 private:
  int depth_;
  int level_ = 0;
};

TEST(SearchDir, DepthIsNoLimit) {
  constexpr int kDepth = 200000;
  Chain chain(kDepth);
  Loop loop;
  PictureList pictures;
  bool stop = false;
  SearchContext c{chain, loop, pictures, stop, nullptr};
  SearchDir(c, "/t");
  ASSERT_EQ(pictures.count, 1);
  EXPECT_EQ(pictures.At(0).size(), std::string("/t").size() + 2 * (kDepth - 1) + 12);
}

// The gallery's command over a tree of generated entries.
TEST(FolderSearchCommand, FullListStopsAtTwentyThousandAndTheNextSearchStartsAfresh) {
  Tree tree;
  for (int i = 0; i < 20500; ++i)
    tree.AddFile("/big/f" + std::to_string(i / 5000) + "/p" + std::to_string(i) + ".jpg", kLarge);
  tree.AddFile("/small/only.png", kLarge);
  test::GalleryRig rig(tree);
  ProgramState& state = rig.app.State();

  rig.Answer("/big");
  rig.gallery.SearchSubfolders();
  EXPECT_EQ(state.pictures.count, 20000);
  EXPECT_EQ(state.pictures.At(19999), "/big/f3/p19999.jpg");
  EXPECT_TRUE(state.search_stop);
  EXPECT_EQ(tree.listed.back(), "/big/f3");  // f4 was never begun
  EXPECT_TRUE(rig.gallery.search_button->Enabled());

  rig.Answer("/small");
  rig.gallery.SearchSubfolders();
  EXPECT_EQ(state.pictures.entries, std::vector<std::string>{"/small/only.png"});
  EXPECT_EQ(state.pictures.text, "/small/only.png\r\n");
  EXPECT_FALSE(state.search_stop);
}

TEST(FolderSearchCommand, ClosingTheGalleryDuringTheWalkEndsItWithoutAPage) {
  Tree tree;
  for (int i = 0; i < 50; ++i) tree.AddFile("/t/p" + std::to_string(i) + ".jpg", kLarge);
  test::GalleryRig rig(tree);
  const std::string page = rig.posix.paths.PageFile(kGalleryPage);
  rig.Answer("/t");
  // The close box is handled while the command lets messages through.
  static_cast<HeadlessLoop&>(rig.front->Loop()).PostTask([&] { rig.app.Unload(rig.gallery); });
  rig.gallery.SearchSubfolders();
  EXPECT_TRUE(rig.app.State().search_stop);
  EXPECT_EQ(rig.app.State().pictures.count, 1);  // the first entry comes before any check
  EXPECT_EQ(tree.files.count(page), 0u);
  EXPECT_TRUE(rig.gallery.search_button->Enabled());
}

}  // namespace
}  // namespace tv
