// The archive must read back exactly what it wrote, byte for byte in the framework's layout,
// and must turn every damaged input into a CArchiveException: never a crash, never a huge
// allocation.
#include <gtest/gtest.h>

#include "TestObjects.h"

namespace {

// A class of schema 2 that still reads schema 1, remembering the schema it was read with.
class TestVersioned : public CElementBase {
    DECLARE_SERIAL(TestVersioned)
public:
    unsigned schemaRead = 0;
    void Serialize(CArchive& ar) override {
        if (ar.IsLoading()) schemaRead = ar.getObjectSchema();
    }
};
IMPLEMENT_SERIAL_VERSIONABLE(TestVersioned, CElementBase, 2)

std::vector<uint8_t> bytesOf(std::initializer_list<int> values) {
    std::vector<uint8_t> v;
    for (int b : values) v.push_back(static_cast<uint8_t>(b));
    return v;
}

std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> v;
    for (const auto& p : parts) v.insert(v.end(), p.begin(), p.end());
    return v;
}

// New-class tag for `name` with `schema`.
std::vector<uint8_t> newClassTag(const std::string& name, int schema) {
    std::vector<uint8_t> v =
        bytesOf({0xFF, 0xFF, schema & 0xFF, schema >> 8, static_cast<int>(name.size()), 0});
    v.insert(v.end(), name.begin(), name.end());
    return v;
}

CArchiveException::Cause causeOf(std::vector<uint8_t> bytes,
                                 const CRuntimeClass* expected = nullptr) {
    CArchive ar(CArchive::load, bytes);
    try {
        ar.readObject(expected);
    } catch (const CArchiveException& e) {
        return e.cause;
    }
    ADD_FAILURE() << "no exception";
    return CArchiveException::writeError;
}

// A figure with every kind of test object, references, a unit length and a default macro.
void buildSample(Figure& f) {
    f.value(nat::calcul, "pi", 3.14159);
    f.value(nat::variable, "réel", 2.5);
    TestPoint* a = f.point("A", 10, 20);
    TestPoint* b = f.point("B", 30, 60);
    f.midpoint("M", a, b);
    TestTransformation* t = f.transformation(a);
    f.image("B'", b, t);
    f.list.unitLength = f.value(nat::mesure, "AB", 1, b);
    f.list.defaultMacro = f.macro("Anime", a);
    f.list.angleUnit = 1;
}

}  // namespace

TEST(ArchivePrimitives, LittleEndianRoundTrip) {
    std::vector<uint8_t> buf;
    CArchive out(CArchive::store, buf);
    out.writeByte(0xAB);
    out.writeWord(0x1234);
    out.writeDword(0xDEADBEEF);
    out.writeDouble(1.5);
    out.writeSize(-3, 70000);
    EXPECT_EQ(buf, bytesOf({0xAB, 0x34, 0x12, 0xEF, 0xBE, 0xAD, 0xDE, 0,    0,    0,    0, 0,
                            0,    0xF8, 0x3F, 0xFD, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0}));
    CArchive in(CArchive::load, buf);
    EXPECT_EQ(in.readByte(), 0xAB);
    EXPECT_EQ(in.readWord(), 0x1234);
    EXPECT_EQ(in.readDword(), 0xDEADBEEFu);
    EXPECT_EQ(in.readDouble(), 1.5);
    int32_t cx = 0, cy = 0;
    in.readSize(cx, cy);
    EXPECT_EQ(cx, -3);
    EXPECT_EQ(cy, 70000);
    EXPECT_THROW(in.readByte(), CArchiveException);
}

TEST(ArchivePrimitives, StringLengthPrefixes) {
    for (auto [length, prefix] : {std::pair{254u, bytesOf({254})},
                                  {255u, bytesOf({0xFF, 0xFF, 0x00})},
                                  {0xFFFDu, bytesOf({0xFF, 0xFD, 0xFF})},
                                  {0xFFFEu, bytesOf({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0, 0})}}) {
        std::string s(length, 'x');
        std::vector<uint8_t> buf;
        CArchive out(CArchive::store, buf);
        out.writeString(s);
        ASSERT_EQ(buf.size(), prefix.size() + length);
        EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), buf.begin())) << length;
        CArchive in(CArchive::load, buf);
        EXPECT_EQ(in.readString(), s);
        EXPECT_TRUE(in.atEnd());
    }
}

