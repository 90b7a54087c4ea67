#include "cli/cli.h"

#include <algorithm>
#include <ostream>

#include "cli/packet_json.h"
#include "datapacket/PKWRITER.h"
#include "datapacket/packet_files.h"
#include "datapacket/packet_writer_table.h"
#include "platform/errors.h"
#include "platform/file_system.h"

namespace velmora::cli {

namespace {

constexpr const char* kUsage =
    "Usage: velmora-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Headless companion of Velmora, the price-proposal program.\n"
    "\n"
    "Commands:\n"
    "  show FILE [--json] [--slots]\n"
    "      Reads the datapacket FILE (XML or binary) and prints its columns, parameters,\n"
    "      change log and rows (default order, values in their datapacket text forms).\n"
    "      --json prints one object: form, columns, parameters, changeLog, rows;\n"
    "      --slots adds every row slot with its rowState.\n"
    "  convert IN OUT [--format xml|xml-utf8|binary]\n"
    "      Loads IN and saves it to OUT as the program saves a table: XML for a name\n"
    "      ending in .xml (any letter case), binary otherwise, unless --format says.\n"
    "\n"
    "Options:\n"
    "  --help       show this text and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "Exit status: 0 on success, 1 when a file cannot be read or written, 2 for wrong usage.\n";

// One line naming the file and the error; the reader's codes in decimal and hexadecimal.
int FileFailure(const std::string& path, std::ostream& err, const std::string& what) {
    err << "velmora-cli: " << path << ": " << what << "\n";
    return kFileError;
}

std::string CodeText(int code) {
    static const char* digits = "0123456789ABCDEF";
    std::string hex;
    for (int shift = 12; shift >= 0; shift -= 4) hex += digits[(code >> shift) & 0xF];
    return "error " + std::to_string(code) + " (0x" + hex + ")";
}

template <typename Action>
int Guarded(const std::string& path, std::ostream& err, Action action) {
    try {
        action();
        return kSuccess;
    } catch (const EStoreError& error) {
        return FileFailure(path, err, CodeText(error.Code()));
    } catch (const Exception& error) {
        return FileFailure(path, err, error.what());
    }
}

int Usage(std::ostream& err, const std::string& problem) {
    err << "velmora-cli: " << problem << "\nTry 'velmora-cli --help'.\n";
    return kUsageError;
}

std::unique_ptr<store::STBASE> Load(const std::string& path, std::string& bytes) {
    bytes = platform::ReadFileShared(path);
    return datapacket::StoredTableOfPacket(bytes);
}

bool IsBinaryPacket(const std::string& bytes) {
    return bytes.size() >= 4 && bytes.compare(0, 4, "\x43\x1C\x7A\x5E") == 0;
}

int Show(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool json = false;
    bool slots = false;
    std::string path;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json")
            json = true;
        else if (args[i] == "--slots")
            slots = true;
        else if (path.empty())
            path = args[i];
        else
            return Usage(err, "show takes one FILE");
    }
    if (path.empty()) return Usage(err, "show needs a FILE");
    return Guarded(path, err, [&] {
        std::string bytes;
        const auto table = Load(path, bytes);
        if (json || slots)
            out << TableJson(*table, IsBinaryPacket(bytes), slots).dump(2) << "\n";
        else
            out << TablePlainText(*table, IsBinaryPacket(bytes));
    });
}

int Convert(const std::vector<std::string>& args, std::ostream& err) {
    std::vector<std::string> paths;
    store::PacketFormat format = store::pfBinary;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] != "--format") {
            paths.push_back(args[i]);
            continue;
        }
        if (++i == args.size()) return Usage(err, "--format needs xml, xml-utf8 or binary");
        if (args[i] == "xml")
            format = store::pfXml;
        else if (args[i] == "xml-utf8")
            format = store::pfXmlUtf8;
        else if (args[i] != "binary")
            return Usage(err, "unknown format '" + args[i] + "'");
    }
    if (paths.size() != 2) return Usage(err, "convert needs IN and OUT");
    std::unique_ptr<store::STBASE> table;
    std::string bytes;
    if (int status = Guarded(paths[0], err, [&] { table = Load(paths[0], bytes); })) return status;
    // Binary was asked for by name: a name ending in .xml still gets binary.
    const bool forceBinary =
        format == store::pfBinary && std::find(args.begin(), args.end(), "--format") != args.end();
    return Guarded(paths[1], err, [&] {
        if (forceBinary)
            platform::ExclusiveFile::LockForReplace(paths[1]).ReplaceContent(
                datapacket::WritePacket(*table, datapacket::kModeBinary));
        else
            datapacket::SavePacketFile(*table, paths[1], format);
    });
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--help") {
        out << kUsage;
        return kSuccess;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << "velmora-cli " << VELMORA_VERSION << "\n";
        return kSuccess;
    }
    if (!args.empty() && args[0] == "show") return Show(args, out, err);
    if (!args.empty() && args[0] == "convert") return Convert(args, err);
    err << (args.empty() ? "velmora-cli: missing command"
                         : "velmora-cli: unknown command '" + args[0] + "'")
        << "\nTry 'velmora-cli --help'.\n";
    return kUsageError;
}

}  // namespace velmora::cli
