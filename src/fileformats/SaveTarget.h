#pragma once
// What a save must keep of the file it replaces, beyond its contents: the name it is reached by
// (a symbolic link stays a link and its target is written), the owner, the group, the
// permission bits (without setuid, setgid and sticky, which must not pass to new contents) and
// the extended attributes, ACLs among them (without file capabilities).
// Temporary files of a save have a name of their own per target, ".<name>.tarkel-save-<pid>-<n>",
// so that the next save of that target finds and removes those a killed save left behind.
#include <sys/stat.h>

#include <optional>
#include <string>

namespace tarkel {

// The file that a save to `path` writes: symbolic links are followed to the name they point at,
// which need not exist yet (a dangling link creates its target). Empty for a loop of links.
std::optional<std::string> FollowLinks(const std::string& path);

// The beginning of the name of every temporary file of a save to `target`, folder included.
std::string TemporaryPrefix(const std::string& target);

// Marks the temporary file open as `fd` as being written by this process, for as long as `fd`
// (or a duplicate of it) stays open.
bool LockAsWriter(int fd);

// Removes the temporary files of earlier saves to `target` whose writer is gone (killed or
// crashed); a temporary file another save is writing right now is left alone.
void RemoveStaleTemporaries(const std::string& target);

// Gives the new file open as `fd` the owner and group of the file it replaces as far as the
// process may set them, and its read, write and execute bits.
void TakeOverOwnerAndMode(int fd, const struct stat& old);

// Copies the extended attributes of the file at `old` (user attributes, access and default
// ACLs) onto the new file open as `fd`, as far as the file system and the process allow; after
// TakeOverOwnerAndMode, as an ACL sets the group bits of the mode.
void TakeOverExtendedAttributes(int fd, const std::string& old);

}  // namespace tarkel
