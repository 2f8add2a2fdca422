#include "app/wizard/CloudShareTransfer.h"

#include <utility>

namespace {

TCloudShareTransferFactory& Factory()
{
    static TCloudShareTransferFactory factory;
    return factory;
}

}  // namespace

TCloudShareTransferFactory SetCloudShareTransferFactory(TCloudShareTransferFactory factory)
{
    return std::exchange(Factory(), std::move(factory));
}

std::unique_ptr<ICloudShareTransfer> CreateCloudShareTransfer(QWidget* owner)
{
    return Factory() ? Factory()(owner) : nullptr;
}
