#pragma once
// Puts the process into a locale that writes numbers with a decimal comma,
// as a user's desktop may (the application object adopts the user's locale),
// and restores the previous locale afterwards.
#include <clocale>
#include <string>

namespace testing_support {

class CommaLocale {
public:
    CommaLocale() {
        const char* prev = std::setlocale(LC_ALL, nullptr);
        previous_ = prev ? prev : "C";
        for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8", "pt_BR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',') {
                name_ = name;
                return;
            }
        }
        std::setlocale(LC_ALL, previous_.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    // Empty when this machine has no such locale (package locales-all).
    const std::string& name() const { return name_; }

private:
    std::string previous_;
    std::string name_;
};

}  // namespace testing_support

// Skips the current test with a clear message when no comma locale exists.
#define REQUIRE_COMMA_LOCALE(guard) \
    if ((guard).name().empty())     \
    GTEST_SKIP() << "no locale with a decimal comma here (install locales-all)"
