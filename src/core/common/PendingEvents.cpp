#include "core/common/PendingEvents.h"

namespace varnel {
namespace {
std::function<void()>& Handler() {
    static std::function<void()> handler;
    return handler;
}
}  // namespace

void SetPendingEventsHandler(std::function<void()> handler) { Handler() = std::move(handler); }

void LetPendingEventsRun() {
    if (Handler()) Handler()();
}
}  // namespace varnel
