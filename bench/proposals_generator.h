#pragma once
// Realistic proposals files for the benchmarks, made at run time: a lot auction ("L") whose
// rows carry the item catalogue of the item table, about ten items per lot, technical
// description memos (compl_descr) of 100 to 600 characters of Portuguese text, prices, brands
// and supplier data empty.
// The bytes are the XML datapacket form the program's writer produces (one line,
// Windows-1252, no encoding declared); the content depends only on the item count.

#include <cstddef>
#include <string>

namespace velmora::bench {

inline constexpr int kItemsPerLot = 10;

// The whole XML document of a file with `items` rows.
std::string ProposalsXml(int items);

// A file holding ProposalsXml(items) in a fresh temporary folder, removed with the object.
class ProposalsFile {
public:
    explicit ProposalsFile(int items);
    ~ProposalsFile();
    ProposalsFile(const ProposalsFile&) = delete;
    ProposalsFile& operator=(const ProposalsFile&) = delete;

    const std::string& Path() const { return path_; }
    const std::string& Bytes() const { return bytes_; }
    // Writes the original bytes again (after a save changed the file).
    void Restore() const;

private:
    std::string folder_;
    std::string path_;
    std::string bytes_;
};

}  // namespace velmora::bench
