// The table's filter: Filter, FilterOptions and Filtered over the cursor's filtered view.

#include <memory>

#include "store/STIDXFILT_expression.h"
#include "store/TCustomMemTable.h"

namespace velmora::store {

void TCustomMemTable::SetFilter(std::string filter) {
    if (Active() && filtered_) ReplaceFilter(filter, filterOptions_);
    filter_ = std::move(filter);
}

void TCustomMemTable::SetFilterOptions(store::FilterOptions options) {
    if (Active() && filtered_) ReplaceFilter(filter_, options);
    filterOptions_ = options;
}

void TCustomMemTable::SetFiltered(bool filtered) {
    if (!Active()) {
        filtered_ = filtered;
        return;
    }
    SettleEdit();
    if (filtered != filtered_) {
        if (filtered) {
            PositionCursorOnCurrentRow();
            try {
                ApplyFilters();
            } catch (...) {
                RefillKeepingPlace();
                throw;
            }
        } else {
            DropFilters();
        }
        filtered_ = filtered;
    }
    GoFirst();
}

// The text that was dropped by a failed parse is applied again when it is set again: the
// stored text alone does not say that a filter is on the view.
void TCustomMemTable::ReplaceFilter(const std::string& text, store::FilterOptions options) {
    SettleEdit();
    const bool applied = expressionFilter_ != 0 || filter_.empty();
    if (text != filter_ || options != filterOptions_ || !applied) {
        PositionCursorOnCurrentRow();
        // The view's only filter is replaced with one rebuild of the view instead of two.
        const int replaced = callbackFilter_ == 0 && !text.empty() ? expressionFilter_ : 0;
        if (expressionFilter_ != 0 && replaced == 0) orders_->DropFilter(expressionFilter_);
        expressionFilter_ = 0;
        auto compiled = [&] {
            try {
                return std::make_shared<ExpressionFilter>(
                    ParseForTable(text, ExpressionPurpose::Filter, options), *stored_);
            } catch (...) {
                orders_->DropFilter(replaced);
                throw;
            }
        };
        try {
            if (replaced != 0)
                expressionFilter_ = orders_->View()->ReplaceFilter(replaced, compiled());
            else if (!text.empty())
                AddExpressionFilter(text, options);
        } catch (...) {
            RefillKeepingPlace();
            throw;
        }
    }
    GoFirst();
}

void TCustomMemTable::AddExpressionFilter(const std::string& text, store::FilterOptions options) {
    const ExpressionTree tree = ParseForTable(text, ExpressionPurpose::Filter, options);
    expressionFilter_ = orders_->AddFilter(std::make_shared<ExpressionFilter>(tree, *stored_));
}

// Both filters or neither: a refusal of either drops what was added.
void TCustomMemTable::ApplyFilters() {
    try {
        if (!filter_.empty()) AddExpressionFilter(filter_, filterOptions_);
        if (OnFilterRecord) {
            // Unassigned later, the callback keeps every row.
            auto judge = [this](const RowView& row) {
                return !OnFilterRecord || JudgeRow(row, OnFilterRecord);
            };
            callbackFilter_ = orders_->AddFilter(std::make_shared<CallbackFilter>(judge));
        }
    } catch (...) {
        DropFilters();
        throw;
    }
}

void TCustomMemTable::DropFilters() {
    for (int* number : {&expressionFilter_, &callbackFilter_}) {
        if (*number != 0) orders_->DropFilter(*number);
        *number = 0;
    }
}

}  // namespace velmora::store
