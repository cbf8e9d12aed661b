// SPDX-License-Identifier: GPL-3.0-or-later
// Two real copies of the program saving the same page's pictures into one download folder
// at the same moment keep every picture exactly once, each counting its own files.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "desktop/program_run.h"
#include "program/saved_pictures.h"
#include "support/loopback_server.h"
#include "support/test_env.h"
#include "support/web_fixtures.h"

namespace tv::test {
namespace {

TEST(TwoCopiesDesktop, SavingIntoOneFolderKeepsEveryPictureOnce) {
  constexpr int kPictures = 200;
  LoopbackServer server;
  std::string page = "<title>Two hundred</title>";
  for (int i = 0; i < kPictures; ++i) {
    const std::string name = "/p/" + std::to_string(i) + ".jpg";
    server.Page(name, Jpeg(600, 600 + i % 7, static_cast<uint8_t>(i)));
    page += "<img src=\"" + name + "\">";
  }
  server.Page("/two.htm", page);
  // Until a race would show.
  for (int run = 0; run < 5; ++run) {
    TempHome home;
    home.Write("home/.local/share/tessaview/keep", "");
    home.Write("home/.config/tessaview/settings.ini",
               "[Tessaro2017/setup]\nPop=1\nHomepage=" + server.Url("/two.htm") + "\n");
    const std::string script =
        home.Write("script.scn",
                   "click Command6\nwait 3000\nwindow FormExplore\nclick Command4\n"
                   "window FormWeb\nprint saved count\n");
    auto first = std::async(std::launch::async, [&] { return RunProgramScript(script); });
    auto second = std::async(std::launch::async, [&] { return RunProgramScript(script); });
    const std::vector<std::string> a = first.get(), b = second.get();
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 1u);
    const int counted =
        std::stoi(a[0].substr(a[0].find('=') + 1)) + std::stoi(b[0].substr(b[0].find('=') + 1));
    const std::string folder = home.Root() + "/home/Tessaview/";
    int files = 0;
    for (const auto& f : std::filesystem::directory_iterator(folder))
      files += f.path().extension() == ".jpg";
    EXPECT_EQ(files, kPictures) << "run " << run;
    EXPECT_EQ(counted, kPictures) << "run " << run;
    EXPECT_EQ(ReadSavedPictures(ReadFile(folder + kSavedPicturesFile)).size(),
              static_cast<size_t>(kPictures))
        << "run " << run;
  }
}

}  // namespace
}  // namespace tv::test
