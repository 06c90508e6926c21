#include "view/CQtHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAudioOutput>
#include <QBuffer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QKeyEvent>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QUrl>

#include "view/CQtDC.h"

namespace {
// Pictures beyond this many pixels are refused rather than decoded (a damaged or hostile file
// could ask for gigabytes).
constexpr qint64 kMaxPicturePixels = 64LL * 1024 * 1024;
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
            return escapeDown_;
        case KEY_LBUTTON:
            return QGuiApplication::mouseButtons() & Qt::LeftButton;
        case KEY_SHIFT:
            return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
        case KEY_CONTROL:
            return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
    }
    return false;
}

bool CQtHost::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->key() == Qt::Key_Escape) escapeDown_ = event->type() == QEvent::KeyPress;
    }
    return QObject::eventFilter(watched, event);
}

void CQtHost::playSound(const std::string& path, bool synchronous) {
    QString file = QString::fromStdString(path);
    if (!QFileInfo::exists(file)) {
        beep();
        return;
    }
    if (!player_) {
        player_ = new QMediaPlayer(this);
        audio_ = new QAudioOutput(this);
        player_->setAudioOutput(audio_);
    }
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    player_->play();
    if (!synchronous) return;
    QEventLoop loop;
    QObject::connect(player_, &QMediaPlayer::mediaStatusChanged, &loop,
                     [&loop](QMediaPlayer::MediaStatus s) {
                         if (s == QMediaPlayer::EndOfMedia || s == QMediaPlayer::InvalidMedia ||
                             s == QMediaPlayer::NoMedia)
                             loop.quit();
                     });
    QObject::connect(player_, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    if (player_->playbackState() == QMediaPlayer::PlayingState) loop.exec();
}

void CQtHost::pumpMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::unique_ptr<CPicture> CQtHost::decodePicture(const std::vector<uint8_t>& bytes) {
    return decodePictureBytes(bytes);
}
