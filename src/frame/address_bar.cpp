// SPDX-License-Identifier: GPL-3.0-or-later
// The address box and the search box: an address or a search phrase for the current
// tab, and the keyword search in a new tab.
#include "frame/address_text.h"
#include "frame/external_addresses.h"
#include "frame/form_explore.h"
#include "host/html_view.h"
#include "program/application.h"
#include "program/browser_state.h"
#include "webpics/form_web.h"

namespace tv {

namespace {

constexpr const char* kClosedEntrySeparator = "  -  ";

}  // namespace

std::string NavigationAddressWithQuery() {
  return std::string(kNavigationSite) + kNavigationQuery;
}

std::string PlainNavigationAddress(const std::string& address) {
  return address == NavigationAddressWithQuery() ? std::string(kNavigationSite) : address;
}

std::string WebSearchEndpoint() {
  return std::string("http://") + kWebSearchHost + "/s?ie=utf-8&src=lm&shb=1&ls=" + kPartnerCode +
         "&q=";
}

std::string KeywordSearchAddress() {
  return std::string("https://") + kKeywordSearchHost + "/s?ie=utf-8&wd=%E6%9E%AB%E5%8F%B6";
}

std::string KeywordSearchHome() {
  return std::string("http://") + kKeywordSearchHost + "/";
}

void FormExplore::Go() {
  pictures_switch->SetValue(0);
  // A text that cannot be an address is a search phrase, appended as typed.
  if (!CanBeAddress(address_box->Text())) {
    address_box->SetText(WebSearchEndpoint() + address_box->Text());
  }
  FormWeb* page = b_.CurrentPage();
  if (!page) return;
  page->Web->View()->Navigate(address_box->Text());
  page->SetFocus(*page->focus_holder);
}

void FormExplore::GoToAddress() {
  Go();
}

void FormExplore::AddressChanged() {
  if (address_box->Text() == "about:blank") address_box->SetText("http://www.");
  address_box->SetToolTipText(address_box->Text());
}

void FormExplore::AddressPicked() {
  std::string text = address_box->Text();
  // An entry of a closed page is "caption  -  address": its address is the part after
  // the last separator, whatever the caption holds.
  if (size_t sep = text.rfind(kClosedEntrySeparator); sep != std::string::npos) {
    text = text.substr(sep + 5);
  } else if (text.rfind("http", 0) != 0) {
    if (size_t at = text.find("http"); at != std::string::npos) text = text.substr(at);
  }
  address_box->SetText(text);
  Go();
}

void FormExplore::AddressKeyPress(int key_ascii) {
  if (key_ascii == kCharEnter) Go();
}

void FormExplore::Bounce(Control& box) {
  if (FocusBounced) return;
  FocusBounced = true;
  if (FormWeb* page = b_.CurrentPage()) page->SetFocus(*page->focus_holder);
  SetFocus(box);
}

void FormExplore::AddressFocused() {
  Bounce(*address_box);
}

void FormExplore::SearchBoxFocused() {
  Bounce(*search_box);
}

void FormExplore::SearchBoxKeyPress(int key_ascii) {
  if (key_ascii == kCharEnter) SearchKeyword();
}

void FormExplore::SearchKeyword() {
  search_box->AddItem(search_box->Text());
  pictures_switch->SetValue(0);
  b_.Pop = 0;
  LoadNewForm(KeywordSearchAddress());
  b_.Pop = 1;
}

void FormExplore::OpenKeywordSearch() {
  b_.Pop = 0;
  LoadNewForm(KeywordSearchHome());
  b_.Pop = 1;
}

}  // namespace tv
