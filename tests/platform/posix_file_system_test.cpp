// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "support/test_env.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

using test::NamesIn;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  std::string Folder(const std::string& relative) {
    std::string path = home_.Root() + "/" + relative;
    fs::create_directories(path);
    return path;
  }
  std::string Read(const std::string& path) {
    std::string text;
    EXPECT_TRUE(files_.ReadWhole(path, text)) << path;
    return text;
  }

  test::TempHome home_;
  PosixFileSystem files_;
};

TEST_F(PosixFileSystemTest, ListOrdersFiltersAndSizes) {
  std::string dir = Folder("pics");
  for (const char* name : {"img10.jpg", "img2.jpg", "IMG3.JPG", "notes.txt"}) {
    home_.Write(std::string("pics/") + name, "12345");
  }
  Folder("pics/Sub");
  std::vector<DirEntry> out;
  ASSERT_TRUE(files_.List(dir, out));
  std::vector<std::string> names;
  for (const auto& e : out) names.push_back(e.name + (e.is_folder ? "/" : ""));
  EXPECT_EQ(names,
            (std::vector<std::string>{"img2.jpg", "IMG3.JPG", "img10.jpg", "notes.txt", "Sub/"}));
  EXPECT_EQ(out[0].size, 0u) << "sizes only when asked for";

  // The filter sees each entry complete, before ordering.
  std::vector<std::string> seen;
  auto pictures = [&](const DirEntry& e) {
    seen.push_back(e.name);
    EXPECT_EQ(e.size, e.is_folder ? 0u : 5u);
    return !e.is_folder && e.name.find(".txt") == std::string::npos;
  };
  ASSERT_TRUE(files_.List(dir, out, pictures, true));
  EXPECT_EQ(seen.size(), 5u);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].name, "img2.jpg");
  EXPECT_EQ(out[2].name, "img10.jpg");
  EXPECT_EQ(out[2].size, 5u);
}

TEST_F(PosixFileSystemTest, ListReportsLinksByWhatTheyPointAt) {
  std::string dir = Folder("links");
  Folder("links/real");
  home_.Write("links/file.jpg", "abc");
  ASSERT_EQ(symlink("real", (dir + "/to_folder").c_str()), 0);
  ASSERT_EQ(symlink("file.jpg", (dir + "/to_file").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (dir + "/dangling").c_str()), 0);
  ASSERT_EQ(symlink("loop", (dir + "/loop").c_str()), 0);  // a link to itself

  std::vector<DirEntry> out;
  ASSERT_TRUE(files_.List(dir, out, nullptr, true));
  std::vector<std::string> seen;  // name, then F for a folder, L for a link, and the size
  for (const auto& e : out) {
    seen.push_back(e.name + " " + (e.is_folder ? "F" : "") + (e.is_link ? "L" : "") + " " +
                   std::to_string(e.size));
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<std::string>{"dangling L 0", "file.jpg  3", "loop L 0", "real F 0",
                                            "to_file L 3", "to_folder FL 0"}));
}

TEST_F(PosixFileSystemTest, ListFailsOnWhatIsNoFolder) {
  std::vector<DirEntry> out = {DirEntry{"stale"}};
  EXPECT_FALSE(files_.List(home_.Root() + "/missing", out));
  EXPECT_TRUE(out.empty());
  std::string file = home_.Write("plain.txt", "x");
  EXPECT_FALSE(files_.List(file, out));
  if (geteuid() == 0) return;  // permissions do not bind root
  std::string locked = Folder("locked");
  chmod(locked.c_str(), 0);
  EXPECT_FALSE(files_.List(locked, out));
  chmod(locked.c_str(), 0755);
}

