#include "app/export/XmlSaveDoc.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const std::string Declaration = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n";

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A document holding one text element under REPORT.
std::string SavedWithText(const std::string& text)
{
    TXmlSaveDoc doc("1.0", "", "Shift_JIS");
    doc.CreateRootNode("REPORT", "");
    doc.AddTextNode(doc.AddNode(nullptr, "BASIC"), "KOMONSAKINAME", "", "", text);
    return doc.SaveToBytes();
}

// The text of the first element of that name, read back by an XML reader.
std::string ReadBack(const std::string& bytes, const char* name)
{
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr, XML_PARSE_NONET);
    if (doc == nullptr)
        return "<unreadable>";
    std::string found = "<missing>";
    for (xmlNodePtr n = xmlDocGetRootElement(doc); n != nullptr;) {
        if (n->type == XML_ELEMENT_NODE && xmlStrcmp(n->name, reinterpret_cast<const xmlChar*>(name)) == 0) {
            xmlChar* c = xmlNodeGetContent(n);
            found = reinterpret_cast<const char*>(c);
            xmlFree(c);
            break;
        }
        if (n->children)
            n = n->children;
        else {
            while (n != nullptr && n->next == nullptr)
                n = n->parent;
            if (n)
                n = n->next;
        }
    }
    xmlFreeDoc(doc);
    return found;
}

class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / ("xmlsavedoc-" + std::to_string(::getpid())))
    {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

}  // namespace

TEST(XmlSaveDocTest, WritesDeclarationTreeAndAttributeWithoutIndentation)
{
    TXmlSaveDoc doc("1.0", "", "Shift_JIS");
    doc.CreateRootNode("REPORT", "");
    TXmlNode system = doc.AddNode(nullptr, "SYSTEM");
    doc.AddTextNode(system, "GYOUMUPREFIX", "", "", "UG13");
    TXmlNode data = doc.AddNode(nullptr, "DATA");
    TXmlNode account = doc.AddNode(data, "KANJYOKAMOKU", "Count", "1");
    doc.AddTextNode(account, "KANJYOKAMOKU_CODE", "", "", "111");
    doc.AddTextNode(account, "KANJYOKAMOKU_ZANDAKA", "", "", "");
    TXmlNode sub = doc.AddNode(account, "HOJYOKAMOKU", "Count", "1");
    doc.AddTextNode(sub, "HOJYOKAMOKU_CODE", "", "", " ");

    EXPECT_EQ(doc.SaveToBytes(), Declaration +
                                     "<REPORT><SYSTEM><GYOUMUPREFIX>UG13</GYOUMUPREFIX></SYSTEM>"
                                     "<DATA><KANJYOKAMOKU Count=\"1\"><KANJYOKAMOKU_CODE>111</KANJYOKAMOKU_CODE>"
                                     "<KANJYOKAMOKU_ZANDAKA/>"
                                     "<HOJYOKAMOKU Count=\"1\"><HOJYOKAMOKU_CODE> </HOJYOKAMOKU_CODE></HOJYOKAMOKU>"
                                     "</KANJYOKAMOKU></DATA></REPORT>\n");
}

TEST(XmlSaveDocTest, StandaloneIsWrittenOnlyWhenGiven)
{
    TXmlSaveDoc doc("1.0", "yes", "Shift_JIS");
    doc.CreateRootNode("REPORT", "");
    EXPECT_EQ(doc.SaveToBytes().substr(0, 57), "<?xml version=\"1.0\" encoding=\"Shift_JIS\" standalone=\"yes\"");
}

struct TextCase {
    const char* label;
    std::string text;
};

void PrintTo(const TextCase& c, std::ostream* os)
{
    *os << c.label;
}

class XmlSaveDocTextTest : public testing::TestWithParam<TextCase> {};

