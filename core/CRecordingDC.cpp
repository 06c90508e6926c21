#include "core/CRecordingDC.h"

LSize CRecordingDC::textExtent(const std::string& s) {
    // Characters, not bytes: a UTF-8 sequence counts once.
    int n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return {n * charWidth(), charHeight()};
}

std::vector<CRecordingDC::Op> CRecordingDC::opsOfKind(const std::string& kind) const {
    std::vector<Op> out;
    for (const Op& op : ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}

CRecordingDC::Op& CRecordingDC::add(const char* kind, std::vector<int> args) {
    Op op;
    op.kind = kind;
    op.args = std::move(args);
    op.pen = pen_;
    op.brush = brush_;
    ops.push_back(std::move(op));
    return ops.back();
}

std::vector<int> CRecordingDC::flatten(const std::vector<LPoint>& pts) {
    std::vector<int> v;
    v.reserve(pts.size() * 2);
    for (const LPoint& p : pts) {
        v.push_back(p.x);
        v.push_back(p.y);
    }
    return v;
}
