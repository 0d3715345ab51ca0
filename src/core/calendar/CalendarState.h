#pragma once
// The program-wide calendar state that the views and the engine share.
#include <cstdint>

namespace varnel {

// First day of the month the main window shows (a calendar-date serial).
extern int32_t CurrentDate;

}  // namespace varnel
