#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sublumo::design_file {

// Why a design file is refused, and where. Thrown inside the reader, which turns it into its
// error; it never leaves the library.
struct Refusal {
    std::size_t line = 0;
    std::string reason;
};

struct IniEntry {
    std::string_view key;
    std::string_view value;
    std::size_t line = 0;
};

struct IniSection {
    std::string_view name;
    std::size_t line = 0;
    std::vector<IniEntry> entries;

    // The first entry of that key, letter case ignored.
    const IniEntry* find(std::string_view key) const;
};

// The first section of that name, letter case ignored.
const IniSection* findSection(const std::vector<IniSection>& sections, std::string_view name);

// Unlike the database, which makes the best of whatever a hand or another program left in it,
// a design file is taken whole or not at all: every line must be UTF-8 and a header, a
// "key=value" line, a comment (";" or "#") or blank, the first line that counts a header, and
// the last line ended. The texts point into `bytes`. Throws Refusal.
std::vector<IniSection> readStrictIni(std::string_view bytes);

}  // namespace sublumo::design_file
