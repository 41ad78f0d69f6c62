// Dialog layout 102 for C++: the figures of resources/DialogLayout.h with names and types, and
// what screen readers say. No toolkit in them, so that every front end draws the same window.
#pragma once

#include "resources/DialogLayout.h"
#include "resources/Resource.h"

// A #define's figure as a string literal.
#define KOBAL_TEXT_OF(figure) KOBAL_TEXT_OF_TOKEN(figure)
#define KOBAL_TEXT_OF_TOKEN(token) #token

namespace kobal::app {

// A rectangle in dialog units: a horizontal unit is a quarter of the dialog font's average
// character width, a vertical unit an eighth of its character height.
struct DialogRect {
  int x;
  int y;
  int width;
  int height;
};

struct ControlLayout {
  int id;
  DialogRect units;
  const char* caption = nullptr;  // UTF-8; none for fields
  // What a screen reader says for the control (UTF-8): a short name, and what it is for.
  const char* accessibleName;
  const char* accessibleDescription;
};

inline constexpr const char* kLookupCaption = KOBAL_LOOKUP_CAPTION;
inline constexpr const char* kLookupFontFace = KOBAL_LOOKUP_FONT_FACE;
inline constexpr int kLookupFontPoints = KOBAL_LOOKUP_FONT_POINTS;
inline constexpr DialogRect kLookupClientArea{0, 0, KOBAL_LOOKUP_CLIENT_WIDTH,
                                              KOBAL_LOOKUP_CLIENT_HEIGHT};

// The controls, in tab order.
inline constexpr ControlLayout kNumberField{
    .id = IDC_NUMBER,
    .units = {KOBAL_NUMBER_FIELD_RECT},
    .accessibleName = "電話番号",
    .accessibleDescription =
        "調べる電話番号を数字で入力します（" KOBAL_TEXT_OF(KOBAL_NUMBER_LIMIT) "桁まで）",
};
inline constexpr ControlLayout kSearchButton{
    .id = IDC_SEARCH,
    .units = {KOBAL_SEARCH_BUTTON_RECT},
    .caption = KOBAL_SEARCH_CAPTION,
    .accessibleName = "検索",
    .accessibleDescription = "入力した電話番号が何の番号かを調べます",
};
inline constexpr ControlLayout kResultLine{
    .id = IDC_RESULT,
    .units = {KOBAL_RESULT_LINE_RECT},
    .accessibleName = "検索結果",
    .accessibleDescription = "番号の種類と、固定電話の地域または携帯電話・PHSの事業者",
};

}  // namespace kobal::app
