#pragma once
// The reading keys that holy-day records and portion entries share in JSON.
#include "core/common/Json.h"

namespace varnel::cli {

template <class Record>
JsonWriter& WriteReadings(JsonWriter& w, const Record& r) {
    return w.Key("torah").String(r.torah)
        .Key("haftarah").String(r.haftarah)
        .Key("sephardic").String(r.sephardic)
        .Key("messianic").String(r.messianic)
        .Key("brithadashah").String(r.brithadashah);
}

}  // namespace varnel::cli
