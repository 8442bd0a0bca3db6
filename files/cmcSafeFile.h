#pragma once
#include <string>

// Replaces a file's content as one step: the bytes go to a temporary file in
// the target's folder, reach the disk, and only then take the target's
// place. A failure at any point leaves the old file exactly as it was and
// removes the temporary, so a save never destroys the user's last good copy.
// A symbolic link stays a link to the replaced file; a device or a pipe is
// written as it is, never replaced.
namespace cmcSafeFile {

// Returns a FileErr code: 0, 1 when the target or its temporary cannot be
// created (missing folder, a folder in the target's place, a write-protected
// target), 2 when writing, flushing or the final rename fails.
int Write(const std::string& path, const std::string& content);

}  // namespace cmcSafeFile
