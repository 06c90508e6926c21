// Byte archive of figure files and undo states: little-endian primitives, Windows-1252 strings
// and polymorphic objects written with the framework's object tag scheme.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/CObject.h"
#include "core/CRefVisitor.h"
#include "core/PointerMap.h"

class CElementBase;
class CListeAction;
class CProgress;

// Every read failure of a file: the loader catches it, destroys what it read and reports the
// reason (French text, shown to the user as it is).
class CArchiveException : public std::runtime_error {
public:
    enum Cause { endOfFile, badIndex, badClass, badSchema, badFormat, writeError };
    CArchiveException(Cause cause, const std::string& reason)
        : std::runtime_error(reason), cause(cause) {}
    Cause cause;
};

// Windows-1252 conversion of model strings (UTF-8). A character without a Windows-1252 form is
// written as '?', and malformed UTF-8 bytes likewise, so a string never breaks the file. The
// five bytes that Windows-1252 leaves undefined read as the C1 controls of the same number, so
// that whatever was read is written back unchanged.
std::string utf8ToCp1252(const std::string& utf8);
std::string cp1252ToUtf8(const std::string& bytes);

class CArchive {
public:
    enum Mode { store, load };
    enum class Format { current, earliest };

    // Storing appends to `buffer`; loading reads `buffer` from `start`. The buffer must outlive
    // the archive.
    CArchive(Mode mode, std::vector<uint8_t>& buffer, size_t start = 0);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    ~CArchive();

    bool IsStoring() const { return mode_ == store; }
    bool IsLoading() const { return mode_ == load; }

    // Primitives.
    void writeByte(uint8_t v);
    void writeBool(bool v) { writeByte(v ? 1 : 0); }
    void writeWord(uint16_t v);
    void writeDword(uint32_t v);
    void writeInt(int32_t v) { writeDword(static_cast<uint32_t>(v)); }
    void writeDouble(double v);
    void writeSize(int32_t cx, int32_t cy);
    void writeString(const std::string& utf8);      // converted to Windows-1252
    void writeRawString(const std::string& bytes);  // already Windows-1252 bytes
    void writeCount(uint32_t n);
    void writeBytes(const void* data, size_t n);

    uint8_t readByte();
    bool readBool() { return readByte() != 0; }  // any non-zero byte is true
    uint16_t readWord();
    int16_t readShort() { return static_cast<int16_t>(readWord()); }
    uint32_t readDword();
    int32_t readInt() { return static_cast<int32_t>(readDword()); }
    double readDouble();
    void readSize(int32_t& cx, int32_t& cy);
    std::string readString();  // converted to UTF-8
    std::string readRawString();
    uint32_t readCount();
    void readBytes(void* data, size_t n);

    // A count about to be read is plausible: at least `minBytesEach` bytes remain per item.
    // Guards every allocation sized by a count read from the file.
    void checkCount(uint64_t count, size_t minBytesEach = 1) const;

    // Objects: null tag, new-class tag, class-index tag, repeated-object index.
    void writeObject(const CObject* obj);
    // Reads a tagged object. A null tag gives null. The object must be of class `expected` (or
    // derived). A tag naming an object already read is refused: figure files never repeat one.
    std::unique_ptr<CObject> readObject(const CRuntimeClass* expected = nullptr);
    template <class T>
    std::unique_ptr<T> readObjectOf() {
        std::unique_ptr<CObject> o = readObject(T::staticClass());
        return std::unique_ptr<T>(static_cast<T*>(o.release()));
    }
    // Storing: about `n` more objects will be written (some sixteen bytes each), so that the
    // bookkeeping and the buffer grow once rather than step by step.
    void expectObjects(size_t n);
    // Long reads and writes report to `progress` every few thousand objects of the top level
    // (the entries of a list): reading, in bytes of the buffer; writing, in those objects out
    // of `expectedTopObjects`.
    void setProgress(CProgress* progress, uint64_t expectedTopObjects = 0) {
        progress_ = progress;
        progressTotal_ = expectedTopObjects;
    }
    // Schema stored for the object whose Serialize is running (reading only).
    unsigned getObjectSchema() const;

