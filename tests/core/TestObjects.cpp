#include "TestObjects.h"

#include <cctype>
#include <sstream>

#include "core/CPalette.h"

IMPLEMENT_SERIAL(TestPoint, CElementGraphique, 1)
IMPLEMENT_SERIAL(TestMilieu, TestPoint, 1)
IMPLEMENT_SERIAL(TestValue, CValeurDynamique, 1)
IMPLEMENT_SERIAL(TestTransformation, CElementBase, 1)
IMPLEMENT_SERIAL(TestMacro, CElementGraphique, 1)

TestPoint::TestPoint(double x, double y, std::vector<CElementBase*> parents)
    : CElementGraphique(1, false), x(x), y(y), parents(std::move(parents)) {}

void TestPoint::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    if (ar.IsStoring()) {
        ar.writeDouble(x);
        ar.writeDouble(y);
        ar.writeCount(static_cast<uint32_t>(parents.size()));
        for (CElementBase* p : parents) ar.writeReference(p);
        ar.writeReference(transformation);
    } else {
        x = ar.readDouble();
        y = ar.readDouble();
        uint32_t n = ar.readCount();
        ar.checkCount(n, 4);
        parents.clear();
        for (uint32_t i = 0; i < n; ++i)
            parents.push_back(ar.readRequiredReferenceOf<CElementBase>());
        transformation = ar.readReferenceOf<TestTransformation>();
    }
}

void TestPoint::computePosition() {
    ++computations;
    exists = !broken;
    for (CElementBase* p : parents) exists = exists && p->exists;
    if (transformation) exists = exists && transformation->exists;
    if (!exists || parents.empty()) {
        if (exists) updateNameAnchor();
        return;
    }
    double sx = 0, sy = 0;
    for (CElementBase* p : parents)
        if (auto* q = dynamic_cast<TestPoint*>(p)) {
            sx += q->x;
            sy += q->y;
        }
    x = sx / static_cast<double>(parents.size());
    y = sy / static_cast<double>(parents.size());
    updateNameAnchor();
}

bool TestPoint::computeDependsOn(const CElementBase* p) const {
    if (p == this) return true;
    for (CElementBase* q : parents)
        if (q->dependsOn(p)) return true;
    return transformation && transformation->dependsOn(p);
}

void TestPoint::draw(CDC* dc, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    dc->setPixel(static_cast<int>(x), static_cast<int>(y), CPalette::colour(colour));
}

void TestPoint::erase(CDC* dc, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    dc->setPixel(static_cast<int>(x), static_cast<int>(y), CPalette::colour(0));
}

void TestPoint::translateBy(double dx, double dy) {
    x += dx;
    y += dy;
}

bool TestMilieu::coincidesWith(const CElementBase* other) const {
    const auto* o = dynamic_cast<const TestMilieu*>(other);
    if (!o) return false;
    return (o->parents[0] == parents[0] && o->parents[1] == parents[1]) ||
           (o->parents[0] == parents[1] && o->parents[1] == parents[0]);
}

void TestValue::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.writeString(name);
        ar.writeDouble(value);
        ar.writeReference(parent);
    } else {
        name = ar.readString();
        value = ar.readDouble();
        parent = ar.readReference();
    }
}

void TestTransformation::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar.writeReference(centre);
    else
        centre = ar.readRequiredReferenceOf<TestPoint>();
}

void TestMacro::draw(CDC* dc, bool hideMasked) {
    if (!exists || (hideMasked && masked)) return;
    dc->rectangle(0, 0, 10, 10);
}

void TestMacro::Serialize(CArchive& ar) {
    CElementGraphique::Serialize(ar);
    if (ar.IsStoring())
        ar.writeReference(target);
    else
        target = ar.readReference();
}

TestPoint* Figure::point(const std::string& name, double x, double y) {
    auto p = std::make_unique<TestPoint>(x, y);
    p->setName(name);
    return add(nat::pointLibre, std::move(p));
}

TestMilieu* Figure::midpoint(const std::string& name, CElementBase* a, CElementBase* b) {
    auto m = std::make_unique<TestMilieu>(a, b);
    m->setName(name);
    return add(nat::pointConstruit, std::move(m));
}

TestValue* Figure::value(Nature nature, const std::string& name, double v, CElementBase* parent) {
    return add(nature, std::make_unique<TestValue>(name, v, parent));
}

TestTransformation* Figure::transformation(CElementBase* centre) {
    return add(nat::transformation, std::make_unique<TestTransformation>(centre));
}

TestPoint* Figure::image(const std::string& name, CElementBase* source, CElementBase* t) {
    auto p = std::make_unique<TestPoint>(0, 0, std::vector<CElementBase*>{source});
    p->transformation = t;
    p->setName(name);
    return add(nat::pointConstruit, std::move(p));
}

TestMacro* Figure::macro(const std::string& name, CElementBase* target) {
    auto m = std::make_unique<TestMacro>(target);
    m->setName(name);
    return add(nat::macro, std::move(m));
}

std::string nameOf(const CElementBase* e) {
    if (const auto* g = dynamic_cast<const CElementGraphique*>(e)) return g->getName();
    if (const auto* v = dynamic_cast<const CValeurDynamique*>(e)) return v->getName();
    return "?";
}

void Figure::build(const std::string& description) {
    std::istringstream words(description);
    std::string w;
    while (words >> w) {
        size_t open = w.find('(');
        if (open != std::string::npos) {
            size_t comma = w.find(',', open);
            midpoint(w.substr(0, open), (*this)[w.substr(open + 1, comma - open - 1)],
                     (*this)[w.substr(comma + 1, w.size() - comma - 2)]);
        } else if (w == "pi") {
            value(nat::calcul, w, 3.14159265358979323846);
        } else if (w.size() == 1 && std::islower(static_cast<unsigned char>(w[0]))) {
            value(nat::variable, w);
        } else {
            point(w);
        }
    }
}

CElementBase* Figure::operator[](const std::string& name) const {
    CActionAncetre* e = entry(name);
    return e ? e->element : nullptr;
}

CActionAncetre* Figure::entry(const std::string& name) const {
    for (CActionAncetre* e : list.entries())
        if (nameOf(e->element) == name) return e;
    return nullptr;
}

std::string Figure::order() const {
    std::string s;
    for (const CActionAncetre* e : list.entries()) {
        if (!s.empty()) s += ",";
        s += nameOf(e->element);
    }
    return s;
}

std::vector<uint8_t> storeObject(const CObject* obj) {
    std::vector<uint8_t> bytes;
    CArchive ar(CArchive::store, bytes);
    ar.writeObject(obj);
    return bytes;
}

std::vector<uint8_t> storeList(CListeAction& list) {
    std::vector<uint8_t> bytes;
    CArchive ar(CArchive::store, bytes);
    list.Serialize(ar);
    return bytes;
}

void loadList(const std::vector<uint8_t>& bytes, CListeAction& list) {
    std::vector<uint8_t> copy = bytes;
    CArchive ar(CArchive::load, copy);
    list.Serialize(ar);
}
