// SPDX-License-Identifier: GPL-3.0-or-later
// Writes cut short by a kill or a file-size limit (as a full disk cuts them): the old file
// stays whole, the write reports failure, and no temporary file is left for good.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
  std::vector<std::string> names = test::NamesIn(folder);
  std::erase_if(names, [](const std::string& n) { return n.find(".tmp-") == std::string::npos; });
  return names;
}

// Runs `write` in a child whose files may not grow past `limit`, as the program runs at
// it: 0 when it failed, 1 when it claimed success, -signal when a signal ended the child.
int AtSizeLimit(rlim_t limit, const std::function<bool()>& write) {
  pid_t pid = fork();
  if (pid == 0) {
    posix::KeepRunningAtFileSizeLimit();
    struct rlimit r = {limit, limit};
    _exit(setrlimit(RLIMIT_FSIZE, &r) != 0 ? 99 : write() ? 1 : 0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

constexpr size_t kSize = 512 * 1024;

// Version n of a file written by each kind of writer; every version is over 64 KB.
struct Writer {
  const char* name;
  std::function<bool(const std::string& path, int n)> write;
  std::function<bool(const std::string& text)> whole;
};

std::vector<Writer> Writers(PosixFileSystem& files, const std::string& source) {
  auto one_letter = [](const std::string& t) {
    return t.size() == kSize && t.find_first_not_of(t[0]) == std::string::npos;
  };
  return {
      // Settings, registry file, desktop entry and exported list all go this way.
      {"atomic",
       [&files](const std::string& p, int n) {
         return files.WriteAtomic(p, std::string(kSize, static_cast<char>('a' + n % 26)));
       },
       one_letter},
      {"copy", [&files, source](const std::string& p, int) { return files.Copy(source, p); },
       one_letter},
      {"jpeg",
       [](const std::string& p, int n) {
         return SaveJpegFile(p, 800, 600, 80, [n](int first, int rows, uint8_t* rgb) {
           for (int i = 0; i < rows * 2400; ++i)
             rgb[i] = static_cast<uint8_t>((i + first * 2400 + n) * 2654435761u >> 24);
           return true;
         });
       },
       [](const std::string& t) {
         return t.size() > 65536 && t.compare(0, 2, "\xFF\xD8") == 0 &&
                t.compare(t.size() - 2, 2, "\xFF\xD9") == 0;
       }},
  };
}

class InterruptedWrites : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    posix::UseUnnamedTemps(GetParam());
    ASSERT_TRUE(files_.WriteAtomic(source_, std::string(kSize, 's')));
  }
  void TearDown() override { posix::UseUnnamedTemps(true); }

  test::TempHome home_;
  PosixFileSystem files_;
  std::string dir_ = home_.Root();
  std::string source_ = dir_ + "/source.jpg";
};

TEST_P(InterruptedWrites, AKillLeavesTheFileWholeAndItsTempIsRemoved) {
  for (const Writer& w : Writers(files_, source_)) {
    const std::string path = dir_ + "/" + w.name;
    ASSERT_TRUE(w.write(path, 0));
    for (int round = 0; round < 12; ++round) {
      pid_t pid = fork();
      if (pid == 0) {
        for (int n = 1;; ++n) w.write(path, n);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(3 + 7 * (round % 4)));
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      ASSERT_TRUE(w.whole(test::ReadFile(path))) << w.name << " round " << round;
      // A named temp may stay until the next write of the same file.
      ASSERT_TRUE(w.write(path, 100 + round));
      EXPECT_EQ(TempsIn(dir_), std::vector<std::string>()) << w.name << " round " << round;
    }
  }
}

TEST_P(InterruptedWrites, TheSizeLimitFailsTheWriteAndKeepsTheOldFile) {
  for (const Writer& w : Writers(files_, source_)) {
    const std::string path = dir_ + "/" + w.name;
    ASSERT_TRUE(files_.WriteAtomic(path, "the old file"));
    EXPECT_EQ(AtSizeLimit(64 * 1024, [&] { return w.write(path, 1); }), 0)
        << w.name << ": the write must fail, not end the program";
    EXPECT_EQ(test::ReadFile(path), "the old file") << w.name;
    EXPECT_EQ(TempsIn(dir_), std::vector<std::string>()) << w.name;
  }
  // A page is written in place; its write fails and the program goes on.
  EXPECT_EQ(
      AtSizeLimit(4096,
                  [&] { return files_.WriteWhole(dir_ + "/Tpc.htm", std::string(kSize, 'p')); }),
      0);
}

INSTANTIATE_TEST_SUITE_P(Temps, InterruptedWrites, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

TEST(ExportedList, AFailedExportSaysSoAndKeepsTheFileItWouldReplace) {
  PosixFileSystem files;
  test::GalleryRig rig(files);
  const std::string target = rig.home.Root() + "/list.txt";
  ASSERT_TRUE(files.WriteAtomic(target, "the list of yesterday\r\n"));
  for (int i = 0; i < 2000; ++i) rig.app.State().pictures.Append("/pictures/" + std::to_string(i));
  rig.Answer(target);
  EXPECT_EQ(AtSizeLimit(4096,
                        [&] {
                          rig.gallery.ExportPictureList();
                          return rig.output.str().find("无法写入文件：" + target) ==
                                 std::string::npos;
                        }),
            0)
      << "the command must say the write failed";
  EXPECT_EQ(test::ReadFile(target), "the list of yesterday\r\n");
  EXPECT_EQ(TempsIn(rig.home.Root()), std::vector<std::string>());
}

TEST(StaleTemps, OnlyTempsOfDeadWritersAreRemoved) {
  test::TempHome home;
  const std::string dir = home.Root();
  for (const char* name : {".registry.ini.tmp-dead01", ".registry.ini.tmp-live01",
                           ".other.ini.tmp-dead01", ".registry.ini.tmp-toolong7", "precious"}) {
    home.Write(name, "x");
  }
  fs::create_directory(dir + "/.registry.ini.tmp-folder");
  fs::create_symlink(dir + "/precious", dir + "/.registry.ini.tmp-link01");
  // A living writer holds its temp locked.
  int live = open((dir + "/.registry.ini.tmp-live01").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(live, LOCK_EX), 0);

  ASSERT_TRUE(posix::WriteFileAtomic(dir + "/registry.ini", "new"));
  EXPECT_EQ(TempsIn(dir),
            (std::vector<std::string>{".other.ini.tmp-dead01", ".registry.ini.tmp-folder",
                                      ".registry.ini.tmp-link01", ".registry.ini.tmp-live01",
                                      ".registry.ini.tmp-toolong7"}));
  EXPECT_TRUE(fs::exists(dir + "/precious"));
  close(live);
  posix::RemoveStaleTemps(dir + "/registry.ini");
  EXPECT_FALSE(fs::exists(dir + "/.registry.ini.tmp-live01")) << "its writer is gone now";
}

}  // namespace
}  // namespace tv
