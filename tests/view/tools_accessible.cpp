// The figure as assistive technology and the keyboard reach it: the view's children name and
// describe its objects and follow its changes; a construction and a drag done with keys alone
// give the same figure as with the mouse.
#include <QAccessible>
#include <QTest>

#include "geometry/CDroite.h"
#include "geometry/CPointLie.h"
#include "tools_fixture.h"
#include "view/CFigureAccessible.h"

namespace {
std::vector<std::pair<QAccessible::Event, int>> gEvents;
void recordEvent(QAccessibleEvent* e) {
    gEvents.emplace_back(e->type(), e->child());
}
}  // namespace

class AccessibleTest : public ToolsTest {
protected:
    void SetUp() override {
        ToolsTest::SetUp();
        setAccessibilitySink(recordEvent);
        gEvents.clear();
    }
    void TearDown() override {
        setAccessibilitySink(nullptr);
        ToolsTest::TearDown();
    }
    QAccessibleInterface* figure() { return QAccessible::queryAccessibleInterface(v()); }
    QStringList names() {
        QStringList out;
        QAccessibleInterface* f = figure();
        for (int i = 0; i < f->childCount(); ++i) out << f->child(i)->text(QAccessible::Name);
        return out;
    }
    int eventsOf(QAccessible::Event type) const {
        return static_cast<int>(std::count_if(gEvents.begin(), gEvents.end(),
                                              [type](auto& e) { return e.first == type; }));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(v(), k, m); }
    void keys(Qt::Key k, int n, Qt::KeyboardModifiers m = Qt::NoModifier) {
        for (int i = 0; i < n; ++i) key(k, m);
    }
};

TEST_F(AccessibleTest, ChildrenNameDescribeAndPlaceTheObjectsAndFollowChanges) {
    freePoint(100, 100);
    freePoint(300, 100);
    select(Cmd::segment);
    clicks({{100, 100}, {300, 100}});
    select(Cmd::midpoint);
    clicks({{100, 100}, {300, 100}});
    QAccessibleInterface* f = figure();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->role(), QAccessible::Canvas);
    EXPECT_EQ(names(), QStringList({"Point A", "Point B", "Segment [AB]", "Point C"}));
    QAccessibleInterface* c = f->child(3);
    EXPECT_EQ(c->text(QAccessible::Description), "Point C : Milieu de [AB]");
    EXPECT_EQ(c->role(), QAccessible::Graphic);
    EXPECT_EQ(c->parent(), f);
    EXPECT_EQ(f->indexOfChild(c), 3);
    const QPoint at = v()->mapToGlobal(QPoint(200, 100));
    EXPECT_TRUE(c->rect().contains(at));
    EXPECT_EQ(f->childAt(at.x(), at.y()), c) << "the point before the segment under it";

    // Deleting the midpoint removes its child; undo brings it back under the same name.
    gEvents.clear();
    ASSERT_TRUE(select(Cmd::deleteObject));
    click(200, 100);
    EXPECT_EQ(f->childCount(), 3);
    EXPECT_EQ(eventsOf(QAccessible::ObjectDestroyed), 1);
    EXPECT_EQ(eventsOf(QAccessible::ObjectCreated), 0);
    gEvents.clear();
    ASSERT_TRUE(v()->undo());
    EXPECT_EQ(names().last(), "Point C");
    EXPECT_EQ(eventsOf(QAccessible::ObjectCreated), 1) << "the others are read the same";
    EXPECT_EQ(eventsOf(QAccessible::ObjectDestroyed), 0);
}
