// The figure as assistive technology and the keyboard reach it: the view's children name and
// describe its objects and follow its changes; a construction and a drag done with keys alone
// give the same figure as with the mouse.
#include <QAccessible>
#include <QTest>

#include "geometry/CDroite.h"
#include "tools_fixture.h"
#include "view/CFigureAccessible.h"
#include "view/CKeyboardTools.h"

namespace {
std::vector<QAccessible::Event> gEvents;
void recordEvent(QAccessibleEvent* e) {
    gEvents.push_back(e->type());
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
        return static_cast<int>(std::count(gEvents.begin(), gEvents.end(), type));
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
    EXPECT_EQ(names(), QStringList({"Point A", "Point B", "Segment [AB]", "Point C"}));
    QAccessibleInterface* c = f->child(3);
    EXPECT_EQ(c->text(QAccessible::Description), "Point C : Milieu de [AB]");
    const QPoint at = v()->mapToGlobal(QPoint(200, 100));
    EXPECT_TRUE(c->rect().contains(at));
    EXPECT_EQ(f->childAt(at.x(), at.y()), c) << "the point before the segment under it";

    // Deleting the midpoint removes its child; undo brings it back under the same name.
    gEvents.clear();
    ASSERT_TRUE(select(Cmd::deleteObject));
    click(200, 100);
    EXPECT_EQ(f->childCount(), 3);
    EXPECT_EQ(eventsOf(QAccessible::ObjectDestroyed), 1);
    gEvents.clear();
    ASSERT_TRUE(v()->undo());
    EXPECT_EQ(names()[3], "Point C");
    EXPECT_EQ(eventsOf(QAccessible::ObjectCreated), 1) << "the others are read the same";
}

TEST_F(AccessibleTest, KeyboardAloneBuildsTheSameFigureAsTheMouse) {
    // The keyboard cursor starts at the centre of the view, (320, 240).
    ASSERT_TRUE(select(Cmd::freePoint));
    keys(Qt::Key_Left, 10, Qt::ShiftModifier);
    key(Qt::Key_Return);
    keys(Qt::Key_Right, 20, Qt::ShiftModifier);
    key(Qt::Key_Return);
    keys(Qt::Key_Up, 10, Qt::ShiftModifier);
    keys(Qt::Key_Left, 5);
    key(Qt::Key_Return);
    ASSERT_TRUE(select(Cmd::segment));
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    ASSERT_TRUE(select(Cmd::midpoint));
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    EXPECT_EQ(CKeyboardTools::candidates(v()).size(), 2u) << "B and C, A is taken";
    key(Qt::Key_Tab);
    EXPECT_EQ(figure()->focusChild()->text(QAccessible::Name), "Point B");
    key(Qt::Key_Return);
    ASSERT_EQ(names(), QStringList({"Point A", "Point B", "Point C", "Segment [AB]", "Point D"}));
    const std::vector<uint8_t> byKeys = doc().writeListState();

    while (list().count() > 1) ASSERT_TRUE(v()->undo());
    freePoint(220, 240);
    freePoint(420, 240);
    freePoint(415, 140);
    select(Cmd::segment);
    clicks({{220, 240}, {420, 240}});
    select(Cmd::midpoint);
    clicks({{220, 240}, {420, 240}});
    EXPECT_EQ(doc().writeListState(), byKeys);
}

TEST_F(AccessibleTest, ArrowsDragAPointAndItsDependentsIntoOneCaptureState) {
    auto* a = freePoint(100, 100);
    freePoint(300, 100);
    select(Cmd::midpoint);
    clicks({{100, 100}, {300, 100}});
    auto* m = last<CMilieu>();
    revenirCapture(v());
    const int top = doc().history().top();
    key(Qt::Key_Tab);
    key(Qt::Key_Return);
    ASSERT_TRUE(captureHandler().dragging) << "A, the first point, is taken";
    gEvents.clear();
    keys(Qt::Key_Right, 3);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(a->y, 1100);
    EXPECT_DOUBLE_EQ(m->x, (1030 + 3000) / 2.0);
    EXPECT_TRUE(gEvents.empty()) << "nothing reported while moving";
    key(Qt::Key_Return);
    EXPECT_EQ(doc().history().top(), top + 1);
    EXPECT_EQ(eventsOf(QAccessible::LocationChanged), 2) << "A and its midpoint";
}
