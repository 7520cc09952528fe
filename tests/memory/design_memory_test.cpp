#include "design_memory.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sublumo::memory {
namespace {

using enclosure::Curve;
using enclosure::ResponseTable;
using enclosure::TableColumn;

Curve ramp(double start, double step) {
    Curve c{};
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = start + step * static_cast<double>(i);
    return c;
}

// A table as a recompute leaves it: relative and absolute columns written.
ResponseTable computedTable(NumberFormat format, double offset = 0) {
    ResponseTable table(format);
    table.setColumn(TableColumn::Relative, ramp(-24.25 + offset, 0.125));
    table.setColumn(TableColumn::Absolute, ramp(63.5 + offset, 0.125));
    return table;
}

DesignSnapshot snapshot(const ResponseTable* table, NumberFormat format, std::string volume) {
    DesignSnapshot s;
    s.conditions = {"Maker", "Maker", "0.1", "0", "20", "88", "1", "2.83", "1", "0"};
    s.design.closed = {false, volume, "100", "0.707", "45", "45", "0", "29/71"};
    s.table = table;
    s.limits = enclosure::LimitInputs{};
    s.limits->box = enclosure::SealedBox{std::stod(volume), 1.0};
    s.format = format;
    return s;
}

TEST(CopyCurves, ReadsTheTableTextsInTheUsersFormat) {
    for (NumberFormat format : {NumberFormat{'.'}, NumberFormat{','}}) {
        const ResponseTable table = computedTable(format);
        const auto curves = copyCurves(table, format);
        ASSERT_TRUE(curves.has_value()) << format.decimalSeparator;
        ASSERT_EQ(curves->frequencies.size(), 201u);
        for (int row : {0, 100, 200}) {
            const auto i = static_cast<std::size_t>(row);
            EXPECT_EQ(curves->frequencies[i],
                      *parseDecimal(table.text(row, TableColumn::Frequency), format));
            EXPECT_EQ(curves->relative[i], table.values(TableColumn::Relative)[i]);
            EXPECT_EQ(curves->absolute[i], table.values(TableColumn::Absolute)[i]);
        }
    }
}

TEST(CopyCurves, FailsWholeAtACellThatIsNotANumber) {
    const NumberFormat dot{'.'};
    ResponseTable onlyRelative(dot);
    onlyRelative.setColumn(TableColumn::Relative, ramp(0, 1));
    EXPECT_FALSE(copyCurves(ResponseTable(dot), dot).has_value()) << "no design yet";
    EXPECT_FALSE(copyCurves(onlyRelative, dot).has_value()) << "no absolute column";
    // Texts written with a comma do not read in a dot locale.
    EXPECT_FALSE(copyCurves(computedTable({','}), dot).has_value());
}

TEST(DesignMemory, AllSlotsStartEmpty) {
    const DesignMemory memory;
    for (int k = 1; k <= kSlotCount; ++k) {
        EXPECT_FALSE(memory.slot(k).filled);
        EXPECT_EQ(memory.slot(k).design, "empty");
        EXPECT_TRUE(memory.slot(k).curves.frequencies.empty());
    }
}

TEST(DesignMemory, StoreFillsOnlyItsSlotWithBothLinesAndCurves) {
    const NumberFormat dot{'.'};
    const ResponseTable table = computedTable(dot);
    DesignMemory memory;
    ASSERT_TRUE(memory.store(3, snapshot(&table, dot, "50")));
    const Slot& three = memory.slot(3);
    EXPECT_TRUE(three.filled);
    EXPECT_EQ(three.design,
              "C: Vb=50 l (100 %), Qtc=0.707, fc=45 Hz, f3=45 Hz, peak=0 dB, Ca/Cm=29/71 %");
    EXPECT_EQ(three.conditions, conditionsLine(snapshot(&table, dot, "50").conditions));
    EXPECT_EQ(three.curves.relative.size(), 201u);
    ASSERT_TRUE(three.limits.has_value());
    EXPECT_EQ(std::get<enclosure::SealedBox>(three.limits->box).Vb, 50);
    for (int k : {1, 2, 4, 5, 6, 7, 8}) EXPECT_FALSE(memory.slot(k).filled) << k;
}

TEST(DesignMemory, StoreIntoAFilledSlotReplacesItWithoutAsking) {
    const NumberFormat dot{'.'};
    const ResponseTable first = computedTable(dot);
    const ResponseTable second = computedTable(dot, 6);
    DesignMemory memory;
    memory.store(5, snapshot(&first, dot, "50"));
    ASSERT_TRUE(memory.store(5, snapshot(&second, dot, "75")));
    EXPECT_EQ(memory.slot(5).design.substr(0, 10), "C: Vb=75 l");
    EXPECT_EQ(memory.slot(5).curves.relative.front(), second.values(TableColumn::Relative)[0]);
}

TEST(DesignMemory, FailedStoreEmptiesTheSlotAndItsCurves) {
    const NumberFormat dot{'.'};
    const ResponseTable good = computedTable(dot);
    const ResponseTable blank(dot);
    DesignMemory memory;
    memory.store(2, snapshot(&good, dot, "50"));
    EXPECT_FALSE(memory.store(2, snapshot(&blank, dot, "60")));
    EXPECT_FALSE(memory.slot(2).filled);
    EXPECT_TRUE(memory.slot(2).curves.frequencies.empty());
    EXPECT_FALSE(memory.slot(2).limits.has_value());
    EXPECT_FALSE(memory.store(1, snapshot(nullptr, dot, "60")));
}

TEST(DesignMemory, DeleteEmptiesOnlyItsSlotAndKeepsTheTexts) {
    const NumberFormat dot{'.'};
    const ResponseTable table = computedTable(dot);
    DesignMemory memory;
    memory.store(4, snapshot(&table, dot, "50"));
    memory.store(6, snapshot(&table, dot, "50"));
    memory.remove(4);
    EXPECT_FALSE(memory.slot(4).filled);
    EXPECT_TRUE(memory.slot(4).curves.relative.empty());
    EXPECT_FALSE(memory.slot(4).limits.has_value());
    EXPECT_EQ(memory.slot(4).design.substr(0, 10), "C: Vb=50 l");
    EXPECT_TRUE(memory.slot(6).filled);
}

TEST(DesignMemory, SlotNumbersOutsideOneToEightAreRefused) {
    const NumberFormat dot{'.'};
    const ResponseTable table = computedTable(dot);
    DesignMemory memory;
    EXPECT_FALSE(memory.store(0, snapshot(&table, dot, "50")));
    EXPECT_FALSE(memory.store(9, snapshot(&table, dot, "50")));
    memory.remove(-1);
    EXPECT_THROW(memory.slot(9), std::out_of_range);
}

}  // namespace
}  // namespace sublumo::memory
