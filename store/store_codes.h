#pragma once
// The numeric codes that the stored table and its cursors raise as EStoreError (platform/errors.h).
// The front end passes them on unchanged; the code is what identifies the failure.

namespace velmora::store {

enum StoreCode : int {
    // End of a stream or of a view. Never raised by the stored table: a cursor move that runs
    // off the view reports it by returning false.
    kCodeNoMore = 8706,  // 0x2202
    // The cursor is not on a row (before the first, after the last, or its row left the view).
    kCodeNoCurrentRow = 8707,  // 0x2203
    // Out of memory while growing the slots or the change log.
    kCodeOutOfMemory = 9473,  // 0x2501
    // A unique index would hold a key twice.
    kCodeKeyViolation = 9729,  // 0x2601
    // A required column is null or empty text.
    kCodeRequiredEmpty = 9732,  // 0x2604
    // A value does not fit its column: wrong size for a fixed-size type, too many integer
    // digits for a decimal, bytes longer than the column's width.
    kCodeValueOutOfRange = 9985,  // 0x2701
    // A column or a table parameter that cannot be laid out or applied (text without width,
    // a key list or change log that is not an array, a change log naming slots that do not
    // exist, a key list naming a column that does not exist).
    kCodeBadStructure = 9986,  // 0x2702
    // A read-only column's value changed.
    kCodeReadOnlyColumn = 10502,  // 0x2906
    // The stored table is read-only or forbids this kind of change.
    kCodeTableReadOnly = 10763,  // 0x2A0B
    // An expression tree the stored table cannot compile.
    kCodeCannotCompile = 11871,  // 0x2E5F
    // Undo with an empty change log.
    kCodeLogEmpty = 16386,  // 0x4002
};

}  // namespace velmora::store
