// SPDX-License-Identifier: GPL-3.0-or-later
// Text that goes into the generated pages: local paths as link addresses, names as
// unquoted attribute values, and the reverse of the address conversion.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// A local path written into an href or src, so that the view resolves it to exactly this
// file: "%", "#", "?", "\", control characters, bytes that are not UTF-8 and blanks at the
// end are percent-encoded. Other paths are given back unchanged. Escape the result with
// HtmlEscape for the quoted attribute it stands in.
std::string PathForAddress(std::string_view path);

// A text as an unquoted attribute value: besides & < > " every character that ends or
// opens an attribute (blanks, line breaks, quotes, "=", "`", control characters) becomes
// a character reference, so the whole text is the value. Texts without such characters
// are given back unchanged.
std::string UnquotedAttribute(std::string_view text);

// The "file://" address of a local path, everything an address cannot hold as it is
// percent-encoded, so that the address reads back as exactly this path.
std::string FileUrl(std::string_view path);

// A line of a text file for a path: the path itself, or its "file://" address when it
// holds a control character (a line break would split the line).
std::string PathAsLine(const std::string& path);

}  // namespace tv
