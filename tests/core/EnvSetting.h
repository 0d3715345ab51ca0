#pragma once
// An environment variable set for one test (unset for null) and put back
// afterwards; the C library reads TZ again at each change.
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace varnel::testing {

class EnvSetting {
public:
    EnvSetting(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        Put(value);
    }
    ~EnvSetting() { Put(old_ ? old_->c_str() : nullptr); }
    EnvSetting(const EnvSetting&) = delete;
    EnvSetting& operator=(const EnvSetting&) = delete;

private:
    void Put(const char* value) const {
        if (value) setenv(name_.c_str(), value, 1);
        else unsetenv(name_.c_str());
        tzset();
    }
    std::string name_;
    std::optional<std::string> old_;
};

// The system's time zone for one test.
class SystemZone : public EnvSetting {
public:
    explicit SystemZone(const char* tz) : EnvSetting("TZ", tz) {}
};

}  // namespace varnel::testing
