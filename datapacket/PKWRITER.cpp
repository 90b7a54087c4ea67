#include "datapacket/PKWRITER.h"

#include <new>

#include "datapacket/binary_writer.h"
#include "datapacket/packet_codes.h"
#include "datapacket/packet_writer_xml.h"
#include "platform/errors.h"
#include "store/store_codes.h"

namespace velmora::datapacket {

namespace {

constexpr int kModeXmlBit = 1;
constexpr int kModeUtf8Bit = 8;

[[noreturn]] void BadMetadata() {
    throw EStoreError(kCodeBadMetadata);
}

}  // namespace

PKWRITER::PKWRITER() = default;
PKWRITER::~PKWRITER() = default;

template <typename Action>
int PKWRITER::Guarded(Action action) {
    try {
        action();
        return 0;
    } catch (const EStoreError& error) {
        return error.Code();
    } catch (const std::bad_alloc&) {
        return store::kCodeOutOfMemory;
    }
}

int PKWRITER::SetPacketForm(int mode) {
    mode_ = mode;
    return 0;
}

int PKWRITER::BeginPacket(size_t columnCount) {
    return Guarded([&] {
        if (columnCount == 0) BadMetadata();
        if (mode_ & kModeXmlBit)
            form_ = std::make_unique<XmlPacketWriter>((mode_ & kModeUtf8Bit) != 0);
        else
            form_ = std::make_unique<BinaryPacketWriter>();
        columnCount_ = columnCount;
        form_->BeginPacket(columnCount);
    });
}

int PKWRITER::WriteColumn(const std::string& name, const ColumnFormat& format,
                          uint16_t attributes) {
    return Guarded([&] {
        // A column of that name would be taken for the row state when read back.
        if (columnsWritten_ == columnCount_ || name == "RowState") BadMetadata();
        form_->WriteColumn(name, format, attributes);
        ++columnsWritten_;
    });
}

int PKWRITER::WriteParameter(ParameterLevel level, const store::Parameter& parameter) {
    return Guarded([&] {
        if (level == ParameterLevel::Field)
            form_->WriteFieldParameter(parameter);
        else if (parameter.name.empty())
            form_->EndParameters();
        else
            form_->WriteTableParameter(parameter);
    });
}

int PKWRITER::WriteValue(ValueMark mark, std::string_view stored) {
    return Guarded([&] {
        if (!inRow_) {
            form_->BeginRow(stored.empty() ? 0 : static_cast<uint8_t>(stored[0]));
            inRow_ = true;
            rowColumn_ = 0;
            return;
        }
        form_->WriteValue(rowColumn_, mark, stored);
        if (++rowColumn_ == columnCount_) {
            form_->EndRow();
            inRow_ = false;
        }
    });
}

int PKWRITER::EndPacket(std::string& packet) {
    return Guarded([&] {
        if (inRow_ || columnsWritten_ != columnCount_) BadMetadata();
        packet = form_->EndPacket();
    });
}

}  // namespace velmora::datapacket
