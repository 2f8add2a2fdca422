#include "app/export/RendoFile.h"

#include "app/export/XmlSaveDoc.h"
#include "foundation/SystemFolders.h"

std::string RendoFilePath(const std::string& fileName)
{
    if (fileName.find('/') != std::string::npos)
        return fileName;
    return GetMyDocumentsDir() + "/" + fileName;
}

void WriteRendoFile(TComDataExport& exporter, const std::string& fileName)
{
    TXmlSaveDoc doc("1.0", "", "Shift_JIS");
    exporter.SetSystemNode(doc);
    exporter.SetBasicNode(doc);
    exporter.SetDataNode(doc);
    doc.SaveToFile(RendoFilePath(fileName));
}
