#include "db/testsupport/smalldisk.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace db::testing {
namespace {

bool writeFile(const char* path, const QByteArray& text) {
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Enters a private mount namespace once; an empty text when mounts are possible, else why not.
QString privateMounts() {
    static const QString why = [] {
        const uid_t uid = getuid();
        const gid_t gid = getgid();
        if (unshare(CLONE_NEWNS) != 0) {
            if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                return QStringLiteral("no private mount namespace: %1")
                    .arg(QString::fromLocal8Bit(std::strerror(errno)));
            writeFile("/proc/self/setgroups", "deny");
            if (!writeFile("/proc/self/uid_map", QByteArray("0 ") + QByteArray::number(uid) + " 1") ||
                !writeFile("/proc/self/gid_map", QByteArray("0 ") + QByteArray::number(gid) + " 1"))
                return QStringLiteral("the user namespace cannot map this user");
        }
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return QStringLiteral("mounts cannot be made private: %1")
                .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return QString();
    }();
    return why;
}

QString fillerPath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral(".filler"));
}

} // namespace

SmallDisk::SmallDisk(qint64 bytes) {
    why_ = privateMounts();
    if (!why_.isEmpty()) return;
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0700";
    if (mount("talvero-test", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
              options.constData()) != 0) {
        why_ =
            QStringLiteral("tmpfs cannot be mounted: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
}

SmallDisk::~SmallDisk() {
    if (mounted_) umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

qint64 SmallDisk::freeBytes() const {
    struct statvfs s {};
    if (statvfs(QFile::encodeName(dir_.path()).constData(), &s) != 0) return 0;
    return qint64(s.f_bavail) * qint64(s.f_frsize);
}

void SmallDisk::fill(qint64 leaveFree) {
    const qint64 take = freeBytes() - leaveFree;
    if (take <= 0) return;
    const int fd =
        ::open(QFile::encodeName(fillerPath(path())).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0) return;
    struct stat st {};
    fstat(fd, &st);
    posix_fallocate(fd, st.st_size, take);
    ::close(fd);
}

void SmallDisk::freeUp() {
    QFile::remove(fillerPath(path()));
}

void SmallDisk::makeReadOnly() {
    if (!mounted_) return;
    mount(nullptr, QFile::encodeName(dir_.path()).constData(), nullptr,
          MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr);
}

} // namespace db::testing
