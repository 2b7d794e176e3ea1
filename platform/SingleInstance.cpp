#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>

namespace kaleno::platform {

QString SingleInstance::DefaultLockPath()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("Kaleno.lock"));
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
