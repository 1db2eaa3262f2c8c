// XML replies on the platform's parser: what is read, and what a reply can never make the client
// do.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "common/utf16_text.h"
#include "tests/support/reply_bytes.h"
#include "transport/http_client.h"
#include "transport/xml_document.h"

namespace zarn::test {
namespace {

std::unique_ptr<XmlDocument> Load(std::u16string_view text) {
    std::unique_ptr<XmlDocument> document;
    EXPECT_EQ(PlatformXmlDocumentFactory().Create(document), kOk);
    // Some tests load text that does not parse, to see what the document then answers.
    static_cast<void>(document->LoadXml(text));
    return document;
}

std::u16string Description(std::u16string_view reply) {
    return ReplyStatusDescription(PlatformXmlDocumentFactory(), reply);
}

// A local file whose content must never reach a reply's text.
class SecretFile {
  public:
    SecretFile() : path_(::testing::TempDir() + "zarn_secret.txt") {
        std::ofstream(path_) << "TOP-SECRET";
    }
    ~SecretFile() { std::remove(path_.c_str()); }
    std::u16string Uri() const {
        std::string uri = "file://" + path_;
        return std::u16string(uri.begin(), uri.end());
    }

  private:
    std::string path_;
};

TEST(ReplyStatusDescription, FindsTheFirstElementWithThatIdInAnyNamespace) {
    EXPECT_EQ(Description(u"<html><body><div><span id='statusDescription'>Store <b>Main</b> "
                          u"is full</span></div></body></html>"),
              u"Store Main is full");
    EXPECT_EQ(Description(u"<a xmlns='urn:a'><b:x xmlns:b='urn:b' id=\"statusDescription\">ns"
                          u"</b:x></a>"),
              u"ns");
    EXPECT_EQ(Description(u"<a><p id='statusDescription'>outer<q id='statusDescription'>inner"
                          u"</q></p><r id='statusDescription'>later</r></a>"),
              u"outerinner");
    EXPECT_EQ(Description(u"<a><p id='StatusDescription'>case</p></a>"), u"");
    EXPECT_EQ(Description(u"<a><p ID='statusDescription'>case</p></a>"), u"");
    EXPECT_EQ(Description(u"store is full"), u"");
    EXPECT_EQ(Description(u""), u"");
    EXPECT_EQ(Description(u"<a><p id='statusDescription'>unclosed</a>"), u"");
}

enum class Where { kContent, kIdAttribute };

// A reply whose document type holds `declarations` and that refers to `entity` `count` times
// in the content of the described element or in the id attribute of an element before it.
std::u16string EntityReply(std::u16string_view declarations, std::u16string_view entity, int count,
                           Where where) {
    std::u16string references;
    for (int i = 0; i < count; ++i)
        references += u"&" + std::u16string(entity) + u";";
    std::u16string reply = u"<?xml version='1.0'?><!-- a reply --><!DOCTYPE a [" +
                           std::u16string(declarations) + u"]><a>";
    reply += where == Where::kContent
                 ? u"<p id='statusDescription'>" + references + u"</p>"
                 : u"<p id='" + references + u"'/><p id='statusDescription'>x</p>";
    return reply + u"</a>";
}

// The declaration of the entity w, which stands for `size` letters w.
std::u16string Letters(std::size_t size) {
    return u"<!ENTITY w '" + std::u16string(size, u'w') + u"'>";
}

TEST(ReplyStatusDescription, AcceptsADocumentTypeWithInternalEntities) {
    EXPECT_EQ(Description(u"<!DOCTYPE a [<!ENTITY who 'The store'><!ATTLIST p id ID #IMPLIED>]>"
                          u"<a><p id='statusDescription'>&who; is full</p></a>"),
              u"The store is full");
    // An entity may well stand many times for a long text.
    EXPECT_EQ(Description(EntityReply(Letters(1000), u"w", 100, Where::kContent)),
              std::u16string(100000, u'w'));
    EXPECT_EQ(Description(EntityReply(Letters(1000), u"w", 100, Where::kIdAttribute)), u"x");
}

TEST(ReplyStatusDescription, NeverFetchesExternalEntitiesOrDocumentTypes) {
    SecretFile secret;
    std::u16string uri = secret.Uri();
    std::u16string replies[] = {
        u"<!DOCTYPE a [<!ENTITY s SYSTEM '" + uri +
            u"'>]><a><p id='statusDescription'>[&s;]</p></a>",
        u"<!DOCTYPE a [<!ENTITY % s SYSTEM '" + uri +
            u"'> %s;]><a><p id='statusDescription'>[]</p></a>",
        u"<!DOCTYPE a SYSTEM '" + uri + u"'><a><p id='statusDescription'>[]</p></a>",
        u"<!DOCTYPE a [<!ENTITY s SYSTEM '" + uri +
            u"'>]><a><p id='statusDescription' title='&s;'>[]</p></a>",
    };
    for (const std::u16string& reply : replies) {
        std::u16string text = Description(reply);
        EXPECT_TRUE(text == u"[]" || text.empty()) << std::string(text.begin(), text.end());
    }
}

TEST(ReplyStatusDescription, EntityExpansionAndNestingAreBounded) {
    // Nine levels of ten references each: a billion copies if nothing stopped it.
    std::u16string laughs = u"<!DOCTYPE a [<!ENTITY l0 'lol'>";
    for (char16_t level = u'1'; level <= u'9'; ++level) {
        laughs += u"<!ENTITY l" + std::u16string(1, level) + u" '";
        for (int i = 0; i < 10; ++i)
            laughs += u"&l" + std::u16string(1, level - 1) + u";";
        laughs += u"'>";
    }
    laughs += u"]><a><p id='statusDescription'>&l9;</p></a>";
    auto start = std::chrono::steady_clock::now();
    EXPECT_LT(Description(laughs).size(), 100000u);
    // 78 KB whose text would be 500 MB, in content or where the selection compares attributes,
    // also when the entity is declared by a parameter entity or reached through a character
    // reference that makes an ampersand: refused as a whole.
    const std::u16string wide = Letters(50000);
    for (const std::u16string& bomb :
         {EntityReply(wide, u"w", 10000, Where::kContent),
          EntityReply(wide, u"w", 10000, Where::kIdAttribute),
          EntityReply(u"<!ENTITY % d \"" + wide + u"\"> %d;", u"w", 10000, Where::kContent),
          EntityReply(wide + u"<!ENTITY a '&#38;w;'>", u"a", 10000, Where::kContent)}) {
        EXPECT_EQ(Description(bomb), u"") << ToUtf8(bomb.substr(0, 80));
        // The same as the bytes of a reply body, in UTF-8 and in UTF-16.
        std::string utf16 = "\xFF\xFE";
        for (char16_t unit : bomb)
            utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        for (const std::string& bytes : {ToUtf8(bomb), utf16})
            EXPECT_FALSE(ParseReplyBytes(bytes)->SelectSingleNode(u"/a"));
    }

    std::u16string deep;
    for (int i = 0; i < 100000; ++i)
        deep += u"<d>";
    deep += u"<p id='statusDescription'>deep</p>";
    EXPECT_EQ(Description(deep), u"");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(XmlDocument, ParseErrorsAndBadExpressionsPrintNothing) {
    ::testing::internal::CaptureStderr();
    auto document = Load(u"<a><b></a>");
    EXPECT_FALSE(document->SelectSingleNode(u"/a"));
    auto good = Load(u"<a><b>1</b></a>");
    EXPECT_FALSE(good->SelectSingleNode(u"//b[")) << "an invalid expression finds nothing";
    EXPECT_TRUE(good->SelectNodes(u"][").empty());
    EXPECT_FALSE(good->SelectSingleNode(u"count(//b)")) << "a number is not a node";
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(XmlDocument, SelectsRelativeToANodeInDocumentOrder) {
    auto document = Load(
        u"<s><store><name>A</name></store><store><name>B</name>"
        u"<description/></store></s>");
    auto stores = document->SelectNodes(u"/s/store");
    ASSERT_EQ(stores.size(), 2u);
    EXPECT_EQ(stores[0]->SelectSingleNode(u"name")->Text(), u"A");
    EXPECT_EQ(stores[1]->SelectSingleNode(u"name")->Text(), u"B");
    EXPECT_FALSE(stores[0]->SelectSingleNode(u"description"));
    ASSERT_TRUE(stores[1]->SelectSingleNode(u"description"));
    EXPECT_EQ(stores[1]->SelectSingleNode(u"description")->Text(), u"");
    EXPECT_EQ(document->Text(), u"AB");
}

TEST(XmlDocument, BareNamesMatchWholeNamesOfElementChildrenOnly) {
    auto document = Load(
        u"<r xmlns:p='urn:p'><nam>1</nam><names>2</names><p:name>3</p:name><!--name-->"
        u"<name>4</name><name>5</name><caf\u00E9>6</caf\u00E9></r>");
    auto root = document->SelectSingleNode(u"r");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->SelectSingleNode(u"name")->Text(), u"4");
    ASSERT_EQ(root->SelectNodes(u"name").size(), 2u);
    EXPECT_EQ(root->SelectNodes(u"name")[1]->Text(), u"5");
    EXPECT_FALSE(root->SelectSingleNode(u"na"));
    EXPECT_FALSE(root->SelectSingleNode(u"r")) << "children only, not the node itself";
    EXPECT_EQ(root->SelectSingleNode(u"caf\u00E9")->Text(), u"6");
}

TEST(XmlDocument, TextGathersEverythingBelowTheNode) {
    auto document = Load(
        u"<r><one>a &amp; b &#x263A; a text longer than a node holds in place</one>"
        u"<cdata><![CDATA[<kept>]]></cdata><mixed>x<i>y</i><![CDATA[z]]><!--c-->w</mixed>"
        u"<nested><a><b>deep</b></a></nested><empty></empty></r>");
    EXPECT_EQ(document->SelectSingleNode(u"/r/one")->Text(),
              u"a & b \u263A a text longer than a node holds in place");
    EXPECT_EQ(document->SelectSingleNode(u"/r/cdata")->Text(), u"<kept>");
    EXPECT_EQ(document->SelectSingleNode(u"/r/mixed")->Text(), u"xyzw");
    EXPECT_EQ(document->SelectSingleNode(u"/r/nested")->Text(), u"deep");
    EXPECT_EQ(document->SelectSingleNode(u"/r/empty")->Text(), u"");
    EXPECT_EQ(document->SelectSingleNode(u"/r/one/text()")->Text().substr(0, 5), u"a & b");
}

TEST(XmlDocument, NodesKeepTheirDocumentAlive) {
    std::unique_ptr<XmlNode> node;
    {
        auto document = Load(u"<a><b x='attribute'>kept</b></a>");
        node = document->SelectSingleNode(u"//b");
        EXPECT_TRUE(document->LoadXml(u"<other/>"));
        EXPECT_FALSE(document->SelectSingleNode(u"//b"));
    }
    ASSERT_TRUE(node);
    EXPECT_EQ(node->Text(), u"kept");
    EXPECT_EQ(node->SelectSingleNode(u"@x")->Text(), u"attribute");
    // Namespace nodes die with the expression's result; they are not handed out.
    EXPECT_TRUE(node->SelectNodes(u"namespace::*").empty());
}

TEST(XmlDocument, TextIsTakenAsItIsWhateverTheDeclarationSays) {
    auto document = Load(u"<?xml version='1.0' encoding='ISO-8859-1'?><a>caf\u00E9 \U0001F600</a>");
    ASSERT_TRUE(document->SelectSingleNode(u"/a"));
    EXPECT_EQ(document->SelectSingleNode(u"/a")->Text(), u"caf\u00E9 \U0001F600");
}

TEST(XmlDocument, ReplyBytesAreDecodedAsTheyDeclareAndNonXmlGivesAnEmptyDocument) {
    auto latin = ParseReplyBytes("<?xml version='1.0' encoding='ISO-8859-1'?><a>caf\xE9</a>");
    ASSERT_TRUE(latin->SelectSingleNode(u"/a"));
    EXPECT_EQ(latin->SelectSingleNode(u"/a")->Text(), u"caf\u00E9");
    auto utf16 = ParseReplyBytes(std::string("\xFF\xFE<\0a\0/\0>\0", 10));
    EXPECT_TRUE(utf16->SelectSingleNode(u"/a"));

    for (std::string_view notXml : {"", "plain text", "<a><b></a>"}) {
        auto empty = ParseReplyBytes(notXml);
        ASSERT_TRUE(empty);
        EXPECT_FALSE(empty->SelectSingleNode(u"/*"));
        EXPECT_TRUE(empty->SelectNodes(u"//*").empty());
        EXPECT_EQ(empty->Text(), u"");
    }
}

}  // namespace
}  // namespace zarn::test
