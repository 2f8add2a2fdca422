#pragma once
// The per-data information file behind the data module's interface: what
// opening with the in-use mark and closing with the information refresh
// read and write.

#include "foundation/DataModule.h"

class TDataInfomationAccess final : public IDataFolderState {
public:
    bool GetDataInfoRec(TDataInfomationRec& rec) override;
    void WriteDataInfo(const std::string& folder, const std::string& section, const TDataInfomationRec& rec) override;
};
