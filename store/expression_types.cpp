#include "store/expression_types.h"

#include "store/stored_type.h"

namespace velmora::store {

bool IsTextKind(FieldType type) {
    return IsTextType(type) || type == ftGuid;
}

bool IsIntegerKind(FieldType type) {
    return type == ftSmallint || type == ftInteger || type == ftWord || type == ftAutoInc ||
           type == ftLargeint;
}

bool IsFixedPointKind(FieldType type) {
    return type == ftBCD || type == ftFMTBcd;
}

bool IsNumericKind(FieldType type) {
    return IsIntegerKind(type) || IsFixedPointKind(type) || type == ftFloat || type == ftCurrency;
}

bool IsTemporalKind(FieldType type) {
    return type == ftDate || type == ftTime || type == ftDateTime || type == ftTimeStamp;
}

bool IsLargeKind(FieldType type) {
    return type == ftBytes || type == ftVarBytes || IsLargeObjectType(type);
}

uint16_t ResultSizeOf(FieldType type, uint16_t size) {
    switch (type) {
        case ftSmallint:
        case ftWord:
        case ftBoolean:
            return 2;
        case ftInteger:
        case ftAutoInc:
        case ftDate:
        case ftTime:
            return 4;
        case ftLargeint:
        case ftFloat:
        case ftCurrency:
        case ftDateTime:
            return 8;
        case ftTimeStamp:
        case ftBCD:
        case ftFMTBcd:
            return kBcdStoredSize;
        default:
            return size;
    }
}

}  // namespace velmora::store
