#include "platform/headless_ui.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

TEST(HeadlessUi, BusyPointerNestsAndGuardsRestoreIt) {
    AutomaticUi ui;
    {
        BusyGuard outer(ui);
        {
            BusyGuard inner(ui);
            EXPECT_TRUE(ui.busy());
        }
        EXPECT_TRUE(ui.busy());
    }
    EXPECT_FALSE(ui.busy());
    try {
        BusyGuard g(ui);
        throw 1;
    } catch (int) {
    }
    EXPECT_FALSE(ui.busy());
    ui.setBusy(false);  // an unpaired release does not go below zero
    ui.setBusy(true);
    EXPECT_TRUE(ui.busy());
}

TEST(HeadlessUi, ScriptedAnswersInOrderThenDefaults) {
    ScriptedUi ui;
    ui.yesNoAnswers = {true, false};
    ui.viewerAnswers = {"", "Sel"};
    ui.openAnswers = {"/tmp/a.gau"};
    EXPECT_TRUE(ui.askYesNo("q1"));
    EXPECT_FALSE(ui.askYesNo("q2"));
    EXPECT_FALSE(ui.askYesNo("q3"));
    EXPECT_EQ(ui.showCandidate({}), "");
    EXPECT_EQ(ui.showCandidate({}), "Sel");
    EXPECT_EQ(ui.showCandidate({}), "Int");
    EXPECT_EQ(ui.openFileName("Knots", {}), "/tmp/a.gau");
    EXPECT_EQ(ui.openFileName("Knots", {}), "");
    ui.showMessage("hello");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.calls.front(), "yesno: q1");
    EXPECT_EQ(ui.calls.back(), "message: hello");
}

}  // namespace
}  // namespace trevalon
