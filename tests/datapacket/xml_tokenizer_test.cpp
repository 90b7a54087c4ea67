#include "datapacket/xml_tokenizer.h"

#include <gtest/gtest.h>

#include "datapacket/xml_attributes.h"
#include "platform/errors.h"

namespace velmora::datapacket {
namespace {

// The tokens as one line: "<a>" start tag, "<a/>" empty element, "<a>text</a>" text
// element, "</a>" end tag; attributes as name=value in brackets.
std::string Tokens(std::string_view text) {
    XmlTokenizer tokenizer(text);
    std::string line;
    std::vector<XmlAttribute> attributes;
    while (true) {
        const XmlToken& token = tokenizer.Next();
        if (token.kind == TokenKind::End) return line;
        if (token.kind == TokenKind::EndTag) {
            line += "</" + std::string(token.name) + ">";
            continue;
        }
        line += "<" + std::string(token.name);
        ParseAttributes(token.attributes, attributes);
        for (const XmlAttribute& a : attributes)
            line += " " + std::string(a.name) + "=" + std::string(a.value);
        if (token.kind == TokenKind::EmptyElement)
            line += "/>";
        else if (token.kind == TokenKind::StartTag)
            line += ">";
        else
            line += ">" + std::string(token.text) + "</" + std::string(token.name) + ">";
    }
}

struct TokenCase {
    const char* name;
    std::string_view text;
    std::string_view tokens;
};

class TokenizerTest : public ::testing::TestWithParam<TokenCase> {};

TEST_P(TokenizerTest, Tokens) {
    EXPECT_EQ(Tokens(GetParam().text), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TokenizerTest,
    ::testing::Values(
        TokenCase{"Nesting", "<a><b x=\"1\" y=\"2\"/></a>", "<a><b x=1 y=2/></a>"},
        TokenCase{"WhitespaceCommentsAndInstructions",
                  "<?xml version=\"1.0\"?>\r\n<a>\n\t<!-- c -->\n<?pi x?><b/>  </a>\n<!-- end -->",
                  "<a><b/></a>"},
        TokenCase{"DoctypeSwallowsUpToTheNextCommentEnd", "<a><!DOCTYPE x><b/>--><c/></a>",
                  "<a><c/></a>"},
        TokenCase{"TextElement", "<a>  some text </a>", "<a>some text </a>"},
        TokenCase{"EmptyTextElement", "<a> </a>", "<a></a>"},
        TokenCase{"TextElementWithAttributes", "<a k=\"v\">t</a>", "<a k=v>t</a>"},
        TokenCase{"ChildAfterComment", "<a><!--x--><b/></a>", "<a><b/></a>"},
        TokenCase{"TabEndsTheNameWithoutAttributes", "<a\t><b\n/></a\r\n>", "<a><b/></a>"},
        TokenCase{"AttributesRunToTheFirstGreaterThan", "<a x=\"1>2\"/></a>", "<a>2\"/></a>"},
        TokenCase{"SingleQuotesEndTheList", "<a x=\"1\" y='2' z=\"3\"/>", "<a x=1/>"},
        TokenCase{"BlanksAroundEquals", "<a x =  \"1\"\ty=\"2\"/>", "<a x=1 y=2/>"}),
    [](const auto& info) { return std::string(info.param.name); });

class TokenizerFailureTest : public ::testing::TestWithParam<std::string_view> {};

TEST_P(TokenizerFailureTest, IsNotWellFormed) {
    try {
        Tokens(GetParam());
        FAIL() << "accepted";
    } catch (const EStoreError& error) {
        EXPECT_EQ(error.Code(), kCodeMalformedPacket);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TokenizerFailureTest,
                         ::testing::Values("<a><b></a>", "<a></b>", "<a>", "<a x=\"1\"",
                                           "<a\tx=\"1\"/>", "<a/>text", "<a>t<b/></a>",
                                           "<a><!-- open </a>", "<a><?pi </a>", "</a>", "<a/ >",
                                           "<a>text"));

std::string Nested(int levels) {
    std::string text;
    for (int i = 0; i < levels; ++i) text += "<e>";
    for (int i = 0; i < levels; ++i) text += "</e>";
    return text;
}

TEST(TokenizerDepthTest, SixtyThreeLevelsAreTheLimit) {
    EXPECT_NO_THROW(Tokens(Nested(kMaxElementDepth)));
    EXPECT_THROW(Tokens(Nested(kMaxElementDepth + 1)), EStoreError);
    // An empty element counts as a level too.
    EXPECT_NO_THROW(
        Tokens(Nested(kMaxElementDepth - 1).insert((kMaxElementDepth - 1) * 3, "<x/>")));
    EXPECT_THROW(Tokens(Nested(kMaxElementDepth).insert(kMaxElementDepth * 3, "<x/>")),
                 EStoreError);
}

}  // namespace
}  // namespace velmora::datapacket
