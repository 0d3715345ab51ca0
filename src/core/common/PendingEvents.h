#pragma once
// Long steps of the core (restoring a data file, exports) let the window
// system's pending events run at fixed points. The core knows no window
// system: the application installs the handler.
#include <functional>

namespace varnel {
void SetPendingEventsHandler(std::function<void()> handler);
void LetPendingEventsRun();
}  // namespace varnel
