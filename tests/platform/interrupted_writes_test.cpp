// Writes cut short by a kill, a file-size limit or a full disk: the old file stays whole,
// the write reports failure, and no temporary file is left for good.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/jpeg.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_io.h"
#include "support/gallery_rig.h"
#include "support/test_env.h"

namespace tv {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> TempsIn(const std::string& folder) {
  std::vector<std::string> temps;
  for (const auto& e : fs::directory_iterator(folder)) {
    std::string name = e.path().filename();
    if (name.find(".tmp-") != std::string::npos) temps.push_back(name);
  }
  return temps;
}

// One version of a file: `size` bytes of one letter, so any mix of two shows.
std::string Version(int n, size_t size) {
  return std::string(size, static_cast<char>('a' + n % 26));
}

bool IsWholeVersion(const std::string& text, size_t size) {
  return text.size() == size && text.find_first_not_of(text[0]) == std::string::npos;
}

// Runs `body` in a child process; returns its exit code, or -signal when a signal ended it.
int InChild(const std::function<int()>& body) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

class InterruptedWrites : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { posix::UseUnnamedTemps(GetParam()); }
  void TearDown() override { posix::UseUnnamedTemps(true); }

  // Kills a child that rewrites `path` through `write` in a loop, many times at varied
  // moments; after each kill the file is one whole version, and the next write leaves
  // no temp behind.
  void KillWhileWriting(const std::string& path,
                        const std::function<bool(const std::string&, int)>& write,
                        const std::function<bool(const std::string&)>& whole) {
    ASSERT_TRUE(write(path, 0));
    int left_behind = 0;
    for (int round = 0; round < 12; ++round) {
      pid_t pid = fork();
      if (pid == 0) {
        for (int n = 1;; ++n) write(path, n);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(3 + 7 * (round % 4)));
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      ASSERT_TRUE(whole(path)) << "round " << round;
      left_behind += static_cast<int>(TempsIn(home_.Root()).size());
      ASSERT_TRUE(write(path, 100 + round));
      EXPECT_EQ(TempsIn(home_.Root()), std::vector<std::string>()) << "round " << round;
    }
    ASSERT_TRUE(whole(path));
    RecordProperty("temps_left_by_kills", left_behind);
  }

  test::TempHome home_;
  PosixFileSystem files_;
};

TEST_P(InterruptedWrites, AKillLeavesTheFileWholeAndItsTempIsRemoved) {
  const size_t size = 512 * 1024;
  const std::string path = home_.Root() + "/settings.ini";
  KillWhileWriting(
      path, [&](const std::string& p, int n) { return files_.WriteAtomic(p, Version(n, size)); },
      [&](const std::string& p) { return IsWholeVersion(test::ReadFile(p), size); });

  const std::string source = home_.Root() + "/source.jpg";
  ASSERT_TRUE(files_.WriteAtomic(source, Version(7, size)));
  KillWhileWriting(
      home_.Root() + "/copy.jpg", [&](const std::string& p, int) { return files_.Copy(source, p); },
      [&](const std::string& p) { return test::ReadFile(p) == Version(7, size); });

  const std::string jpeg = home_.Root() + "/shot.jpg";
  KillWhileWriting(
      jpeg,
      [](const std::string& p, int n) {
        return SaveJpegFile(p, 800, 600, 80, [n](int, int rows, uint8_t* rgb) {
          for (int i = 0; i < rows * 800 * 3; ++i) rgb[i] = static_cast<uint8_t>(i * 31 + n);
          return true;
        });
      },
      [](const std::string& p) {
        std::string data = test::ReadFile(p);
        return data.size() > 1000 && data.compare(0, 2, "\xFF\xD8") == 0 &&
               data.compare(data.size() - 2, 2, "\xFF\xD9") == 0;
      });
}

