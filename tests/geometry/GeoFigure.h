// A small figure builder shared by the model tests: real objects in a real figure list, a known
// window (1000 x 500 logical units) and helpers for the archive round trips.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/CArchive.h"
#include "core/CHost.h"
#include "core/CListeAction.h"
#include "core/CRecordingDC.h"
#include "geometry/CPointAncetre.h"

// Window used by clipping and isInWindow during a test.
class GeoTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = activeDrawingArea();
        setActiveDrawingArea({1000, 500});
    }
    void TearDown() override { setActiveDrawingArea(saved_); }

private:
    LSize saved_{};
};

// Appends `object` to `list` as an entry of `nature`.
template <class T>
T* appendEntry(CListeAction& list, Nature nature, std::unique_ptr<T> object) {
    T* raw = object.get();
    list.append(std::make_unique<CAction>(nature, std::unique_ptr<CElementBase>(object.release())));
    return raw;
}

inline std::vector<uint8_t> saveList(CListeAction& list) {
    std::vector<uint8_t> bytes;
    CArchive ar(CArchive::store, bytes);
    list.Serialize(ar);
    return bytes;
}

struct GeoFigure {
    CListeAction list;

    template <class T>
    T* add(Nature nature, std::unique_ptr<T> object) {
        T* raw = appendEntry(list, nature, std::move(object));
        raw->computePosition();
        return raw;
    }
    template <class T, class... Args>
    T* make(Nature nature, Args&&... args) {
        return add(nature, std::make_unique<T>(std::forward<Args>(args)...));
    }
    CPointBase* point(double x, double y, const std::string& name = "") {
        auto* p = make<CPointBase>(nat::pointLibre, x, y);
        p->setName(name);
        return p;
    }
    void computeAll() { list.computeAll(); }

    // Reads a whole list back from its bytes into `into`.
    static void load(std::vector<uint8_t>& bytes, CListeAction& into) {
        CArchive ar(CArchive::load, bytes);
        into.Serialize(ar);
        EXPECT_TRUE(ar.atEnd());
    }
};

// A test with a figure of its own, in the known window.
class GeoFigureTest : public GeoTest {
protected:
    GeoFigure f;
};

// The fields one object writes, references resolved against `list`.
inline std::vector<uint8_t> fieldsOf(CObject& object, CListeAction& list, bool earliest = false) {
    std::vector<uint8_t> bytes;
    CArchive ar(CArchive::store, bytes);
    if (earliest) ar.setFormat(CArchive::Format::earliest);
    ar.setCurrentList(&list);
    object.Serialize(ar);
    return bytes;
}

// Operations of one kind recorded by a drawing.
inline std::vector<std::vector<int>> argsOf(const CRecordingDC& dc, const std::string& kind) {
    std::vector<std::vector<int>> out;
    for (const auto& op : dc.opsOfKind(kind)) out.push_back(op.args);
    return out;
}
