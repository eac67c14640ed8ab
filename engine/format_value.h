#pragma once
// The one place numbers become text. A pattern is read like this:
//   up to three sections "positive;negative;zero"; "0" always shows a digit, "#"
//   only a significant one; "." places the decimal point (always printed), the
//   value is rounded half away from zero to the placeholders after it and
//   trailing zeros on "#" are dropped; "," between integer placeholders groups
//   thousands; "%" multiplies by 100; "\x" prints x; other characters print as
//   they stand. "currency" is "$#,##0.00;($#,##0.00)"; "yyyy" / "YYYY" is the
//   year of a date.
// A value that is infinite or not a number gives an empty text. A value whose
// shown digits are all zero is shown as zero (no minus sign).

#include <string>
#include <string_view>

namespace dovanel {

std::string FormatValue(double value, std::string_view pattern);

// The text a box shows for a stored float: the shortest decimal that reads back
// as the same float, at most seven significant digits, no grouping, no leading
// zero before the point (.25), no point for whole numbers (160000).
std::string PlainNumber(float value);

// The number a typed text starts with: leading blanks skipped, then an optional
// sign, digits and at most one decimal point; the rest is ignored. A text that
// starts with no number reads as 0.
double LeadingNumber(std::string_view text);

// Stores a number read from a box into a float field. A number too large for a
// float (it would become infinite) leaves the field as it was.
void StoreNumber(float& field, double value);

// Dates are day serials counted from 30 December 1899, as the "yyyy" pattern reads them.
double DateSerial(int year, int month, int day);

}  // namespace dovanel
