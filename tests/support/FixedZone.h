// Sets the TZ environment variable for one test and restores the previous value.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace testsupport {

class FixedZone {
public:
    explicit FixedZone(const char* tz) {
        if (const char* old = std::getenv("TZ")) saved = old;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~FixedZone() {
        if (saved)
            setenv("TZ", saved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    FixedZone(const FixedZone&) = delete;
    FixedZone& operator=(const FixedZone&) = delete;

private:
    std::optional<std::string> saved;
};

}  // namespace testsupport
