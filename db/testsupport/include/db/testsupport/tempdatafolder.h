#pragma once
// A fresh, empty data folder for one test: points TALVERO_HOME at a temporary folder and puts the
// old value back (or unsets it) on destruction.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace db::testing {

class TempDataFolder {
public:
    TempDataFolder();
    ~TempDataFolder();
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    // The data folder (TALVERO_HOME); not created yet, as on a first start.
    const QString& path() const noexcept { return path_; }

    // Writes the aliases file of the data folder (creating the folder).
    void writeAliases(const QByteArray& text) const;

private:
    QTemporaryDir dir_;
    QString path_;
    QByteArray oldHome_;
    bool hadHome_;
};

} // namespace db::testing
