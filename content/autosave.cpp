#include "content/autosave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <thread>
#include <unistd.h>

#include "content/session_file.h"
#include "scene/scene_changes.h"

namespace {

constexpr const char* AutosavePrefix = "autosave-";

// A write still under way when the program ends is waited for rather than
// cut off (a joinable thread left to its destructor would end the program).
struct JoiningThread {
    std::thread Thread;
    ~JoiningThread() { Wait(); }
    void Wait() {
        if (Thread.joinable()) Thread.join();
    }
};

QPointer<QTimer> Timer;
JoiningThread Worker;
std::atomic<bool> Writing{false};
uint64_t ShownPrint = 0;
uint64_t SavedPrint = 0;
uint64_t AutosavedPrint = 0;
bool Seen = false;

void ArmTimer() {
    if (Timer && !Timer->isActive() && !Writing) Timer->start();
}

void Written() {
    Worker.Wait();
    if (SceneFingerprint() != AutosavedPrint) ArmTimer();
}

// The GUI thread's part is the copy alone; encoding and writing happen on
// the worker, which hands the end back to the GUI thread.
void WriteAutosave() {
    if (Writing) return;
    Worker.Wait();
    auto scene = std::make_shared<SessionScene>();
    if (!TakeSessionScene(*scene)) return;
    AutosavedPrint = SceneFingerprint();
    QDir().mkpath(QString::fromStdString(AutosaveFolder()));
    Writing = true;
    Worker.Thread = std::thread([scene, path = OwnAutosavePath()] {
        std::string error;
        WriteSessionFile(path, *scene, error);
        Writing = false;
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, Written, Qt::QueuedConnection);
    });
}

bool ProcessRunning(qint64 pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return false;
    return kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace

std::string AutosaveFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    QString folder =
        state && *state == '/' ? QString::fromLocal8Bit(state) : QDir::homePath() + "/.local/state";
    return (folder + "/velmora").toStdString();
}

std::string OwnAutosavePath() {
    std::string path = AutosaveFolder();
    path += '/';
    path += AutosavePrefix;
    path += std::to_string(QCoreApplication::applicationPid());
    path += SessionSuffix;
    return path;
}

void StartAutosave(QObject* owner, int intervalMs) {
    Timer = new QTimer(owner);
    Timer->setSingleShot(true);
    Timer->setInterval(intervalMs);
    QObject::connect(Timer, &QTimer::timeout, WriteAutosave);
    AutosavedPrint = SceneFingerprint();
}

void WaitForAutosave() {
    Worker.Wait();
}

void EndAutosave() {
    if (Timer) Timer->stop();
    WaitForAutosave();
    QFile::remove(QString::fromStdString(OwnAutosavePath()));
}

void NoteSceneShown() {
    const uint64_t print = SceneFingerprint();
    if (Seen && print == ShownPrint) return;
    Seen = true;
    ShownPrint = print;
    if (print != AutosavedPrint) ArmTimer();
}

void NoteSceneSaved() {
    SavedPrint = SceneFingerprint();
}

bool SceneUnsaved() {
    return SceneFingerprint() != SavedPrint;
}

std::vector<StaleAutosave> FindStaleAutosaves() {
    std::vector<StaleAutosave> found;
    const QDir folder(QString::fromStdString(AutosaveFolder()));
    const QString pattern = QString(AutosavePrefix) + "*" + SessionSuffix;
    for (const QFileInfo& file : folder.entryInfoList({pattern}, QDir::Files)) {
        const QString digits = file.completeBaseName().mid(int(std::strlen(AutosavePrefix)));
        bool number = false;
        const qint64 pid = digits.toLongLong(&number);
        if (!number || pid == QCoreApplication::applicationPid() || ProcessRunning(pid)) continue;
        found.push_back({file.absoluteFilePath().toStdString(), file.lastModified()});
    }
    std::sort(found.begin(), found.end(),
              [](const StaleAutosave& a, const StaleAutosave& b) { return a.Written > b.Written; });
    return found;
}

void AdoptAutosave(const std::string& path) {
    const QString own = QString::fromStdString(OwnAutosavePath());
    QFile::remove(own);
    QFile::rename(QString::fromStdString(path), own);
    AutosavedPrint = SceneFingerprint();
}
