#include "platform/db/ParameterBlock.h"

#include "platform/db/FbError.h"

namespace db::detail {

ParameterBlock::ParameterBlock(Status& status, unsigned kind)
    : status_(status), builder_(Util()->getXpbBuilder(&status, kind, nullptr, 0))
{}

void ParameterBlock::Tag(unsigned char tag)
{
    builder_->insertTag(&status_, tag);
}

void ParameterBlock::String(unsigned char tag, std::string_view value)
{
    if (value.find('\0') != std::string_view::npos)
        throw FbError("a connection or service argument holds a NUL character");
    builder_->insertBytes(&status_, tag, value.data(), static_cast<unsigned>(value.size()));
}

void ParameterBlock::Int(unsigned char tag, int value)
{
    builder_->insertInt(&status_, tag, value);
}

unsigned ParameterBlock::Length()
{
    return builder_->getBufferLength(&status_);
}

const unsigned char* ParameterBlock::Buffer()
{
    return builder_->getBuffer(&status_);
}

}  // namespace db::detail
