// SPDX-License-Identifier: GPL-3.0-or-later
// Moving files, the wastebasket and removing empty folders, which the GIO calls do across file
// systems.
#include <gio/gio.h>
#include <glib/gstdio.h>

#include "platform/posix/posix_file_system.h"

namespace tv {

MoveResult PosixFileSystem::Move(const std::string& from, const std::string& to) {
  GFile* source = g_file_new_for_path(from.c_str());
  GFile* target = g_file_new_for_path(to.c_str());
  GError* error = nullptr;
  const auto flags =
      static_cast<GFileCopyFlags>(G_FILE_COPY_NOFOLLOW_SYMLINKS | G_FILE_COPY_ALL_METADATA);
  MoveResult result = MoveResult::kMoved;
  if (!g_file_move(source, target, flags, nullptr, nullptr, nullptr, &error)) {
    result = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_EXISTS) ? MoveResult::kTargetExists
                                                                   : MoveResult::kFailed;
    g_error_free(error);
    // A copy cut short, or one whose source could not be deleted: the target was free
    // before, so what is there now is that copy, and the file stays where it was.
    if (result == MoveResult::kFailed && g_file_query_exists(source, nullptr) &&
        g_file_query_file_type(target, G_FILE_QUERY_INFO_NOFOLLOW_SYMLINKS, nullptr) !=
            G_FILE_TYPE_DIRECTORY) {
      g_file_delete(target, nullptr, nullptr);
    }
  }
  g_object_unref(target);
  g_object_unref(source);
  return result;
}

TrashResult PosixFileSystem::Trash(const std::string& path) {
  GFile* file = g_file_new_for_path(path.c_str());
  GError* error = nullptr;
  TrashResult result = TrashResult::kTrashed;
  if (!g_file_trash(file, nullptr, &error)) {
    result = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NOT_SUPPORTED) ? TrashResult::kNoTrash
                                                                          : TrashResult::kFailed;
    g_error_free(error);
  }
  g_object_unref(file);
  return result;
}

bool PosixFileSystem::RemoveEmptyFolder(const std::string& path) {
  return g_rmdir(path.c_str()) == 0;
}

}  // namespace tv
