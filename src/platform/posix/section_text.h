// SPDX-License-Identifier: GPL-3.0-or-later
// The text form shared by the settings file and the registry file: "[header]" lines, each
// followed by "name=value" lines. Lines that are neither are kept as they are, so a file
// edited by hand or damaged loses nothing it had when it is rewritten.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv::posix {

// Values: "\" "\n" "\r" and other control bytes are escaped, so any text fits on one line.
std::string EscapeValue(std::string_view text);
// Names also escape "=" "[" "]" "/" "@" and blanks at either end, so a name can never be
// mistaken for a separator, a header or the default-value marker.
std::string EscapeName(std::string_view text);
// Undoes both; an unknown or cut-off escape is kept as written.
std::string Unescape(std::string_view text);
// Unescape for names: "@" is the empty name.
std::string UnescapeName(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

struct SectionLine {
  std::string raw;  // the line as written, without its line feed
  bool is_pair = false;
  std::string name;   // unescaped, blanks around it trimmed; "@" stands for ""
  std::string value;  // unescaped, a final carriage return dropped
};

struct Section {
  bool has_header = false;  // false only for the lines before the first header
  std::string raw_header;
  std::string header;  // text between "[" and the last "]", blanks trimmed, still escaped
  std::vector<SectionLine> lines;
};

struct SectionText {
  std::vector<Section> sections;

  static SectionText Parse(std::string_view text);
  std::string Serialize() const;
};

Section MakeSection(const std::string& escaped_header);
// The first pair of that name, compared without regard to case; null when there is none.
const SectionLine* FindPair(const Section& section, std::string_view name);
// Changes the first pair of that name (keeping its spelling) or adds one after the
// section's last pair.
void SetPair(Section& section, std::string_view name, std::string_view value);

}  // namespace tv::posix
