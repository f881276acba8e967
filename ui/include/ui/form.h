#pragma once
// The base of every command form. A form made under DeferredWidgets (start-up makes every form so)
// exists at once with its data, its name and its caption, and builds its widgets the first time
// they are needed: when it is shown (also through ui::showModal), or when another form fills or
// reads it. Any other form builds them in its constructor. (Assistive tools see shown windows only.)

#include "ui/export.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <utility>
#include <vector>

namespace ui {

class UI_EXPORT Form : public QDialog {
    Q_OBJECT
public:
    // Builds the widgets unless they are built.
    void ensureBuilt();
    bool isBuilt() const { return built_; }

    void setVisible(bool visible) override;

protected:
    explicit Form(QWidget* parent = nullptr);
    // The widgets, built once. Members a form's widgets show are in place by the time it runs.
    virtual void buildWidgets() = 0;
    // The last step of the most derived constructor: the widgets now, or under DeferredWidgets
    // when first needed.
    void buildNowUnlessDeferred();

private:
    bool built_ = false;
};

// While one lives, forms made build their widgets when first needed.
class UI_EXPORT DeferredWidgets {
public:
    DeferredWidgets();
    ~DeferredWidgets();
    DeferredWidgets(const DeferredWidgets&) = delete;
    DeferredWidgets& operator=(const DeferredWidgets&) = delete;
};

// What a form's creation opens (its tables, so an unreachable database shows at start-up): at once,
// or, while a TablesAfterFirstPaint lives and has not run, when it runs, in the order asked. Nothing
// runs for an `owner` gone by then.
UI_EXPORT void openAtCreation(QObject* owner, std::function<void()> open);

// Start-up opens the forms' tables right after the main window's first paint, so the window is not
// kept waiting for the database files and the SQL driver; the errors still show at start-up.
class UI_EXPORT TablesAfterFirstPaint {
public:
    TablesAfterFirstPaint();
    ~TablesAfterFirstPaint();
    TablesAfterFirstPaint(const TablesAfterFirstPaint&) = delete;
    TablesAfterFirstPaint& operator=(const TablesAfterFirstPaint&) = delete;
    // Opens what waited; what is asked for later opens at once.
    void run();

private:
    friend void openAtCreation(QObject*, std::function<void()>);
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> waiting_;
    bool ran_ = false;
    TablesAfterFirstPaint* previous_;
};

// Builds `widget`'s widgets when it is a form that has not built them; anything else is left alone.
UI_EXPORT void ensureBuilt(QWidget* widget);

} // namespace ui
