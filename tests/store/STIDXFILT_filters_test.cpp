// The numbered filter list of a view: adding, dropping, asking in order, filters that raise.
#include <gtest/gtest.h>

#include <stdexcept>

#include "STIDX_fixture.h"
#include "store/STIDX.h"
#include "store/STIDXFILT.h"

namespace velmora::store {
namespace {

using namespace testing_items;

// Accepts rows whose numitem (below 256) is at least `minimum`; counts the rows it is asked
// about.
class AtLeast final : public RowPredicate {
public:
    explicit AtLeast(int32_t minimum, int* asked = nullptr) : minimum_(minimum), asked_(asked) {}
    bool Accepts(const RowView& row) const override {
        if (asked_) ++*asked_;
        const std::string_view bytes = row.Value(kNumitem);
        return !row.IsNull(kNumitem) && static_cast<uint8_t>(bytes[0]) >= minimum_;
    }

private:
    int32_t minimum_;
    int* asked_;
};

class Raising final : public RowPredicate {
public:
    bool Accepts(const RowView&) const override { throw std::runtime_error("filter failed"); }
};

class STIDXFILTFiltersTest : public testing::Test {
protected:
    STIDXFILTFiltersTest() {
        for (int32_t n : {5, 1, 4, 2, 3}) slots.push_back(items.Insert({n, 0, "x"}));
        table().InstallOrder(
            STIDX::Build(table(), IndexDescription{"numitem", {KeyColumn{kNumitem}}}));
        table().InstallOrder(
            std::make_unique<STIDXFILT>(table(), *table().FindOrder("numitem"), "view"));
        view = dynamic_cast<STIDXFILT*>(table().FindOrder("view"));
    }
    STBASE& table() { return items.Table(); }
    // numitem of the view's rows, in its order.
    std::vector<int32_t> Shown() const {
        std::vector<int32_t> shown;
        for (uint32_t slot : Entries(*view)) shown.push_back(*items.Numitem(slot));
        return shown;
    }

