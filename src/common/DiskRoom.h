// How much room a file system has left for a write of this program's user. An ordinary user's
// write meets a full disk when no block is available to users; root's goes on into the blocks
// ext4 keeps for root, and stops only where ext4 keeps its last reserve, for allocations of its
// own that must not fail (measured on Linux 6: a write that met the end of a 5 % reserved ext4
// leaves no block available, and as many free as /sys/fs/ext4/<device>/reserved_clusters names
// for root, those and the 5 % for other users; on tmpfs none free).
#pragma once

#include <sys/statvfs.h>

#include <optional>
#include <string>

namespace molbench {

// The bytes the file system that holds `folder` keeps back even from root: ext4's reserved
// clusters, by its device's entry under /sys/fs/ext4. Nothing where that cannot be read (not
// ext4, or no /sys).
std::optional<unsigned long long> keptFromRoot(const std::string& folder);

// When this program runs as root, what the file system of the folder where the shell's mktemp
// makes its files ($TMPDIR, else /tmp) keeps even from root; nothing for other users, or where
// that is not known.
std::optional<unsigned long long> shellScratchKeptFromRoot();

// The bytes a write can still get: for root, the free bytes less what is kept even from root;
// for other users, and for root where that is not known, the bytes available to users.
unsigned long long roomLeft(const struct statvfs& disk, bool root,
                            std::optional<unsigned long long> keptFromRoot);

}  // namespace molbench
