// Root of every persistent object, with the run-time class records that let the file reader
// recreate an object from the class name stored in a figure file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CArchive;
class CObject;

struct CRuntimeClass {
    const char* className;
    uint16_t schema;             // written to files; 1 unless the class says otherwise
    bool versionable;            // older schemas are accepted on reading, the class decides
    CObject* (*createObject)();  // null for abstract classes
    const CRuntimeClass* baseClass;

    bool isDerivedFrom(const CRuntimeClass* base) const;
    std::unique_ptr<CObject> create() const;

    // Registered classes, looked up by the exact name stored in files.
    static const CRuntimeClass* fromName(std::string_view name);
    // Class of the earliest file format's hand-written tag (1003 CMilieu, ...); null if unknown.
    static const CRuntimeClass* fromEarliestTag(unsigned tag);
    // Every registered class, by name (the contract tests walk them all).
    static std::vector<const CRuntimeClass*> registered();
};

// Adds a class to the registry; used by IMPLEMENT_SERIAL through a static object.
struct CRuntimeClassRegistrar {
    explicit CRuntimeClassRegistrar(const CRuntimeClass* cls);
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    // Current file format; reading and writing in one operation, as the archive's mode says.
    virtual void Serialize(CArchive& ar);
    // Earliest file format ("TessalinorFigure"): reading only. The default refuses the file.
    virtual void readPreviousFormat(CArchive& ar);

    bool isKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->isDerivedFrom(cls); }

    static const CRuntimeClass classCObject;
    static const CRuntimeClass* staticClass() { return &classCObject; }

private:
    friend class CArchive;
    // The tag index under which the storing archive numbered `archive` wrote this object, kept
    // here so that a save needs no table of written objects. A copy starts unwritten.
    struct ArchiveMark {
        uint64_t archive = 0;
        uint32_t index = 0;
        ArchiveMark() = default;
        ArchiveMark(const ArchiveMark&) {}
        ArchiveMark& operator=(const ArchiveMark&) { return *this; }
    };
    mutable ArchiveMark archiveMark_;
};

#define RUNTIME_CLASS(cls) (&cls::class##cls)

// In the class body: run-time class record and its accessor.
#define DECLARE_DYNAMIC(cls)                               \
public:                                                    \
    static const CRuntimeClass class##cls;                 \
    static const CRuntimeClass* staticClass() {            \
        return &class##cls;                                \
    }                                                      \
    const CRuntimeClass* GetRuntimeClass() const override; \
                                                           \
private:

#define DECLARE_SERIAL(cls)                                \
public:                                                    \
    static const CRuntimeClass class##cls;                 \
    static const CRuntimeClass* staticClass() {            \
        return &class##cls;                                \
    }                                                      \
    const CRuntimeClass* GetRuntimeClass() const override; \
    static CObject* createObject();                        \
                                                           \
private:

// Abstract or non-persistent class: a record without creation function, not registered.
#define IMPLEMENT_DYNAMIC(cls, base)                                                           \
    const CRuntimeClass cls::class##cls = {#cls, 0xFFFF, false, nullptr, RUNTIME_CLASS(base)}; \
    const CRuntimeClass* cls::GetRuntimeClass() const {                                        \
        return &class##cls;                                                                    \
    }

#define IMPLEMENT_SERIAL_FULL(cls, base, schema, versionable)                             \
    CObject* cls::createObject() {                                                        \
        return new cls;                                                                   \
    }                                                                                     \
    const CRuntimeClass cls::class##cls = {#cls, schema, versionable, &cls::createObject, \
                                           RUNTIME_CLASS(base)};                          \
    const CRuntimeClass* cls::GetRuntimeClass() const {                                   \
        return &class##cls;                                                               \
    }                                                                                     \
    static const CRuntimeClassRegistrar registrar_##cls(&cls::class##cls);

#define IMPLEMENT_SERIAL(cls, base, schema) IMPLEMENT_SERIAL_FULL(cls, base, schema, false)
// Schema 2 classes that still read files written with schema 1.
#define IMPLEMENT_SERIAL_VERSIONABLE(cls, base, schema) \
    IMPLEMENT_SERIAL_FULL(cls, base, schema, true)
