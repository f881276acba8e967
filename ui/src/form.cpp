#include "ui/form.h"

namespace ui {

namespace {
int deferring = 0;
TablesAfterFirstPaint* waitingTables = nullptr;
} // namespace

Form::Form(QWidget* parent) : QDialog(parent) {}

void Form::ensureBuilt() {
    if (built_) return;
    built_ = true;
    buildWidgets();
}

void Form::setVisible(bool visible) {
    if (visible) ensureBuilt();
    QDialog::setVisible(visible);
}

void Form::buildNowUnlessDeferred() {
    if (deferring == 0) ensureBuilt();
}

DeferredWidgets::DeferredWidgets() {
    ++deferring;
}
DeferredWidgets::~DeferredWidgets() {
    --deferring;
}

void openAtCreation(QObject* owner, std::function<void()> open) {
    if (waitingTables && !waitingTables->ran_)
        waitingTables->waiting_.emplace_back(owner, std::move(open));
    else
        open();
}

TablesAfterFirstPaint::TablesAfterFirstPaint() : previous_(waitingTables) {
    waitingTables = this;
}
TablesAfterFirstPaint::~TablesAfterFirstPaint() {
    waitingTables = previous_;
}

void TablesAfterFirstPaint::run() {
    if (ran_) return;
    ran_ = true;
    for (auto& [owner, open] : std::exchange(waiting_, {}))
        if (owner) open();
}

void ensureBuilt(QWidget* widget) {
    if (auto* form = qobject_cast<Form*>(widget)) form->ensureBuilt();
}

} // namespace ui
