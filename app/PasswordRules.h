#pragma once
// The password that guards writing the unit's hardware configuration, and the rules of the
// password dialog's attempts. One gate lives for the whole run: once accepted, the password
// stays accepted, and failed attempts are counted over the run.
#include <cstdint>
#include <string_view>

namespace app {

inline constexpr std::string_view kConfigPassword = "wexo";

struct AttemptOutcome {
  bool showWrongPasswordMessage = false;
  bool closeDialog = false;
};

class PasswordGate {
 public:
  // 0 when the 8-bit text equals the password (case-sensitive, whole text), which unlocks the
  // gate; any other text returns non-zero and changes nothing.
  int CheckPassword(std::string_view text);
  // One attempt (OK button or Enter): a correct text closes the dialog; a wrong one shows the
  // message for the first two failures of the run, and the third failure closes the dialog.
  AttemptOutcome Attempt(std::string_view text);
  // After every key press in the password field: the dialog closes while the failure count is
  // exactly three.
  bool CloseAfterKey() const { return failures_ == 3; }

  bool Unlocked() const { return unlocked_; }
  int Failures() const { return failures_; }

 private:
  bool unlocked_ = false;
  // Counts up to 127 and stays there.
  std::int8_t failures_ = 0;
};

}  // namespace app
