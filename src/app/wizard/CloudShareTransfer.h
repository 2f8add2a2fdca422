#pragma once
// The wizard's face of data communication for the cloud-share area of a
// data set: fetching the newer copy before the data is used and sending it
// back afterwards. Data communication installs the factory; each answer is
// 0 to go on and 1 to 9 to stop.
//
// Without an installed factory this program has no data communication, and
// the wizard treats every data set as one without a cloud-share area.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWidget;

class ICloudShareTransfer {
public:
    virtual ~ICloudShareTransfer() = default;
    virtual std::int32_t ReceiveCloudShareData(const std::string& folder, std::int32_t automatic,
                                               std::int32_t reserved) = 0;
    virtual std::int32_t SendCloudShareData(const std::string& folder, const std::string& text,
                                            std::int32_t automatic) = 0;
};

// Makes the communication object owned by the form.
using TCloudShareTransferFactory = std::function<std::unique_ptr<ICloudShareTransfer>(QWidget* owner)>;

// Installs the factory (empty removes it); returns the one installed before.
TCloudShareTransferFactory SetCloudShareTransferFactory(TCloudShareTransferFactory factory);
// A new communication object; nullptr when none is installed.
std::unique_ptr<ICloudShareTransfer> CreateCloudShareTransfer(QWidget* owner);
