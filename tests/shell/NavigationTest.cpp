// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Navigation.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(Suggestions, SetsPerToolNumber) {
  struct Case {
    int32_t tool;
    SuggestionFacts facts;
    std::vector<int> set;
  };
  const Case cases[] = {
      {20, {}, {}},
      {98, {}, {1}},
      {98, {true, false}, {1, 3}},
      {99, {}, {1, 2}},
      {104, {}, {1}},
      {297, {}, {1}},
      {201, {}, {1, 11}},
      {206, {}, {1, 26}},
      {208, {}, {1, 38}},
      {299, {}, {1, 23}},
      {300, {true, false}, {1}},
      {303, {true, true}, {1, 6}},
      {301, {}, {1, 5}},
      {59, {}, {1, 52, 53}},
      {401, {}, {1, 47, 50, 51}},
      {1024, {}, {1, 2, 3, 4}},
      {1043, {}, {1, 8, 9, 10}},
      {1044, {}, {1, 8, 9}},
      {1059, {}, {1, 32, 33, 34}},
      {1060, {}, {1, 32, 33}},
      {1061, {}, {}},
      {1077, {}, {1, 47, 48, 49}},
      {1080, {}, {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tool);
    EXPECT_EQ(SuggestionsFor(c.tool, c.facts), c.set);
  }
}

TEST(Suggestions, EntriesShowTheFirstFourInNumberOrderWithTheirTexts) {
  EXPECT_EQ(ShownSuggestions({53, 1, 52, 47, 50}), (std::vector<int>{1, 47, 50, 52}));
  const std::vector<int> spline = ShownSuggestions(SuggestionsFor(1059, {}));
  std::vector<QString> texts;
  for (int n : spline)
    texts.push_back(SuggestionText(n));
  EXPECT_EQ(texts, (std::vector<QString>{"Insert new item", "Start next spline", "Fine-tune",
                                         "Move this spline"}));
  EXPECT_EQ(SuggestionText(11), QStringLiteral("Start next square"));
  EXPECT_EQ(SuggestionText(46), QStringLiteral("Move this oblong"));
}

TEST(Suggestions, ActionsFollowTheTableAndTheHintSwitches) {
  std::array<bool, kHintSwitches> hints{};
  using Kind = SuggestionAction::Kind;
  EXPECT_EQ(ActionOf(11, hints).tool, 101);
  EXPECT_EQ(ActionOf(12, hints).kind, Kind::SelectNewestAndShow);
  EXPECT_EQ(ActionOf(12, hints).tool, 201);
  EXPECT_TRUE(ActionOf(12, hints).skipIfShown);
  EXPECT_EQ(ActionOf(13, hints).tool, 1046);
  EXPECT_EQ(ActionOf(47, hints).kind, Kind::RunTool);
  EXPECT_EQ(ActionOf(4, hints).tool, 99);
  hints[std::size_t(HintOfPage(1025))] = true;
  EXPECT_EQ(ActionOf(4, hints).tool, 1025);
  EXPECT_EQ(ActionOf(52, hints).kind, Kind::Join);
}

TEST(PanelHistory, RecordsSkipsSameSettingsAndWalksShowableSteps) {
  PanelHistory history;
  TParams params;
  const auto step = [&](int32_t tool) {
    return HistoryStep{tool, -1, 0, 0, TakeToolSettings(params, tool)};
  };
  history.Record(step(20));
  history.Record(step(98));
  history.Record(step(98));  // same settings: no new step
  EXPECT_EQ(history.size(), 2u);
  params.lineColor = 255;
  history.Record(step(98));
  history.Record(step(99));
  history.Record(step(101));
  EXPECT_EQ(history.size(), 5u);
  const auto notSelected = [](const HistoryStep& s) { return s.tool != 99; };
  EXPECT_EQ(history.Back(notSelected)->tool, 98);  // the 99 step is skipped
  EXPECT_EQ(history.Back(notSelected)->settings->lineColor, 0);
  EXPECT_EQ(history.Back(notSelected)->tool, 20);
  EXPECT_FALSE(history.CanGoBack(notSelected));
  EXPECT_EQ(history.Forward(notSelected)->tool, 98);
  // A new step drops the steps after the current one.
  history.Record(step(300));
  EXPECT_FALSE(history.CanGoForward(notSelected));
  EXPECT_EQ(history.size(), 3u);
}

}  // namespace
}  // namespace quillon
