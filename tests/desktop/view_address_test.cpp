// SPDX-License-Identifier: GPL-3.0-or-later
// What the view loads for the addresses the address box lets through.
#include <gtest/gtest.h>

#include "platform/gtk/view_address.h"

namespace tv {
namespace {

TEST(ViewAddress, HostsWithoutASchemeGetHttpAndAddressesWithOneStayAsTheyAre) {
  EXPECT_EQ(WebAddress("localhost"), "http://localhost");
  EXPECT_EQ(WebAddress("localhost:8080/x.htm"), "http://localhost:8080/x.htm");
  EXPECT_EQ(WebAddress("127.0.0.1:8080/"), "http://127.0.0.1:8080/");
  EXPECT_EQ(WebAddress("[::1]:8080/x"), "http://[::1]:8080/x");
  EXPECT_EQ(WebAddress("cats.jpg"), "http://cats.jpg");
  for (const char* kept : {"http://localhost:8080/", "HTTPS://wiki/", "http:intranet",
                           "file:///tmp/a.htm", "mailto:me@host"}) {
    EXPECT_EQ(WebAddress(kept), kept);
  }
}

}  // namespace
}  // namespace tv