TEST_F(PosixFileSystemTest, WriteAtomicReplacesWholeOrNotAtAll) {
  std::string dir = Folder("w");
  std::string path = dir + "/settings.ini";
  ASSERT_TRUE(files_.WriteAtomic(path, "old"));
  chmod(path.c_str(), 0600);
  ASSERT_TRUE(files_.WriteAtomic(path, "new and longer"));
  EXPECT_EQ(Read(path), "new and longer");
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u) << "a rewrite keeps the file's permissions";

  // A file reached through a link is rewritten where it lives; the link stays a link.
  std::string link = home_.Root() + "/linked.ini";
  ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
  ASSERT_TRUE(files_.WriteAtomic(link, "through the link"));
  EXPECT_EQ(Read(path), "through the link");
  ASSERT_EQ(lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));

  // The rename cannot replace a folder: the folder stays and no temp file is left.
  Folder("w/target");
  EXPECT_FALSE(files_.WriteAtomic(dir + "/target", "data"));
  EXPECT_TRUE(files_.IsFolder(dir + "/target"));
  EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{"settings.ini", "target"}));

  // A read-only folder takes no new file: the old one stays.
  if (geteuid() == 0) return;  // permissions do not bind root
  chmod(dir.c_str(), 0555);
  EXPECT_FALSE(files_.WriteAtomic(path, "lost"));
  chmod(dir.c_str(), 0755);
  EXPECT_EQ(Read(path), "through the link");
}

TEST_F(PosixFileSystemTest, AppendAddsAtTheEndOrLeavesTheFileAsItWas) {
  std::string dir = Folder("a");
  std::string path = dir + "/day.dat";
  ASSERT_TRUE(files_.Append(path, "first\r\n"));  // made when missing
  ASSERT_TRUE(files_.Append(path, "second\r\n"));
  EXPECT_EQ(Read(path), "first\r\nsecond\r\n");
  EXPECT_FALSE(files_.Append(dir, "into a folder"));

  // The disk fills in the middle of a block: the part written is cut off again.
  struct rlimit old_limit;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old_limit;
  small.rlim_cur = 32;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = files_.Append(path, std::string(100, 'x'));
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(written);
  EXPECT_EQ(Read(path), "first\r\nsecond\r\n");
}

