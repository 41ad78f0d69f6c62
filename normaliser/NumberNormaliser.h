// Turns a telephone number as people write it into the plain digits the library expects.
// Shared by every front end: kobal-lookup, the window's paste and the web edition.
#pragma once

#include <string>
#include <string_view>

namespace kobal {

// Writes into `number` the ASCII digits of the one number written in `written` (UTF-8) and
// returns true; returns false when the text is not one number, and `number` then holds nothing
// to rely on. `number` never grows longer than `written`, and its capacity is reused from call
// to call. Understood, in this order:
//  - spaces around the text, and a label before the number: TEL, Tel., Telephone, Phone,
//    Mobile, FAX, 電話, 電話番号, 携帯, 携帯電話, ℡, ☎, ☏, 📞, 📱 (any case or width, joined as
//    in "TEL/FAX", each with or without a note in brackets and ":" or "："), or the tel: of a
//    URI;
//  - the number: ASCII and full-width digits, separated by spaces of any width, hyphens, dashes,
//    minus signs, long-vowel marks, dots, middle dots, slashes and brackets;
//  - a country code written first: +81, (+81), 0081, 010 81, or 81 with a hyphen after it; the
//    domestic trunk "0" takes its place, and a "0" written after it, as in "+81 (0)3", is that;
//  - after the number, dropped: an extension (内線 123, ext. 123, or x 123 after a space), notes
//    in brackets such as (代), ㈹ or （FAX）, and the parameters of a tel: URI (";ext=12" ...).
// Anything else, letters, masks such as "XXXX", another country's code or bytes that are not
// UTF-8, makes the text no number.
bool NormaliseNumber(std::string_view written, std::string& number);

// `pasted` without the line end a copied spreadsheet cell or line ends in ("\r\n", "\n" or
// "\r").
std::string_view WithoutFinalLineEnd(std::string_view pasted);

// NormaliseNumber of text pasted or dropped into a number field (the windows' and the page's):
// the one number it holds, without such a line end.
inline bool NormalisePastedNumber(std::string_view pasted, std::string& number) {
  return NormaliseNumber(WithoutFinalLineEnd(pasted), number);
}

// Whether digits begin with an international prefix (00, 010), which NormaliseNumber reads as
// the way to a country code.
inline bool HasInternationalPrefix(std::string_view digits) {
  return digits.starts_with("00") || digits.starts_with("010");
}

// Whether `written` is ASCII digits that are already the number as it stands: not empty, and
// without an international prefix. NormaliseNumber gives such a text back as is.
bool IsPlainDomesticNumber(std::string_view written);

}  // namespace kobal