INSTANTIATE_TEST_SUITE_P(Temps, InterruptedWrites, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

class LimitedWrites : public ::testing::Test {
 protected:
  // In a child limited to `limit` bytes a file; 0 when `body` returns true there.
  int UnderSizeLimit(rlim_t limit, const std::function<bool()>& body) {
    return InChild([&] {
      posix::KeepRunningAtFileSizeLimit();
      struct rlimit r = {limit, limit};
      if (setrlimit(RLIMIT_FSIZE, &r) != 0) return 99;
      return body() ? 0 : 1;
    });
  }

  test::TempHome home_;
  PosixFileSystem files_;
};

TEST_F(LimitedWrites, EveryWriterFailsCleanlyAtTheSizeLimit) {
  const std::string dir = home_.Root();
  const std::string old_text = "[Main]\r\nPageFileCount=40\r\n";
  const std::string big(256 * 1024, 'x');
  ASSERT_TRUE(files_.WriteAtomic(dir + "/settings.ini", old_text));
  ASSERT_TRUE(files_.WriteAtomic(dir + "/copy.jpg", "old copy"));
  ASSERT_TRUE(files_.WriteAtomic(dir + "/big.jpg", big));
  ASSERT_TRUE(files_.WriteAtomic(dir + "/shot.jpg", "old shot"));
  ASSERT_TRUE(files_.WriteWhole(dir + "/Tpc.htm", "old page"));

  for (bool unnamed : {true, false}) {
    posix::UseUnnamedTemps(unnamed);
    EXPECT_EQ(
        UnderSizeLimit(64 * 1024, [&] { return !files_.WriteAtomic(dir + "/settings.ini", big); }),
        0);
    EXPECT_EQ(UnderSizeLimit(64 * 1024,
                             [&] { return !files_.Copy(dir + "/big.jpg", dir + "/copy.jpg"); }),
              0);
    EXPECT_EQ(UnderSizeLimit(64 * 1024,
                             [&] {
                               return !SaveJpegFile(dir + "/shot.jpg", 1000, 1000, 95,
                                                    [](int first, int rows, uint8_t* rgb) {
                                                      for (int i = 0; i < rows * 3000; ++i)
                                                        rgb[i] = static_cast<uint8_t>(
                                                            (i + first) * 2654435761u >> 24);
                                                      return true;
                                                    });
                             }),
              0);
    EXPECT_EQ(test::ReadFile(dir + "/settings.ini"), old_text);
    EXPECT_EQ(test::ReadFile(dir + "/copy.jpg"), "old copy");
    EXPECT_EQ(test::ReadFile(dir + "/shot.jpg"), "old shot");
    EXPECT_EQ(TempsIn(dir), std::vector<std::string>());
  }
  posix::UseUnnamedTemps(true);
  // A page is written in place; the write fails and the program goes on.
  EXPECT_EQ(UnderSizeLimit(64 * 1024, [&] { return !files_.WriteWhole(dir + "/Tpc.htm", big); }),
            0);
}

TEST_F(LimitedWrites, ExportedListOverAnExistingFileFailsWithItsMessage) {
  test::GalleryRig rig(files_);
  const std::string target = rig.home.Root() + "/list.txt";
  ASSERT_TRUE(files_.WriteAtomic(target, "the list of yesterday\r\n"));
  for (int i = 0; i < 2000; ++i) {
    rig.app.State().pictures.Append(rig.home.Root() + "/pictures/a rather long name " +
                                    std::to_string(i) + ".jpg");
  }
  rig.Answer(target);
  int rc = UnderSizeLimit(16 * 1024, [&] {
    rig.gallery.ToolSaveList_Click();
    return rig.output.str().find("无法写入文件：" + target) != std::string::npos;
  });
  EXPECT_EQ(rc, 0) << "the command must say the write failed";
  EXPECT_EQ(test::ReadFile(target), "the list of yesterday\r\n");
  EXPECT_EQ(TempsIn(rig.home.Root()), std::vector<std::string>());
}

TEST(StaleTemps, OnlyTempsOfDeadWritersAreRemoved) {
  test::TempHome home;
  const std::string dir = home.Root();
  const std::string path = dir + "/registry.ini";
  home.Write(".registry.ini.tmp-AbC123", "left by a killed writer");
  home.Write(".registry.ini.tmp-live01", "being written");
  home.Write(".other.ini.tmp-AbC123", "another file's temp");
  home.Write(".registry.ini.tmp-toolong7", "not a temp name of ours");
  fs::create_directory(dir + "/.registry.ini.tmp-folder");
  fs::create_symlink(dir + "/precious", dir + "/.registry.ini.tmp-link01");
  home.Write("precious", "kept");
  // A living writer holds its temp locked.
  int live = open((dir + "/.registry.ini.tmp-live01").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(live, LOCK_EX), 0);

  ASSERT_TRUE(posix::WriteFileAtomic(path, "new"));
  EXPECT_FALSE(fs::exists(dir + "/.registry.ini.tmp-AbC123"));
  EXPECT_TRUE(fs::exists(dir + "/.registry.ini.tmp-live01"));
  EXPECT_TRUE(fs::exists(dir + "/.other.ini.tmp-AbC123"));
  EXPECT_TRUE(fs::exists(dir + "/.registry.ini.tmp-toolong7"));
  EXPECT_TRUE(fs::is_directory(dir + "/.registry.ini.tmp-folder"));
  EXPECT_TRUE(fs::is_symlink(dir + "/.registry.ini.tmp-link01"));
  EXPECT_EQ(test::ReadFile(dir + "/precious"), "kept");
  close(live);
  posix::RemoveStaleTemps(path);
  EXPECT_FALSE(fs::exists(dir + "/.registry.ini.tmp-live01")) << "its writer is gone now";
  EXPECT_EQ(test::ReadFile(path), "new");
}

}  // namespace
}  // namespace tv
