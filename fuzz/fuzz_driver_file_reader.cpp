// Driver files are shared by the thousand and hand-edited. Reading one must not fault; a file
// taken gives a name and record texts that write out as a driver file which reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "driver_files.h"
#include "fuzz_require.h"
#include "text_encoding.h"

namespace {}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sublumo::database;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const char separator : {'.', ','}) {
        const DriverFileRead read = readDriverFile(bytes, {separator});
        require(read.ok == read.reason.empty());
        if (!read.ok)
            continue;
        require(!read.record.name.empty() && isValidUtf8(read.record.name));
        require(read.record.name.find_first_of("[]\r\n") == std::string::npos);
        const DriverFileRead again = readDriverFile(writeDriverFile(read.record), {separator});
        require(again.ok);
        for (std::size_t slot = 0; slot < 6; ++slot) require(!again.record.values[slot].empty());
    }
    return 0;
}
