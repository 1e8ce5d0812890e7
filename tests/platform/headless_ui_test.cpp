#include "platform/headless_ui.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

TEST(HeadlessUi, BusyPointerNestsAndGuardsRestoreIt) {
    AutomaticUi ui;
    {
        BusyGuard outer(ui);
        { BusyGuard inner(ui); }
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
    ui.yesNoAnswers = {true};
    ui.viewerAnswers = {ViewerAnswer::None, ViewerAnswer::Sel};
    EXPECT_TRUE(ui.askYesNo("q1"));
    EXPECT_FALSE(ui.askYesNo("q2"));
    StepViewRequest request;
    request.tipoMossa = MoveKind::IILoop;
    request.message = "m";
    EXPECT_EQ(ui.showCandidate(request), ViewerAnswer::None);
    EXPECT_EQ(ui.showCandidate({}), ViewerAnswer::Sel);
    EXPECT_EQ(ui.showCandidate({}), ViewerAnswer::Int);  // an unscripted viewer stops the search
    EXPECT_EQ(ui.calls,
              (std::vector<std::string>{"yesno: q1", "yesno: q2", "viewer: 2L m", "viewer:  ", "viewer:  "}));
    EXPECT_EQ(AutomaticUi().showCandidate({}), ViewerAnswer::Sel);
}

}  // namespace
}  // namespace trevalon
