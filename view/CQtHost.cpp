#include "view/CQtHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAudioOutput>
#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "geometry/CAffichage.h"
#include "view/CQtDC.h"

namespace {
// Pictures beyond this many pixels are refused rather than decoded (a damaged or hostile file
// could ask for gigabytes).
constexpr qint64 kMaxPicturePixels = 64LL * 1024 * 1024;
// How long a synchronous sound waits for a player that says nothing about the file.
constexpr qint64 kSilentPlayerMs = 8000;
}  // namespace

std::unique_ptr<CPicture> decodePictureBytes(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return nullptr;
    QByteArray data(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMaxPicturePixels)
        return nullptr;
    QImage image = reader.read();
    if (image.isNull()) return nullptr;
    return std::make_unique<CQtPicture>(std::move(image));
}

CQtHost::CQtHost() {
    clock_.start();
    // The GStreamer back end of this Qt crashes when its plug-ins are incomplete; FFmpeg's
    // plays the same files. A back end the user named is kept.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    if (qApp) qApp->installEventFilter(this);
}

CQtHost::~CQtHost() {
    if (qApp) qApp->removeEventFilter(this);
}

int CQtHost::messageBox(const std::string& text, const std::string& caption, unsigned flags) {
    QMessageBox box(parent_);
    box.setWindowTitle(caption.empty() ? QStringLiteral("Korvendal32")
                                       : QString::fromStdString(caption));
    box.setText(QString::fromStdString(text));
    switch (flags & 0xF0) {
        case MB_ICONERROR:
            box.setIcon(QMessageBox::Critical);
            break;
        case MB_ICONQUESTION:
            box.setIcon(QMessageBox::Question);
            break;
        case MB_ICONEXCLAMATION:
            box.setIcon(QMessageBox::Warning);
            break;
        case MB_ICONINFORMATION:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
    }
    QMessageBox::StandardButtons buttons;
    switch (flags & 0xF) {
        case MB_OKCANCEL:
            buttons = QMessageBox::Ok | QMessageBox::Cancel;
            break;
        case MB_YESNOCANCEL:
            buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
            break;
        case MB_YESNO:
            buttons = QMessageBox::Yes | QMessageBox::No;
            break;
        default:
            buttons = QMessageBox::Ok;
            break;
    }
    box.setStandardButtons(buttons);
    if (QAbstractButton* b = box.button(QMessageBox::Yes)) b->setText(QStringLiteral("&Oui"));
    if (QAbstractButton* b = box.button(QMessageBox::No)) b->setText(QStringLiteral("&Non"));
    if (QAbstractButton* b = box.button(QMessageBox::Cancel)) b->setText(QStringLiteral("Annuler"));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
    }
}

void CQtHost::beep() {
    QApplication::beep();
}

uint64_t CQtHost::tickCount() {
    return static_cast<uint64_t>(clock_.elapsed());
}

bool CQtHost::isKeyDown(HostKey key) {
    switch (key) {
        case KEY_ESCAPE:
            return std::exchange(escapeSeen_, false) || stopHeld_;
        case KEY_LBUTTON:
            return std::exchange(clickSeen_, false);
        case KEY_SHIFT:
            return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
        case KEY_CONTROL:
            return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
    }
    return false;
}

bool CQtHost::eventFilter(QObject* watched, QEvent* event) {
    // One event reaches the filter once per object it is delivered to (a press propagates to
    // parents); the flags only latch, so repeated deliveries are harmless.
    switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                escapeSeen_ = true;
                if (waiting_) waiting_->quit();
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) clickSeen_ = true;
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void CQtHost::requestStop() {
    stopHeld_ = true;
    if (waiting_) waiting_->quit();
}

void CQtHost::waitUntil(uint64_t deadline) {
    const uint64_t now = tickCount();
    if (now >= deadline) return;
    if (!QCoreApplication::instance()) {
        CHost::waitUntil(deadline);
        return;
    }
    QEventLoop loop;
    QEventLoop* outer = std::exchange(waiting_, &loop);
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>(std::min<uint64_t>(deadline - now, 1u << 30)));
    loop.exec();
    waiting_ = outer;
}

QString CQtHost::locateSound(const std::string& stored, const std::string& figureFolder) {
    const QString path = QString::fromStdString(stored);
    if (path.trimmed().isEmpty()) return {};
    // The last name of the path, whichever separator the system that wrote it used.
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf('/'));
    const QString name = path.mid(cut + 1);
    if (!figureFolder.empty() && !name.isEmpty()) {
        QFileInfo beside(QDir(QString::fromStdString(figureFolder)), name);
        if (beside.isFile()) return beside.absoluteFilePath();
    }
    QFileInfo asStored(path);
    if (asStored.isFile()) return asStored.absoluteFilePath();
    return {};
}

void CQtHost::soundFailed(const QString& file) {
    const std::string text = "Impossible de jouer le fichier son :\n" + file.toStdString();
    if (reportSoundError)
        reportSoundError(text);
    else
        messageBox(text, "Korvendal32", MB_OK | MB_ICONEXCLAMATION);
}

void CQtHost::playSound(const std::string& path, bool synchronous) {
    const QString file = locateSound(path, figureFolder());
    if (file.isEmpty() || !QFileInfo(file).isReadable()) {
        soundFailed(QString::fromStdString(path));
        return;
    }
    if (!player_) {
        player_ = new QMediaPlayer(this);
        audio_ = new QAudioOutput(this);
        player_->setAudioOutput(audio_);
        // An asynchronous sound fails after the macro went on: told then.
        connect(player_, &QMediaPlayer::errorOccurred, this, [this] {
            if (!insidePlaySound_) soundFailed(player_->source().toLocalFile());
        });
    }
    // Failures met during this call are told once, by this call.
    insidePlaySound_ = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{insidePlaySound_};
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(file));
    if (player_->error() != QMediaPlayer::NoError) {
        soundFailed(file);
        return;
    }
    player_->play();
    if (!synchronous) return;
    // Returns when the sound ends, fails, or Escape is pressed; a player that never reports
    // (no audio device) gives up after a while rather than hang the macro.
    bool failed = false;
    QEventLoop loop;
    QEventLoop* outer = std::exchange(waiting_, &loop);
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto armGuard = [&guard](qint64 durationMs) {
        guard.start(static_cast<int>(std::clamp<qint64>(durationMs + 2000, 2000, 1 << 30)));
    };
    armGuard(kSilentPlayerMs);
    connect(player_, &QMediaPlayer::durationChanged, &loop, armGuard);
    connect(player_, &QMediaPlayer::mediaStatusChanged, &loop,
            [&loop, &failed](QMediaPlayer::MediaStatus s) {
                if (s == QMediaPlayer::InvalidMedia) failed = true;
                if (s == QMediaPlayer::EndOfMedia || s == QMediaPlayer::InvalidMedia ||
                    s == QMediaPlayer::NoMedia)
                    loop.quit();
            });
    connect(player_, &QMediaPlayer::errorOccurred, &loop, [&loop, &failed] {
        failed = true;
        loop.quit();
    });
    if (player_->error() != QMediaPlayer::NoError)
        failed = true;
    else if (player_->mediaStatus() != QMediaPlayer::EndOfMedia)
        loop.exec();
    waiting_ = outer;
    if (escapeSeen_) player_->stop();
    if (failed) {
        player_->stop();
        soundFailed(file);
    }
}

void CQtHost::pumpMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::unique_ptr<CPicture> CQtHost::decodePicture(const std::vector<uint8_t>& bytes) {
    return decodePictureBytes(bytes);
}
