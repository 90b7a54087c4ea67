#pragma once
// The value converters: one object per column (or parameter) and per packet form, turning a
// value between its stored form (store/stored_type.h) and its form in the packet - the text
// of an XML attribute, or the bytes of a binary packet. The reader uses the read direction,
// the writer the write direction; both use CreateConverter (converter_factory.h).

#include <cstdint>
#include <string>
#include <string_view>

#include "datapacket/byte_cursor.h"
#include "store/stored_type.h"

namespace velmora::datapacket {

enum class PacketForm : uint8_t { Xml, Binary };

// The mark that goes with each value of a row.
enum class ValueMark : uint8_t {
    Present = 0,
    Null = 1,
    Unchanged = 2,  // absent where absence means "as in the version this row replaces"
};

// What a converter needs to know of its column.
struct ColumnFormat {
    store::StoredType type;
    uint16_t width = 0;    // WIDTH: characters, bytes, or the precision of a decimal; 0: none
    uint16_t scale = 0;    // DECIMALS: digits after the point of a decimal
    uint16_t subtype = 0;  // SUBTYPE number (store::ColumnSubtype); 0: none
};

class FLDConv {
public:
    FLDConv(std::string attrName, PacketForm form) : attrName_(std::move(attrName)), form_(form) {}
    virtual ~FLDConv() = default;
    FLDConv(const FLDConv&) = delete;
    FLDConv& operator=(const FLDConv&) = delete;

    // Appends the packet form of a value: in XML its text before escaping, in binary its
    // bytes. REQUIRES: `stored` is a stored form of the converter's type.
    virtual void Write(std::string_view stored, std::string& out) const = 0;
    // True when Write appends `stored` as it is, so a writer may take the stored bytes
    // themselves (8-bit text in XML).
    virtual bool WritesStoredBytes(std::string_view /*stored*/) const { return false; }
    // True when the XML text that Write appends writes numeric references as "&" and the
    // reference mark (wide text), for the escaper to complete.
    virtual bool MarksReferences() const { return false; }

    // Reads one value into `stored` (replacing its content) and says whether it is present
    // or null. XML: `in` holds exactly the attribute text, entities not yet decoded. Binary:
    // `in` stands on the value and is moved past it; missing bytes raise
    // EStoreError(kCodeMalformedPacket).
    virtual ValueMark Read(ByteCursor& in, std::string& stored) const = 0;

    // The name under which the value stands in a ROW.
    const std::string& AttrName() const { return attrName_; }
    PacketForm Form() const { return form_; }
    bool IsXml() const { return form_ == PacketForm::Xml; }

protected:
    // The attribute text with its entities decoded: a view of the text itself when it holds
    // no "&", else of `scratch`.
    static std::string_view DecodedText(const ByteCursor& in, std::string& scratch);

private:
    std::string attrName_;
    PacketForm form_;
};

}  // namespace velmora::datapacket
