#include "app/PasswordRules.h"

#include <gtest/gtest.h>

using namespace app;
namespace {

TEST(PasswordGate, OnlyTheExactPasswordUnlocks) {
  for (const char* wrong : {"WEXO", "Wexo", "wex", "wexo ", " wexo", ""}) {
    PasswordGate gate;
    EXPECT_NE(gate.CheckPassword(wrong), 0) << wrong;
    EXPECT_FALSE(gate.Unlocked());
  }
  PasswordGate gate;
  EXPECT_EQ(gate.CheckPassword("wexo"), 0);
  EXPECT_TRUE(gate.Unlocked());
  // Accepted for the rest of the run: a later wrong text changes nothing.
  EXPECT_NE(gate.CheckPassword("nope"), 0);
  EXPECT_TRUE(gate.Unlocked());
}

TEST(PasswordGate, AttemptsOverTheRun) {
  PasswordGate gate;
  // Two messages, then the third failure closes the dialog without one.
  AttemptOutcome a = gate.Attempt("a");
  EXPECT_TRUE(a.showWrongPasswordMessage);
  EXPECT_FALSE(a.closeDialog);
  a = gate.Attempt("b");
  EXPECT_TRUE(a.showWrongPasswordMessage);
  EXPECT_FALSE(a.closeDialog);
  EXPECT_FALSE(gate.CloseAfterKey());
  a = gate.Attempt("c");
  EXPECT_FALSE(a.showWrongPasswordMessage);
  EXPECT_TRUE(a.closeDialog);
  // Shown again, the dialog closes at the first key while the count stays at three.
  EXPECT_TRUE(gate.CloseAfterKey());
  // A fourth failure (the OK button) moves past three: no message and no closing from then on.
  a = gate.Attempt("d");
  EXPECT_FALSE(a.showWrongPasswordMessage);
  EXPECT_FALSE(a.closeDialog);
  EXPECT_FALSE(gate.CloseAfterKey());
  for (int i = 0; i < 300; ++i) {
    a = gate.Attempt("again");
    ASSERT_FALSE(a.showWrongPasswordMessage) << i;
    ASSERT_FALSE(a.closeDialog) << i;
  }
  // The right password still works and closes.
  a = gate.Attempt("wexo");
  EXPECT_TRUE(a.closeDialog);
  EXPECT_TRUE(gate.Unlocked());
}

TEST(PasswordGate, RightPasswordFirstTime) {
  PasswordGate gate;
  const AttemptOutcome a = gate.Attempt("wexo");
  EXPECT_TRUE(a.closeDialog);
  EXPECT_FALSE(a.showWrongPasswordMessage);
  EXPECT_EQ(gate.Failures(), 0);
}

}  // namespace
