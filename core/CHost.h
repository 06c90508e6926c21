// What the model asks of its host program: message boxes, beeps, ticks, key states, sound,
// picture decoding and message pumping while a macro runs. The Qt application installs its
// own host; without one, a headless host records messages and answers them with defaults.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "core/CDC.h"

// Message box buttons and icons (combined with |), and the answers.
enum MessageBoxFlags : unsigned {
    MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_YESNOCANCEL = 0x3, MB_YESNO = 0x4,
    MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
};
enum MessageBoxResult { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Keys whose state macros and loops poll.
enum HostKey { KEY_ESCAPE, KEY_LBUTTON, KEY_SHIFT, KEY_CONTROL };

class CHost {
public:
    virtual ~CHost() = default;
    virtual int messageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    virtual void beep() = 0;
    // Milliseconds of a monotonic clock.
    virtual uint64_t tickCount() = 0;
    virtual bool isKeyDown(HostKey key) = 0;
    // Plays a sound file; synchronous playing returns when the sound ends.
    virtual void playSound(const std::string& path, bool synchronous) = 0;
    // Lets the user interface live during a long operation (animations).
    virtual void pumpMessages() = 0;
    // Waits, without spinning, until tickCount() reaches `deadline` (frames of animations); a
    // host with a user interface handles its events meanwhile. The default sleeps.
    virtual void waitUntil(uint64_t deadline);
    // Decodes a picture file's bytes; null when they are not a picture.
    virtual std::unique_ptr<CPicture> decodePicture(const std::vector<uint8_t>& bytes) = 0;
};

// A host without user interface: messages are recorded and answered from a queue of answers
// (IDOK, or IDYES for questions, when the queue is empty).
class CHeadlessHost : public CHost {
public:
    int messageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    void beep() override { ++beeps; }
    uint64_t tickCount() override;
    bool isKeyDown(HostKey key) override;
    void playSound(const std::string& path, bool) override { sounds.push_back(path); }
    void pumpMessages() override {}
    std::unique_ptr<CPicture> decodePicture(const std::vector<uint8_t>&) override { return nullptr; }

    struct Message {
        std::string text, caption;
        unsigned flags;
    };
    std::vector<Message> messages;
    std::deque<int> answers;
    std::vector<std::string> sounds;
    std::vector<HostKey> keysDown;
    int beeps = 0;
};

// The process-wide host; a headless one until the application installs its own.
CHost& host();
// Installs `h` (not owned; null restores the headless host). Returns the previous host.
CHost* setHost(CHost* h);

// Drawing area of the active view, in logical units; 5000 x 2000 until a view was sized.
LSize activeDrawingArea();
void setActiveDrawingArea(LSize area);
