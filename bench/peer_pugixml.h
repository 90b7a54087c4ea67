#pragma once
// The XML peer: pugixml parsing a proposals file's bytes into its DOM, and saving that DOM
// to memory. Used only by the benchmarks.

#include <string>

#include <pugixml.hpp>

namespace velmora::bench {

// The DOM of bytes, parsed from a copy with pugixml's default options; raises
// std::runtime_error when the bytes are not well-formed XML.
void ParseWithPugixml(const std::string& bytes, pugi::xml_document& document);

// The document saved to memory (raw, no indentation, as the program writes its files).
std::string SaveWithPugixml(const pugi::xml_document& document);

// How many ROW elements the document's ROWDATA holds (a check that the parse did the work).
size_t PugixmlRowCount(const pugi::xml_document& document);

}  // namespace velmora::bench
