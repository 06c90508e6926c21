// The host of the model in the Qt application: message boxes with the model's exact texts,
// beeps, a monotonic clock, key states, sounds and message pumping, picture decoding.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "core/CHost.h"

class QWidget;
class QMediaPlayer;
class QAudioOutput;
class QEventLoop;

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
    // Escape and the left button answer whether they went down since the last question.
    bool isKeyDown(HostKey key) override;
    void playSound(const std::string& path, bool synchronous) override;
    void pumpMessages() override;
    // Handles events until the deadline (a timer wakes the wait; Escape ends it early).
    void waitUntil(uint64_t deadline) override;
    std::unique_ptr<CPicture> decodePicture(const std::vector<uint8_t>& bytes) override;

    // Escape is seen at every look until releaseStop(), so that each step of the running
    // macro (sequences, loops) stops, even one that forgets earlier keys when it starts.
    void requestStop();
    void releaseStop() { stopHeld_ = false; }

    // A sound that cannot be played is told here (a message box by default).
    std::function<void(const std::string&)> reportSoundError;
    // The file a stored sound path designates: beside the figure first (by its last name, so
    // that a Windows path of an older file still finds it), then the path as stored. Empty when
    // neither exists.
    static QString locateSound(const std::string& stored, const std::string& figureFolder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void soundFailed(const QString& file);

    QWidget* parent_ = nullptr;
    QElapsedTimer clock_;
    bool escapeSeen_ = false;
    bool clickSeen_ = false;
    bool stopHeld_ = false;
    QEventLoop* waiting_ = nullptr;
    bool insidePlaySound_ = false;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* audio_ = nullptr;
};

// Decodes picture bytes with Qt's image readers; null when they are not a picture.
std::unique_ptr<CPicture> decodePictureBytes(const std::vector<uint8_t>& bytes);
