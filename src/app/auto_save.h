#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class TTorvane;

// Writes the files an exit writes (the list file and the settings files) a few seconds after the
// user changed a list or an option, so that a crash, a kill or a lost X server loses at most those
// seconds. Each file is rewritten only when its content changed.
class AutoSave : public QObject {
public:
    static constexpr int kDelayMs = 3000;

    // Watches every list, check box, spin field and menu check mark of the main window.
    explicit AutoSave(TTorvane& main, int delayMs = kDelayMs);

    // (Re)starts the delay.
    void schedule();
    bool pending() const { return m_timer.isActive(); }
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
    TTorvane& m_main;
    QTimer m_timer;
    bool m_saving = false;
    QString m_lastError;
};
