#pragma once

#include <QString>

// The user's (or the system's) mimeapps.list, as text in and text out.
namespace MimeAppsList {

// `desktopId` becomes the one default for `mime` under [Default Applications] (an earlier
// default for it is replaced, never left above or below ours) and is listed first among the
// applications for it under [Added Associations], which keeps it offered even where no
// desktop database was built.
QString withDefault(const QString& text, const QString& mime, const QString& desktopId);

// `desktopId` taken out of both sections, other applications kept; keys and sections left
// empty go. An empty result means the list holds nothing any more.
QString without(const QString& text, const QString& mime, const QString& desktopId);

// True when either section names `desktopId` for `mime`.
bool mentions(const QString& text, const QString& mime, const QString& desktopId);

} // namespace MimeAppsList