    // Earliest format: a word tag then the object (tags 1100/1102 are entries), read with
    // readPreviousFormat. Tag 0 gives null.
    std::unique_ptr<CObject> readPreviousObject(const CRuntimeClass* expected = nullptr);
    template <class T>
    std::unique_ptr<T> readPreviousObjectOf() {
        std::unique_ptr<CObject> o = readPreviousObject(T::staticClass());
        return std::unique_ptr<T>(static_cast<T*>(o.release()));
    }
    Format format() const { return format_; }
    void setFormat(Format f) { format_ = f; }
    // Earliest format: the number of decimals of the file's displayed values, stored once for
    // the whole figure before its list.
    int previousDecimals = 2;

    // Figure references: the index of the object in the list being written or read; a dword
    // in the current format, a signed word in the earliest. -1 is none.
    CListeAction* currentList() const { return currentList_; }
    // Returns the previous list so that nested lists can restore it.
    CListeAction* setCurrentList(CListeAction* list);
    void writeReference(const CElementBase* element);
    CElementBase* readReference();
    // Typed reference: refuses the file when the referenced object is not a T.
    template <class T>
    T* readReferenceOf() {
        CElementBase* e = readReference();
        if (!e) return nullptr;
        T* t = dynamic_cast<T*>(e);
        if (!t) failBadReference();
        return t;
    }
    // As readReferenceOf, and none is refused too.
    template <class T>
    T* readRequiredReferenceOf() {
        T* t = readReferenceOf<T>();
        if (!t) failBadReference();
        return t;
    }

    size_t position() const { return pos_; }
    bool atEnd() const { return pos_ >= buffer_.size(); }
    size_t remaining() const { return pos_ < buffer_.size() ? buffer_.size() - pos_ : 0; }

    [[noreturn]] static void fail(CArchiveException::Cause cause, const std::string& reason);
    [[noreturn]] void failBadReference() const;

private:
    void need(size_t n) const;
    void writeTagIndex(uint32_t index, bool isClass);
    std::unique_ptr<CObject> readObjectBody(const CRuntimeClass* cls, unsigned schema,
                                            const CRuntimeClass* expected);
    // After an object of the top level.
    void topObjectDone();

    Mode mode_;
    std::vector<uint8_t>& buffer_;
    size_t pos_;
    Format format_ = Format::current;
    CListeAction* currentList_ = nullptr;

    // Tag bookkeeping: classes and objects share one index sequence starting at 1.
    uint32_t mapCount_ = 1;
    std::unordered_map<const CRuntimeClass*, uint32_t> storeClasses_;  // written classes
    // Written objects: their index sits in the object (CObject::archiveMark_), or here when
    // the object carries the mark of another storing archive still open.
    uint64_t storeNumber_ = 0;
    PointerMap<uint32_t> storeObjects_;
    const uint32_t* writtenIndex(const CObject* obj) const;
    void markWritten(const CObject* obj, uint32_t index);
    std::vector<const CRuntimeClass*> loadClasses_;  // by index; null for object slots
    std::vector<unsigned> loadSchemas_;              // stored schema of each class index
    std::vector<unsigned> schemaStack_;
    int depth_ = 0;
    CProgress* progress_ = nullptr;
    uint64_t progressTotal_ = 0;
    uint64_t topObjects_ = 0;
};

// Reads or writes reference slots in their order: a none in a required slot, or a parent of
// another class than the slot's, refuses the file.
class CArchiveRefs : public CRefVisitor {
public:
    explicit CArchiveRefs(CArchive& ar) : ar_(ar) {}
    void visit(const CRefSlot& slot) override;

private:
    CArchive& ar_;
};

// The reference fields of the slots that `Self` declares itself (not those of its bases).
template <class Self>
void serializeOwnRefs(CArchive& ar, Self& self) {
    CArchiveRefs io(ar);
    self.Self::forEachOwnRef(io);
}

// A copy of `element` whose parents are the objects of `to` at the indexes its own parents
// have in `from`.
std::unique_ptr<CElementBase> cloneThroughArchive(const CElementBase& element,
                                                  const CListeAction& from, const CListeAction& to);