TEST_F(PosixFileSystemTest, WriteWholeAndCopy) {
  std::string dir = Folder("c");
  std::string a = dir + "/a.jpg", b = dir + "/b.jpg";
  ASSERT_TRUE(files_.WriteWhole(a, "a long first text"));
  ASSERT_TRUE(files_.WriteWhole(a, "short"));
  EXPECT_EQ(Read(a), "short") << "truncated, not overwritten in place";

  std::string payload(200000, '\0');
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<char>(i * 7);
  ASSERT_TRUE(files_.WriteWhole(a, payload));
  ASSERT_TRUE(files_.Copy(a, b));
  EXPECT_EQ(Read(b), payload);

  // A failed copy leaves the target as it was, and no temp file behind.
  ASSERT_TRUE(files_.WriteWhole(b, "previous"));
  EXPECT_FALSE(files_.Copy(dir + "/absent.jpg", b));
  EXPECT_FALSE(files_.Copy(dir, b)) << "a folder is no file to copy";
  EXPECT_EQ(Read(b), "previous");
  EXPECT_FALSE(files_.Copy(a, dir + "/missing/b.jpg"));
  EXPECT_EQ(NamesIn(dir), (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

TEST_F(PosixFileSystemTest, RandomAccessReads) {
  std::string path = home_.Write("r.bin", "0123456789");
  auto file = files_.Open(path);
  ASSERT_TRUE(file);
  char buffer[8] = {};
  EXPECT_EQ(file->ReadAt(8, buffer, 8), 2u);
  EXPECT_EQ(std::string(buffer, 2), "89");
  EXPECT_EQ(file->ReadAt(10, buffer, 8), 0u);
  EXPECT_EQ(file->ReadAt(uint64_t{1} << 62, buffer, 8), 0u);

  EXPECT_FALSE(files_.Open(home_.Root()));
  // A pipe with no writer must not block a reader.
  std::string fifo = home_.Root() + "/pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(files_.Open(fifo));
  std::string text = "stale";
  EXPECT_FALSE(files_.ReadWhole(fifo, text));
  EXPECT_TRUE(text.empty());
  EXPECT_FALSE(files_.FileLength(fifo));
}

TEST_F(PosixFileSystemTest, QueriesDeleteAndFolders) {
  std::string file = home_.Write("q/f.txt", "abc");
  std::string dir = home_.Root() + "/q";
  auto info = files_.Info(file);
  ASSERT_TRUE(info);
  EXPECT_LE(std::abs(info->modified - static_cast<int64_t>(time(nullptr))), 60);
  EXPECT_FALSE(files_.Info(dir));

  EXPECT_FALSE(files_.Delete(dir)) << "folders are not deleted as files";
  EXPECT_TRUE(files_.IsFolder(dir));
  EXPECT_TRUE(files_.Delete(file));
  EXPECT_FALSE(files_.Delete(file));

  EXPECT_TRUE(files_.CreateFolder(dir + "/a/b/c"));
  EXPECT_TRUE(files_.CreateFolder(dir + "/a/b/c/"));
  home_.Write("q/blocker", "x");
  EXPECT_FALSE(files_.CreateFolder(dir + "/blocker/sub"));

  ASSERT_EQ(symlink("a/b", (dir + "/shortcut").c_str()), 0);
  EXPECT_EQ(files_.RealPath(dir + "/shortcut/c"), files_.RealPath(dir) + "/a/b/c");
  EXPECT_EQ(files_.RealPath(dir + "/none"), "");
}

TEST_F(PosixFileSystemTest, MoveNeverReplacesAndTakesFoldersAndLinksWhole) {
  const std::string dir = Folder("move");
  home_.Write("move/a.jpg", "a");
  home_.Write("move/taken.jpg", "mine");
  home_.Write("move/album/x.jpg", "x");
  ASSERT_EQ(symlink("a.jpg", (dir + "/link").c_str()), 0);
  const std::string to = Folder("to");
  home_.Write("to/taken.jpg", "theirs");

  EXPECT_EQ(files_.Move(dir + "/a.jpg", to + "/a.jpg"), MoveResult::kMoved);
  EXPECT_EQ(Read(to + "/a.jpg"), "a");
  EXPECT_EQ(files_.Move(dir + "/taken.jpg", to + "/taken.jpg"), MoveResult::kTargetExists);
  EXPECT_EQ(Read(dir + "/taken.jpg"), "mine");
  EXPECT_EQ(Read(to + "/taken.jpg"), "theirs");
  EXPECT_EQ(files_.Move(dir + "/album", to + "/album"), MoveResult::kMoved);
  EXPECT_EQ(Read(to + "/album/x.jpg"), "x");
  EXPECT_EQ(files_.Move(dir + "/link", to + "/link"), MoveResult::kMoved);
  EXPECT_EQ(fs::read_symlink(to + "/link"), "a.jpg");
  EXPECT_EQ(files_.Move(dir + "/taken.jpg", to + "/no/such/folder/t.jpg"), MoveResult::kFailed);
  EXPECT_EQ(Read(dir + "/taken.jpg"), "mine");

  EXPECT_FALSE(files_.RemoveEmptyFolder(dir)) << "it still holds taken.jpg";
  fs::remove(dir + "/taken.jpg");
  EXPECT_TRUE(files_.RemoveEmptyFolder(dir));
  EXPECT_FALSE(fs::exists(dir));
}

TEST_F(PosixFileSystemTest, MoveOntoAnotherFileSystemKeepsTimeAndPermissions) {
  struct stat shm, tmp;
  if (stat("/dev/shm", &shm) != 0 || stat(home_.Root().c_str(), &tmp) != 0 ||
      shm.st_dev == tmp.st_dev) {
    GTEST_SKIP() << "no second file system at /dev/shm";
  }
  char pattern[] = "/dev/shm/tessaview-move.XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string from = std::string(pattern) + "/20271231_23590.jpg";
  test::TempHome::WriteAt(from, "picture bytes");
  chmod(from.c_str(), 0640);
  struct timespec times[2] = {{1700000000, 0}, {1700000000, 0}};
  utimensat(AT_FDCWD, from.c_str(), times, 0);

  const std::string to = Folder("other") + "/20271231_23590.jpg";
  EXPECT_EQ(files_.Move(from, to), MoveResult::kMoved);
  EXPECT_FALSE(fs::exists(from));
  EXPECT_EQ(Read(to), "picture bytes");
  struct stat st;
  ASSERT_EQ(stat(to.c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, 1700000000);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  // A folder does not cross file systems in one move; it stays whole where it was.
  test::TempHome::WriteAt(std::string(pattern) + "/album/x.jpg", "x");
  EXPECT_EQ(files_.Move(std::string(pattern) + "/album", Folder("other") + "/album"),
            MoveResult::kFailed);
  EXPECT_EQ(Read(std::string(pattern) + "/album/x.jpg"), "x");
  EXPECT_FALSE(fs::exists(Folder("other") + "/album"));
  fs::remove_all(pattern);
}

}  // namespace
}  // namespace tv
