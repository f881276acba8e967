#pragma once
// The Firebird server the contract and load tests use, named by the environment:
//   TALVERO_FIREBIRD_HOST      server host (127.0.0.1 when unset)
//   TALVERO_FIREBIRD_PORT      server port (the server's default when unset)
//   TALVERO_FIREBIRD_USER      user (SYSDBA when unset)
//   TALVERO_FIREBIRD_PASSWORD  the user's password
//   TALVERO_FIREBIRD_DIR       a folder the server writes the test databases into
//   TALVERO_FIREBIRD_REQUIRED  1: a server that is not configured or not reachable fails the tests
// Databases are made with isql-fb (the driver cannot create one) and the aliases are pointed at
// them through the TALVERO_IBLOAN_* / TALVERO_IBINVEST_* variables of the connection layer.

#include "db/connection.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace contract {

struct FirebirdServer {
    QString host;
    int port = -1;
    QString user;
    QString password;
    QString folder;

    // The server the environment names, or nothing when TALVERO_FIREBIRD_PASSWORD or _DIR is unset.
    static std::optional<FirebirdServer> fromEnvironment();
    static bool required();

    // host/port:path, as Firebird names a remote database.
    QString remote(const QString& path) const;

    // Creates an empty database (UTF8) at `path` on the server; returns the isql error text, or an
    // empty string on success.
    QString createDatabase(const QString& path) const;
    // Drops the database; errors are ignored.
    void dropDatabase(const QString& path) const;
    // Runs an isql script against the database; returns isql's output (errors included).
    QString isql(const QString& path, const QString& script) const;
};

// Points the alias at a Firebird database through the environment; restores it on destruction.
class AliasOnServer {
public:
    AliasOnServer(db::Alias alias, const FirebirdServer& server, const QString& path);
    ~AliasOnServer();
    AliasOnServer(const AliasOnServer&) = delete;
    AliasOnServer& operator=(const AliasOnServer&) = delete;

private:
    QString prefix_;
};

// For a test: the server the environment names. When none is named the test is skipped, or fails
// when TALVERO_FIREBIRD_REQUIRED=1; the caller returns on an empty result.
std::optional<FirebirdServer> serverForTest();

// A test's loan and investment databases on the server, with both aliases pointed at them.
class TestDatabases {
public:
    TestDatabases() = default;
    ~TestDatabases() { drop(); }
    TestDatabases(const TestDatabases&) = delete;
    TestDatabases& operator=(const TestDatabases&) = delete;

    // Creates both databases; when the server cannot, the test is skipped (or fails, when a server
    // is required) and false comes back.
    bool create(const FirebirdServer& server, const QString& loanPath, const QString& investPath);
    // A further database of the test, dropped with the others.
    void add(const QString& path) { paths_.push_back(path); }
    // Restores the aliases and drops every database; safe to call again.
    void drop();

private:
    std::optional<FirebirdServer> server_;
    std::vector<QString> paths_;
    std::vector<std::unique_ptr<AliasOnServer>> aliases_;
};

} // namespace contract
