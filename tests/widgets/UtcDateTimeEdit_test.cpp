// A date field takes a whole value typed or pasted at once, keeps its sections, and refuses junk
// without losing what it held.

#include "widgets/UtcDateTimeEdit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace zel {
namespace {

TEST(UtcDateTimeEditTest, WholeValuesTypedOrPastedAndJunkRefused) {
    UtcDateTimeEdit edit("dd/MM/yyyy HH:mm:ss", 1371212400, nullptr);  // 14/06/2013 12:20:00
    edit.show();
    auto enter = [&](const QString& text, bool paste) {
        edit.setFocus();
        edit.selectAll();
        if (paste) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
            return edit.epoch();
        }
        QTest::keyClicks(&edit, text.left(1));
        auto* whole = edit.findChild<QLineEdit*>("wholeValue");  // what the analyst types into
        EXPECT_TRUE(whole && whole->isVisible());
        if (!whole) return edit.epoch();
        QTest::keyClicks(whole, text.mid(1));
        QTest::keyClick(whole, Qt::Key_Return);
        EXPECT_FALSE(whole->isVisible());
        return edit.epoch();
    };
    EXPECT_EQ(enter("2013-06-14T12:08:23Z", false), 1371211703.0);
    EXPECT_EQ(edit.text(), "14/06/2013 12:08:23");
    EXPECT_EQ(enter("15.06.2013 01:02:03", true), 1371258123.0);
    EXPECT_EQ(enter("16/06/2013 00:00:00", false), 1371340800.0);
    EXPECT_EQ(enter("what", true), 1371340800.0);
    EXPECT_EQ(enter("2013-02-30 00:00", false), 1371340800.0);
}

}  // namespace
}  // namespace zel
