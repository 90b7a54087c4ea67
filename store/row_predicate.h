#pragma once
// A filter of a filtered view: judges one row. An expression filter wraps a compiled
// expression (accepting when its result is a boolean that is not null and true); a callback
// filter asks a function.

#include <functional>
#include <utility>

#include "store/row_image.h"

namespace velmora::store {

class RowPredicate {
public:
    virtual ~RowPredicate() = default;
    // May raise; a view asks before it changes anything, so a raise refuses the change.
    virtual bool Accepts(const RowView& row) const = 0;
};

class CallbackFilter final : public RowPredicate {
public:
    using Callback = std::function<bool(const RowView&)>;
    // REQUIRES: callback is callable.
    explicit CallbackFilter(Callback callback) : callback_(std::move(callback)) {}
    bool Accepts(const RowView& row) const override { return callback_(row); }

private:
    Callback callback_;
};

}  // namespace velmora::store
