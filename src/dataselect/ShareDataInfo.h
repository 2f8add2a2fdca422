#pragma once
// What taking and storing shared data needs of a data folder's information
// file: reading a folder's state and summary, copying a data set between a
// share area and its local folder (which moves the share mark), and setting
// the share mark back.
//
// The per-data information object of the foundation answers these; the
// start-up installs a factory that hands one out for the store's list mode.
// The store never keeps the object beyond one take or store.

#include "foundation/DataInfomationRec.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class IShareDataInfo {
public:
    virtual ~IShareDataInfo() = default;

    // The folder's state and summary into rec; false when the folder has no
    // readable information (an unreachable share, a deleted area).
    virtual bool ReadDataIni(const std::string& folder, TDataInfomationRec& rec) = 0;
    // Copies the share area's data files into the local folder: 1 taken (the
    // area carries this operator's take-out mark), -1 refused (damaged, or
    // already taken; the files of a taken area are copied for reading all
    // the same), 0 failed. With silent other than 1 a failure is raised as
    // an exception carrying its message.
    virtual std::int32_t GetShareFiles(const std::string& share, const std::string& local, std::int32_t silent) = 0;
    // Copies the local folder's data files back into the share area: 1
    // stored (the mark is cleared), -1 refused, 0 failed (the mark stays).
    virtual std::int32_t PutShareFiles(const std::string& share, const std::string& local, std::int32_t silent) = 0;
    // Writes the folder's share mark (1 free, 2 taken by this operator).
    virtual void SetShareStatus(const std::string& folder, std::uint8_t status) = 0;
    // The information record read last (by ReadDataIni or inside a copy).
    virtual const TDataInfomationRec& Record() const = 0;
};

// Makes the information object for a list mode (0 stand-alone, 1
// client/server, 2 server-based).
using TShareDataInfoFactory = std::function<std::unique_ptr<IShareDataInfo>(std::uint8_t listMode)>;

// Installs the factory (empty removes it); returns the one installed before.
TShareDataInfoFactory SetShareDataInfoFactory(TShareDataInfoFactory factory);

// A new information object; throws std::runtime_error when no factory is
// installed, so a take or store without one fails loudly instead of
// pretending the area is unreachable.
std::unique_ptr<IShareDataInfo> CreateShareDataInfo(std::uint8_t listMode);

// Shows a message about the state of the chosen data: a headline (its line
// breaks "\r") and the memo lines below it, in the box captioned
// "選択データの状態". The screens install one; without it the message goes
// through the ordinary message presenter.
using TShareStatusBoxHook = std::function<void(const std::string& text, const std::vector<std::string>& lines)>;
TShareStatusBoxHook SetShareStatusBoxHook(TShareStatusBoxHook hook);
void ShowShareStatusBox(const std::string& text, const std::vector<std::string>& lines);
