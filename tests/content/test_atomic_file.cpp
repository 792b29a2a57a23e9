#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "content/atomic_file.h"

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList FilesIn(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

class AtomicSave : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WriteFileAtomically(target_.toStdString(), old_.constData(), old_.size()));
    }
    QTemporaryDir folder_;
    const QString target_ = folder_.filePath("picture.jpg");
    const QByteArray old_ = QByteArray(4096, 'o');
    const std::vector<char> new_ = std::vector<char>(64 << 20, 'n');
};

// A file size limit makes every write past it fail as on a full disk, in a
// child process so that the limit cannot reach the other tests.
TEST_F(AtomicSave, AFullDiskKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1 << 20, 1 << 20};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        const bool written =
            WriteFileAtomically(target_.toStdString(), new_.data(), new_.size(), &error);
        _exit(!written && !error.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the failure went unreported";
    EXPECT_EQ(Contents(target_), old_);
    EXPECT_EQ(FilesIn(folder_), QStringList{"picture.jpg"});
}

// Killed at any moment, a save leaves the old picture or the new one whole,
// and no temporary file.
TEST_F(AtomicSave, ASaveKilledHalfwayLeavesAWholeFileAndNoTemporaryFile) {
    for (int delayMs : {0, 5, 20, 60}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                WriteFileAtomically(target_.toStdString(), new_.data(), new_.size());
        }
        usleep(delayMs * 1000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const QByteArray now = Contents(target_);
        EXPECT_TRUE(now == old_ || now == QByteArray(new_.data(), qsizetype(new_.size())))
            << "killed after " << delayMs << " ms: " << now.size() << " bytes";
        EXPECT_EQ(FilesIn(folder_), QStringList{"picture.jpg"}) << "killed after " << delayMs;
    }
}

} // namespace
