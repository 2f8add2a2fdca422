#pragma once
// Reads the accounts of a written intermediate file back with an XML
// reader, for comparing them with what the test expects.

#include "app/export/ShiftJisEncoding.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace exporttest {

struct KamokuElement {
    std::string count;
    std::string code;
    std::string name;
    std::string zandaka;
    std::vector<KamokuElement> subs;
    bool operator==(const KamokuElement&) const = default;
};

inline void PrintTo(const KamokuElement& e, std::ostream* os)
{
    *os << "#" << e.count << " [" << e.code << "] " << e.name << " = \"" << e.zandaka << "\"";
    for (const auto& s : e.subs)
        *os << "\n      sub #" << s.count << " [" << s.code << "] " << s.name << " = \"" << s.zandaka << "\"";
}

struct ExportFileContents {
    std::string companyName;
    std::vector<std::string> parts;  // the children of REPORT
    std::vector<KamokuElement> accounts;
};

namespace detail {

inline std::string Text(xmlNodePtr node)
{
    xmlChar* c = xmlNodeGetContent(node);
    std::string text = c ? reinterpret_cast<const char*>(c) : "";
    xmlFree(c);
    return text;
}

inline std::string Name(xmlNodePtr node)
{
    return reinterpret_cast<const char*>(node->name);
}

inline KamokuElement ReadKamoku(xmlNodePtr node, const std::string& prefix)
{
    KamokuElement e;
    xmlChar* count = xmlGetProp(node, reinterpret_cast<const xmlChar*>("Count"));
    e.count = count ? reinterpret_cast<const char*>(count) : "<none>";
    xmlFree(count);
    for (xmlNodePtr c = node->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE)
            continue;
        if (Name(c) == prefix + "_CODE")
            e.code = Text(c);
        else if (Name(c) == prefix + "_NAME")
            e.name = Text(c);
        else if (Name(c) == prefix + "_ZANDAKA")
            e.zandaka = Text(c);
        else if (Name(c) == "HOJYOKAMOKU")
            e.subs.push_back(ReadKamoku(c, "HOJYOKAMOKU"));
        else
            throw std::runtime_error("unexpected element " + Name(c));
    }
    return e;
}

}  // namespace detail

inline ExportFileContents ReadExportFile(const std::string& file)
{
    xmlexport::RegisterShiftJisEncoding();
    xmlDocPtr doc = xmlReadFile(file.c_str(), nullptr, XML_PARSE_NONET);
    if (doc == nullptr)
        throw std::runtime_error("not readable as XML: " + file);
    ExportFileContents contents;
    for (xmlNodePtr part = xmlDocGetRootElement(doc)->children; part; part = part->next) {
        if (part->type != XML_ELEMENT_NODE)
            continue;
        contents.parts.push_back(detail::Name(part));
        for (xmlNodePtr c = part->children; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE)
                continue;
            if (detail::Name(c) == "KOMONSAKINAME")
                contents.companyName = detail::Text(c);
            if (detail::Name(c) == "KANJYOKAMOKU")
                contents.accounts.push_back(detail::ReadKamoku(c, "KANJYOKAMOKU"));
        }
    }
    xmlFreeDoc(doc);
    return contents;
}

}  // namespace exporttest
