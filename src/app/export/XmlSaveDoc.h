#pragma once
// TXmlSaveDoc: the XML document the intermediate file is built in.
//
// The document lives in memory until SaveToFile writes it once: the
// declaration with the version, the encoding and (only when one was given)
// the standalone value, then the elements without any indentation. Texts and
// names are UTF-8 here; the file holds them in the document's encoding, and
// with "Shift_JIS" that is code page 932 (see ShiftJisEncoding.h). The
// serializer escapes "&", "<" and ">" in texts once, so a reader gets back
// exactly the text that was added.
//
// Nodes are handed out as plain pointers owned by the document; they stay
// valid while the document lives.
//
// Failures raise EXmlDocError and change nothing: a name that is not an XML
// name, a text or value that is not UTF-8, holds a control character XML
// cannot carry, or (with "Shift_JIS") holds a character code page 932
// cannot hold; a missing parent; a second root; a save that cannot be done.
// Such a text would otherwise reach the file as a character reference, a
// "?" or a document that no reader accepts.
//
// Saving never leaves a half-written file: the bytes go to a temporary file
// in the target's folder that is renamed over the target, so a failed save
// leaves a file of that name as it was.

#include <stdexcept>
#include <string>

struct _xmlDoc;
struct _xmlNode;

using TXmlNode = _xmlNode*;

class EXmlDocError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TXmlSaveDoc final {
public:
    // An empty standalone value writes none. Throws EXmlDocError for an
    // encoding this system cannot write.
    TXmlSaveDoc(const std::string& version, const std::string& standalone, const std::string& encoding);
    ~TXmlSaveDoc();
    TXmlSaveDoc(const TXmlSaveDoc&) = delete;
    TXmlSaveDoc& operator=(const TXmlSaveDoc&) = delete;

    // Makes the element the document element (namespace empty: none).
    TXmlNode CreateRootNode(const std::string& name, const std::string& nameSpace);
    // An element under parent, or under the document element when parent is
    // null; with an attribute when attrName is not empty.
    TXmlNode AddNode(TXmlNode parent, const std::string& name, const std::string& attrName = "",
                     const std::string& attrValue = "");
    // An element with the text as its content under parent (which must be
    // given); with an attribute when attrName is not empty.
    TXmlNode AddTextNode(TXmlNode parent, const std::string& name, const std::string& attrName,
                         const std::string& attrValue, const std::string& text);

    // The whole file as it would be saved.
    std::string SaveToBytes() const;
    // Writes SaveToBytes() to the file, replacing it in one step.
    void SaveToFile(const std::string& fileName) const;

private:
    void CheckText(const std::string& text, const std::string& what) const;
    TXmlNode NewElement(TXmlNode parent, const std::string& name, const std::string& attrName,
                        const std::string& attrValue, const std::string* text);

    _xmlDoc* doc_ = nullptr;
    std::string encoding_;
    bool cp932_ = false;
};
