// Any bytes at all may sit in a hand-edited database or settings file. Reading them must not
// fault, the result must be UTF-8 as written, and a written file must read back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_require.h"
#include "ini_document.h"
#include "text_encoding.h"

namespace {

void check(const std::string& bytes, sublumo::database::IniReadOptions options) {
    sublumo::database::IniDocument document = sublumo::database::IniDocument::parse(bytes, options);
    const std::string written = document.serialize();
    require(sublumo::database::isValidUtf8(written));

    const sublumo::database::IniDocument reread =
        sublumo::database::IniDocument::parse(written, options);
    require(reread.serialize() == written);
    require(reread.sectionNames() == document.sectionNames());

    // Every name finds a section whose name matches it, letter case ignored.
    for (std::size_t i = 0; i < document.sectionCount(); ++i) {
        const auto found = document.findSection(document.sectionName(i));
        require(found.has_value() && *found <= i);
        require(
            sublumo::database::equalsFolded(document.sectionName(*found), document.sectionName(i)));
    }

    // A write of a key read back from a section gives that key's value, and the file stays
    // readable to the same document.
    if (document.sectionCount() > 0) {
        const std::string name(document.sectionName(document.sectionCount() - 1));
        document.setValue(name, "Qms", name);
        require(document.value(name, "QMS") == name);
        const std::string again = document.serialize();
        require(sublumo::database::IniDocument::parse(again, options).serialize() == again);
        document.eraseSection(name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    check(bytes, {false});
    check(bytes, {true});
    return 0;
}
