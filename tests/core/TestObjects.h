// Small figure objects for the tests of the core: a point with parents, a midpoint, a value, a
// transformation and a macro. They follow the protocol of the real kinds closely enough to
// exercise the list, the archive and the drawing passes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/CArchive.h"
#include "core/CElementGraphique.h"
#include "core/CListeAction.h"
#include "values/CValeurDynamique.h"

// A point: free without parents, otherwise at the mean of its parents (points). `broken` makes
// its computation fail. An image point names its transformation.
class TestPoint : public CElementGraphique {
    DECLARE_SERIAL(TestPoint)
public:
    TestPoint() = default;
    TestPoint(double x, double y, std::vector<CElementBase*> parents = {});

    double x = 0, y = 0;
    std::vector<CElementBase*> parents;
    CElementBase* transformation = nullptr;
    bool broken = false;
    int computations = 0;

    void Serialize(CArchive& ar) override;
    void computePosition() override;
    bool computeDependsOn(const CElementBase* p) const override;
    bool usesTransformation(const CElementBase* t) const override { return t == transformation; }
    CElementBase* getTransformation() const override { return transformation; }
    void draw(CDC* dc, bool hideMasked) override;
    void erase(CDC* dc, bool hideMasked) override;
    void updateNameAnchor() override { setNameAnchor(x, y); }
    void translateBy(double dx, double dy) override;
};

// A midpoint: the same as another of the same two points in either order.
class TestMilieu : public TestPoint {
    DECLARE_SERIAL(TestMilieu)
public:
    TestMilieu() = default;
    TestMilieu(CElementBase* a, CElementBase* b) : TestPoint(0, 0, {a, b}) {}
    bool coincidesWith(const CElementBase* other) const override;
};

// A named value (variable, measure, calculation, function: the nature says which). With a
// parent it exists when the parent does.
class TestValue : public CValeurDynamique {
    DECLARE_SERIAL(TestValue)
public:
    TestValue() = default;
    explicit TestValue(std::string name, double value = 0, CElementBase* parent = nullptr)
        : name(std::move(name)), value(value), parent(parent) {}

    std::string name;
    double value = 0;
    CElementBase* parent = nullptr;

    std::string getName() const override { return name; }
    double getValue() const override { return value; }
    void computePosition() override { exists = !parent || parent->exists; }
    bool computeDependsOn(const CElementBase* p) const override {
        return p == this || (parent && parent->dependsOn(p));
    }
    void Serialize(CArchive& ar) override;
};

// A transformation built on a point.
class TestTransformation : public CElementBase {
    DECLARE_SERIAL(TestTransformation)
public:
    TestTransformation() = default;
    explicit TestTransformation(CElementBase* centre) : centre(centre) {}
    CElementBase* centre = nullptr;
    bool computeDependsOn(const CElementBase* p) const override {
        return p == this || (centre && centre->dependsOn(p));
    }
    void Serialize(CArchive& ar) override;
};

// A macro label acting on one object.
class TestMacro : public CElementGraphique {
    DECLARE_SERIAL(TestMacro)
public:
    TestMacro() = default;
    explicit TestMacro(CElementBase* target) : target(target) {}
    CElementBase* target = nullptr;
    bool computeDependsOn(const CElementBase* p) const override {
        return p == this || (target && target->dependsOn(p));
    }
    void draw(CDC* dc, bool hideMasked) override;
    void Serialize(CArchive& ar) override;
};

// Builds a figure list entry by entry and keeps typed pointers to what it made.
struct Figure {
    CListeAction list;

    TestPoint* point(const std::string& name, double x = 0, double y = 0);
    TestMilieu* midpoint(const std::string& name, CElementBase* a, CElementBase* b);
    TestValue* value(Nature nature, const std::string& name, double v = 0,
                     CElementBase* parent = nullptr);
    TestTransformation* transformation(CElementBase* centre);
    TestPoint* image(const std::string& name, CElementBase* source, CElementBase* t);
    TestMacro* macro(const std::string& name, CElementBase* target);
    // Any object under any nature.
    template <class T>
    T* add(Nature nature, std::unique_ptr<T> element) {
        T* raw = element.get();
        list.append(new CAction(nature, std::move(element)));
        return raw;
    }
    // Appends objects described by words: "pi" a calculation, a lower-case letter a variable,
    // "M(A,B)" a midpoint of earlier points, any other word a free point.
    void build(const std::string& description);
    CElementBase* operator[](const std::string& name) const;
    CActionAncetre* entry(const std::string& name) const;
    // The names of the list's elements in order ("?" for objects without a name).
    std::string order() const;
};

std::string nameOf(const CElementBase* e);

// Archive helpers.
std::vector<uint8_t> storeObject(const CObject* obj);
std::vector<uint8_t> storeList(CListeAction& list);
void loadList(const std::vector<uint8_t>& bytes, CListeAction& list);
