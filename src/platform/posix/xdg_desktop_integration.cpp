#include "platform/posix/xdg_desktop_integration.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/posix/posix_io.h"
#include "platform/posix/xdg_dirs.h"

namespace tv {

std::string DesktopExecQuote(const std::string& argument) {
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '\n' || c == '\r' || c == '\0') return "";
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
  return posix::WriteFileAtomic(EntryPath(), entry);
}

bool XdgDesktopIntegration::RemoveOpenWith() {
  std::string path = EntryPath();
  if (::unlink(path.c_str()) == 0) return true;
  return errno == ENOENT;
}

bool XdgDesktopIntegration::IsInstalled() {
  struct stat st;
  return ::stat(EntryPath().c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace tv
