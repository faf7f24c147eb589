#include "app/PasswordRules.h"

namespace app {

int PasswordGate::CheckPassword(std::string_view text) {
  if (text != kConfigPassword) return 1;
  unlocked_ = true;
  return 0;
}

AttemptOutcome PasswordGate::Attempt(std::string_view text) {
  AttemptOutcome outcome;
  if (CheckPassword(text) == 0) {
    outcome.closeDialog = true;
    return outcome;
  }
  outcome.showWrongPasswordMessage = failures_ <= 1;
  if (failures_ < 127) ++failures_;
  outcome.closeDialog = failures_ == 3;
  return outcome;
}

}  // namespace app
