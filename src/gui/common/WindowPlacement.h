#pragma once
// Where a window of the program opens: over the middle of the window it
// belongs to, kept inside that window's screen, so it never appears in a
// corner of the desktop away from what the user is doing. (Dialogs get this
// from Qt; plain windows owned by another window do not.)
#include <QWidget>

namespace varnel {

// Moves `window` (not yet shown, or shown) over its owner's window.
void PlaceOverOwner(QWidget& window);

}  // namespace varnel
