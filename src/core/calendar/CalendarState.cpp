#include "core/calendar/CalendarState.h"

#include "core/common/DateSerial.h"

namespace varnel {

int32_t CurrentDate = DateSerial(2000, 1, 1);

}  // namespace varnel
