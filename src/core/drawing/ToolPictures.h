#pragma once

#include <QCursor>
#include <QIcon>
#include <QString>

// Toolbar icons and tool pointers, drawn with the same outline code as the blocks.
namespace ToolPictures {

// The icon of a toolbar tool (kind keyword, "END", or empty for the delete button).
QIcon toolIcon(const QString& tool);
// The pointer shown while `tool` is armed.
QCursor toolCursor(const QString& tool);

// Icons of the run buttons.
QIcon runIcon();
QIcon stopIcon();
QIcon nextStepIcon();
QIcon pauseIcon();

} // namespace ToolPictures
