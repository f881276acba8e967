#include "unwinder/removal.h"

#include "unwinder/components.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace unwinder {

QStringList removalCommand(const Options& options, const QStringList& packages, bool asRoot,
                           bool databaseWritable) {
    QStringList command;
    const bool elevated = !asRoot && !databaseWritable;
    if (elevated) command << options.pkexec;
    command << QStringLiteral("dpkg") << databaseOptions(options);
    // A user's own package database: dpkg need not be root for it.
    if (!asRoot && !elevated) command << QStringLiteral("--force-not-root");
    // dpkg logs below the system it changes, never into the machine's log for a private one.
    if (!options.root.isEmpty())
        command << QStringLiteral("--log=%1")
                       .arg(QDir(options.root).filePath(QStringLiteral("var/log/dpkg.log")));
    command << QStringLiteral("--status-fd") << QStringLiteral("1") << QStringLiteral("--remove") << packages;
    return command;
}

Removal::Removal(Options options, QObject* parent) : QObject(parent), options_(std::move(options)) {
    connect(&process_, &QProcess::readyReadStandardOutput, this, &Removal::readStatus);
    connect(&process_, &QProcess::readyReadStandardError, this,
            [this] { errorOutput_ += QString::fromLocal8Bit(process_.readAllStandardError()); });
    connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        readStatus();
        errorOutput_ += QString::fromLocal8Bit(process_.readAllStandardError());
        QString failure;
        if (status != QProcess::NormalExit)
            failure = QStringLiteral("dpkg ended abnormally");
        else if (code == 126 || code == 127)
            // pkexec's codes: the authorization was dismissed or refused.
            failure = QStringLiteral("Not authorized to remove packages");
        done(failure);
    });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            done(QStringLiteral("%1 could not be started: %2")
                     .arg(process_.program(), process_.errorString()));
    });
}

void Removal::start(const QStringList& packages) {
    packages_ = packages;
    outcomes_.clear();
    reported_.clear();
    ended_ = false;
    errors_.clear();
    errorOutput_.clear();
    pending_.clear();
    const bool asRoot = geteuid() == 0;
    const QString admindir = !options_.admindir.isEmpty() ? options_.admindir
                             : !options_.root.isEmpty()
                                 ? QDir(options_.root).filePath(QStringLiteral("var/lib/dpkg"))
                                 : QStringLiteral("/var/lib/dpkg");
    const bool writable = QFileInfo(admindir).isWritable();
    if (!options_.root.isEmpty()) QDir(options_.root).mkpath(QStringLiteral("var/log"));
    const QStringList command = removalCommand(options_, packages, asRoot, writable);
    process_.start(command.first(), command.mid(1));
}

bool Removal::running() const {
    return process_.state() != QProcess::NotRunning;
}

void Removal::readStatus() {
    pending_ += process_.readAllStandardOutput();
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        statusLine(QString::fromLocal8Bit(pending_.left(end)));
        pending_.remove(0, end + 1);
    }
}

// dpkg --status-fd: "processing: remove: PKG", "status: PKG: STATE", "status: PKG : error : TEXT".
void Removal::statusLine(const QString& line) {
    if (line.startsWith(QLatin1String("processing: remove: "))) {
        emit progress(line.mid(20).section(QLatin1Char(':'), 0, 0).trimmed(), 25);
        return;
    }
    if (!line.startsWith(QLatin1String("status: "))) return;
    const QStringList parts = line.mid(8).split(QLatin1String(" : "));
    if (parts.size() >= 3 && parts[1].trimmed() == QLatin1String("error")) {
        const QString package = parts[0].trimmed().section(QLatin1Char(':'), 0, 0);
        errors_[package] = parts.mid(2).join(QLatin1String(" : ")).trimmed();
        emit progress(package, 100);
        report({package, false, errors_[package]});
        return;
    }
    const QString rest = line.mid(8);
    const qsizetype colon = rest.lastIndexOf(QLatin1String(": "));
    if (colon < 0) return;
    const QString package = rest.left(colon).section(QLatin1Char(':'), 0, 0).trimmed();
    const QString state = rest.mid(colon + 2).trimmed();
    if (state == QLatin1String("half-configured"))
        emit progress(package, 40);
    else if (state == QLatin1String("half-installed"))
        emit progress(package, 60);
    else if (state == QLatin1String("config-files") || state == QLatin1String("not-installed")) {
        emit progress(package, 100);
        report({package, true, QString()});
    }
}

void Removal::report(const Outcome& outcome) {
    if (!packages_.contains(outcome.package) || reported_.contains(outcome.package)) return;
    reported_ << outcome.package;
    emit itemFinished(outcome);
}

void Removal::done(const QString& failure) {
    if (ended_) return; // finished and errorOccurred may both arrive
    ended_ = true;
    // The package database says what was removed, whatever dpkg printed.
    const QStringList states = packageStates(options_, packages_);
    for (qsizetype i = 0; i < packages_.size(); ++i) {
        Outcome o;
        o.package = packages_[i];
        o.removed = states[i] == QLatin1String("not-installed") || states[i] == QLatin1String("config-files");
        if (!o.removed) {
            o.message = errors_.value(o.package);
            if (o.message.isEmpty())
                o.message = !failure.isEmpty() ? failure : QStringLiteral("still %1").arg(states[i]);
        }
        outcomes_.append(o);
        report(o);
    }
    emit finished();
}

} // namespace unwinder
