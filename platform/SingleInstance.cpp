#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace kaleno::platform {

QString SingleInstance::DefaultLockPath()
{
#ifdef Q_OS_WIN
    // The temporary folder belongs to the user already.
    return QDir(QDir::tempPath()).filePath(QStringLiteral("Kaleno.lock"));
#else
    // /tmp is shared by every account of a classroom machine: one lock per user, so that
    // a pupil's Kaleno neither blocks nor is blocked by another session's.
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("Kaleno-%1.lock").arg(static_cast<qulonglong>(getuid())));
#endif
}

SingleInstance::SingleInstance(const QString &lockPath)
    : lockPath_(lockPath)
    , lock_(std::make_unique<QLockFile>(lockPath))
{
    // The program may run for hours: age alone must never make the lock stale. A lock
    // whose process is gone (a crash) is still recognised by its dead process id.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::TryAcquire()
{
    // QLockFile refuses a second tryLock() on a lock it already holds.
    if (lock_->isLocked())
        return true;
    return lock_->tryLock(0);
}

} // namespace kaleno::platform
