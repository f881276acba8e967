#pragma once
// The first paint of a program's main window, and the start-up probe: with
// TALVERO_QUIT_AT_FIRST_PAINT set, a program writes "first paint <peak resident KB so far>" on
// standard output once its main window has painted for the first time, finishes its start-up
// (the program then writes "started <forms>") and quits. bench/startup times the program and a
// bare Qt window this way, so both stop at the same moment. Header only, so the bare window needs
// nothing of ours but this.

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <functional>
#include <utility>

namespace ui {

inline constexpr const char* kQuitAtFirstPaint = "TALVERO_QUIT_AT_FIRST_PAINT";

class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* window, std::function<void()> then)
        : QObject(window), window_(window), then_(std::move(then)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || done_) return false;
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != window_) return false;
        done_ = true;
        qApp->removeEventFilter(this);
        // Posted, so the whole window has painted (one sync of its backing store) before it runs.
        QTimer::singleShot(0, this, [this] { then_(); });
        return false;
    }

private:
    QPointer<QWidget> window_;
    std::function<void()> then_;
    bool done_ = false;
};

// Runs `then` once, right after `window` has painted for the first time.
inline void afterFirstPaint(QWidget* window, std::function<void()> then) {
    new FirstPaint(window, std::move(then));
}

// Whether the start-up probe is asked for.
inline bool startupProbe() {
    return qEnvironmentVariableIsSet(kQuitAtFirstPaint);
}

// The probe's report of the first paint.
inline void reportFirstPaint() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("first paint %ld\n", usage.ru_maxrss);
    std::fflush(stdout);
}

// The probe's report that the program has started after its first paint: the number of forms the
// main window holds then.
inline void reportStarted(long long forms) {
    std::printf("started %lld\n", forms);
    std::fflush(stdout);
}

} // namespace ui
