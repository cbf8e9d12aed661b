#include "platform/posix/xdg_desktop_integration.h"

#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/posix/posix_io.h"
#include "platform/posix/run_program.h"
#include "platform/posix/xdg_dirs.h"

namespace tv {

namespace {

constexpr int kRefreshTimeoutMs = 10000;

// Desktops find an application for a kind of file through the folder's MIME cache, so
// the entry counts only once the cache is rebuilt; where the tool is missing the entry
// is still there for desktops that read the entries themselves.
void RefreshMimeCache(const std::string& folder) {
  posix::RunProgram({"update-desktop-database", "-q", folder}, kRefreshTimeoutMs);
}

// Desktop entries are UTF-8 text; anything else makes the whole entry invalid.
bool IsUtf8(const std::string& text) {
  iconv_t check = ::iconv_open("UTF-8", "UTF-8");
  if (check == reinterpret_cast<iconv_t>(-1)) return false;
  std::string in = text, out(text.size(), '\0');
  char* from = in.data();
  char* to = out.data();
  size_t from_left = in.size(), to_left = out.size();
  size_t done = ::iconv(check, &from, &from_left, &to, &to_left);
  ::iconv_close(check);
  return done != static_cast<size_t>(-1) && from_left == 0;
}

}  // namespace

std::string DesktopExecQuote(const std::string& argument) {
  std::string quoted = "\"";
  if (!IsUtf8(argument)) return "";
  for (char c : argument) {
    // Control characters have no place in a key file's value.
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "";
    if (c == '"' || c == '`' || c == '$') {
      // The quoting backslash is itself escaped for the key file.
      quoted += "\\\\";
      quoted += c;
    } else if (c == '\\') {
      // Quoting doubles it, and the key file's string escape doubles it again.
      quoted += "\\\\\\\\";
    } else if (c == '%') {
      quoted += "%%";
    } else {
      quoted += c;
    }
  }
  quoted += '"';
  return quoted;
}

XdgDesktopIntegration::XdgDesktopIntegration(std::string applications_dir)
    : folder_(posix::WithSlash(std::move(applications_dir))) {}

std::string XdgDesktopIntegration::EntryPath() const {
  return folder_ + "tessaview-open.desktop";
}

bool XdgDesktopIntegration::InstallOpenWith(const std::string& executable) {
  std::string exec = DesktopExecQuote(executable);
  if (executable.empty() || exec.empty()) return false;
  std::string entry = "[Desktop Entry]\nType=Application\nName=Tessaview\n";
  entry += "Exec=" + exec + " %f\n";
  entry +=
      "MimeType=image/bmp;image/jpeg;image/gif;image/png;image/tiff;inode/directory;\n"
      "NoDisplay=false\n"
      "Terminal=false\n"
      "Categories=Graphics;Viewer;\n";
  if (!posix::MakeFolders(folder_, 0755)) return false;
  if (!posix::WriteFileAtomic(EntryPath(), entry)) return false;
  RefreshMimeCache(folder_);
  return true;
}

bool XdgDesktopIntegration::RemoveOpenWith() {
  std::string path = EntryPath();
  if (::unlink(path.c_str()) == 0) {
    RefreshMimeCache(folder_);
    return true;
  }
  return errno == ENOENT;
}

bool XdgDesktopIntegration::IsInstalled() {
  struct stat st;
  return ::stat(EntryPath().c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace tv