    ItemTable items;
    std::vector<uint32_t> slots;
    STIDXFILT* view = nullptr;
};

TEST_F(STIDXFILTFiltersTest, WithoutFiltersTheViewIsItsBase) {
    EXPECT_EQ(Shown(), (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(view->Key(), (std::vector<KeyColumn>{KeyColumn{kNumitem}}));
}

TEST_F(STIDXFILTFiltersTest, FiltersAreNumberedAndDroppedByNumber) {
    const int first = view->AddFilter(std::make_shared<AtLeast>(2));
    const int second = view->AddFilter(std::make_shared<AtLeast>(4));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(Shown(), (std::vector<int32_t>{4, 5}));
    EXPECT_TRUE(view->DropFilter(second));
    EXPECT_EQ(Shown(), (std::vector<int32_t>{2, 3, 4, 5}));
    EXPECT_FALSE(view->DropFilter(second));
    EXPECT_EQ(view->AddFilter(std::make_shared<AtLeast>(5)), 3);  // never given twice
    EXPECT_EQ(view->FilterCount(), 2u);
}

TEST_F(STIDXFILTFiltersTest, LaterFiltersAreNotAskedAfterARefusal) {
    int askedFirst = 0, askedSecond = 0;
    view->AddFilter(std::make_shared<AtLeast>(4, &askedFirst));
    view->AddFilter(std::make_shared<AtLeast>(0, &askedSecond));
    askedFirst = askedSecond = 0;
    items.Insert({1, 0, "y"});
    EXPECT_EQ(askedFirst, 1);
    EXPECT_EQ(askedSecond, 0);
}

TEST_F(STIDXFILTFiltersTest, FilterThatRaisesWhenAddedLeavesTheViewAsItWas) {
    view->AddFilter(std::make_shared<AtLeast>(3));
    EXPECT_THROW(view->AddFilter(std::make_shared<Raising>()), std::runtime_error);
    EXPECT_EQ(view->FilterCount(), 1u);
    EXPECT_EQ(Shown(), (std::vector<int32_t>{3, 4, 5}));
}

TEST_F(STIDXFILTFiltersTest, ReplacingAFilterRebuildsOnceForTheNewOneAtTheEnd) {
    int askedKept = 0, askedNew = 0;
    view->AddFilter(std::make_shared<AtLeast>(0, &askedKept));
    const int replaced = view->AddFilter(std::make_shared<AtLeast>(4));
    askedKept = 0;
    const int number = view->ReplaceFilter(replaced, std::make_shared<AtLeast>(2, &askedNew));
    EXPECT_EQ(number, 3);  // as DropFilter then AddFilter would number it
    EXPECT_EQ(Shown(), (std::vector<int32_t>{2, 3, 4, 5}));
    EXPECT_EQ(askedKept, 5);  // every row asked once: one rebuild
    EXPECT_EQ(askedNew, 5);   // asked after the kept filter, which accepts every row
    EXPECT_FALSE(view->DropFilter(replaced));
    EXPECT_TRUE(view->DropFilter(number));
    EXPECT_EQ(Shown(), (std::vector<int32_t>{1, 2, 3, 4, 5}));
}

TEST_F(STIDXFILTFiltersTest, ReplacingByAFilterThatRaisesLeavesNeither) {
    const int replaced = view->AddFilter(std::make_shared<AtLeast>(4));
    EXPECT_THROW(view->ReplaceFilter(replaced, std::make_shared<Raising>()), std::runtime_error);
    EXPECT_EQ(view->FilterCount(), 0u);
    EXPECT_EQ(Shown(), (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(view->AddFilter(std::make_shared<AtLeast>(5)), 2);  // a refused filter gets none
}

TEST_F(STIDXFILTFiltersTest, FilterThatRaisesRefusesTheChange) {
    view->AddFilter(std::make_shared<AtLeast>(3));
    // Added without a rebuild raising: the filter only raises for rows it meets later.
    auto raising = std::make_shared<CallbackFilter>([](const RowView& row) {
        if (!row.IsNull(kDescr) && row.Value(kDescr) == "boom") throw std::runtime_error("no");
        return true;
    });
    view->AddFilter(raising);
    const uint32_t count = table().SlotCount();
    EXPECT_THROW(items.Insert({9, 0, "boom"}), std::runtime_error);
    EXPECT_THROW(items.Modify(slots[0], {5, 0, "boom"}), std::runtime_error);
    EXPECT_EQ(table().SlotCount(), count);
    EXPECT_EQ(table().RowCount(), 5u);
    EXPECT_EQ(Shown(), (std::vector<int32_t>{3, 4, 5}));
}

TEST_F(STIDXFILTFiltersTest, RowsEnterAndLeaveAsTheyChange) {
    view->AddFilter(std::make_shared<AtLeast>(3));
    const uint32_t two = slots[3];
    items.Modify(two, {7, 0, "x"});       // enters, at its key's place
    items.Modify(slots[0], {0, 0, "x"});  // 5 leaves
    items.Insert({3, 1, "x"});            // after the 3 already there
    EXPECT_EQ(Shown(), (std::vector<int32_t>{3, 3, 4, 7}));
    EXPECT_EQ(table().SlotRow(view->SlotAt(1)).Value(kNuitem), Int32Bytes(1));
}

TEST_F(STIDXFILTFiltersTest, OverAnotherBaseKeepsFiltersAndNumbers) {
    view->AddFilter(std::make_shared<AtLeast>(3));
    table().InstallOrder(STIDX::Build(
        table(), IndexDescription{"descending", {KeyColumn{kNumitem, /*descending=*/true}}}));
    std::unique_ptr<STIDXFILT> moved = view->Over(*table().FindOrder("descending"));
    EXPECT_EQ(moved->FilterCount(), 1u);
    EXPECT_EQ(moved->Name(), "view");
    EXPECT_EQ(moved->AddFilter(std::make_shared<AtLeast>(0)), 2);
    std::vector<int32_t> shown;
    for (uint32_t slot : Entries(*moved)) shown.push_back(*items.Numitem(slot));
    EXPECT_EQ(shown, (std::vector<int32_t>{5, 4, 3}));
}

}  // namespace
}  // namespace velmora::store
