#include "unwinder/wizard.h"

#include "unwinder/service.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QVBoxLayout>

namespace unwinder {

namespace {

// Tools that drive the wizard find each control by its name.
template <class W> W* named(W* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    w->setAccessibleDescription(QLatin1String(name));
    return w;
}

QLabel* wrapped(const char* name) {
    auto* label = named(new QLabel, name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

constexpr int packageRole = Qt::UserRole;

} // namespace

QString Unwinder::titleOf(const QString& package) {
    for (const Known& k : knownComponents()) {
        if (k.package == package) return QStringLiteral("%1 (%2)").arg(k.title, package);
    }
    return package;
}

ComponentPage::ComponentPage(Unwinder* wizard) : wizard_(wizard) {
    named(this, "ComponentPage");
    setTitle(QStringLiteral("Select Components"));
    setSubTitle(QStringLiteral("Check the components to uninstall."));
    list_ = named(new QListWidget, "ComponentList");
    notice_ = wrapped("ServiceLabel");
    notice_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(notice_);

    if (!installedComponents(wizard_->options(), components_, loadError_)) {
        wizard_->setupError = loadError_;
        notice_->setText(QStringLiteral("The package database cannot be read:\n%1").arg(loadError_));
        notice_->show();
        list_->hide();
        return;
    }
    if (components_.isEmpty()) {
        notice_->setText(
            QStringLiteral("None of the components is installed; there is nothing to uninstall."));
        notice_->show();
    }
    for (const Component& c : components_) {
        auto* item = new QListWidgetItem(
            QStringLiteral("%1 (%2)    %3").arg(c.title, c.package, formatSize(c.installedKiB)), list_);
        item->setData(packageRole, c.package);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Checked);
    }
    connect(list_, &QListWidget::itemChanged, this, &ComponentPage::completeChanged);
}

QStringList ComponentPage::chosen() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->checkState() == Qt::Checked) out << list_->item(i)->data(packageRole).toString();
    }
    return out;
}

QList<Component> ComponentPage::chosenComponents() const {
    const QStringList packages = chosen();
    QList<Component> out;
    for (const Component& c : components_) {
        if (packages.contains(c.package)) out.append(c);
    }
    return out;
}

bool ComponentPage::isComplete() const {
    return !loadError_.isEmpty() || !chosen().isEmpty();
}

int ComponentPage::nextId() const {
    return loadError_.isEmpty() ? Unwinder::Summary : Unwinder::Error;
}

bool ComponentPage::validatePage() {
    if (!loadError_.isEmpty()) return true;
    if (const auto server = runningServer(wizard_->options())) {
        notice_->setText(refusalText(*server));
        notice_->show();
        return false;
    }
    notice_->hide();
    return true;
}

SummaryPage::SummaryPage(Unwinder* wizard) : wizard_(wizard) {
    named(this, "SummaryPage");
    setTitle(QStringLiteral("Ready to Uninstall"));
    setSubTitle(QStringLiteral("These components will be removed. Press Uninstall to begin."));
    text_ = wrapped("SummaryText");
    total_ = wrapped("TotalLabel");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addStretch();
    layout->addWidget(total_);
    setCommitPage(true);
    setButtonText(QWizard::CommitButton, QStringLiteral("&Uninstall"));
}

void SummaryPage::initializePage() {
    const QList<Component> chosen = wizard_->componentPage()->chosenComponents();
    QStringList lines;
    for (const Component& c : chosen)
        lines << QStringLiteral("%1 (%2)    %3").arg(c.title, c.package, formatSize(c.installedKiB));
    text_->setText(lines.join(QLatin1Char('\n')));
    total_->setText(QStringLiteral("Total size: %1").arg(formatSize(totalKiB(chosen))));
}

ProgressPage::ProgressPage(Unwinder* wizard) : wizard_(wizard) {
    named(this, "ProgressPage");
    setTitle(QStringLiteral("Uninstalling"));
    current_ = wrapped("CurrentLabel");
    currentBar_ = named(new QProgressBar, "CurrentBar");
    totalBar_ = named(new QProgressBar, "TotalBar");
    list_ = named(new QListWidget, "RemovalList");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(current_);
    layout->addWidget(currentBar_);
    layout->addWidget(new QLabel(QStringLiteral("Total:")));
    layout->addWidget(totalBar_);
    layout->addWidget(list_);
    Removal* removal = &wizard_->removal();
    connect(removal, &Removal::progress, this, &ProgressPage::progress);
    connect(removal, &Removal::itemFinished, this, &ProgressPage::itemFinished);
    connect(removal, &Removal::finished, this, &ProgressPage::finished);
}

