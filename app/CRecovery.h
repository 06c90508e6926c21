// Work survives a crash: the open figures are copied, while they differ from their files, into
// a session folder of the user's data folder, every two minutes and after every 20 changes of
// a figure. A normal end removes the session; the next start finds the sessions whose program
// is gone (their lock is free) and offers to open their figures again.
#pragma once

#include <QElapsedTimer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <map>
#include <memory>

class CMainFrame;
class CPelvantiView;

class CRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultInterval = 2 * 60 * 1000;
    static constexpr uint64_t kChangesBetweenCopies = 20;

    // `folder` holds the sessions; `intervalMs` is the period of the copies of every figure.
    CRecovery(CMainFrame& frame, const QString& folder, int intervalMs = kDefaultInterval);
    // Leaves the session in place, as a crash would: only finish() removes it.
    ~CRecovery() override;

    // AppLocalDataLocation/recovery.
    static QString defaultFolder();

    // Offers to restore the figures of the sessions that ended without finishing; a copy that
    // cannot be read is reported and moved to the folder "endommagées". Returns the number of
    // figures opened.
    int offerRestore();
    // The program ends normally: the figures were saved or given up.
    void finish();

    // Copies the figures whose time or number of changes has come (run every second).
    void tick();
    QString sessionFolder() const { return session_; }

private:
    struct Copy {
        int number;
        uint64_t changes;  // change count of the figure when it was copied
        bool written = false;
    };
    Copy& copyOf(CPelvantiView* view);
    void write(CPelvantiView* view, Copy& copy);
    void forget(CPelvantiView* view);
    QString fileOf(int number, const char* suffix) const;

    CMainFrame& frame_;
    QString folder_;
    QString session_;
    std::unique_ptr<QLockFile> lock_;
    int interval_;
    QTimer timer_;
    QElapsedTimer sinceAll_;
    std::map<CPelvantiView*, Copy> copies_;
    int nextNumber_ = 1;
};
