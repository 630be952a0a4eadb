#pragma once

#include "grower/pending_files.h"

#include <cstdio>

// The name pattern of temporary files: hidden, and short enough that a
// temporary fits in any folder whatever the destination's name.
inline constexpr char TEMPORARY_NAME_PATTERN[] = ".morva-XXXXXX";

// Makes a new, empty file at the pending file's path, whose name ends in
// TEMPORARY_NAME_PATTERN (the X's are replaced by a name no file has yet),
// and opens it for binary writing. The file can be removed while the stream
// is still open: POSIX allows that of every file, Windows only of files
// opened with delete sharing, where the file is gone once its last handle
// closes. Once the file exists it is marked made. Null, with errno set, on
// failure.
std::FILE* CreateDeletableFile(PendingFile& file);

// Opens an existing device (such as /dev/null, or NUL on Windows) for
// writing in place. Null, with errno set, on failure.
std::FILE* OpenDeviceForWriting(char const* path);

// Renames `from` over `to`, replacing it in one step. False, with errno
// set, on failure. On Windows the names are in the active code page,
// UTF-8 by the programs' manifest.
bool RenameOver(char const* from, char const* to);
