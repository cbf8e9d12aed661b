// SPDX-License-Identifier: GPL-3.0-or-later
// The input filter and the fixed addresses.
#include <gtest/gtest.h>

#include "frame/address_text.h"
#include "frame/form_explore.h"
#include "frame/input_filter.h"
#include "platform/control.h"

namespace tv::test {
namespace {

TEST(InputFilter, SwallowsExactlyTheSevenMessages) {
  int passed = 0;
  for (uint32_t m = 0; m < 0x1000; ++m) passed += !FilterSwallows(m);
  EXPECT_EQ(passed, 0x1000 - 7);
  for (uint32_t m : {0x020Au, 0x007Bu, 0x00C7u, 0x0300u, 0x0301u, 0x0302u, 0x0303u}) {
    EXPECT_TRUE(FilterSwallows(m)) << m;
  }
  EXPECT_FALSE(FilterSwallows(0x0100));  // key down
  EXPECT_FALSE(FilterSwallows(0x0205));  // right button up: tab menus still open
}

TEST(Addresses, SearchEndpointsAndTheNavigationQuery) {
  EXPECT_EQ(WebSearchEndpoint().rfind("http://", 0), 0u);
  const std::string endpoint = WebSearchEndpoint();
  const size_t ls = endpoint.find("&ls=");
  ASSERT_NE(ls, std::string::npos);
  EXPECT_EQ(endpoint.find("&q=") - (ls + 4), 11u);  // the partner code
  EXPECT_EQ(endpoint.substr(endpoint.size() - 3), "&q=");
  EXPECT_EQ(PlainNavigationAddress(NavigationAddressWithQuery()),
            NavigationAddressWithQuery().substr(0, NavigationAddressWithQuery().find('?')));
  EXPECT_EQ(PlainNavigationAddress("http://other/"), "http://other/");
}

TEST(Addresses, LocalHostsPortsAndSchemesAreAddressesEverythingElseASearch) {
  for (const char* address :
       {"localhost", "LOCALHOST", "localhost/", "localhost:8080", "localhost:8080/x.htm",
        "localhost?q=1", "127.0.0.1", "127.0.0.1:8080/a b.htm", "[::1]", "[::1]:8080",
        "[::1]:8080/x", "[fe80::1]/x", "http://localhost:8080/", "http:intranet", "https://wiki",
        "file:///home/me/page.htm", "FILE:/tmp/x", "cats.jpg", "about:blank"}) {
    EXPECT_TRUE(CanBeAddress(address)) << address;
  }
  for (const char* phrase : {"", "cats", "hello world", "localhostess", "localhost:", "localhost:0",
                             "localhost:65536", "localhost:80a", "localhost stuff", "[::1", "[]",
                             "[xyz]:80", "[::1]x", "[::1]:", "mailto", "httpcats", "枫叶"}) {
    EXPECT_FALSE(CanBeAddress(phrase)) << phrase;
  }
}

}  // namespace
}  // namespace tv::test
