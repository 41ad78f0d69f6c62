// Dialog layout 102: the lookup dialog's caption, font and controls in dialog units.
#pragma once

#include <QRect>
#include <QSize>
#include <array>

namespace kobal::app {

enum class ControlKind { NumberField, DefaultButton, ResultLine };

struct ControlLayout {
  int id;
  ControlKind kind;
  QRect units;          // position and size in dialog units
  const char* caption;  // UTF-8; nullptr for fields
  // What a screen reader says for the control (UTF-8): a short name, and what it is for.
  const char* accessibleName;
  const char* accessibleDescription;
};

struct DialogLayout {
  int id;
  const char* caption;  // UTF-8
  const char* fontFace;
  int pointSize;
  QSize clientUnits;
  std::array<ControlLayout, 3> controls;  // in tab order
};

const DialogLayout& LookupDialogLayout();

}  // namespace kobal::app
