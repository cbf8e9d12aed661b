// SPDX-License-Identifier: GPL-3.0-or-later
// Small text helpers shared by the windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv {

// Escapes & < > " so a name or title can never become markup in a generated page.
std::string HtmlEscape(std::string_view text);

// The local path of a "file:" address (host part, query and fragment dropped, percent
// escapes decoded once);
// any other text gives the text from its 9th character on, as the status-text rule has it.
std::string PathFromStatusText(const std::string& status);

// The lines of a text file as the program's stores write them: split at each line feed,
// a carriage return before it dropped, empty lines kept; no line after a final line feed.
std::vector<std::string_view> TextLines(std::string_view text);

// Text after the last "/" (the whole text when there is none).
std::string AfterLastSlash(const std::string& path);
// Text up to and including the last "/" ("" when there is none).
std::string UpToLastSlash(const std::string& path);

std::string AsciiLower(std::string_view text);

// An address a picture can be had from and shown by the program: http(s), file or data.
bool IsPictureAddress(const std::string& address);

// The number at the start of a text as the system's Val reads it: blanks, tabs and line
// feeds are ignored anywhere, reading stops at the first character that cannot continue a
// decimal number, no number gives 0. The decimal point is always ".", whatever the locale.
double LeadingNumber(std::string_view text);
// A whole text in the C number syntax ("-1.5e3"; no leading "+", no blanks), read the same
// in every locale; nothing when it is not a finite number.
std::optional<double> ParseDecimal(std::string_view text);
// Rounds to the nearest integer, halves to even, clamped to the 32-bit range.
int RoundHalfEven(double value);

}  // namespace tv
