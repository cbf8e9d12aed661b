// SPDX-License-Identifier: GPL-3.0-or-later
// The history rows of a page window as the engine reports them: a page can ask for the
// next one before its own title is reported, and that title still belongs to it.
#include "webpics/history_log.h"

#include <gtest/gtest.h>

#include "host/html_view.h"
#include "support/browser_rig.h"
#include "support/memory_file_system.h"

namespace tv {
namespace {

std::string Row(const std::string& when, const std::string& address, const std::string& title) {
  return "<tr>  <td>" + when + "</td>  <td>  <a href=" + address + " target=_blank>" + title +
         "</a>  </td>  <td>  Lumbra浏览器</td> </tr>";
}

TEST(HistoryLog, RowsNewestFirstWithoutRepeatsOrTheHomePage) {
  HistoryLog log;
  log.TitleChanged("A", "http://a/", "http://home/", "t1");
  log.TitleChanged("A", "http://a/", "http://home/", "t1b");  // a reload
  log.TitleChanged("B", "http://b/", "http://home/", "t2");
  log.TitleChanged("Home", "http://home/", "http://home/", "t3");
  log.TitleChanged("", "http://c/", "http://home/", "t4");
  log.TitleChanged("网站访问历史", "file:///h.html", "http://home/", "t5");
  log.TitleChanged("A", "http://a/", "http://home/", "t6");
  EXPECT_EQ(log.Buffer(), Row("t6", "http://a/", "A") + "\r\n" + Row("t2", "http://b/", "B") +
                              "\r\n" + Row("t1", "http://a/", "A") + "\r\n");
}

TEST(HistoryLog, TitlesAreCutAndNothingInARowBecomesMarkup) {
  std::string forty, thirty_eight;  // counted in characters, not bytes
  for (int i = 0; i < 20; ++i) forty += "图片";
  for (int i = 0; i < 19; ++i) thirty_eight += "图片";
  EXPECT_EQ(HistoryRow("t", "http://a/", forty), Row("t", "http://a/", thirty_eight));
  const std::string row =
      HistoryRow("t", "http://x/ onmouseover=alert(1)", "<script>alert('&')</script>");
  EXPECT_EQ(row.find("<script>"), std::string::npos);
  EXPECT_NE(row.find("&lt;script&gt;alert('&amp;')&lt;/script&gt;"), std::string::npos);
  EXPECT_NE(row.find("href=http://x/&#32;onmouseover=alert(1) target"), std::string::npos);
  // A row stays one line of its own.
  EXPECT_EQ(HistoryRow("9:07\r\n", "http://a/", "two\r\nlines\tx"),
            Row("9:07  ", "http://a/", "two  lines x"));
}

TEST(HistoryLog, EachClosedWindowAppendsOneBlockOnALineOfItsOwn) {
  test::MemoryFileSystem fs;
  const DateTime day{2027, 3, 5, 23, 59, 0};
  EXPECT_EQ(HistoryFileName(day), "2027-3-5.dat");
  std::string& file = fs.files["/h/2027-3-5.dat"];
  file = "<tr>  <td>cut";  // the last row of a killed write
  HistoryLog first, second, empty;
  first.TitleChanged("A", "http://a/", "h", "t1");
  second.TitleChanged("B", "http://b/", "h", "t2");
  EXPECT_TRUE(first.AppendTo(fs, "/h/", day));
  EXPECT_TRUE(second.AppendTo(fs, "/h/", day));
  EXPECT_TRUE(empty.AppendTo(fs, "/h/", day));
  const std::string a = Row("t1", "http://a/", "A");
  EXPECT_EQ(file,
            "<tr>  <td>cut\r\n" + a + "\r\n\r\n" + Row("t2", "http://b/", "B") + "\r\n\r\n\r\n");
  EXPECT_NE(HistoryPage(file).find("\r\n" + a + "\r\n"), std::string::npos);
}

TEST(HistoryLog, ThePageReadsAtMostAThousandLines) {
  std::string file;
  for (int i = 0; i < 1500; ++i) file += (i % 3 == 0 ? "" : "row" + std::to_string(i)) + "\r\n";
  const std::string page = HistoryPage(file);
  EXPECT_NE(page.find("  </tr>\r\n\r\n\r\nrow1\r\nrow2\r\nrow4\r\n"), std::string::npos);
  EXPECT_NE(page.find("row998\r\n</table></body></html>\r\n"), std::string::npos);
  EXPECT_EQ(page.find("row1000"), std::string::npos);  // line 1001 on
}

TEST(PageHistory, APageLeftAtOnceKeepsItsOwnTitleAndTheNextPageItsOwn) {
  test::BrowserRig rig;
  const std::string a = rig.home.Write("web/a.htm", "<html><head><title>A</title></head></html>");
  const std::string b = rig.home.Write("web/b.htm", "<html><head><title>B</title></head></html>");
  FormWeb& web = *rig.tabs().CurrentPage();
  HtmlView& view = *web.Web->View();
  // A goes on to B the moment it is shown, as a refresh of 0 seconds or a script does.
  auto shown = view.events.NavigateComplete2;
  bool left = false;
  view.events.NavigateComplete2 = [&](const std::string& url) {
    if (shown) shown(url);
    if (url.find("a.htm") == std::string::npos || left) return;
    left = true;
    view.Navigate(b);
    EXPECT_NE(view.LocationURL(), view.DocumentURL());
  };
  view.Navigate(a);
  rig.platform.loop.DoEvents();
  ASSERT_TRUE(left);
  // Newest first, each with its own address.
  const std::string rows = *web.StateField("history buffer");
  const size_t row_b = rows.find("href=file://" + b + " target=_blank>B<");
  const size_t row_a = rows.find("href=file://" + a + " target=_blank>A<");
  ASSERT_NE(row_b, std::string::npos) << rows;
  ASSERT_NE(row_a, std::string::npos) << rows;
  EXPECT_LT(row_b, row_a);
  EXPECT_EQ(rows.find("href=file://" + b + " target=_blank>A<"), std::string::npos) << rows;
  EXPECT_EQ(view.DocumentURL(), "file://" + b);
}

}  // namespace
}  // namespace tv
