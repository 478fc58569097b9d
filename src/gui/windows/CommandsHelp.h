#pragma once

#include <QString>

class QWidget;

// "Πώς γράφω τις εντολές": every command form, operator and function with an example, in
// Greek. Opened from the "Βοήθεια" menu and with F1 in every command dialog.
namespace CommandsHelp {

QString text();

// Shows the page in a window of its own over `owner` (a command dialog keeps it usable while
// the dialog waits for its answer). The window is made once per owner.
void show(QWidget* owner);

} // namespace CommandsHelp
