#pragma once
// Removing packages through dpkg: one run for all the packages chosen (one password prompt when
// it runs through pkexec), followed on its status output package by package; each package's
// outcome is what the package database says afterwards.

#include "unwinder/options.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace unwinder {

// The command that removes `packages`: dpkg itself when the wizard runs as root or the package
// database is its own to write, else dpkg through pkexec.
QStringList removalCommand(const Options& options, const QStringList& packages, bool asRoot,
                           bool databaseWritable);

struct Outcome {
    QString package;
    bool removed = false;
    QString message; // dpkg's reason when not removed
};

class Removal : public QObject {
    Q_OBJECT
public:
    explicit Removal(Options options, QObject* parent = nullptr);

    // Starts dpkg on the packages (in this order); finished() follows, always.
    void start(const QStringList& packages);
    bool running() const;
    // The outcome of each package as the package database tells it after the run, in the order
    // given; itemFinished() told each as dpkg went.
    const QList<Outcome>& outcomes() const { return outcomes_; }
    // dpkg's own error output of the run, for the error page.
    QString errorOutput() const { return errorOutput_; }

signals:
    // The package dpkg works on and how far it got with it, 0 to 100.
    void progress(const QString& package, int percent);
    void itemFinished(const Outcome& outcome);
    void finished();

private:
    void readStatus();
    void statusLine(const QString& line);
    void report(const Outcome& outcome);
    void done(const QString& failure);

    Options options_;
    QStringList packages_;
    QProcess process_;
    QByteArray pending_;
    QString errorOutput_;
    QList<Outcome> outcomes_;
    QStringList reported_;
    QHash<QString, QString> errors_;
    bool ended_ = false;
};

} // namespace unwinder
