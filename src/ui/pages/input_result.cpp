#include "ui/pages/input_result.h"

#include <algorithm>

namespace gm {

void InputResult::RepaintAlso(RepaintArea area, bool updateNow) {
  if (area != RepaintArea::kNone) {
    if (repaint.area == RepaintArea::kNone) {
      repaint.area = area;
    } else if (repaint.area != area) {
      repaint.area = RepaintArea::kWholeWindow;
    }
  }
  repaint.updateNow = repaint.updateNow || updateNow;
}

bool InputResult::Has(InputActionKind kind) const { return Find(kind) != nullptr; }

const InputAction* InputResult::Find(InputActionKind kind) const {
  const auto it = std::find_if(actions.begin(), actions.end(),
                               [kind](const InputAction& a) { return a.kind == kind; });
  return it == actions.end() ? nullptr : &*it;
}

std::vector<InputActionKind> InputResult::Kinds() const {
  std::vector<InputActionKind> kinds;
  kinds.reserve(actions.size());
  for (const InputAction& a : actions) kinds.push_back(a.kind);
  return kinds;
}

}  // namespace gm
