// The guard that keeps a second Kaleno from running beside the first: a lock file in the
// temporary folder, held for the whole run and released when the guard is destroyed.
#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace kaleno::platform {

class SingleInstance {
public:
    // The lock of the whole program, shared by every run of the same user.
    static QString DefaultLockPath();

    explicit SingleInstance(const QString &lockPath = DefaultLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this guard holds the lock (now or already); false while another guard,
    // in this process or another, holds it. A lock left by a run that died is taken over.
    bool TryAcquire();
    QString LockPath() const { return lockPath_; }

private:
    QString lockPath_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace kaleno::platform
