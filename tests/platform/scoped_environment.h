#pragma once
// Sets or unsets an environment variable for one test and restores it afterwards.

#include <cstdlib>
#include <optional>
#include <string>

namespace velmora::platform::testing {

class ScopedEnvironment {
public:
    // A null value unsets the variable.
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        Set(value);
    }
    ~ScopedEnvironment() { Set(old_ ? old_->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Set(const char* value) {
        value ? ::setenv(name_.c_str(), value, 1) : ::unsetenv(name_.c_str());
    }

    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace velmora::platform::testing
