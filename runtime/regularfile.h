// Opening a file a user named (a data file, a report, a parameter file,
// the printer's stand-in file) so that the open itself can never block and
// only a regular file is taken: a named pipe, a device or a folder under
// such a name is refused as a file that cannot be opened, instead of
// holding the program until something writes to it or reads from it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace tsd::runtime {

// Opens the host file `hostname` (UTF-8) with `flags` (O_RDONLY, or
// O_WRONLY with O_APPEND, O_CREAT, O_EXCL as needed; `mode` for a file
// created). The descriptor is closed on exec and blocks as usual once the
// file is known to be regular. -1 with errno when it cannot be opened;
// errno is EINVAL for anything but a regular file.
int openregularfile(const std::string& hostname, int flags, mode_t mode = 0);

enum class WholeFileStatus {
  ok,
  cannot_open,  // missing, not a regular file, or not to be opened
  read_failed,
};

// Reads the regular file `hostname` (UTF-8), opened as openregularfile
// opens it, into `out`: the whole file, or its first `most` bytes when it
// is longer. errno tells why it failed; `out` is empty then.
WholeFileStatus readregularfile(const std::string& hostname, std::string& out, std::size_t most);

}  // namespace tsd::runtime
