#include <gtest/gtest.h>

#include "driver_filter.h"
#include "settings_keys.h"
#include "settings_store.h"
#include "test_files.h"

namespace sublumo::database {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;
using Names = std::vector<std::string>;

TEST(SettingsStore, ReadsEachKindWithItsDefault) {
    TempDir dir;
    const std::string path = dir.file("sublumo_cfg.ini");
    writeBytes(path,
               "[Form]\r\nTop=-12\r\nLeft=abc\r\nCff=2.5\r\nHigh=0\r\nPin=7\r\nmarkbox=yes\r\n"
               "Vasunit=ft^3\r\nhledit=\r\nDdmin=1,5\r\nPos1=99999999999\r\n");
    SettingsStore store;
    ASSERT_EQ(store.open(path).status, ReadStatus::Loaded);
    EXPECT_EQ(store.readInteger("form", "TOP", 5), -12);
    EXPECT_EQ(store.readInteger("Form", "Left", 5), 5);  // not an integer
    EXPECT_EQ(store.readInteger("Form", "Cff", 0), 0);   // not an integer either
    EXPECT_EQ(store.readInteger("Form", "Pos1", 0), 0);  // does not fit
    EXPECT_EQ(store.readInteger("Form", "Missing", 42), 42);
    EXPECT_FALSE(store.readBoolean("Form", "High", true));
    EXPECT_TRUE(store.readBoolean("Form", "Pin", false));  // any integer but 0
    EXPECT_TRUE(store.readBoolean("Form", "markbox", true));
    EXPECT_EQ(store.readText("Form", "Vasunit", "litres"), "ft^3");
    EXPECT_EQ(store.readText("Form", "hledit", "x"), "");    // present and empty
    EXPECT_EQ(store.readText("Form", "Ddmin", "0"), "1,5");  // number text, not converted
    EXPECT_EQ(store.readText("Nowhere", "Ddmin", "0"), "0");
}

TEST(SettingsStore, WritesKeyByKeyAndLeavesEveryOtherLineAsItWas) {
    TempDir dir;
    const std::string path = dir.file("sublumo_cfg.ini");
    writeBytes(path,
               "; kept\r\n[Form]\r\nTop=5\r\nLeft=5\r\n\r\n[MB #3]\r\nMM=Bank three\r\n"
               "Qms=1,2\r\n\r\n");
    SettingsStore store;
    store.open(path);
    store.writeInteger("Form", "Left", 80);
    store.writeBoolean("Form", "Pin", true);
    store.writeText("recent", "0", "A & B");
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(readBytes(path),
              "; kept\r\n[Form]\r\nTop=5\r\nLeft=80\r\nPin=1\r\n\r\n[MB #3]\r\nMM=Bank three\r\n"
              "Qms=1,2\r\n\r\n[recent]\r\n0=A & B\r\n\r\n");
    EXPECT_EQ(store.sectionKeys("FORM"), (Names{"Top", "Left", "Pin"}));
    store.eraseSection("mb #3");
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(readBytes(path),
              "; kept\r\n[Form]\r\nTop=5\r\nLeft=80\r\nPin=1\r\n\r\n[recent]\r\n0=A & B\r\n\r\n");
}

TEST(SettingsKeys, RecentDesignsAreTenNewestFirstInTheirOwnSection) {
    TempDir dir;
    const std::string path = dir.file("sublumo_cfg.ini");
    writeBytes(path,
               "[recent designs]\r\n0=/a.sublumo\r\n1=\r\n2=/b.sublumo\r\n3=/a.sublumo\r\n\r\n");
    SettingsStore store;
    store.open(path);
    Names paths = readRecentDesigns(store);
    EXPECT_EQ(paths, (Names{"/a.sublumo", "/b.sublumo"}));
    paths = withRecentDesign(paths, "/b.sublumo");
    EXPECT_EQ(paths, (Names{"/b.sublumo", "/a.sublumo"}));
    for (int i = 0; i < 12; ++i) paths = withRecentDesign(paths, "/" + std::to_string(i));
    EXPECT_EQ(paths.size(), kRecentDesignCount);
    EXPECT_EQ(paths.front(), "/11");
    EXPECT_EQ(paths.back(), "/2");

    writeRecentDesigns(store, {"/x é.sublumo"});
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(readBytes(path), "[recent designs]\r\n0=/x é.sublumo\r\n\r\n");
    writeRecentDesigns(store, {});
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(readBytes(path), "");
}

TEST(SettingsStore, TwoCopiesWritingDifferentKeysKeepBoth) {
    TempDir dir;
    const std::string path = dir.file("sublumo_cfg.ini");
    SettingsStore shutDown, bank;
    shutDown.open(path);
    bank.open(path);
    writeMemoryBank(bank, 2, {"Saved in bank", {"1", "2", "3", "4", "5", "6", "", "", "", "", ""}});
    ASSERT_TRUE(bank.flush());
    shutDown.writeInteger("Form", "Top", 40);
    ASSERT_TRUE(shutDown.flush());
    SettingsStore reread;
    reread.open(path);
    EXPECT_EQ(reread.readInteger("Form", "Top", 5), 40);
    EXPECT_EQ(reread.readText("MB #2", "MM", ""), "Saved in bank");
}

TEST(SettingsKeys, EveryKeyOfFormAndForm2HasItsDefault) {
    SettingsStore none;  // no file: every key reads as its default
    const SectionValues form = SectionValues::read(none, kFormSection, formKeys());
    EXPECT_EQ(form.integer("Top"), 5);
    EXPECT_EQ(form.integer("Left"), 5);
    EXPECT_EQ(form.integer("Cff"), 0);
    EXPECT_FALSE(form.boolean("markbox"));
    EXPECT_EQ(form.text("Vasunit"), "litres");
    EXPECT_EQ(form.text("Glossunit"), "%");
    EXPECT_EQ(form.text("BlMpow"), "Bl");
    EXPECT_TRUE(form.boolean("High"));
    EXPECT_FALSE(form.boolean("Pin"));
    EXPECT_EQ(form.integer("Pos3"), 0);
    EXPECT_FALSE(form.boolean("alfbox"));
    EXPECT_EQ(form.text("hledit"), "");
    EXPECT_EQ(form.text("SPLmax"), "999");
    EXPECT_THROW(form.text("Nokey"), std::out_of_range);

    const SectionValues columns = SectionValues::read(none, kForm2Section, form2Keys());
    std::string shown;
    for (const SettingKey& key : form2Keys())
        if (columns.boolean(key.key))
            shown += std::string(key.key) + " ";
    EXPECT_EQ(shown, "Qms Qes Qts fs Mms Dd Sd Vas Re Bl Cms Hc Hg Xmax SPL USPL Pe Le ");
}

TEST(SettingsKeys, ASectionIsWrittenWholeInTableOrder) {
    TempDir dir;
    const std::string path = dir.file("sublumo_cfg.ini");
    SettingsStore store;
    store.open(path);
    SectionValues form(formKeys());
    form.setInteger("Top", 120);
    form.setBoolean("High", false);
    DriverFilter filter;
    filter.on = true;
    filter.searchText = "10";
    filter[Criterion::Mms] = {true, "5,5", "80"};
    storeFilterInSettings(filter, form);
    form.write(store, kFormSection);
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(readBytes(path),
              "[Form]\r\nTop=120\r\nLeft=5\r\nCff=0\r\nmarkbox=0\r\nVasunit=litres\r\n"
              "Glossunit=%\r\nBlMpow=Bl\r\nHigh=0\r\nPin=0\r\nPos1=0\r\nPos2=0\r\nPos3=0\r\n"
              "alfbox=1\r\nDdbox=0\r\nfsbox=0\r\nQtsbox=0\r\nMmsbox=1\r\nRebox=0\r\nSPLbox=0\r\n"
              "hledit=10\r\nDdmin=0\r\nDdmax=999\r\nfsmin=0\r\nfsmax=999\r\nQtsmin=0\r\n"
              "Qtsmax=999\r\nMmsmin=5,5\r\nMmsmax=80\r\nRemin=0\r\nRemax=999\r\nSPLmin=0\r\n"
              "SPLmax=999\r\nChart=Response\r\nPortLine=17\r\n\r\n");

    SettingsStore reread;
    reread.open(path);
    const DriverFilter back =
        filterFromSettings(SectionValues::read(reread, kFormSection, formKeys()));
    EXPECT_TRUE(back.on);
    EXPECT_EQ(back.searchText, "10");
    EXPECT_TRUE(back[Criterion::Mms].enabled);
    EXPECT_EQ(back[Criterion::Mms].minimum, "5,5");
    EXPECT_FALSE(back[Criterion::Dd].enabled);
}

TEST(RecentList, ReadsByKeyCountAndWritesWithoutRemovingOldKeys) {
    TempDir dir;
    const std::string path = dir.file("sublumo_cfg.ini");
    writeBytes(path, "[recent]\r\n0=First\r\n5=Lost\r\n");
    SettingsStore store;
    store.open(path);
    EXPECT_EQ(readRecentList(store), (Names{"First", ""}));

    writeBytes(path, "[recent]\r\n0=Old 0\r\n1=Old 1\r\n2=Old 2\r\n");
    store.open(path);
    writeRecentList(store, {"One", "Two"});
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(readBytes(path), "[recent]\r\n0=One\r\n1=Two\r\n2=Old 2\r\n\r\n");

    SettingsStore empty;
    empty.open(dir.file("absent.ini"));
    EXPECT_TRUE(readRecentList(empty).empty());
}

TEST(MemoryBanks, RowsReadEmptyUntilABankIsSavedAndAfterItIsErased) {
    TempDir dir;
    const std::string path = dir.file("sublumo_cfg.ini");
    SettingsStore store;
    store.open(path);
    std::vector<std::string> rows = memoryListRows(store);
    ASSERT_EQ(rows.size(), 25u);
    EXPECT_EQ(rows[0], "1: empty");
    EXPECT_EQ(rows[24], "25: empty");
    EXPECT_TRUE(isEmptyBankRow(3, rows[2]));
    EXPECT_FALSE(readMemoryBank(store, 3).has_value());

    const DriverRecord driver{"Maker Two 6.5",
                              {"4,1", "0.5", "40", "15", "130", "3.2", "", "", "", "", ""}};
    writeMemoryBank(store, 3, driver);
    ASSERT_TRUE(store.flush());
    EXPECT_EQ(readBytes(path),
              "[MB #3]\r\nMM=Maker Two 6.5\r\nQms=4,1\r\nQes=0.5\r\nfs=40\r\nMms=15\r\n"
              "Dd=130\r\nRe=3.2\r\nHc=\r\nHg=\r\nPe=\r\nLe=\r\nURL=\r\n\r\n");
    SettingsStore reread;
    reread.open(path);
    EXPECT_EQ(memoryListRows(reread)[2], "Maker Two 6.5");
    EXPECT_FALSE(isEmptyBankRow(3, memoryListRows(reread)[2]));
    EXPECT_EQ(readMemoryBank(reread, 3), driver);

    ASSERT_TRUE(eraseMemoryBank(reread, 3));
    EXPECT_EQ(readBytes(path), "");
    EXPECT_EQ(memoryListRows(reread)[2], "3: empty");
}

}  // namespace
}  // namespace sublumo::database
