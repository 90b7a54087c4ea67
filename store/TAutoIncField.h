#pragma once
// An auto-increment integer field: an integer that the stored table numbers when a row is
// inserted (a value written to it before the post is replaced by the counter's).

#include "store/TIntegerField.h"

namespace velmora::store {

class TAutoIncField : public TIntegerField {
public:
    explicit TAutoIncField(std::string fieldName)
        : TIntegerField(std::move(fieldName), ftAutoInc) {}
};

}  // namespace velmora::store
