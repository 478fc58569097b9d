#pragma once

#include <QString>

class Diagram;
class cBck;
class cLn;

// The structural rules of connection lines and the commands that make, remove and follow
// them, apart from the widgets that collect the clicks.
namespace Linking {

// The last two digits of a block number, with a leading zero below 10 ("05", "12").
QString twoDigits(int blockNumber);

bool isTest(const cBck& block);     // a decision or a loop test: two exits
bool isJunction(const cBck& block); // any number of entries
// True when a line leaving `block` is labelled "Ν".
bool hasYesExit(const Diagram& diagram, const cBck& block);

// Joins block `source` to block `target` (surface indices) under the connection rules, or
// explains in the message window why not. Returns the new line or nullptr.
cLn* do_link(Diagram& diagram, int source, int target);

// Asks, then removes the first line leaving block `n`.
void delete_cone(Diagram& diagram, int n);

// Asks, then removes the line joining the two blocks (first to second, else second to
// first). False when no line joins them.
bool deleteLinkBetween(Diagram& diagram, int first, int second);

// Lines the block that follows block `n` up with it: Up and Down share the vertical
// centre, Left and Right the horizontal one. Every line is then re-routed.
enum class Direction { Vertical, Horizontal };
void alignFollower(Diagram& diagram, int n, Direction direction);

} // namespace Linking
