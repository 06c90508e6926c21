#include "core/CArchive.h"

#include <algorithm>
#include <cstring>

#include "core/CElementBase.h"
#include "core/CListeAction.h"
#include "core/CProgress.h"

namespace {
constexpr uint16_t kNullTag = 0;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint32_t kBigClassTag = 0x80000000u;
constexpr uint16_t kBigObjectTag = 0x7FFF;
constexpr uint32_t kMaxMapCount = 0x3FFFFFFEu;
// Expression trees nest objects; a damaged file must not exhaust the stack.
constexpr int kMaxDepth = 1000;
// Objects of the top level between two progress reports: a few dozen reports for the largest
// figures, none for the everyday ones.
constexpr uint64_t kProgressEvery = 4096;

// Unicode code points of Windows-1252 bytes 0x80..0x9F (the undefined ones map to themselves).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char cp1252FromCodePoint(uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}
}  // namespace

std::string utf8ToCp1252(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    size_t n = utf8.size(), i = 0;
    while (i < n) {
        unsigned char c = s[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        int len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        uint32_t cp = len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        bool ok = len != 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        // Overlong forms would smuggle ASCII (a "/" or a NUL) past the conversion.
        static constexpr uint32_t kMinForLength[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (ok && (cp < kMinForLength[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)))
            ok = false;
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        out += cp1252FromCodePoint(cp);
        i += len;
    }
    return out;
}

std::string cp1252ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (unsigned char c : bytes) {
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0xA0)
            appendUtf8(out, kCp1252High[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

namespace {
// Storing archives get numbers never reused; those still open are listed (rarely more than one).
uint64_t lastStoreNumber = 0;
std::vector<uint64_t>& openStoreNumbers() {
    static std::vector<uint64_t> open;
    return open;
}
}  // namespace

CArchive::CArchive(Mode mode, std::vector<uint8_t>& buffer, size_t start)
    : mode_(mode), buffer_(buffer), pos_(start) {
    if (mode_ == load) loadClasses_.push_back(nullptr);  // index 0: the null object
    if (mode_ == store) openStoreNumbers().push_back(storeNumber_ = ++lastStoreNumber);
}

CArchive::~CArchive() {
    if (mode_ != store) return;
    auto& open = openStoreNumbers();
    open.erase(std::find(open.begin(), open.end(), storeNumber_));
}

const uint32_t* CArchive::writtenIndex(const CObject* obj) const {
    if (obj->archiveMark_.archive == storeNumber_) return &obj->archiveMark_.index;
    return storeObjects_.size() ? storeObjects_.find(obj) : nullptr;
}

void CArchive::markWritten(const CObject* obj, uint32_t index) {
    CObject::ArchiveMark& mark = obj->archiveMark_;
    const auto& open = openStoreNumbers();
    if (std::find(open.begin(), open.end(), mark.archive) == open.end()) {
        mark.archive = storeNumber_;
        mark.index = index;
    } else {
        storeObjects_.insert(obj, index);
    }
}

void CArchive::fail(CArchiveException::Cause cause, const std::string& reason) {
    throw CArchiveException(cause, reason);
}

void CArchive::failBadReference() const {
    fail(CArchiveException::badIndex, "Le fichier désigne un objet de la figure qui n'existe pas.");
}

void CArchive::need(size_t n) const {
    if (pos_ > buffer_.size() || buffer_.size() - pos_ < n)
        fail(CArchiveException::endOfFile, "Fin de fichier inattendue : le fichier est tronqué.");
}

void CArchive::checkCount(uint64_t count, size_t minBytesEach) const {
    if (minBytesEach == 0) minBytesEach = 1;
    if (count > remaining() / minBytesEach)
        fail(CArchiveException::badFormat,
             "Le fichier annonce plus d'éléments qu'il n'en contient.");
}

void CArchive::writeByte(uint8_t v) {
    buffer_.push_back(v);
}

void CArchive::writeWord(uint16_t v) {
    buffer_.push_back(static_cast<uint8_t>(v));
    buffer_.push_back(static_cast<uint8_t>(v >> 8));
}

void CArchive::writeDword(uint32_t v) {
    for (int i = 0; i < 4; ++i) buffer_.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void CArchive::writeDouble(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i) buffer_.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

void CArchive::writeSize(int32_t cx, int32_t cy) {
    writeInt(cx);
    writeInt(cy);
}

void CArchive::writeBytes(const void* data, size_t n) {
    const auto* p = static_cast<const uint8_t*>(data);
    buffer_.insert(buffer_.end(), p, p + n);
}

void CArchive::writeString(const std::string& utf8) {
    writeRawString(utf8ToCp1252(utf8));
}

void CArchive::writeRawString(const std::string& bytes) {
    size_t n = bytes.size();
    if (n < 255) {
        writeByte(static_cast<uint8_t>(n));
    } else {
        writeByte(0xFF);
        if (n < 0xFFFE) {
            writeWord(static_cast<uint16_t>(n));
        } else {
            writeWord(0xFFFF);
            writeDword(static_cast<uint32_t>(n));
        }
    }
    writeBytes(bytes.data(), n);
}

void CArchive::writeCount(uint32_t n) {
    if (n < 0xFFFF) {
        writeWord(static_cast<uint16_t>(n));
    } else {
        writeWord(0xFFFF);
        writeDword(n);
    }
}

uint8_t CArchive::readByte() {
    need(1);
    return buffer_[pos_++];
}

uint16_t CArchive::readWord() {
    need(2);
    uint16_t v = static_cast<uint16_t>(buffer_[pos_] | (buffer_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
}

uint32_t CArchive::readDword() {
    need(4);
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(buffer_[pos_ + i]) << (8 * i);
    pos_ += 4;
    return v;
}

double CArchive::readDouble() {
    need(8);
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(buffer_[pos_ + i]) << (8 * i);
    pos_ += 8;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void CArchive::readSize(int32_t& cx, int32_t& cy) {
    cx = readInt();
    cy = readInt();
}

void CArchive::readBytes(void* data, size_t n) {
    need(n);
    std::memcpy(data, buffer_.data() + pos_, n);
    pos_ += n;
}

std::string CArchive::readString() {
    // A string written with the framework's Unicode marker (0xFF, 0xFFFE) holds UTF-16 text.
    size_t save = pos_;
    uint8_t b = readByte();
    if (b == 0xFF && readWord() == 0xFFFE) {
        uint32_t len = readByte();
        if (len == 0xFF) {
            len = readWord();
            if (len == 0xFFFF) len = readDword();
        }
        checkCount(len, 2);
        std::string out;
        for (uint32_t i = 0; i < len; ++i) {
            uint32_t cp = readWord();
            if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < len) {
                uint32_t lo = readWord();
                ++i;
                cp = (lo >= 0xDC00 && lo < 0xE000) ? 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00)
                                                   : '?';
            } else if (cp >= 0xD800 && cp < 0xE000) {
                cp = '?';
            }
            appendUtf8(out, cp);
        }
        return out;
    }
    pos_ = save;
    return cp1252ToUtf8(readRawString());
}

std::string CArchive::readRawString() {
    uint32_t len = readByte();
    if (len == 0xFF) {
        len = readWord();
        if (len == 0xFFFE)
            fail(CArchiveException::badFormat, "Chaîne de caractères mal codée dans le fichier.");
        if (len == 0xFFFF) len = readDword();
    }
    need(len);
    std::string s(reinterpret_cast<const char*>(buffer_.data() + pos_), len);
    pos_ += len;
    return s;
}

uint32_t CArchive::readCount() {
    uint16_t w = readWord();
    return w != 0xFFFF ? w : readDword();
}

void CArchive::writeTagIndex(uint32_t index, bool isClass) {
    if (index < kBigObjectTag) {
        writeWord(static_cast<uint16_t>(index | (isClass ? kClassTag : 0)));
    } else {
        writeWord(kBigObjectTag);
        writeDword(index | (isClass ? kBigClassTag : 0));
    }
}

void CArchive::expectObjects(size_t n) {
    if (!IsStoring()) return;
    buffer_.reserve(buffer_.size() + 16 * n);
}

void CArchive::writeObject(const CObject* obj) {
    if (!obj) {
        writeWord(kNullTag);
        return;
    }
    if (const uint32_t* found = writtenIndex(obj)) {
        writeTagIndex(*found, false);
        return;
    }
    const CRuntimeClass* cls = obj->GetRuntimeClass();
    auto known = storeClasses_.find(cls);
    if (known != storeClasses_.end()) {
        writeTagIndex(known->second, true);
    } else {
        writeWord(kNewClassTag);
        writeWord(cls->schema);
        std::string name = cls->className;
        writeWord(static_cast<uint16_t>(name.size()));
        writeBytes(name.data(), name.size());
        storeClasses_[cls] = mapCount_++;
    }
    markWritten(obj, mapCount_++);
    ++depth_;
    struct Pop {
        int& depth;
        ~Pop() { --depth; }
    } pop{depth_};
    const_cast<CObject*>(obj)->Serialize(*this);
    if (depth_ == 1) topObjectDone();
}

void CArchive::topObjectDone() {
    if (!progress_ || ++topObjects_ % kProgressEvery != 0) return;
    if (IsLoading())
        progress_->report(pos_, buffer_.size());
    else if (progressTotal_)
        progress_->report(std::min(topObjects_, progressTotal_), progressTotal_);
}

std::unique_ptr<CObject> CArchive::readObject(const CRuntimeClass* expected) {
    uint16_t wTag = readWord();
    uint32_t obTag;
    if (wTag == kBigObjectTag)
        obTag = readDword();
    else
        obTag = (static_cast<uint32_t>(wTag & kClassTag) << 16) | (wTag & ~kClassTag);

    if (!(obTag & kBigClassTag)) {
        if (obTag == 0) return nullptr;
        if (obTag >= loadClasses_.size())
            fail(CArchiveException::badIndex, "Référence d'objet invalide dans le fichier.");
        fail(CArchiveException::badFormat, "Objet répété dans le fichier : format non reconnu.");
    }

    const CRuntimeClass* cls = nullptr;
    unsigned schema = 0;
    if (wTag == kNewClassTag) {
        schema = readWord();
        uint16_t len = readWord();
        if (len == 0 || len >= 64)
            fail(CArchiveException::badClass, "Nom de classe invalide dans le fichier.");
        std::string name(len, '\0');
        readBytes(name.data(), len);
        cls = CRuntimeClass::fromName(name);
        if (!cls || !cls->createObject)
            fail(CArchiveException::badClass,
                 "Type d'objet inconnu dans le fichier : " + cp1252ToUtf8(name) + ".");
        if (schema != cls->schema && !cls->versionable)
            fail(CArchiveException::badSchema, std::string("Version d'objet ") + cls->className +
                                                   " non reconnue dans le fichier.");
        if (mapCount_ > kMaxMapCount)
            fail(CArchiveException::badFormat, "Trop d'objets dans le fichier.");
        loadClasses_.resize(mapCount_ + 1, nullptr);
        loadClasses_[mapCount_] = cls;
        loadSchemas_.resize(mapCount_ + 1, 0);
        loadSchemas_[mapCount_] = schema;
        ++mapCount_;
    } else {
        uint32_t index = obTag & ~kBigClassTag;
        if (index == 0 || index >= loadClasses_.size() || !loadClasses_[index])
            fail(CArchiveException::badIndex, "Référence de classe invalide dans le fichier.");
        cls = loadClasses_[index];
        schema = loadSchemas_[index];
    }
    return readObjectBody(cls, schema, expected);
}

std::unique_ptr<CObject> CArchive::readObjectBody(const CRuntimeClass* cls, unsigned schema,
                                                  const CRuntimeClass* expected) {
    if (expected && !cls->isDerivedFrom(expected))
        fail(CArchiveException::badClass, std::string("Objet de type ") + cls->className +
                                              " inattendu à cet endroit du fichier.");
    if (depth_ >= kMaxDepth)
        fail(CArchiveException::badFormat, "Objets imbriqués trop profondément dans le fichier.");
    std::unique_ptr<CObject> obj = cls->create();
    if (format_ == Format::current) {
        if (mapCount_ > kMaxMapCount)
            fail(CArchiveException::badFormat, "Trop d'objets dans le fichier.");
        // Objects take an index too, before their fields, as the writer counted them.
        loadClasses_.resize(mapCount_ + 1, nullptr);
        ++mapCount_;
    }
    schemaStack_.push_back(schema);
    ++depth_;
    struct Pop {
        CArchive* ar;
        ~Pop() {
            ar->schemaStack_.pop_back();
            --ar->depth_;
        }
    } pop{this};
    if (format_ == Format::current)
        obj->Serialize(*this);
    else
        obj->readPreviousFormat(*this);
    if (depth_ == 1) topObjectDone();
    return obj;
}

unsigned CArchive::getObjectSchema() const {
    return schemaStack_.empty() ? 0xFFFFFFFFu : schemaStack_.back();
}

std::unique_ptr<CObject> CArchive::readPreviousObject(const CRuntimeClass* expected) {
    uint16_t tag = readWord();
    if (tag == 0) return nullptr;
    const CRuntimeClass* cls = CRuntimeClass::fromEarliestTag(tag);
    if (!cls || !cls->createObject)
        fail(CArchiveException::badClass,
             "Etiquette d'objet inconnue (" + std::to_string(tag) + ") dans le fichier.");
    return readObjectBody(cls, 1, expected);
}

CListeAction* CArchive::setCurrentList(CListeAction* list) {
    CListeAction* previous = currentList_;
    currentList_ = list;
    return previous;
}

void CArchive::writeReference(const CElementBase* element) {
    int index = (element && currentList_) ? currentList_->indexOf(element) : -1;
    if (format_ == Format::earliest)
        writeWord(static_cast<uint16_t>(index));
    else
        writeInt(index);
}

CElementBase* CArchive::readReference() {
    int index = format_ == Format::earliest ? readShort() : readInt();
    if (index == -1) return nullptr;
    if (!currentList_ || index < 0 || index >= currentList_->count()) failBadReference();
    CElementBase* e = currentList_->elementAt(index);
    if (!e) failBadReference();
    return e;
}

void CArchiveRefs::visit(const CRefSlot& slot) {
    if (!slot.stored()) return;
    if (ar_.IsStoring()) {
        ar_.writeReference(slot.get());
        return;
    }
    CElementBase* e = ar_.readReference();
    if ((!e && slot.required()) || !slot.set(e)) ar_.failBadReference();
}

// Written with its references as indexes in `from` and read back against `to`, which holds the
// copies of the earlier entries. When even this fails, an inert object keeps the indexes of a
// copied list aligned.
std::unique_ptr<CElementBase> cloneThroughArchive(const CElementBase& element,
                                                  const CListeAction& from,
                                                  const CListeAction& to) {
    try {
        std::vector<uint8_t> bytes;
        CArchive out(CArchive::store, bytes);
        out.setCurrentList(const_cast<CListeAction*>(&from));
        out.writeObject(&element);
        CArchive in(CArchive::load, bytes);
        in.setCurrentList(const_cast<CListeAction*>(&to));
        std::unique_ptr<CElementBase> copy = in.readObjectOf<CElementBase>();
        if (copy) return copy;
    } catch (const CArchiveException&) {
    }
    return std::make_unique<CElementBase>();
}
