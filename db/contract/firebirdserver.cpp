#include "firebirdserver.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace contract {
namespace {

const char* const keys[] = {"DRIVER", "HOST", "PORT", "DATABASE", "USER", "PASSWORD", "PASSWORD_FILE"};

QString quoted(const QString& text) {
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

} // namespace

std::optional<FirebirdServer> FirebirdServer::fromEnvironment() {
    if (!qEnvironmentVariableIsSet("TALVERO_FIREBIRD_PASSWORD") ||
        !qEnvironmentVariableIsSet("TALVERO_FIREBIRD_DIR"))
        return std::nullopt;
    FirebirdServer server;
    server.host = qEnvironmentVariable("TALVERO_FIREBIRD_HOST", QStringLiteral("127.0.0.1"));
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("TALVERO_FIREBIRD_PORT", &ok);
    if (ok) server.port = port;
    server.user = qEnvironmentVariable("TALVERO_FIREBIRD_USER", QStringLiteral("SYSDBA"));
    server.password = qEnvironmentVariable("TALVERO_FIREBIRD_PASSWORD");
    server.folder = qEnvironmentVariable("TALVERO_FIREBIRD_DIR");
    return server;
}

bool FirebirdServer::required() {
    return qEnvironmentVariable("TALVERO_FIREBIRD_REQUIRED") == QStringLiteral("1");
}

QString FirebirdServer::remote(const QString& path) const {
    return host + (port > 0 ? QStringLiteral("/%1").arg(port) : QString()) + u':' + path;
}

QString FirebirdServer::isql(const QString& path, const QString& script) const {
    QProcess process;
    // The password travels in isql's environment, never on its command line.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ISC_USER"), user);
    environment.insert(QStringLiteral("ISC_PASSWORD"), password);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QStringList arguments{QStringLiteral("-q"), QStringLiteral("-b")};
    if (!path.isEmpty()) arguments << remote(path);
    process.start(QStringLiteral("isql-fb"), arguments);
    if (!process.waitForStarted(10000)) return QStringLiteral("isql-fb cannot be started");
    process.write(script.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        return QStringLiteral("isql-fb did not finish");
    }
    const QString output = QString::fromUtf8(process.readAll()).trimmed();
    if (process.exitCode() != 0 && output.isEmpty()) return QStringLiteral("isql-fb failed");
    return process.exitCode() != 0 ? output : QString();
}

QString FirebirdServer::createDatabase(const QString& path) const {
    return isql({},
                QStringLiteral("CREATE DATABASE %1 DEFAULT CHARACTER SET UTF8;\n").arg(quoted(remote(path))));
}

void FirebirdServer::dropDatabase(const QString& path) const {
    isql(path, QStringLiteral("DROP DATABASE;\n"));
}

AliasOnServer::AliasOnServer(db::Alias alias, const FirebirdServer& server, const QString& path)
    : prefix_(QStringLiteral("TALVERO_%1_").arg(db::aliasName(alias).toUpper())) {
    const auto set = [this](const char* key, const QString& value) {
        qputenv((prefix_ + QLatin1String(key)).toLatin1().constData(), value.toUtf8());
    };
    set("DRIVER", QString::fromLatin1(db::firebirdDriverName));
    set("HOST", server.host);
    if (server.port > 0) set("PORT", QString::number(server.port));
    set("DATABASE", path);
    set("USER", server.user);
    set("PASSWORD", server.password);
}

AliasOnServer::~AliasOnServer() {
    for (const char* key : keys)
        qunsetenv((prefix_ + QLatin1String(key)).toLatin1().constData());
}

std::optional<FirebirdServer> serverForTest() {
    std::optional<FirebirdServer> server = FirebirdServer::fromEnvironment();
    // FAIL and GTEST_SKIP return from the function they stand in, hence the lambda.
    if (!server)
        [] {
            if (FirebirdServer::required())
                FAIL() << "TALVERO_FIREBIRD_REQUIRED=1 but TALVERO_FIREBIRD_PASSWORD or TALVERO_FIREBIRD_DIR "
                          "is unset";
            GTEST_SKIP() << "no Firebird server named by TALVERO_FIREBIRD_*";
        }();
    return server;
}

bool TestDatabases::create(const FirebirdServer& server, const QString& loanPath, const QString& investPath) {
    server_ = server;
    for (const auto& [alias, path] :
         {std::pair{db::Alias::IBLoan, loanPath}, std::pair{db::Alias::IBInvest, investPath}}) {
        const QString error = server.createDatabase(path);
        if (!error.isEmpty()) {
            [&error] {
                if (FirebirdServer::required())
                    FAIL() << "the Firebird server is not reachable: " << error.toStdString();
                GTEST_SKIP() << "no Firebird server reachable: " << error.toStdString();
            }();
            return false;
        }
        paths_.push_back(path);
        aliases_.emplace_back(std::make_unique<AliasOnServer>(alias, server, path));
    }
    return true;
}

void TestDatabases::drop() {
    aliases_.clear();
    if (server_)
        for (const QString& path : paths_)
            server_->dropDatabase(path);
    paths_.clear();
}

} // namespace contract
