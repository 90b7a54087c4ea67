#pragma once
// The table class the program declares its tables with (CDSDigitacao, CDSLotes): an
// in-memory table, published as it is.

#include "store/TCustomMemTable.h"

namespace velmora::store {

class TMemTable final : public TCustomMemTable {
public:
    explicit TMemTable(std::string name = {}) : TCustomMemTable(std::move(name)) {}
};

}  // namespace velmora::store
