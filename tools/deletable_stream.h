#pragma once

#include <cstdio>
#include <string>

// Creates (or truncates) `path` for binary writing, so that the file can be
// removed while the stream is still open: the interrupt cleanup removes
// temporary files that the main code is still writing. POSIX allows that of
// every file; Windows only of files opened with delete sharing, where the
// file is then gone once its last handle closes. Null, with errno set, on
// failure.
std::FILE* OpenDeletableForWriting(std::string const& path);
