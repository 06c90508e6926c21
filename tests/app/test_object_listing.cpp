// File > Liste des objets: the numbered objects of the figure, its unnamed points named for
// the listing only.
#include <gtest/gtest.h>

#include <QDialog>
#include <QPlainTextEdit>

#include "FrameFixture.h"
#include "geometry/CDroite.h"
#include "view/CPelvantiView.h"
#include "view/Commands.h"

TEST(ObjectListing, NamesTheUnnamedPointsOfACopyOnly) {
    Fixture f;
    CPelvantiView* v = f.run(Cmd::fileNew);
    ASSERT_NE(v, nullptr);
    CPelvantiDoc& doc = *v->document();
    auto* a = new CPointBase(1000, 1000, 4, 0);
    auto* b = new CPointBase(3000, 1000, 4, 0);
    doc.addEntry(std::make_unique<CAction>(nat::pointLibre, std::unique_ptr<CPointBase>(a)));
    doc.addEntry(std::make_unique<CAction>(nat::pointLibre, std::unique_ptr<CPointBase>(b)));
    doc.addEntry(std::make_unique<CAction>(nat::segment, std::make_unique<CSegment>(a, b)));
    const std::vector<uint8_t> before = doc.writeListState();

    f.run(Cmd::objectListing);
    auto* d = f.frame->findChild<QDialog*>(QStringLiteral("objectListing"));
    ASSERT_NE(d, nullptr);
    const QString text = d->findChild<QPlainTextEdit*>()->toPlainText();
    EXPECT_EQ(text, QStringLiteral(
                        "1. Point A : Point libre\n2. Point B : Point libre\n3. Segment [AB]\n"));
    EXPECT_EQ(doc.writeListState(), before);
    d->close();
}
