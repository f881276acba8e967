#include "ui/today.h"

namespace ui {

namespace {
QDate overrideDate;
}

QDate today() {
    return overrideDate.isValid() ? overrideDate : QDate::currentDate();
}

TodayOverride::TodayOverride(QDate date) : previous_(overrideDate) {
    overrideDate = date;
}
TodayOverride::~TodayOverride() {
    overrideDate = previous_;
}

} // namespace ui
