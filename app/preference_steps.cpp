#include "app/preference_steps.h"

#include <string>

namespace quorbel {

RecordedAction SwitchStep(int32_t code, std::string_view word, bool on) {
  RecordedAction step{.Code = code};
  step.Strings[0] = std::string(word);
  step.Strings[1].assign(1, on ? 'Y' : 'N');
  return step;
}

RecordedAction NumberStep(int32_t code, std::string_view word, int32_t value) {
  RecordedAction step{.Code = code};
  step.Strings[0] = std::string(word);
  step.Ints[0] = value;
  return step;
}

RecordedAction WordStep(int32_t code, std::string_view word) {
  RecordedAction step{.Code = code};
  step.Strings[0] = std::string(word);
  return step;
}

} // namespace quorbel
