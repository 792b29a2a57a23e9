#pragma once

#include <QDateTime>
#include <string>
#include <vector>

class QObject;

// Unsaved work, kept safe: while the scene has changes not yet autosaved, it
// is written as a session to $XDG_STATE_HOME/velmora/autosave-<pid>.ora at
// most every AutosaveIntervalMs. A single-shot timer is armed by a change
// only, so nothing runs while nothing changes. The scene is copied on the GUI
// thread and written on a worker thread, atomically.

constexpr int AutosaveIntervalMs = 30000;

// The folder autosaves go to, and this process's own file in it.
std::string AutosaveFolder();
std::string OwnAutosavePath();

// Starts autosaving, its timer owned by `owner`; the interval may be shorter
// (for tests).
void StartAutosave(QObject* owner, int intervalMs = AutosaveIntervalMs);
// A clean end: waits for a write under way and removes this process's file.
void EndAutosave();
// Waits for a write under way (for tests and benchmarks).
void WaitForAutosave();

// After every composed frame: a scene that differs from the one last seen
// counts as a change.
void NoteSceneShown();
// The scene was saved as a picture or a session (or is the start's scene).
void NoteSceneSaved();
// Whether the scene changed since it was last saved.
bool SceneUnsaved();

// An autosave left by a process that is no longer running.
struct StaleAutosave {
    std::string Path;
    QDateTime Written;
};
// Newest first; the files of running copies are never among them.
std::vector<StaleAutosave> FindStaleAutosaves();
// Makes a restored autosave this process's own, so the work stays safe
// until the next autosave replaces it.
void AdoptAutosave(const std::string& path);
