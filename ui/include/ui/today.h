#pragma once
// The one source of "today" for the whole program; tests fix it with TodayOverride.
// Other readers of the date follow it through onTodayChanged: the engine libraries through their
// "set today" entries, and every module linking the seams keeps its copy of
// talvero::common::today() on it (follow_today.cpp).

#include "ui/export.h"

#include <QDate>
#include <functional>

namespace ui {

UI_EXPORT QDate today();

class UI_EXPORT TodayOverride {
public:
    explicit TodayOverride(QDate date);
    ~TodayOverride();
    TodayOverride(const TodayOverride&) = delete;
    TodayOverride& operator=(const TodayOverride&) = delete;

private:
    QDate previous_;
};

// Told the fixed date whenever it changes, and once at once: (month, day, year) while a
// TodayOverride fixes today, (0, 0, 0) while today follows the system clock.
using TodayListener = std::function<void(int month, int day, int year)>;

// Returns an id for removeTodayListener.
UI_EXPORT int onTodayChanged(TodayListener listener);
UI_EXPORT void removeTodayListener(int id);

// A reader of the date with its own clock (an engine library's "set today" entry) follows the
// program's today from now on; a setter already following is left as it is.
UI_EXPORT void followToday(void (*setter)(int month, int day, int year));

} // namespace ui
