#include "unwinder/components.h"

#include <QProcess>

namespace unwinder {

const QList<Known>& knownComponents() {
    static const QList<Known> known = {
        {QStringLiteral("talvero"), QStringLiteral("Talvero financial calculator")},
        {QStringLiteral("firebird3.0-server"), QStringLiteral("Firebird 3 database server")},
        {QStringLiteral("firebird3.0-server-core"), QStringLiteral("Firebird 3 database engine")},
        {QStringLiteral("libib-util"), QStringLiteral("Firebird user-defined function support")},
        {QStringLiteral("firebird3.0-utils"), QStringLiteral("Firebird command-line tools (isql-fb, gbak)")},
        {QStringLiteral("libqt6sql6-ibase"), QStringLiteral("Qt 6 Firebird database driver")},
        {QStringLiteral("libfbclient2"), QStringLiteral("Firebird client library")},
        {QStringLiteral("firebird3.0-common"), QStringLiteral("Firebird common files")},
    };
    return known;
}

namespace {

struct Row {
    QString package;
    QString state;
    qint64 kib = 0;
};

// dpkg-query's rows for the packages it knows; false when it cannot run or read the database.
bool query(const Options& options, const QStringList& packages, QList<Row>& rows, QString& error) {
    QProcess p;
    QStringList args = databaseOptions(options);
    args << QStringLiteral("--show")
         << QStringLiteral("--showformat=${Package}\\t${Status}\\t${Installed-Size}\\n") << packages;
    p.start(QStringLiteral("dpkg-query"), args);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit) {
        error = QStringLiteral("dpkg-query could not run: %1").arg(p.errorString());
        return false;
    }
    // Exit 1 means some package is unknown; anything else, that the database could not be read.
    const QString err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    if (p.exitCode() > 1) {
        error = err.isEmpty() ? QStringLiteral("dpkg-query failed with exit code %1").arg(p.exitCode()) : err;
        return false;
    }
    const QStringList lines = QString::fromLocal8Bit(p.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 3) continue;
        // Status: want flag, error flag, state.
        const QStringList status = fields[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        rows.append({fields[0], status.value(2), fields[2].toLongLong()});
    }
    return true;
}

bool present(const QString& state) {
    return !state.isEmpty() && state != QLatin1String("not-installed") &&
           state != QLatin1String("config-files");
}

} // namespace

bool installedComponents(const Options& options, QList<Component>& out, QString& error) {
    QStringList names;
    for (const Known& k : knownComponents())
        names << k.package;
    QList<Row> rows;
    if (!query(options, names, rows, error)) return false;
    out.clear();
    for (const Known& k : knownComponents()) {
        for (const Row& r : rows) {
            if (r.package == k.package && present(r.state)) {
                out.append({k.package, k.title, r.kib});
                break;
            }
        }
    }
    return true;
}

QStringList packageStates(const Options& options, const QStringList& packages) {
    QList<Row> rows;
    QString error;
    query(options, packages, rows, error);
    QStringList out;
    for (const QString& name : packages) {
        QString state = QStringLiteral("not-installed");
        for (const Row& r : rows) {
            if (r.package == name) state = r.state;
        }
        out << state;
    }
    return out;
}

QString formatSize(qint64 kib) {
    if (kib < 1024) return QStringLiteral("%1 KB").arg(kib);
    return QStringLiteral("%1 MB").arg(double(kib) / 1024.0, 0, 'f', 1);
}

qint64 totalKiB(const QList<Component>& components) {
    qint64 sum = 0;
    for (const Component& c : components)
        sum += c.installedKiB;
    return sum;
}

} // namespace unwinder
