#pragma once
// A small real file system for tests of a full disk and of a read-only folder: a tmpfs mounted in a
// private mount namespace of the test process (a user namespace too where the process may not mount
// otherwise), so nothing outside the test sees it. Where the machine allows neither, available() is
// false and why() says why; the test then skips or uses SQLite's page limit instead.
//
// The namespace belongs to the thread that first makes a SmallDisk (the test's main thread); the
// processes it starts (scripts, talvero-cli) see the mount too.

#include <QString>
#include <QTemporaryDir>

namespace db::testing {

class SmallDisk {
public:
    explicit SmallDisk(qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool available() const noexcept { return mounted_; }
    const QString& why() const noexcept { return why_; }
    // The mounted folder.
    QString path() const { return dir_.path(); }

    // Takes up the free space of the file system but `leaveFree` bytes, with one filler file.
    void fill(qint64 leaveFree);
    // Removes the filler again.
    void freeUp();
    qint64 freeBytes() const;
    // Mounts it again read-only: every write fails, as on a read-only disk or share.
    void makeReadOnly();

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString why_;
};

} // namespace db::testing
