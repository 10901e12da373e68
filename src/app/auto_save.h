#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class MainWindow;

// Writes the files an exit writes (the list file and the settings files) shortly after the user
// changed a list or an option, so that a crash, a kill or a lost X server loses at most that
// moment. Each file is rewritten only when its content changed.
class AutoSave : public QObject {
public:
    // The changes of one burst (a list filled, a load replaying options) share one write; the
    // first change of a burst is on disk within this delay, however long the burst goes on.
    static constexpr int kDelayMs = 250;

    // Watches every list, check box, spin field and menu check mark of the main window.
    explicit AutoSave(MainWindow& main, int delayMs = kDelayMs);

    // Starts the delay unless a write is already due; a later change never postpones it.
    void schedule();
    bool pending() const { return m_timer.isActive(); }
    // Milliseconds until the pending write, -1 when none is pending.
    int remainingMs() const { return m_timer.remainingTime(); }
    // Writes now, as the exit would, without its questions; errors go to the error report once
    // per distinct message. Settings are written only after they were loaded at the first paint,
    // so a run that ends before that never replaces them with the form defaults.
    void saveNow();
    // For a process that is ending without its event loop (the X server went away): writes a
    // pending change, showing nothing, since no window can be shown any more.
    void flushPending();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& m_main;
    QTimer m_timer;
    bool m_saving = false;
    QString m_lastError;
};
