#pragma once
// One value as the scenario file writes it after "key=" and reads it back,
// exactly: numbers in the shortest decimal form that gives back the very same
// bits, texts with every byte kept.
//
// Texts are written as they are, except a backslash ("\\"), a line feed
// ("\n"), a carriage return ("\r"), a tab ("\t"), every other control character
// (C0, DEL and the C1 characters U+0080 to U+009F, as "\xHH" for each of their
// bytes) and every byte that is not part of valid UTF-8 ("\xHH"). So a written
// value is valid UTF-8 and holds no control character.

#include <string>
#include <string_view>

#include "engine/model.h"

namespace dovanel {

// The shortest decimal that reads back to the same value ("-0", "1e-45",
// "3.4028235e+38"); a value that is not finite is written as "0".
void AppendNumber(std::string& out, Single value);
void AppendNumber(std::string& out, double value);
void AppendNumber(std::string& out, Integer value);

// A text with the escapes above.
void AppendEscaped(std::string& out, std::string_view text);

// Reading a value back. On failure the field keeps its value and `why` says
// what is wrong with the value, as the end of a sentence ("is not a number").
// Numbers are plain decimals with an optional "-", fraction and exponent;
// they must be finite and in range of their type.
bool ReadNumber(std::string_view value, Single& field, std::string& why);
bool ReadNumber(std::string_view value, double& field, std::string& why);
bool ReadNumber(std::string_view value, Integer& field, std::string& why);

// Undoes the escapes; a raw tab is taken as it is. The value must already be
// valid UTF-8 without control characters other than tab.
bool ReadEscaped(std::string_view value, std::string& field, std::string& why);

// What makes a line of a text file unreadable, or empty: a NUL byte, a byte
// that is not UTF-8, a control character other than tab; with its column.
std::string TextLineError(std::string_view line);

}  // namespace dovanel
