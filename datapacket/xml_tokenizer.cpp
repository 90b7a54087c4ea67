#include "datapacket/xml_tokenizer.h"

#include "datapacket/xml_attributes.h"
#include "platform/errors.h"

namespace velmora::datapacket {
namespace {

bool EndsName(int c) {
    return c <= 32 || c == '>' || c == '/';
}

}  // namespace

const XmlToken& XmlTokenizer::Next() {
    if (hasPeeked_) {
        hasPeeked_ = false;
        current_ = peeked_;
    } else {
        current_ = Read();
    }
    return current_;
}

const XmlToken& XmlTokenizer::Peek() {
    if (!hasPeeked_) {
        peeked_ = Read();
        hasPeeked_ = true;
    }
    return peeked_;
}

void XmlTokenizer::SkipSpace() {
    while (IsXmlSpace(cursor_.Peek())) cursor_.Advance(1);
}

void XmlTokenizer::SkipConstruct(std::string_view end) {
    cursor_.Advance(2);
    const size_t found = cursor_.Find(end);
    if (found == ByteCursor::kNotFound) RaiseMalformed();
    cursor_.Advance(found + end.size());
}

XmlToken XmlTokenizer::Read() {
    while (true) {
        SkipSpace();
        if (cursor_.AtEnd()) {
            if (depth_ > 0) RaiseMalformed();
            return XmlToken{};
        }
        if (cursor_.Peek() != '<') RaiseMalformed();
        switch (cursor_.Peek(1)) {
            case '/':
                return ReadEndTag();
            case '?':
                SkipConstruct("?>");
                break;
            case '!':
                SkipConstruct("-->");
                break;
            default:
                return ReadStartTag();
        }
    }
}

std::string_view XmlTokenizer::ReadName() {
    const size_t start = cursor_.Position();
    while (!cursor_.AtEnd() && !EndsName(cursor_.Peek())) cursor_.Advance(1);
    if (cursor_.AtEnd()) RaiseMalformed();
    return cursor_.Buffer().substr(start, cursor_.Position() - start);
}

XmlToken XmlTokenizer::ReadEndTag() {
    cursor_.Advance(2);
    XmlToken token{TokenKind::EndTag, ReadName(), {}, {}, depth_};
    SkipSpace();
    if (cursor_.Peek() != '>') RaiseMalformed();
    cursor_.Advance(1);
    if (depth_ == 0 || open_[static_cast<size_t>(depth_ - 1)] != token.name) RaiseMalformed();
    --depth_;
    return token;
}

XmlToken XmlTokenizer::ReadStartTag() {
    cursor_.Advance(1);
    XmlToken token{TokenKind::StartTag, ReadName(), {}, {}, depth_ + 1};
    if (depth_ >= kMaxElementDepth) RaiseMalformed();
    if (cursor_.Peek() == ' ') {
        const size_t close = cursor_.Find('>');
        if (close == ByteCursor::kNotFound) RaiseMalformed();
        token.attributes = cursor_.Rest().substr(1, close - 1);
        cursor_.Advance(close + 1);
        if (!token.attributes.empty() && token.attributes.back() == '/') {
            token.attributes.remove_suffix(1);
            token.kind = TokenKind::EmptyElement;
            return token;
        }
        return FinishOpenTag(token);
    }
    SkipSpace();
    if (cursor_.StartsWith("/>")) {
        cursor_.Advance(2);
        token.kind = TokenKind::EmptyElement;
        return token;
    }
    if (cursor_.Peek() != '>') RaiseMalformed();
    cursor_.Advance(1);
    return FinishOpenTag(token);
}

XmlToken XmlTokenizer::FinishOpenTag(XmlToken token) {
    Push(token.name);
    SkipSpace();
    if (cursor_.Peek() == '<' && cursor_.Peek(1) != '/') return token;
    if (cursor_.AtEnd()) RaiseMalformed();
    const size_t textEnd = cursor_.Find('<');
    if (textEnd == ByteCursor::kNotFound) RaiseMalformed();
    token.kind = TokenKind::TextElement;
    token.text = cursor_.Rest().substr(0, textEnd);
    cursor_.Advance(textEnd);
    const XmlToken end = Read();
    if (end.kind != TokenKind::EndTag) RaiseMalformed();
    return token;
}

void XmlTokenizer::Push(std::string_view name) {
    open_[static_cast<size_t>(depth_++)] = name;
}

}  // namespace velmora::datapacket
