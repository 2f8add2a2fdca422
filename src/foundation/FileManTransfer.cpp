#include "foundation/FileManTransfer.h"

#include "foundation/DataModule.h"
#include "foundation/InstallationNames.h"
#include "foundation/ProgramGlobals.h"
#include "foundation/SystemDef.h"
#include "platform/db/JoinedTransaction.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

db::Query FileManQuery(const std::string& sql)
{
    return db::Query(DM->IBFileMan, DM->IBTransFileMan, sql);
}

void DeleteContent(const std::string& contentId)
{
    db::Query remove = FileManQuery("DELETE FROM FILETRANS WHERE CONTENT_ID=:CONTENT_ID");
    remove.ParamByName("CONTENT_ID").SetString(contentId);
    remove.ExecSQL();
}

}  // namespace

std::string FileManServerFile()
{
    return SystemDef.ServerTempDir + "/" +
           fs::path(BackupWorkFileName).replace_extension("." + std::to_string(SystemDef.OPCODE)).string();
}

std::string FileManContentId()
{
    return "QHZ_" + std::to_string(SystemDef.OPCODE);
}

void EnsureServerTempFolder()
{
    std::error_code ec;
    if (!fs::is_directory(SystemDef.ServerTempDir, ec))
        fs::create_directories(SystemDef.ServerTempDir, ec);
}

TServerFileRemoval::~TServerFileRemoval()
{
    try {
        if (DM && DM->ServerFileExists(serverFile_, ConnectionMode))
            DM->ServerFileDelete(serverFile_, ConnectionMode, false);
    } catch (const std::exception&) {
        // Left for the next transfer of the operator, which replaces it.
    }
}

bool FetchFileFromServer(const std::string& serverFile, const std::string& contentId, const std::string& localFile)
{
    db::JoinedTransaction joined(DM->IBTransFileMan);
    DeleteContent(contentId);
    // The file name goes as a parameter: a quote in the server's folder
    // must not break the statement.
    db::Query insert =
        FileManQuery("INSERT INTO FILETRANS(CONTENT_ID,CONTENT) VALUES(:CONTENT_ID,SP_FILETOBLOB(:FILENAME))");
    insert.ParamByName("CONTENT_ID").SetString(contentId);
    insert.ParamByName("FILENAME").SetString(serverFile);
    insert.ExecSQL();
    db::Query read = FileManQuery("SELECT CONTENT_ID,CONTENT FROM FILETRANS WHERE CONTENT_ID=:CONTENT_ID");
    read.ParamByName("CONTENT_ID").SetString(contentId);
    read.Open();
    bool fetched = false;
    if (!read.Eof()) {
        const std::string content = read.FieldByName("CONTENT").AsBlob();
        fetched = !content.empty();
        if (fetched) {
            std::ofstream out(localFile, std::ios::binary | std::ios::trunc);
            out.write(content.data(), static_cast<std::streamsize>(content.size()));
            out.flush();
            if (!out)
                throw std::runtime_error("cannot write " + localFile);
        }
    }
    read.Close();
    DeleteContent(contentId);
    joined.Commit();
    return fetched;
}

void SendFileToServer(const std::string& localFile, const std::string& serverFile, const std::string& contentId)
{
    std::ifstream in(localFile, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + localFile);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    db::JoinedTransaction joined(DM->IBTransFileMan);
    DeleteContent(contentId);
    db::Query insert = FileManQuery("INSERT INTO FILETRANS(CONTENT_ID,CONTENT) VALUES(:CONTENT_ID,:CONTENT)");
    insert.ParamByName("CONTENT_ID").SetString(contentId);
    insert.ParamByName("CONTENT").SetBlob(content);
    insert.ExecSQL();
    db::Query write = FileManQuery(
        "SELECT CONTENT_ID,SP_BLOBTOFILE(:FILENAME, CONTENT) AS CONTENT FROM FILETRANS WHERE CONTENT_ID=:CONTENT_ID");
    write.ParamByName("FILENAME").SetString(serverFile);
    write.ParamByName("CONTENT_ID").SetString(contentId);
    write.Open();
    write.Close();
    DeleteContent(contentId);
    joined.Commit();
}
