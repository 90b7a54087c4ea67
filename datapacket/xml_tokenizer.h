#pragma once
// The tokens of an XML datapacket, one at a time, over the 8-bit text.
//
// Between tokens whitespace, processing instructions ("<?" to "?>") and comments ("<!" to
// the next "-->", so a document type or CDATA section swallows everything up to there) are
// skipped. A start tag's name ends at the first byte up to 32, ">" or "/"; only a space there
// opens an attribute list, which runs to the first ">" (a "/" right before it makes the
// element empty). After any other byte up to 32 the tag must end with ">" or "/>" after
// optional whitespace. A start tag ending in ">" that is not followed (after whitespace) by a
// child tag is a text element: its text runs from the first non-whitespace byte to the next
// "<", and its end tag must be the next token. End tags must match the innermost open
// element exactly; elements nest at most kMaxElementDepth deep. Every violation, and an
// element left open at the end, raises EStoreError(kCodeMalformedPacket).

#include <array>
#include <string_view>

#include "datapacket/byte_cursor.h"
#include "datapacket/packet_codes.h"

namespace velmora::datapacket {

enum class TokenKind {
    StartTag,      // an element with children follows; its end tag comes as EndTag
    EmptyElement,  // "<name .../>"
    TextElement,   // "<name ...>text</name>", end tag included
    EndTag,
    End,  // the end of the document
};

struct XmlToken {
    TokenKind kind = TokenKind::End;
    std::string_view name;
    std::string_view attributes;  // the attribute list (see xml_attributes.h); may be empty
    std::string_view text;        // TextElement: its text, up to the next "<"
    int level = 0;                // nesting level of the element (1: the root); 0 for End
};

// The token opens an element (with content, empty, or a text element).
inline bool IsElementStart(const XmlToken& token) {
    return token.kind == TokenKind::StartTag || token.kind == TokenKind::EmptyElement ||
           token.kind == TokenKind::TextElement;
}

class XmlTokenizer {
public:
    // REQUIRES: text outlives the tokenizer.
    explicit XmlTokenizer(std::string_view text) : cursor_(text) {}

    const XmlToken& Next();
    // The token that Next() will give, without moving on.
    const XmlToken& Peek();

private:
    XmlToken Read();
    void SkipSpace();
    void SkipConstruct(std::string_view end);
    std::string_view ReadName();
    XmlToken ReadEndTag();
    XmlToken ReadStartTag();
    XmlToken FinishOpenTag(XmlToken token);
    void Push(std::string_view name);

    ByteCursor cursor_;
    std::array<std::string_view, kMaxElementDepth> open_{};
    int depth_ = 0;
    XmlToken current_;
    XmlToken peeked_;
    bool hasPeeked_ = false;
};

}  // namespace velmora::datapacket
