#pragma once
// Carrying a backup file between this machine and the database server's own
// file system through the file-manager database (DM->IBFileMan, which the
// caller connects): the server reads or writes its file with SP_FILETOBLOB
// and SP_BLOBTOFILE, and the bytes travel in a FILETRANS row that lives only
// for the transfer, in IBTransFileMan (started and committed here when none
// is active).
//
// Both transfers throw on failure (db::FbError from the engine, the
// server's refusal included; std::runtime_error for a local file) and leave
// no FILETRANS row of a transfer that was committed.

#include <string>
#include <utility>

// The operator's file in the server's temporary folder, and the key of his
// FILETRANS row.
std::string FileManServerFile();
std::string FileManContentId();

// Creates the server's temporary folder when it is missing.
void EnsureServerTempFolder();

// Removes the server file when the scope ends (through the server in the
// server modes): the transferred backup is a copy of the company data, and
// it must not stay behind in a folder that every operator's transfer uses.
// Failures are ignored; nothing is reported.
class TServerFileRemoval final {
public:
    explicit TServerFileRemoval(std::string serverFile) : serverFile_(std::move(serverFile)) {}
    ~TServerFileRemoval();
    TServerFileRemoval(const TServerFileRemoval&) = delete;
    TServerFileRemoval& operator=(const TServerFileRemoval&) = delete;

private:
    std::string serverFile_;
};

// Copies the server file into localFile (replaced). False, with localFile
// untouched, when the server gives no content.
bool FetchFileFromServer(const std::string& serverFile, const std::string& contentId, const std::string& localFile);
// Copies localFile into the server file.
void SendFileToServer(const std::string& localFile, const std::string& serverFile, const std::string& contentId);
