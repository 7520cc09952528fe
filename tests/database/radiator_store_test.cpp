#include <gtest/gtest.h>

#include "radiator_store.h"
#include "settings_keys.h"
#include "test_files.h"

namespace sublumo::database {
namespace {

using testing::readBytes;
using testing::TempDir;

// Typed with "," and kept with ".", under names the INI syntax itself uses; saving a name
// again replaces it, and the memory banks do not see the radiators.
TEST(RadiatorStore, KeepsRadiatorsByNameWithDotNumbersWhateverTheLocale) {
    TempDir dir;
    const std::string path = dir.file("sublumo_cfg.ini");
    const NumberFormat comma{','};
    const RadiatorRecord first{"PR [12\"] a=b", false, "519,5", true, "0,41", "165,2", "3,1", "14"};
    RadiatorRecord second{"Small", true, "210", false, "38,25", "62", "", "8,5"};
    {
        SettingsStore store;
        store.open(path);
        writeRadiator(store, storedRadiator(first));
        writeRadiator(store,
                      storedRadiator(RadiatorRecord{"small", true, "1", true, "1", "1", "1", "1"}));
        writeRadiator(store, storedRadiator(second));
        ASSERT_TRUE(store.flush());
    }
    const std::string bytes = readBytes(path);
    EXPECT_NE(bytes.find("size=519.5\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find(','), std::string::npos);

    SettingsStore store;
    store.open(path);
    EXPECT_EQ(radiatorNames(store), (std::vector<std::string>{first.name, "Small"}));
    EXPECT_EQ(lastRadiatorName(store), "Small");
    EXPECT_EQ(displayedRadiator(*readRadiator(store, first.name), comma), first);
    EXPECT_EQ(displayedRadiator(*readRadiator(store, "SMALL"), comma), second);
    EXPECT_FALSE(readRadiator(store, "Missing"));
    for (const std::string& row : memoryListRows(store))
        EXPECT_EQ(row.find("PR"), std::string::npos) << row;
}

}  // namespace
}  // namespace sublumo::database
