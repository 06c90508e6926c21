#include "core/CHost.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
CHeadlessHost& headless() {
    static CHeadlessHost h;
    return h;
}
CHost* gHost = nullptr;
LSize gDrawingArea{5000, 2000};
}  // namespace

int CHeadlessHost::messageBox(const std::string& text, const std::string& caption, unsigned flags) {
    messages.push_back({text, caption, flags});
    if (!answers.empty()) {
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    unsigned buttons = flags & 0xF;
    return (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? IDYES : IDOK;
}

void CHost::waitUntil(uint64_t deadline) {
    for (uint64_t now = tickCount(); now < deadline; now = tickCount())
        std::this_thread::sleep_for(std::chrono::milliseconds(deadline - now));
}

uint64_t CHeadlessHost::tickCount() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool CHeadlessHost::isKeyDown(HostKey key) {
    return std::find(keysDown.begin(), keysDown.end(), key) != keysDown.end();
}

CHost& host() { return gHost ? *gHost : headless(); }

CHost* setHost(CHost* h) {
    CHost* previous = gHost;
    gHost = h;
    return previous;
}

LSize activeDrawingArea() { return gDrawingArea; }
void setActiveDrawingArea(LSize area) { gDrawingArea = area; }
