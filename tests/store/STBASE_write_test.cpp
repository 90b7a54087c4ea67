// Storing modifications, insertions and deletions, and the changes the stored table refuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "STBASE_fixture.h"
#include "store/row_state.h"
#include "store/store_codes.h"

namespace velmora::store::testing {
namespace {

// An order holding the visible rows in slot order that refuses, as a unique index would, any
// row named "dup".
class RefusingOrder final : public RowOrder {
public:
    explicit RefusingOrder(const STBASE& table) {
        for (uint32_t slot = 1; slot <= table.SlotCount(); ++slot)
            if (IsVisibleRowState(table.SlotState(slot))) slots_.push_back(slot);
    }
    const std::string& Name() const override { return name_; }
    uint32_t Count() const override { return static_cast<uint32_t>(slots_.size()); }
    uint32_t SlotAt(uint32_t position) const override { return slots_[position]; }
    std::optional<uint32_t> Find(const RowVersion& row) const override {
        auto it = std::find(slots_.begin(), slots_.end(), row.slot);
        if (it == slots_.end()) return std::nullopt;
        return static_cast<uint32_t>(it - slots_.begin());
    }
    int CheckInsert(const RowVersion& row) override { return Refuses(row); }
    OrderChange Insert(const RowVersion& row) override {
        slots_.push_back(row.slot);
        return {OrderChange::kNone, Count() - 1};
    }
    OrderChange Remove(const RowVersion& row) override {
        const uint32_t position = *Find(row);
        slots_.erase(slots_.begin() + position);
        return {position, OrderChange::kNone};
    }
    int CheckReplace(const RowVersion&, const RowVersion& row) override { return Refuses(row); }
    OrderChange Replace(const RowVersion& old, const RowVersion& row) override {
        const uint32_t position = *Find(old);
        slots_[position] = row.slot;
        return {position, position};
    }

private:
    static int Refuses(const RowVersion& row) {
        return row.row.Value(kName) == "dup" ? kCodeKeyViolation : 0;
    }
    std::string name_ = "refusing";
    std::vector<uint32_t> slots_;
};

struct Refusal {
    const char* name;
    std::function<void(StoredTableTest&, STBASE&)> change;
    int code;
};

void PrintTo(const Refusal& c, std::ostream* os) {
    *os << c.name;
}

class RefusedChange : public StoredTableTest, public ::testing::WithParamInterface<Refusal> {
public:
    // Exposed for the case table.
    using StoredTableTest::Insert;
    using StoredTableTest::SlotOf;
    using StoredTableTest::Stored;
};

// Changes the "a" row's copy with edit and stores it.
void ModifyA(StoredTableTest& test, STBASE& table, const std::function<void(RowImage&)>& edit) {
    auto& self = static_cast<RefusedChange&>(test);
    const uint32_t slot = self.SlotOf("a");
    RowImage row = self.Stored(slot);
    edit(row);
    table.ModifyRow(slot, row);
}

TEST_P(RefusedChange, LeavesNothingBehind) {
    Load({"a", "b"});
    Rename("b", "b2");
    table->InstallOrder(std::make_unique<RefusingOrder>(*table));
    const auto states = States();
    const auto log = table->LogEntries();
    const auto visible = Visible();
    const uint32_t changed = table->ChangedMark();
    const int32_t counter = table->AutoIncCounter();
    STCursor cursor(*table);
    RowImage row;
    ASSERT_TRUE(cursor.MoveNext(row));

    EXPECT_EQ(StoreCodeOf([&] { GetParam().change(*this, *table); }), GetParam().code);

    EXPECT_EQ(States(), states);
    EXPECT_EQ(table->LogEntries(), log);
    EXPECT_EQ(Visible(), visible);
    EXPECT_EQ(table->FindOrder("refusing")->Count(), visible.size());
    EXPECT_EQ(table->ChangedMark(), changed);
    EXPECT_EQ(table->AutoIncCounter(), counter);
    ASSERT_TRUE(cursor.GetCurrent(row));
    EXPECT_EQ(row.Value(kName), "a");
}

INSTANTIATE_TEST_SUITE_P(
    StoredTable, RefusedChange,
    ::testing::Values(
        Refusal{"ReadOnlyColumnChanged",
                [](auto& t, auto& s) {
                    ModifyA(t, s, [](RowImage& r) { r.Put(kCode, Int32Bytes(8)); });
                },
                kCodeReadOnlyColumn},
        Refusal{"RequiredColumnCleared",
                [](auto& t, auto& s) { ModifyA(t, s, [](RowImage& r) { r.SetNull(kName); }); },
                kCodeRequiredEmpty},
        Refusal{"RequiredColumnBlanked",
                [](auto& t, auto& s) { ModifyA(t, s, [](RowImage& r) { r.Put(kName, "   "); }); },
                kCodeRequiredEmpty},
        Refusal{"RequiredColumnMissingOnInsert",
                [](auto&, auto& s) { s.InsertRow(s.NewRowImage()); }, kCodeRequiredEmpty},
        Refusal{"UniqueOrderRefusesAnEdit",
                [](auto& t, auto& s) { ModifyA(t, s, [](RowImage& r) { r.Put(kName, "dup"); }); },
                kCodeKeyViolation},
        Refusal{"UniqueOrderRefusesAnInsert",
                [](auto& t, auto&) { static_cast<RefusedChange&>(t).Insert("dup"); },
                kCodeKeyViolation},
        Refusal{"EditOfASupersededVersion",
                [](auto& t, auto& s) { s.ModifyRow(2, static_cast<RefusedChange&>(t).Stored(2)); },
                kCodeNoCurrentRow},
        Refusal{"DeleteOfASupersededVersion", [](auto&, auto& s) { s.DeleteRow(2); },
                kCodeNoCurrentRow},
        Refusal{"EditOfAReadOnlyTable",
                [](auto& t, auto& s) {
                    s.SetReadOnly(true);
                    ModifyA(t, s, [](RowImage& r) { r.Put(kName, "x"); });
                },
                kCodeTableReadOnly},
        Refusal{"InsertIntoAReadOnlyTable",
                [](auto& t, auto& s) {
                    s.SetReadOnly(true);
                    static_cast<RefusedChange&>(t).Insert("x");
                },
                kCodeTableReadOnly},
        Refusal{"DeleteFromAReadOnlyTable",
                [](auto& t, auto& s) {
                    s.SetReadOnly(true);
                    s.DeleteRow(static_cast<RefusedChange&>(t).SlotOf("a"));
                },
                kCodeTableReadOnly}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StoredTableTest, ReadOnlyColumnMayBeClearedOrKept) {
    Load({"a"});
    RowImage row = Stored(SlotOf("a"));
    row.Put(kName, "a2");
    table->ModifyRow(SlotOf("a"), row);
    row.SetNull(kCode);
    table->ModifyRow(SlotOf("a2"), row);
    EXPECT_TRUE(table->SlotRow(SlotOf("a2")).IsNull(kCode));
}

TEST_F(StoredTableTest, InsertNumbersRowsWithTheAutoIncrementCounter) {
    EXPECT_TRUE(table->KeepsAutoIncCounter());
    EXPECT_EQ(table->AutoIncColumn(), std::optional<size_t>(kId));
    RowImage row = Row("a");
    row.Put(kId, Int32Bytes(99));  // ignored
    const uint32_t first = table->InsertRow(row);
    const uint32_t second = Insert("b");
    EXPECT_EQ(Int32Of(table->SlotRow(first).Value(kId)), 1);
    EXPECT_EQ(Int32Of(table->SlotRow(second).Value(kId)), 2);
    EXPECT_EQ(table->AutoIncCounter(), 3);
}

TEST(StoredTableAutoInc, OnlyAFourByteIntegerWithTheSubtypeCounts) {
    auto table = STBASE::Create({Column("small", LogicalType::Int16, 0, 0, kSubtypeAutoinc),
                                 Column("plain", LogicalType::Int32),
                                 Column("auto", LogicalType::Int32, 0, 0, kSubtypeAutoinc)});
    EXPECT_EQ(table->AutoIncColumn(), std::optional<size_t>(2));
    auto without = STBASE::Create({Column("plain", LogicalType::Int32)});
    EXPECT_FALSE(without->AutoIncColumn());
    EXPECT_FALSE(without->KeepsAutoIncCounter());
    without->InsertRow(without->NewRowImage());
    EXPECT_TRUE(without->SlotRow(1).IsNull(0));
}

TEST(StoredTableCreate, RefusesColumnsThatCannotBeLaidOut) {
    EXPECT_EQ(StoreCodeOf([] { STBASE::Create({}); }), kCodeBadStructure);
    EXPECT_EQ(StoreCodeOf([] { STBASE::Create({Column("t", LogicalType::Text, 0)}); }),
              kCodeBadStructure);
    IndexDescription index{"i", {KeyColumn{1}}};
    EXPECT_EQ(StoreCodeOf([&] { STBASE::Create({Column("n", LogicalType::Int32)}, {index}); }),
              kCodeBadStructure);
    auto table =
        STBASE::Create({Column("n", LogicalType::Int32)}, {IndexDescription{"i", {KeyColumn{0}}}});
    EXPECT_EQ(table->IndexDescriptions().size(), 1u);
    EXPECT_NE(table->FindOrder("i"), nullptr);
    EXPECT_EQ(table->ChangedMark(), 0u);
    EXPECT_TRUE(table->ChangeLogging());
    EXPECT_EQ(table->DefaultOrder().Name(), "DEFAULT_ORDER");
}

TEST_F(StoredTableTest, SupersededAndDeletedSlotsAreNoRows) {
    Load({"a", "b", "c"});
    Rename("a", "a2");
    table->DeleteRow(SlotOf("b"));
    Insert("d");
    EXPECT_EQ(table->SlotCount(), 5u);
    EXPECT_EQ(table->RowCount(), 3u);
    EXPECT_EQ(Visible(), (std::vector<std::string>{"a2", "c", "d"}));
}

}  // namespace
}  // namespace velmora::store::testing
