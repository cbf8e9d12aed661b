// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/form_image.h"

#include <gtest/gtest.h>

#include <sstream>

#include "host/html_view.h"
#include "program/application.h"
#include "support/test_platform.h"

namespace tv {
namespace {

class DetailWindow : public ::testing::Test {
 protected:
  DetailWindow() { t_.front->script.out = &out_; }
  FormImage& Open(const std::string& picture) {
    FormImage& w = ShowDetailWindow(app_, picture);
    t_.front->Loop().DoEvents();
    return w;
  }
  void List(std::initializer_list<const char*> addresses) {
    WebPictureList& list = app_.State().web_pictures;
    list.count = 0;
    for (const char* a : addresses) list.entries[static_cast<size_t>(list.count++)] = a;
  }

  test::TestPlatform t_;
  std::ostringstream out_;
  Application app_{t_.platform, t_.front->script};
};

TEST_F(DetailWindow, ShowsThePictureOnAPageOfItsOwn) {
  FormImage& w = Open("http://h/a.jpg");
  EXPECT_NE(test::ReadFile(w.page_file).find("src=\"http://h/a.jpg\""), std::string::npos);
  // The one window is reused for the next picture.
  EXPECT_EQ(&ShowDetailWindow(app_, "http://h/b.jpg"), &w);
  const std::string file = w.page_file;
  app_.Unload(w);
  EXPECT_FALSE(t_.posix.fs.IsFile(file));
}

TEST_F(DetailWindow, AnAddressCannotAddMarkup) {
  const std::string page = DetailPageText("http://h/\"><script>alert(1)</script>&");
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_NE(page.find("src=\"http://h/&quot;&gt;&lt;script&gt;"), std::string::npos);
}

TEST_F(DetailWindow, SteppingStartsAtTheClickedPictureAndWrapsRoundTheList) {
  List({"http://h/p0", "http://h/p1", "http://h/p2", "http://h/p3", "http://h/p4"});
  FormImage& w = Open("http://h/p3");
  EXPECT_EQ(w.position, 3);
  w.NextPicture();
  EXPECT_EQ(w.picture, "http://h/p4");
  // The window is reused: a click on the first picture starts there.
  Open("http://h/p0");
  w.NextPicture();
  EXPECT_EQ(w.picture, "http://h/p1");
  // A picture that is not in the list leaves the place as it was.
  Open("http://h/elsewhere");
  EXPECT_EQ(w.position, 1);
  w.position = 4;
  w.NextPicture();
  EXPECT_EQ(w.position, 0);
  EXPECT_EQ(w.picture, "http://h/p0");
  w.PreviousPicture();
  EXPECT_EQ(w.picture, "http://h/p4");
  // An empty list leaves the picture shown.
  List({});
  w.NextPicture();
  w.PreviousPicture();
  EXPECT_EQ(w.picture, "http://h/p4");
}

TEST_F(DetailWindow, SaveAsksInTheSharedDialogAndOnlyWebAddressesOpen) {
  FormImage& w = Open("https://h/a.jpg?size=big");
  out_.str("");
  t_.front->script.answers.push_back("https://h/a.jpg");
  t_.front->script.answers.push_back("/pics/b.jpg");
  w.OpenPictureAddress();
  w.SaveShownPicture();
  EXPECT_EQ(out_.str(),
            "input: 网址: https://h/a.jpg?size=big\nshell: open https://h/a.jpg?size=big\n"
            "save: 图片另存为: a.jpg\ndownload: https://h/a.jpg?size=big to /pics/b.jpg\n");
  // The next dialog of the program starts where this one saved.
  EXPECT_EQ(app_.State().dialog_folder.rfind("/pics", 0), 0u);
  w.ShowPicture("https://h/a.jpg");
  // 取消 opens nothing.
  out_.str("");
  t_.front->script.answers.push_back(std::nullopt);
  w.OpenPictureAddress();
  EXPECT_EQ(out_.str(), "input: 网址: https://h/a.jpg\n");
  w.ShowPicture("file:///home/u/run.desktop");
  out_.str("");
  t_.front->script.answers.push_back("file:///home/u/run.desktop");
  w.OpenPictureAddress();
  EXPECT_EQ(out_.str(), "input: 网址: file:///home/u/run.desktop\n");
}

TEST_F(DetailWindow, AnAddressOfNoPictureIsNeitherShownNorOfferedForDownload) {
  FormImage& w = Open("http://h/a.jpg");
  for (const char* address : {"javascript:alert(1)", "", "about:blank"}) {
    w.ShowPicture(address);
    EXPECT_EQ(w.picture, "http://h/a.jpg") << address;
  }
  // A window opened on such an address first has nothing to offer.
  app_.Unload(w);
  FormImage& empty = Open("javascript:void(0)");
  out_.str("");
  empty.SaveShownPicture();
  EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace tv
