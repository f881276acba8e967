#pragma once
// The one source of "today" for the whole program; tests fix it with TodayOverride.

#include <QDate>

namespace ui {

QDate today();

class TodayOverride {
public:
    explicit TodayOverride(QDate date);
    ~TodayOverride();
    TodayOverride(const TodayOverride&) = delete;
    TodayOverride& operator=(const TodayOverride&) = delete;

private:
    QDate previous_;
};

} // namespace ui
