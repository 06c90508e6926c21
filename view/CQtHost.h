// The host of the model in the Qt application: message boxes with the model's exact texts,
// beeps, a monotonic clock, key states, sounds and message pumping, picture decoding.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <memory>

#include "core/CHost.h"

class QWidget;
class QMediaPlayer;
class QAudioOutput;

class CQtHost : public QObject, public CHost {
    Q_OBJECT
public:
    CQtHost();
    ~CQtHost() override;

    // Parent window of the message boxes (the main window).
    void setParentWindow(QWidget* w) { parent_ = w; }

    int messageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void beep() override;
    uint64_t tickCount() override;
    bool isKeyDown(HostKey key) override;
    void playSound(const std::string& path, bool synchronous) override;
    void pumpMessages() override;
    std::unique_ptr<CPicture> decodePicture(const std::vector<uint8_t>& bytes) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* parent_ = nullptr;
    QElapsedTimer clock_;
    bool escapeDown_ = false;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* audio_ = nullptr;
};

// Decodes picture bytes with Qt's image readers; null when they are not a picture.
std::unique_ptr<CPicture> decodePictureBytes(const std::vector<uint8_t>& bytes);
