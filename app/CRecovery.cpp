#include "app/CRecovery.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStatusBar>
#include <algorithm>
#include <vector>

#include "app/CMainFrame.h"
#include "core/CHost.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CAffichage.h"
#include "view/COutilsMacros.h"
#include "view/CPelvantiView.h"

namespace {
const QString kLockName = QStringLiteral("verrou");
const QString kSessionPrefix = QStringLiteral("session-");
const QString kDamagedFolder = QStringLiteral("endommagées");

bool writeAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

std::unique_ptr<QLockFile> lockIn(const QString& folder) {
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(kLockName));
    // Only a dead owner frees a session, however old its lock is.
    lock->setStaleLockTime(0);
    return lock;
}
}  // namespace

CRecovery::CRecovery(CMainFrame& frame, const QString& folder, int intervalMs)
    : frame_(frame), folder_(folder), interval_(intervalMs) {
    session_ =
        QDir(folder_).filePath(kSessionPrefix + QStringLiteral("%1-%2")
                                                    .arg(QCoreApplication::applicationPid())
                                                    .arg(QDateTime::currentMSecsSinceEpoch()));
    if (QDir().mkpath(session_)) {
        lock_ = lockIn(session_);
        lock_->tryLock(0);
    }
    timer_.setInterval(std::min(1000, interval_));
    connect(&timer_, &QTimer::timeout, this, &CRecovery::tick);
    timer_.start();
    sinceAll_.start();
}

CRecovery::~CRecovery() = default;

QString CRecovery::defaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation))
        .filePath(QStringLiteral("recovery"));
}

QString CRecovery::fileOf(int number, const char* suffix) const {
    return QDir(session_).filePath(QStringLiteral("figure%1%2").arg(number).arg(suffix));
}

CRecovery::Copy& CRecovery::copyOf(CPelvantiView* view) {
    auto it = copies_.find(view);
    if (it != copies_.end()) return it->second;
    // A figure closed by the user is given up: its copy goes with it.
    connect(view, &QObject::destroyed, this, [this, view] { forget(view); });
    // Counted from the figure's opening, whenever the recovery first sees it.
    return copies_[view] = Copy{nextNumber_++, 0};
}

void CRecovery::tick() {
    // A running macro moves the figure for a while and puts it back: no copy meanwhile.
    if (runningMacroView()) return;
    const bool all = sinceAll_.elapsed() >= interval_;
    if (all) sinceAll_.restart();
    for (CPelvantiView* v : frame_.views()) {
        Copy& copy = copyOf(v);
        const uint64_t changes = v->document()->history().changeCount();
        if (changes - copy.changes >= kChangesBetweenCopies || (all && v->isModified(true))) {
            write(v, copy);
        } else if (all && copy.written) {
            // Saved since: the file is the copy.
            QFile::remove(fileOf(copy.number, ".qvf"));
            copy.written = false;
        }
    }
}

void CRecovery::write(CPelvantiView* view, Copy& copy) {
    copy.changes = view->document()->history().changeCount();
    if (!lock_ || !lock_->isLocked()) return;
    std::vector<uint8_t> bytes = view->document()->saveToBytes();
    const QString origin = QString::fromStdString(view->document()->path) + '\n' +
                           view->property("figureTitle").toString() + '\n';
    // The description first: a figure copy is never found without it.
    copy.written = writeAtomically(fileOf(copy.number, ".txt"), origin.toUtf8()) &&
                   writeAtomically(fileOf(copy.number, ".qvf"),
                                   QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size())));
    if (!copy.written)
        frame_.statusBar()->showMessage(
            QStringLiteral("Copie de secours impossible dans « %1 »").arg(session_), 10000);
}

void CRecovery::forget(CPelvantiView* view) {
    auto it = copies_.find(view);
    if (it == copies_.end()) return;
    QFile::remove(fileOf(it->second.number, ".qvf"));
    QFile::remove(fileOf(it->second.number, ".txt"));
    copies_.erase(it);
}

void CRecovery::finish() {
    timer_.stop();
    for (auto& [view, copy] : copies_) disconnect(view, nullptr, this, nullptr);
    copies_.clear();
    lock_.reset();
    QDir(session_).removeRecursively();
}

int CRecovery::offerRestore() {
    struct Session {
        QString folder;
        std::unique_ptr<QLockFile> lock;
        QStringList figures;
    };
    std::vector<Session> sessions;
    int count = 0;
    const QFileInfoList folders =
        QDir(folder_).entryInfoList({kSessionPrefix + '*'}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : folders) {
        const QString folder = info.absoluteFilePath();
        if (folder == QFileInfo(session_).absoluteFilePath()) continue;
        auto lock = lockIn(folder);
        if (!lock->tryLock(0)) continue;  // its program still runs
        QStringList figures = QDir(folder).entryList({QStringLiteral("*.qvf")}, QDir::Files);
        count += figures.size();
        sessions.push_back({folder, std::move(lock), figures});
    }
    int opened = 0;
    const bool restore =
        count > 0 &&
        host().messageBox(
            QStringLiteral("Korvendal32 ne s'est pas fermé normalement. Restaurer %1 ?")
                .arg(count == 1 ? QStringLiteral("la figure non enregistrée")
                                : QStringLiteral("les %1 figures non enregistrées").arg(count))
                .toStdString(),
            "Korvendal32", MB_YESNO | MB_ICONQUESTION) == IDYES;
    for (Session& s : sessions) {
        for (const QString& name : s.figures) {
            if (!restore) break;
            const QString path = QDir(s.folder).filePath(name);
            QFile origin(QFileInfo(path).path() + '/' + QFileInfo(path).completeBaseName() +
                         QStringLiteral(".txt"));
            QStringList lines;
            if (origin.open(QIODevice::ReadOnly))
                lines = QString::fromUtf8(origin.readAll()).split('\n');
            const QString file = lines.value(0);
            const QString title =
                lines.value(1).isEmpty() ? QStringLiteral("Figure récupérée") : lines.value(1);
            QFile copy(path);
            QByteArray bytes;
            if (copy.open(QIODevice::ReadOnly)) bytes = copy.readAll();
            auto doc = std::make_unique<CPelvantiDoc>();
            doc->newFigure();
            // Pictures are named relative to the figure's own folder.
            if (!file.isEmpty()) setFigureFolder(QFileInfo(file).path().toStdString());
            std::string reason;
            if (!doc->loadFromBytes(std::vector<uint8_t>(bytes.begin(), bytes.end()), &reason)) {
                const QDir damaged(QDir(folder_).filePath(kDamagedFolder));
                damaged.mkpath(QStringLiteral("."));
                const QString aside = damaged.filePath(QFileInfo(s.folder).fileName() + '-' + name);
                QFile::rename(path, aside);
                host().messageBox(
                    QStringLiteral("La copie de secours de « %1 » est endommagée et n'a pas été "
                                   "ouverte :\n%2\nElle a été mise de côté : %3")
                        .arg(title, QString::fromStdString(reason), aside)
                        .toStdString(),
                    "Korvendal32", MB_OK | MB_ICONEXCLAMATION);
                continue;
            }
            doc->path = file.toStdString();
            doc->loadBackgroundPicture();
            frame_.openRecovered(std::move(doc), title);
            ++opened;
        }
        s.lock.reset();
        QDir(s.folder).removeRecursively();
    }
    return opened;
}
