// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures saved by earlier versions into the data folder's "Download/" are brought into
// the download folder the user can find: nothing is lost or replaced, a name already
// taken gets a number, the record of saved pictures comes along, and what cannot move
// stays to be tried at the next start.
#include "webpics/download_move.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "program/saved_pictures.h"
#include "support/test_env.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

// The real file system, except that the names in `stuck` cannot be moved.
class StuckFiles : public PosixFileSystem {
 public:
  std::set<std::string> stuck;
  MoveResult Move(const std::string& from, const std::string& to) override {
    if (stuck.count(fs::path(from).filename().string())) return MoveResult::kFailed;
    return PosixFileSystem::Move(from, to);
  }
};

std::string Hash(char c) {
  return std::string(64, c);
}

class DownloadMoveTest : public ::testing::Test {
 protected:
  void Old(const std::string& name, const std::string& bytes) {
    test::TempHome::WriteAt(old_ + name, bytes);
  }
  void New(const std::string& name, const std::string& bytes) {
    test::TempHome::WriteAt(new_ + name, bytes);
  }
  std::string Read(const std::string& path) { return test::ReadFile(path); }

  test::TempHome home_;
  StuckFiles files_;
  std::string old_ = home_.Root() + "/home/.local/share/tessaview/Download/";
  std::string new_ = home_.Root() + "/home/下载/Tessaview/";
};

TEST(NumberedName, TheNumberGoesBeforeTheExtension) {
  EXPECT_EQ(NumberedName("archive.tar.gz", 3), "archive.tar (3).gz");
  EXPECT_EQ(NumberedName(".hidden", 2), ".hidden (2)");
}

TEST_F(DownloadMoveTest, EveryEntryMovesAndATakenNameGetsTheNextFreeNumber) {
  Old("a.jpg", "old a");
  Old("b.jpg", "b");
  Old("same.jpg", "the same bytes");
  Old("album/x.jpg", "x");
  Old(".hidden", "h");
  fs::create_symlink("b.jpg", old_ + "link.jpg");
  New("a.jpg", "new a");
  New("a (2).jpg", "another");
  New("same.jpg", "the same bytes");

  const DownloadMove result = MoveDownloads(files_, old_, new_);
  EXPECT_EQ((std::pair{result.moved, result.left}), (std::pair{6, 0}));
  EXPECT_FALSE(fs::exists(old_)) << "the old folder goes once it is empty";
  EXPECT_EQ(test::NamesIn(new_),
            (std::vector<std::string>{".hidden", "a (2).jpg", "a (3).jpg", "a.jpg", "album",
                                      "b.jpg", "link.jpg", "same.jpg"}));
  EXPECT_EQ(Read(new_ + "a.jpg"), "new a") << "what was there stays";
  EXPECT_EQ(Read(new_ + "a (3).jpg"), "old a");
  EXPECT_EQ(Read(new_ + "same.jpg"), "the same bytes") << "a copy already there is not doubled";
  EXPECT_EQ(Read(new_ + "album/x.jpg"), "x");
  EXPECT_EQ(fs::read_symlink(new_ + "link.jpg"), "b.jpg") << "a link moves as a link";

  // A second start finds nothing to move and changes nothing.
  EXPECT_EQ(MoveDownloads(files_, old_, new_).moved, 0);
  EXPECT_EQ(test::NamesIn(new_).size(), 8u);
}

TEST_F(DownloadMoveTest, TheRecordOfSavedPicturesJoinsTheNewFolders) {
  Old("p.jpg", "p");
  Old(kSavedPicturesFile, Hash('1') + "\n" + Hash('2') + "\nbroken line\n");
  New(kSavedPicturesFile, "\n" + Hash('2') + "\n" + Hash('3'));

  MoveDownloads(files_, old_, new_);
  EXPECT_FALSE(fs::exists(old_));
  const std::string record = Read(new_ + kSavedPicturesFile);
  EXPECT_EQ(ReadSavedPictures(record),
            (std::unordered_set<std::string>{Hash('1'), Hash('2'), Hash('3')}));
  EXPECT_EQ(std::count(record.begin(), record.end(), '2'), 64) << "a hash known to both once";
  SavedPictures saved;
  saved.Use(files_, new_);
  EXPECT_TRUE(saved.Has(Hash('1'))) << "a picture saved before is still known";
  EXPECT_EQ(Read(new_ + "p.jpg"), "p");

  // With no record in the new folder yet, the old one becomes it.
  Old(kSavedPicturesFile, Hash('4'));
  fs::remove(new_ + kSavedPicturesFile);
  MoveDownloads(files_, old_, new_);
  EXPECT_EQ(ReadSavedPictures(Read(new_ + kSavedPicturesFile)),
            std::unordered_set<std::string>{Hash('4')});
  EXPECT_FALSE(fs::exists(old_));
}

TEST_F(DownloadMoveTest, WhatCannotMoveStaysAndIsTriedAtTheNextStart) {
  Old("stuck.jpg", "stuck");
  Old("free.jpg", "free");
  files_.stuck = {"stuck.jpg"};
  DownloadMove result = MoveDownloads(files_, old_, new_);
  EXPECT_EQ((std::pair{result.moved, result.left}), (std::pair{1, 1}));
  EXPECT_EQ(Read(old_ + "stuck.jpg"), "stuck") << "left whole where it was";
  EXPECT_EQ(test::NamesIn(new_), std::vector<std::string>{"free.jpg"});

  // A record that cannot be carried keeps the old folder too.
  Old(kSavedPicturesFile, Hash('5'));
  fs::create_directories(new_ + kSavedPicturesFile);  // a folder where the record would go
  result = MoveDownloads(files_, old_, new_);
  EXPECT_EQ(result.left, 2);
  EXPECT_TRUE(fs::exists(old_ + kSavedPicturesFile));
  fs::remove(new_ + kSavedPicturesFile);

  files_.stuck.clear();
  result = MoveDownloads(files_, old_, new_);
  EXPECT_EQ((std::pair{result.moved, result.left}), (std::pair{1, 0}));
  EXPECT_FALSE(fs::exists(old_));
  EXPECT_EQ(Read(new_ + "stuck.jpg"), "stuck");
  EXPECT_EQ(ReadSavedPictures(Read(new_ + kSavedPicturesFile)),
            std::unordered_set<std::string>{Hash('5')});
}

TEST_F(DownloadMoveTest, NoOldFolderOrOneThatHoldsTheNewOne) {
  EXPECT_EQ(MoveDownloads(files_, old_, new_).moved, 0);
  EXPECT_FALSE(fs::exists(new_)) << "nothing to bring, nothing made";

  // A download folder chosen inside the old one: nothing moves into itself.
  Old("a.jpg", "a");
  const std::string inside = old_ + "Tessaview/";
  EXPECT_EQ(MoveDownloads(files_, old_, inside).moved, 0);
  EXPECT_EQ(Read(old_ + "a.jpg"), "a");

  // An empty old folder is only removed.
  fs::remove(old_ + "a.jpg");
  MoveDownloads(files_, old_, new_);
  EXPECT_FALSE(fs::exists(old_));
  EXPECT_FALSE(fs::exists(new_));
}

}  // namespace
}  // namespace tv
