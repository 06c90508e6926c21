// One example figure per figure class that files can hold: the parents the class needs, built
// from the real classes, then the object under test as the last entry of a real document.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/CListeAction.h"
#include "document/CPelvantiDoc.h"
#include "geometry/CPointAncetre.h"
#include "geometry/GeoFigure.h"

struct ContractFigure {
    ContractFigure();

    CPelvantiDoc doc;
    // The objects the subject refers to directly, as its example declares them.
    std::vector<CElementBase*> parents;
    CElementBase* subject = nullptr;

    CListeAction& list() { return doc.list(); }

    template <class T>
    T* add(Nature nature, std::unique_ptr<T> object) {
        T* raw = object.get();
        doc.addEntry(
            std::make_unique<CAction>(nature, std::unique_ptr<CElementBase>(object.release())));
        raw->computePosition();
        return raw;
    }
    template <class T, class... Args>
    T* make(Nature nature, Args&&... args) {
        return add(nature, std::make_unique<T>(std::forward<Args>(args)...));
    }
    // The parents a macro keeps as entries of its list: replaced through their entries.
    std::vector<CElementBase*> listed;

    // Declares a direct parent of the subject.
    template <class T>
    T* parent(T* p) {
        parents.push_back(p);
        return p;
    }
    // The object under test, appended last.
    template <class T, class... Args>
    T* object(Nature nature, Args&&... args) {
        T* t = make<T>(nature, std::forward<Args>(args)...);
        subject = t;
        return t;
    }
};

struct Example {
    std::string className;
    std::function<void(ContractFigure&)> build;
    // A slot that takes any figure object: no substitute is of the wrong class.
    bool anyClassSlot = false;
};

const std::vector<Example>& examples();
// Registered classes that only serve as bases: files never hold them.
const std::vector<std::string>& baseClassesNeverInFiles();
