#include "dataselect/ShareDataInfo.h"

#include "foundation/UserMessage.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

TShareDataInfoFactory& Factory()
{
    static TShareDataInfoFactory factory;
    return factory;
}

TShareStatusBoxHook& StatusBoxHook()
{
    static TShareStatusBoxHook hook;
    return hook;
}

}  // namespace

TShareDataInfoFactory SetShareDataInfoFactory(TShareDataInfoFactory factory)
{
    return std::exchange(Factory(), std::move(factory));
}

std::unique_ptr<IShareDataInfo> CreateShareDataInfo(std::uint8_t listMode)
{
    if (!Factory())
        throw std::runtime_error("共有データの情報ファイルを扱う機能が組み込まれていません。");
    std::unique_ptr<IShareDataInfo> info = Factory()(listMode);
    if (!info)
        throw std::runtime_error("共有データの情報ファイルを扱う機能が組み込まれていません。");
    return info;
}

TShareStatusBoxHook SetShareStatusBoxHook(TShareStatusBoxHook hook)
{
    return std::exchange(StatusBoxHook(), std::move(hook));
}

void ShowShareStatusBox(const std::string& text, const std::vector<std::string>& lines)
{
    if (StatusBoxHook()) {
        StatusBoxHook()(text, lines);
        return;
    }
    TUserMessage message;
    message.Caption = "選択データの状態";
    message.Type = TMsgDlgType::mtError;
    message.Text = text;
    for (const std::string& line : lines)
        message.Text += "\r" + line;
    ShowUserMessage(message);
}
