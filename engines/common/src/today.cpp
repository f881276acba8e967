#include "common/today.h"

#include <ctime>

namespace talvero::common {

namespace {
bool g_overridden = false;
Date g_today;
} // namespace

Date today() noexcept {
    if (g_overridden) return g_today;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{local.tm_mon + 1, local.tm_mday, local.tm_year + 1900};
}

void set_today(const Date& date) noexcept {
    g_today = date;
    g_overridden = true;
}

void clear_today() noexcept {
    g_overridden = false;
}

Date first_due_or_today(const char* text) noexcept {
    return text[0] != '\0' ? read_mmddccyy(text) : today();
}

} // namespace talvero::common
