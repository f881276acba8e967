#pragma once
// Whether the database server runs: its systemd service, or its processes (fbguard, firebird)
// when the service manager does not know it.

#include "unwinder/options.h"

#include <QString>

#include <optional>

namespace unwinder {

struct RunningServer {
    QString unit;    // the service found active ("firebird3.0"), or empty
    QString process; // the server process found running ("fbguard"), or empty
};

// The service unit of Debian's Firebird 3 server.
inline constexpr const char* serverUnit = "firebird3.0";

std::optional<RunningServer> runningServer(const Options& options);

// Why the wizard does not go on, and how to stop the server.
QString refusalText(const RunningServer& server);

} // namespace unwinder
