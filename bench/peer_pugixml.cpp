#include "bench/peer_pugixml.h"

#include <stdexcept>

namespace velmora::bench {
namespace {

class StringWriter final : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& out) : out_(out) {}
    void write(const void* data, size_t size) override {
        out_.append(static_cast<const char*>(data), size);
    }

private:
    std::string& out_;
};

}  // namespace

void ParseWithPugixml(const std::string& bytes, pugi::xml_document& document) {
    const pugi::xml_parse_result result = document.load_buffer(bytes.data(), bytes.size());
    if (!result) throw std::runtime_error(std::string("pugixml: ") + result.description());
}

std::string SaveWithPugixml(const pugi::xml_document& document) {
    std::string out;
    StringWriter writer(out);
    document.save(writer, "", pugi::format_raw);
    return out;
}

size_t PugixmlRowCount(const pugi::xml_document& document) {
    const pugi::xml_node rows = document.child("DATAPACKET").child("ROWDATA");
    return static_cast<size_t>(
        std::distance(rows.children("ROW").begin(), rows.children("ROW").end()));
}

}  // namespace velmora::bench