TEST(ArchivePrimitives, CountEscapesAtFFFF) {
    for (auto [count, bytes] : {std::pair{0xFFFEu, bytesOf({0xFE, 0xFF})},
                                {0xFFFFu, bytesOf({0xFF, 0xFF, 0xFF, 0xFF, 0, 0})}}) {
        std::vector<uint8_t> buf;
        CArchive out(CArchive::store, buf);
        out.writeCount(count);
        EXPECT_EQ(buf, bytes);
        CArchive in(CArchive::load, buf);
        EXPECT_EQ(in.readCount(), count);
    }
}

TEST(ArchiveStrings, UnicodeMarkedStringsReadAsUtf8) {
    // 0xFF 0xFFFE then a UTF-16 length and text: "é", a surrogate pair (U+1F600), a lone
    // surrogate.
    std::vector<uint8_t> buf =
        bytesOf({0xFF, 0xFE, 0xFF, 4, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE, 0x00, 0xDC});
    CArchive in(CArchive::load, buf);
    EXPECT_EQ(in.readString(), "é\xF0\x9F\x98\x80?");
    EXPECT_TRUE(in.atEnd());
}

TEST(ArchiveStrings, Utf8WrittenAsWindows1252) {
    for (auto [utf8, cp1252] : {std::pair{"€", "\x80"},
                                {"Ω", "?"},                       // no Windows-1252 form
                                {"\xF0\x9F\x98\x80", "?"},        // outside the BMP
                                {"\xC2\x80", "?"},                // C1 control that 0x80 is not
                                {"\xC2\x81", "\x81"},             // undefined byte kept
                                {"\xC3(", "?("},                  // bad continuation
                                {"\xC0\xAF", "??"},               // overlong "/"
                                {"\xED\xA0\x80", "???"},          // UTF-16 surrogate
                                {"\xF4\x90\x80\x80", "????"}}) {  // beyond U+10FFFF
        EXPECT_EQ(utf8ToCp1252(utf8), cp1252) << utf8;
    }
}

