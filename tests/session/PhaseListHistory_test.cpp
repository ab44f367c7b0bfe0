// The phase list's undo history as the session keeps it: every told change is one step, redo
// goes after a new change, a new event starts afresh, and the saved state decides whether closing
// has anything to ask.

#include "session/Session.h"

#include <gtest/gtest.h>

namespace zel {
namespace {

SEISMIC_PHASE Pick(int station, int phase, double time) {
    SEISMIC_PHASE p;
    p.stationIndex = station;
    p.phaseIndex = phase;
    p.time = time;
    return p;
}

std::vector<double> Times(const ZELPhases& list) {
    std::vector<double> t;
    for (int i = 0; i < list.Count(); ++i) t.push_back(list.GetAt(i)->time);
    return t;
}

TEST(PhaseListHistoryTest, UndoRedoOverAddEditDeleteAndNewEvents) {
    Session session;
    ZELPhases& list = session.phases();
    session.event().eventId = "E1";
    session.changed(SessionChange::Picks);  // the event begins with an empty list
    EXPECT_FALSE(session.canUndoPicks());
    EXPECT_FALSE(session.picksUnsaved());

    list.Add(Pick(0, 1, 10));
    session.changed(SessionChange::Picks);
    list.Add(Pick(1, 1, 12));
    session.changed(SessionChange::Picks);
    list.Find(0, 0, 1)->time = 11;  // an edit
    session.changed(SessionChange::Picks);
    list.GetAt(0)->screenX = 400;  // drawn elsewhere: not a change of the list
    session.changed(SessionChange::Picks);
    session.changed(SessionChange::Hypocentre);
    list.Remove(1, 0, 1);
    session.changed(SessionChange::Picks);
    EXPECT_TRUE(session.picksUnsaved());

    EXPECT_EQ(Times(list), (std::vector<double>{11}));
    ASSERT_TRUE(session.undoPicks());
    EXPECT_EQ(Times(list), (std::vector<double>{11, 12}));
    ASSERT_TRUE(session.undoPicks());
    EXPECT_EQ(Times(list), (std::vector<double>{10, 12}));
    ASSERT_TRUE(session.undoPicks());
    ASSERT_TRUE(session.undoPicks());
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(session.undoPicks());
    EXPECT_FALSE(session.picksUnsaved());  // back where the event began

    ASSERT_TRUE(session.redoPicks());
    ASSERT_TRUE(session.redoPicks());
    EXPECT_EQ(Times(list), (std::vector<double>{10, 12}));
    session.markPicksSaved();
    EXPECT_FALSE(session.picksUnsaved());
    // A new change after undo drops what could be redone.
    list.Add(Pick(2, 1, 13));
    session.changed(SessionChange::Picks);
    EXPECT_FALSE(session.canRedoPicks());
    EXPECT_TRUE(session.picksUnsaved());
    ASSERT_TRUE(session.undoPicks());
    EXPECT_FALSE(session.picksUnsaved());

    // Observers hear of an undo as of any change.
    int told = 0;
    session.observe([&](SessionChange what) { told += what == SessionChange::Picks; });
    ASSERT_TRUE(session.undoPicks());
    EXPECT_EQ(told, 1);

    // Another event: its list is what the database gave, with no history behind it.
    list.RemoveAll();
    list.Add(Pick(5, 1, 50));
    session.event().eventId = "E2";
    session.changed(SessionChange::Picks);
    EXPECT_FALSE(session.canUndoPicks());
    EXPECT_FALSE(session.canRedoPicks());
    EXPECT_FALSE(session.picksUnsaved());
}

}  // namespace
}  // namespace zel
