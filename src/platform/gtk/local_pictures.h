// Local pictures the engine cannot load through a file: address (names holding bytes that
// are not UTF-8) are served by the program's own scheme, to local pages only.
#pragma once

namespace tv {

// Registers the scheme and the web process extension that uses it; call before the first
// view is made. Later calls do nothing.
void InstallLocalPictures();

}  // namespace tv
