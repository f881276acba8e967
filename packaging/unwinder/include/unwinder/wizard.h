#pragma once
// The removal wizard: component selection, the ready-to-uninstall summary, progress, and a finish
// or an error page. The pages show what the core (components, service, removal) finds and does.

#include "unwinder/components.h"
#include "unwinder/options.h"
#include "unwinder/removal.h"

#include <QWizard>

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;

namespace unwinder {

class Unwinder;

class ComponentPage : public QWizardPage {
    Q_OBJECT
public:
    explicit ComponentPage(Unwinder* wizard);
    bool isComplete() const override;
    bool validatePage() override;
    int nextId() const override;
    QStringList chosen() const; // the packages checked, in the list's order
    QList<Component> chosenComponents() const;

private:
    Unwinder* wizard_;
    QListWidget* list_;
    QLabel* notice_;
    QList<Component> components_;
    QString loadError_;
};

class SummaryPage : public QWizardPage {
    Q_OBJECT
public:
    explicit SummaryPage(Unwinder* wizard);
    void initializePage() override;

private:
    Unwinder* wizard_;
    QLabel* text_;
    QLabel* total_;
};

class ProgressPage : public QWizardPage {
    Q_OBJECT
public:
    explicit ProgressPage(Unwinder* wizard);
    void initializePage() override;
    bool isComplete() const override;
    int nextId() const override;

private:
    void progress(const QString& package, int percent);
    void itemFinished(const Outcome& outcome);
    void finished();

    Unwinder* wizard_;
    QLabel* current_;
    QProgressBar* currentBar_;
    QProgressBar* totalBar_;
    QListWidget* list_;
    QStringList packages_;
    bool done_ = false;
};

class ResultPage : public QWizardPage {
    Q_OBJECT
public:
    ResultPage(Unwinder* wizard, bool failed);
    void initializePage() override;

private:
    Unwinder* wizard_;
    bool failed_;
    QLabel* text_;
    QPlainTextEdit* output_ = nullptr;
};

class Unwinder : public QWizard {
    Q_OBJECT
public:
    enum Page { Components, Summary, Progress, Finish, Error };

    explicit Unwinder(Options options, QWidget* parent = nullptr);

    const Options& options() const { return options_; }
    Removal& removal() { return removal_; }
    ComponentPage* componentPage() const { return components_; }
    // Why the wizard ends on the error page when nothing was removed (the package database
    // could not be read).
    QString setupError;

    // Closing the window or Escape does nothing while dpkg runs.
    void reject() override;

    // "Title (package)" of a known package.
    static QString titleOf(const QString& package);

private:
    Options options_;
    Removal removal_;
    ComponentPage* components_;
};

} // namespace unwinder