TEST(ArchiveStrings, EveryWindows1252ByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    // The five undefined bytes read as the C1 controls of the same number.
    EXPECT_EQ(cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}

TEST(ArchiveObjects, TagsOfNewClassKnownClassRepeatAndNull) {
    TestValue a("a", 1), b("b", 2);
    std::vector<uint8_t> buf;
    CArchive out(CArchive::store, buf);
    for (const CObject* o : {static_cast<CObject*>(&a), static_cast<CObject*>(&b),
                             static_cast<CObject*>(&a), static_cast<CObject*>(nullptr)})
        out.writeObject(o);
    // Classes and objects count together: class 1, then objects 2 and 3.
    std::vector<uint8_t> fieldsA = storeObject(&a), fieldsB = storeObject(&b);
    fieldsB.erase(fieldsB.begin(), fieldsB.begin() + 15);
    EXPECT_EQ(buf, join({fieldsA, bytesOf({0x01, 0x80}), fieldsB, bytesOf({0x02, 0, 0, 0})}));
    CArchive in(CArchive::load, buf);
    EXPECT_EQ(in.readObjectOf<TestValue>()->name, "a");
    EXPECT_EQ(in.readObjectOf<TestValue>()->value, 2);
}

// Written objects are numbered in the objects themselves: two archives open at once over the
// same objects, and one after them, each number them as if alone.
TEST(ArchiveObjects, ArchivesOpenAtOnceNumberTheirObjectsApart) {
    TestValue a("a", 1), b("b", 2);
    std::vector<uint8_t> alone;
    {
        CArchive out(CArchive::store, alone);
        for (const CObject* o : {&a, &b, &a, &b}) out.writeObject(o);
    }
    std::vector<uint8_t> first, second, later;
    {
        CArchive one(CArchive::store, first);
        one.writeObject(&a);
        CArchive two(CArchive::store, second);
        for (const CObject* o : {&b, &a}) two.writeObject(o);
        for (const CObject* o : {&b, &a, &b}) one.writeObject(o);
        for (const CObject* o : {&b, &a}) two.writeObject(o);
    }
    CArchive three(CArchive::store, later);
    for (const CObject* o : {&a, &b, &a, &b}) three.writeObject(o);
    EXPECT_EQ(first, alone);
    EXPECT_EQ(later, alone);
    std::vector<uint8_t> reversed;
    CArchive out(CArchive::store, reversed);
    for (const CObject* o : {&b, &a, &b, &a}) out.writeObject(o);
    EXPECT_EQ(second, reversed);
}

TEST(ArchiveObjects, ThirtyTwoBitEscapeForLargeIndexes) {
    // 0x8000 values take indexes 2..0x8001 (class 1); the macro class then gets 0x8002 and its
    // first object 0x8003, beyond the word range.
    std::vector<std::unique_ptr<TestValue>> values;
    for (int i = 0; i < 0x8000; ++i) values.push_back(std::make_unique<TestValue>("v", i));
    TestMacro m1(nullptr), m2(nullptr);
    std::vector<uint8_t> buf;
    CArchive out(CArchive::store, buf);
    for (auto& v : values) out.writeObject(v.get());
    out.writeObject(&m1);
    size_t m2At = buf.size();
    out.writeObject(&m2);
    size_t repeatAt = buf.size();
    out.writeObject(&m1);
    out.writeObject(values.back().get());
    EXPECT_EQ(std::vector<uint8_t>(buf.begin() + m2At, buf.begin() + m2At + 6),
              bytesOf({0xFF, 0x7F, 0x02, 0x80, 0x00, 0x80}));
    EXPECT_EQ(std::vector<uint8_t>(buf.begin() + repeatAt, buf.begin() + repeatAt + 6),
              bytesOf({0xFF, 0x7F, 0x03, 0x80, 0x00, 0x00}));
    EXPECT_EQ(std::vector<uint8_t>(buf.end() - 6, buf.end()),
              bytesOf({0xFF, 0x7F, 0x01, 0x80, 0x00, 0x00}));
    CArchive in(CArchive::load, buf);
    for (int i = 0; i < 0x8000; ++i) ASSERT_EQ(in.readObjectOf<TestValue>()->value, i);
    EXPECT_TRUE(in.readObjectOf<TestMacro>());
    EXPECT_TRUE(in.readObjectOf<TestMacro>());
    EXPECT_THROW(in.readObject(), CArchiveException);
}

TEST(ArchiveObjects, SchemaMismatchRefusedUnlessVersionable) {
    EXPECT_EQ(causeOf(newClassTag("TestValue", 2)), CArchiveException::badSchema);
    std::vector<uint8_t> versioned = newClassTag("TestVersioned", 1);
    CArchive in(CArchive::load, versioned);
    EXPECT_EQ(in.readObjectOf<TestVersioned>()->schemaRead, 1u);
}

TEST(ArchiveObjects, EntrySchemasOneAndTwo) {
    // Schema 1: a dword nature; schema 2: the bit number.
    TestValue x("x");
    std::vector<uint8_t> v1 =
        join({newClassTag("CAction", 1), bytesOf({0, 0, 0x80, 0}), storeObject(&x)});
    CArchive in(CArchive::load, v1);
    EXPECT_EQ(in.readObjectOf<CAction>()->nature, nat::mesure);
    // No bit set: reads back as no nature.
    std::vector<uint8_t> v2 = join({newClassTag("CAction", 2), bytesOf({64}), storeObject(&x)});
    CArchive in2(CArchive::load, v2);
    EXPECT_EQ(in2.readObjectOf<CAction>()->nature, 0u);
}

TEST(ArchiveObjects, BadTagsAreRefused) {
    using E = CArchiveException;
    for (auto [what, bytes, cause] :
         {std::tuple{"abstract class", newClassTag("CObject", 0xFFFF), E::badClass},
          {"not a figure object", newClassTag("CListeAction", 1), E::badClass},
          {"empty class name", bytesOf({0xFF, 0xFF, 1, 0, 0, 0}), E::badClass},
          {"class name of 0xFFFF bytes", bytesOf({0xFF, 0xFF, 1, 0, 0xFF, 0xFF}), E::badClass},
          {"class index never introduced", bytesOf({0x05, 0x80}), E::badIndex},
          {"object index never read", bytesOf({0x09, 0x00}), E::badIndex},
          {"32-bit class index", bytesOf({0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF}), E::badIndex},
          {"truncated tag", bytesOf({0xFF}), E::endOfFile}}) {
        EXPECT_EQ(causeOf(bytes, CElementBase::staticClass()), cause) << what;
    }
}

TEST(ArchiveReferences, IndexesResolveAgainstTheCurrentList) {
    Figure f;
    TestPoint* a = f.point("A");
    TestValue* v = f.value(nat::variable, "v");
    std::vector<uint8_t> buf;
    CArchive out(CArchive::store, buf);
    out.setCurrentList(&f.list);
    out.writeReference(v);
    out.writeReference(nullptr);
    out.writeReference(a);
    out.writeInt(7);
    out.setFormat(CArchive::Format::earliest);
    out.writeReference(v);
    EXPECT_EQ(buf.size(), 4u * 4 + 2);
    CArchive in(CArchive::load, buf);
    in.setCurrentList(&f.list);
    EXPECT_EQ(in.readReference(), v);
    EXPECT_THROW(in.readRequiredReferenceOf<CElementBase>(), CArchiveException);
    EXPECT_THROW(in.readReferenceOf<TestValue>(), CArchiveException);  // A is a point
    EXPECT_THROW(in.readReference(), CArchiveException);               // beyond the list
    in.setFormat(CArchive::Format::earliest);
    EXPECT_EQ(in.readReferenceOf<TestValue>(), v);
}

TEST(ArchiveList, EmptyListEndsWithTwoNoneReferences) {
    CListeAction empty;
    EXPECT_EQ(storeList(empty),
              bytesOf({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(ArchiveList, DamagedBytesNeverCrash) {
    Figure f;
    buildSample(f);
    std::vector<uint8_t> bytes = storeList(f.list);
    for (size_t i = 0; i < bytes.size(); ++i)
        for (uint8_t v : {uint8_t{0x00}, uint8_t{0xFF}, uint8_t{0x7F}, uint8_t{0x80},
                          static_cast<uint8_t>(bytes[i] + 1)}) {
            std::vector<uint8_t> damaged = bytes;
            damaged[i] = v;
            CListeAction l;
            try {
                loadList(damaged, l);
                l.computeAll();
                storeList(l);
            } catch (const CArchiveException&) {
            }
        }
}

// A list of one value entry whose name has the given length prefix, and nothing after it.
std::vector<uint8_t> valueNamed(std::initializer_list<int> prefix) {
    return join({bytesOf({0, 0, 1, 0}), newClassTag("CAction", 2), bytesOf({24}),
                 newClassTag("TestValue", 1), bytesOf(prefix)});
}

// Without allocating what the sizes announce.
TEST(ArchiveList, AbsurdSizesAndEntriesWithoutObjectAreRefused) {
    for (auto [what, bytes] :
         {std::pair{"entry count 0xFFFE", bytesOf({0, 0, 0xFE, 0xFF, 0xFF, 0xFF})},
          {"string of 0xFFFFFFFF bytes", valueNamed({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
          {"UTF-16 string of 0xFFFFFFFF characters",
           valueNamed({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})},
          // A bare entry base class has no object: the list must not take it.
          {"entry without object",
           join({bytesOf({0, 0, 1, 0}), newClassTag("CActionAncetre", 2),
                 bytesOf({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})})}}) {
        CListeAction l;
        EXPECT_THROW(loadList(bytes, l), CArchiveException) << what;
    }
}

TEST(ArchiveList, UnitLengthAndDefaultMacroMustNameAMeasureAndAMacro) {
    Figure f;
    buildSample(f);  // 7 is the measure, 8 the macro, 2 a point
    const std::vector<uint8_t> saved = storeList(f.list);
    for (auto [unitLength, defaultMacro, accepted] : {std::tuple{7, 8, true},
                                                      {-1, -1, true},
                                                      {-2, -1, false},
                                                      {2, -1, false},
                                                      {-1, 7, false}}) {
        std::vector<uint8_t> bytes = saved;
        for (int i = 0; i < 4; ++i) {
            bytes[bytes.size() - 8 + i] = static_cast<uint8_t>(unitLength >> (8 * i));
            bytes[bytes.size() - 4 + i] = static_cast<uint8_t>(defaultMacro >> (8 * i));
        }
        CListeAction l;
        if (!accepted) {
            EXPECT_THROW(loadList(bytes, l), CArchiveException) << unitLength << defaultMacro;
            continue;
        }
        loadList(bytes, l);
        EXPECT_EQ(l.indexOf(l.unitLength), unitLength);
        EXPECT_EQ(l.indexOf(l.defaultMacro), defaultMacro);
    }
}
