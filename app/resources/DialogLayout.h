// Dialog layout 102 (in dialog units) and the number field's limit as plain #defines, which the
// Windows resource script reads as well as C++ does; app/LookupLayout.h gives them names and
// types for the Qt window.
#ifndef KOBAL_APP_DIALOG_LAYOUT_H
#define KOBAL_APP_DIALOG_LAYOUT_H

#define KOBAL_LOOKUP_CAPTION "Kobal"
#define KOBAL_LOOKUP_FONT_FACE "ＭＳ Ｐゴシック"
#define KOBAL_LOOKUP_FONT_POINTS 14
#define KOBAL_LOOKUP_CLIENT_WIDTH 139
#define KOBAL_LOOKUP_CLIENT_HEIGHT 37

// x, y, width, height of each control, in tab order.
#define KOBAL_NUMBER_FIELD_RECT 3, 4, 63, 12
#define KOBAL_SEARCH_BUTTON_RECT 71, 4, 35, 12
#define KOBAL_RESULT_LINE_RECT 3, 21, 132, 12

#define KOBAL_SEARCH_CAPTION "検索(&S)"

// The most digits the number field takes: the longest number the library answers. The web
// page's build reads this line too.
#define KOBAL_NUMBER_LIMIT 11

#endif  // KOBAL_APP_DIALOG_LAYOUT_H