// Every name goes into the file as its code page 932 bytes, escaped once,
// and an XML reader gets the same text back.
TEST_P(XmlSaveDocTextTest, StoresCp932BytesAndReadsBack)
{
    const std::string text = GetParam().text;
    const std::string bytes = SavedWithText(text);
    std::string escaped;
    for (const char c : text)
        escaped += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    const std::string expected = Declaration + "<REPORT><BASIC><KOMONSAKINAME>" + cp932::FromUtf8(escaped) +
                                 "</KOMONSAKINAME></BASIC></REPORT>\n";
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.find("&#"), std::string::npos);
    EXPECT_EQ(ReadBack(bytes, "KOMONSAKINAME"), text);
}

INSTANTIATE_TEST_SUITE_P(Names, XmlSaveDocTextTest,
                         testing::Values(TextCase{"ampersand", "A&B商事"}, TextCase{"markup", "<a>&\"'"},
                                         TextCase{"circled", "①支店"}, TextCase{"kabushiki", "㈱山田"},
                                         TextCase{"wave", "10～20"}, TextCase{"minus", "－5"},
                                         TextCase{"ibm_kanji", "髙橋"}, TextCase{"halfwidth_kana", "ｶﾌﾞｼｷ"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(XmlSaveDocTest, KnownCp932BytesOfTheExtendedCharacters)
{
    const std::string bytes = SavedWithText("①㈱～－髙ｱ");
    EXPECT_NE(bytes.find("\x87\x40\x87\x8A\x81\x60\x81\x7C\xFB\xFC\xB1"), std::string::npos);
}

TEST(XmlSaveDocTest, RefusesTextsThatWouldCorruptTheFile)
{
    TXmlSaveDoc doc("1.0", "", "Shift_JIS");
    TXmlNode root = doc.CreateRootNode("REPORT", "");
    // Not in code page 932, a control character, broken UTF-8, a bad name.
    EXPECT_THROW(doc.AddTextNode(root, "KOMONSAKINAME", "", "", "😀商事"), EXmlDocError);
    EXPECT_THROW(doc.AddTextNode(root, "KOMONSAKINAME", "", "", "A\x01"), EXmlDocError);
    EXPECT_THROW(doc.AddTextNode(root, "KOMONSAKINAME", "", "", "\xE3\x81"), EXmlDocError);
    EXPECT_THROW(doc.AddNode(root, "1BAD"), EXmlDocError);
    EXPECT_THROW(doc.AddNode(root, "A", "Count", "€"), EXmlDocError);
    EXPECT_THROW(doc.AddTextNode(nullptr, "X", "", "", "x"), EXmlDocError);
    EXPECT_THROW(doc.CreateRootNode("REPORT", ""), EXmlDocError);
    // Nothing of the refused calls reached the document.
    EXPECT_EQ(doc.SaveToBytes(), Declaration + "<REPORT/>\n");
}

TEST(XmlSaveDocTest, AddNodeWithoutRootFails)
{
    TXmlSaveDoc doc("1.0", "", "Shift_JIS");
    EXPECT_THROW(doc.AddNode(nullptr, "SYSTEM"), EXmlDocError);
}

TEST(XmlSaveDocTest, SaveReplacesTheFileAndAFailedSaveLeavesItAsItWas)
{
    TempDir dir;
    const fs::path file = dir.Path() / "ug.xml";
    {
        std::ofstream(file) << "old contents";
    }
    ::chmod(file.c_str(), 0640);
    TXmlSaveDoc doc("1.0", "", "Shift_JIS");
    doc.CreateRootNode("REPORT", "");
    doc.SaveToFile(file.string());
    EXPECT_EQ(ReadBytes(file), Declaration + "<REPORT/>\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0640));

    // A folder that does not exist, and one that cannot be written.
    EXPECT_THROW(doc.SaveToFile((dir.Path() / "missing" / "ug.xml").string()), EXmlDocError);
    const fs::path locked = dir.Path() / "locked";
    fs::create_directories(locked);
    {
        std::ofstream(locked / "ug.xml") << "kept";
    }
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    if (::access(locked.c_str(), W_OK) != 0) {  // root may write anyway
        EXPECT_THROW(doc.SaveToFile((locked / "ug.xml").string()), EXmlDocError);
        EXPECT_EQ(ReadBytes(locked / "ug.xml"), "kept");
    }
    fs::permissions(locked, fs::perms::owner_all);
    EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
}
