#include "app/export/XmlSaveDoc.h"

#include "app/export/ShiftJisEncoding.h"
#include "platform/AsciiText.h"
#include "platform/Cp932.h"
#include "platform/FileReplace.h"

#include <libxml/encoding.h>
#include <libxml/tree.h>
#include <libxml/xmlsave.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>

namespace {

const xmlChar* X(const std::string& s)
{
    return reinterpret_cast<const xmlChar*>(s.c_str());
}

// Letters, digits, "_", "-", "." and ":", not starting with a digit, "-" or
// ".": the names this file uses are plain ASCII words, and anything else
// would make a document no reader accepts.
bool IsPlainXmlName(const std::string& name)
{
    if (name.empty())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':';
        const bool other = (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!letter && !(other && i > 0))
            return false;
    }
    return true;
}

}  // namespace

TXmlSaveDoc::TXmlSaveDoc(const std::string& version, const std::string& standalone, const std::string& encoding)
    : encoding_(encoding)
{
    xmlexport::RegisterShiftJisEncoding();
    cp932_ = ascii::SameText(encoding, "Shift_JIS");
    if (!encoding.empty()) {
        xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(encoding.c_str());
        if (handler == nullptr)
            throw EXmlDocError("XML document: the encoding " + encoding + " cannot be written");
        xmlCharEncCloseFunc(handler);
    }
    if (!standalone.empty() && standalone != "yes" && standalone != "no")
        throw EXmlDocError("XML document: the standalone value must be yes or no, not " + standalone);
    doc_ = xmlNewDoc(X(version));
    if (doc_ == nullptr)
        throw EXmlDocError("XML document: out of memory");
    doc_->standalone = standalone.empty() ? -1 : (standalone == "yes" ? 1 : 0);
    if (!encoding.empty())
        doc_->encoding = xmlStrdup(X(encoding));
}

TXmlSaveDoc::~TXmlSaveDoc()
{
    xmlFreeDoc(doc_);
}

void TXmlSaveDoc::CheckText(const std::string& text, const std::string& what) const
{
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r')
            throw EXmlDocError("XML document: " + what + " holds a control character XML cannot carry");
    }
    if (xmlCheckUTF8(X(text)) == 0)
        throw EXmlDocError("XML document: " + what + " is not valid UTF-8");
    if (cp932_ && !cp932::IsRepresentable(text))
        throw EXmlDocError("XML document: " + what + " \"" + text +
                           "\" holds a character Shift-JIS (CP932) cannot hold");
}

TXmlNode TXmlSaveDoc::NewElement(TXmlNode parent, const std::string& name, const std::string& attrName,
                                 const std::string& attrValue, const std::string* text)
{
    if (!IsPlainXmlName(name))
        throw EXmlDocError("XML document: \"" + name + "\" is not an element name");
    if (!attrName.empty()) {
        if (!IsPlainXmlName(attrName))
            throw EXmlDocError("XML document: \"" + attrName + "\" is not an attribute name");
        CheckText(attrValue, "the attribute " + attrName + " of " + name);
    }
    if (text != nullptr)
        CheckText(*text, "the text of " + name);

    // xmlNewTextChild takes the content as plain text: the serializer
    // escapes it once. An empty text gives an empty element.
    const xmlChar* content = text == nullptr || text->empty() ? nullptr : X(*text);
    TXmlNode node = xmlNewTextChild(parent, nullptr, X(name), content);
    if (node == nullptr)
        throw EXmlDocError("XML document: cannot add " + name);
    if (!attrName.empty() && xmlNewProp(node, X(attrName), X(attrValue)) == nullptr)
        throw EXmlDocError("XML document: cannot set the attribute " + attrName + " of " + name);
    return node;
}

TXmlNode TXmlSaveDoc::CreateRootNode(const std::string& name, const std::string& nameSpace)
{
    if (xmlDocGetRootElement(doc_) != nullptr)
        throw EXmlDocError("XML document: the document element exists already");
    if (!IsPlainXmlName(name))
        throw EXmlDocError("XML document: \"" + name + "\" is not an element name");
    TXmlNode root = xmlNewDocNode(doc_, nullptr, X(name), nullptr);
    if (root == nullptr)
        throw EXmlDocError("XML document: cannot add " + name);
    xmlDocSetRootElement(doc_, root);
    if (!nameSpace.empty()) {
        CheckText(nameSpace, "the namespace of " + name);
        xmlSetNs(root, xmlNewNs(root, X(nameSpace), nullptr));
    }
    return root;
}

TXmlNode TXmlSaveDoc::AddNode(TXmlNode parent, const std::string& name, const std::string& attrName,
                              const std::string& attrValue)
{
    if (parent == nullptr)
        parent = xmlDocGetRootElement(doc_);
    if (parent == nullptr)
        throw EXmlDocError("XML document: " + name + " needs a document element to go under");
    return NewElement(parent, name, attrName, attrValue, nullptr);
}

TXmlNode TXmlSaveDoc::AddTextNode(TXmlNode parent, const std::string& name, const std::string& attrName,
                                  const std::string& attrValue, const std::string& text)
{
    if (parent == nullptr)
        throw EXmlDocError("XML document: " + name + " needs a parent element");
    return NewElement(parent, name, attrName, attrValue, &text);
}

std::string TXmlSaveDoc::SaveToBytes() const
{
    std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), &xmlBufferFree);
    if (!buffer)
        throw EXmlDocError("XML document: out of memory");
    xmlexport::TakeShiftJisEncodingFailure();
    xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer.get(), encoding_.empty() ? nullptr : encoding_.c_str(), 0);
    if (save == nullptr)
        throw EXmlDocError("XML document: cannot be written in " + encoding_);
    const long written = xmlSaveDoc(save, doc_);
    const int closed = xmlSaveClose(save);
    if (xmlexport::TakeShiftJisEncodingFailure())
        throw EXmlDocError("XML document: a text holds a character Shift-JIS (CP932) cannot hold");
    if (written < 0 || closed < 0)
        throw EXmlDocError("XML document: cannot be written");
    return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                       static_cast<std::size_t>(xmlBufferLength(buffer.get())));
}

void TXmlSaveDoc::SaveToFile(const std::string& fileName) const
{
    const std::string bytes = SaveToBytes();
    // An existing file keeps its permission bits; a new one gets the usual.
    struct stat st {};
    const mode_t mode = ::stat(fileName.c_str(), &st) == 0 ? (st.st_mode & 07777) : platform::NewFileMode();
    try {
        platform::ReplaceFileContents(fileName, bytes, mode);
    } catch (const std::system_error& e) {
        throw EXmlDocError("XML document " + fileName + ": " + e.what());
    }
}
