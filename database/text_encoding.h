#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sublumo::database {

// Both INI files are read line by line; these helpers give every reader the same idea of a
// blank, a letter case and a valid line.

// Strips leading and trailing bytes up to and including the blank (control characters and
// blanks alike), as the file readers do with every line.
std::string_view stripLine(std::string_view text);

bool isValidUtf8(std::string_view text);

// Windows-1252 to UTF-8, byte by byte; the five unassigned bytes map to the C1 controls of
// the same number, as Windows itself maps them.
std::string windows1252ToUtf8(std::string_view text);

// The text as UTF-8: unchanged when it already is, read as Windows-1252 otherwise, so that
// files written on Windows keep their accents.
std::string decodeLine(std::string_view text);

// A single-line name, key or value as a reader of the written file will take it back: a line
// break becomes a blank, bytes that are not UTF-8 are read as Windows-1252, and blanks and
// control characters at both ends are gone.
std::string asReadBack(std::string_view text);

// Folds A-Z and the Latin-1 capitals (U+00C0..U+00DE, not U+00D7) to lower case: what record,
// section and key names are matched by.
std::string foldCase(std::string_view text);
bool equalsFolded(std::string_view a, std::string_view b);
// The hash of foldCase(text), without building it.
std::uint64_t foldedHash(std::string_view text);

// Only A-Z made lower case: the rule of the list's search text.
std::string lowerAscii(std::string_view text);

}  // namespace sublumo::database
