#include "foundation/AccInfoLoader.h"

#include <utility>

namespace {

TAccInfoLoader& Loader()
{
    static TAccInfoLoader loader;
    return loader;
}

}  // namespace

void SetAccInfoLoader(TAccInfoLoader loader)
{
    Loader() = std::move(loader);
}

bool ReloadAccInfo()
{
    return Loader() ? Loader()() : false;
}
