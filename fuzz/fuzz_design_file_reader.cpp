// Design files are mailed around and attached to forum posts. Reading one must not fault; a
// file taken gives a document that writes out and reads back the same, and a refused one says
// why.
#include <cstddef>
#include <cstdint>
#include <string>

#include "design_file.h"
#include "fuzz_require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sublumo::design_file;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const char separator : {'.', ','}) {
        const DesignFileRead read = parseDesignFile(bytes, "fuzz.sublumo", {separator});
        require(read.document.has_value() == read.error.reason.empty());
        if (!read)
            continue;
        const auto text = designFileText(*read.document);
        require(text.has_value());
        const DesignFileRead again = parseDesignFile(*text, "again.sublumo", {separator});
        require(again && *again.document == *read.document);
    }
    return 0;
}
