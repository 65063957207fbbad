#include "navigation/DataFolderLock.h"

#include <QString>
#include <system_error>

namespace selvir {

DataFolderLock::DataFolderLock(const std::filesystem::path& root) {
    std::error_code ec;
    std::filesystem::create_directories(root, ec);
    const std::filesystem::path file = root / kFileName;
    lock_ = std::make_unique<QLockFile>(QString::fromStdString(file.string()));
    lock_->setStaleLockTime(0); // a day-long survey holds it: stale only when its process is gone
    owned_ = lock_->tryLock(0);
    if (owned_) {
        return;
    }
    qint64 pid = 0;
    QString host, application;
    if (lock_->error() == QLockFile::LockFailedError && lock_->getLockInfo(&pid, &host, &application)) {
        error_ = "The data folder " + root.string() + " is in use by another running program (process " +
                 std::to_string(pid) + " on " + host.toStdString() +
                 "). Only one program may write a survey there at a time: close the other one first.";
    } else {
        error_ = "The data folder " + root.string() + " cannot be locked (" + file.string() +
                 " cannot be written). Check that you may write there.";
    }
}

} // namespace selvir
