#pragma once

#include <QString>

// The installer writes and removes only inside the folders it names: a folder on the way that
// is a symbolic link (planted, or left by another program) would lead its writes, and worse
// its removals, elsewhere. Such paths are refused, never followed.
namespace LinkedFolders {

// The first folder on the way to `path` that is a symbolic link, or empty when none is. The
// folders are checked below the user's home when the path lies in it (a home reached through
// a link is the system's choice), from the root otherwise. `path` itself is not checked: a
// link in its place is replaced or removed, not followed.
QString linkOnTheWay(const QString& path);

// The Greek reason a path through `link` is refused.
QString refusal(const QString& link);

} // namespace LinkedFolders