void ProgressPage::initializePage() {
    packages_ = wizard_->componentPage()->chosen();
    done_ = false;
    list_->clear();
    currentBar_->setRange(0, 100);
    currentBar_->setValue(0);
    totalBar_->setRange(0, int(packages_.size()));
    totalBar_->setValue(0);
    current_->setText(QStringLiteral("Starting the package manager..."));
    // dpkg stopped halfway leaves packages half-removed: no way out until it ends.
    wizard_->button(QWizard::CancelButton)->setEnabled(false);
    wizard_->removal().start(packages_);
}

void ProgressPage::progress(const QString& package, int percent) {
    current_->setText(QStringLiteral("Removing %1").arg(Unwinder::titleOf(package)));
    currentBar_->setValue(percent);
}

void ProgressPage::itemFinished(const Outcome& outcome) {
    const QString title = Unwinder::titleOf(outcome.package);
    list_->addItem(outcome.removed ? QStringLiteral("Removed: %1").arg(title)
                                   : QStringLiteral("Failed: %1: %2").arg(title, outcome.message));
    totalBar_->setValue(list_->count());
}

void ProgressPage::finished() {
    // The package database has the last word on every item.
    list_->clear();
    for (const Outcome& o : wizard_->removal().outcomes())
        itemFinished(o);
    current_->setText(QStringLiteral("Done."));
    currentBar_->setValue(100);
    done_ = true;
    wizard_->button(QWizard::CancelButton)->setEnabled(true);
    emit completeChanged();
}

bool ProgressPage::isComplete() const {
    return done_;
}

int ProgressPage::nextId() const {
    for (const Outcome& o : wizard_->removal().outcomes()) {
        if (!o.removed) return Unwinder::Error;
    }
    return Unwinder::Finish;
}

ResultPage::ResultPage(Unwinder* wizard, bool failed) : wizard_(wizard), failed_(failed) {
    named(this, failed ? "ErrorPage" : "FinishPage");
    setTitle(failed ? QStringLiteral("Uninstall Incomplete") : QStringLiteral("Uninstall Complete"));
    setFinalPage(true);
    text_ = wrapped(failed ? "ErrorText" : "FinishText");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    if (failed) {
        output_ = named(new QPlainTextEdit, "DpkgOutput");
        output_->setReadOnly(true);
        layout->addWidget(output_);
    }
}

void ResultPage::initializePage() {
    if (!wizard_->setupError.isEmpty()) {
        text_->setText(QStringLiteral("Nothing was removed. The package database cannot be read."));
        if (output_) output_->setPlainText(wizard_->setupError);
        return;
    }
    QStringList removed;
    QStringList failed;
    for (const Outcome& o : wizard_->removal().outcomes()) {
        if (o.removed)
            removed << QStringLiteral("    ") + Unwinder::titleOf(o.package);
        else
            failed << QStringLiteral("    %1: %2").arg(Unwinder::titleOf(o.package), o.message);
    }
    QString text;
    if (!failed.isEmpty())
        text = QStringLiteral("These components could not be removed:\n") + failed.join(QLatin1Char('\n'));
    if (!removed.isEmpty()) {
        if (!text.isEmpty()) text += QStringLiteral("\n\n");
        text += QStringLiteral("These components were removed:\n") + removed.join(QLatin1Char('\n'));
    }
    text_->setText(text);
    if (output_) output_->setPlainText(wizard_->removal().errorOutput());
}

void Unwinder::reject() {
    if (!removal_.running()) QWizard::reject();
}

Unwinder::Unwinder(Options options, QWidget* parent)
    : QWizard(parent), options_(std::move(options)), removal_(options_) {
    setObjectName(QStringLiteral("Unwinder"));
    setWindowTitle(QStringLiteral("Uninstall the Talvero Database Server"));
    components_ = new ComponentPage(this);
    setPage(Components, components_);
    setPage(Summary, new SummaryPage(this));
    setPage(Progress, new ProgressPage(this));
    setPage(Finish, new ResultPage(this, false));
    setPage(Error, new ResultPage(this, true));
    setStartId(Components);
}

} // namespace unwinder
