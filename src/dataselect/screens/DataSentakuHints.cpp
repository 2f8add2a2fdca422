#include "dataselect/screens/DataSentakuHints.h"

namespace {

#define CHOOSE_LINE "［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で選択します。"

constexpr const char* Mode0Choose = CHOOSE_LINE
    "|" CHOOSE_LINE
    "\r\n空白行は選択できません。［F3］で新規にﾃﾞｰﾀを作成するか、又は［F7］で作成済みのﾃﾞｰﾀを復元してください。\r\n"
    "選択ﾃﾞｰﾀを削除する場合は［F5］、ﾌﾗｯｼｭﾒﾓﾘなどのﾒﾃﾞｨｱに保存する場合は［F6］を押します。\r\n"
    "共有ﾃﾞｰﾀを処理する場合は［共有取得］、取得した共有ﾃﾞｰﾀを他のｵﾍﾟﾚｰﾀが使えるようにする場合は［共有保管］をｸﾘｯｸします。";
constexpr const char* Mode0Empty = CHOOSE_LINE
    "|" CHOOSE_LINE
    "\r\n［F7］で作成済みのﾃﾞｰﾀを復元してください。\r\n"
    "選択ﾃﾞｰﾀを削除する場合は［F5］、ﾌﾗｯｼｭﾒﾓﾘなどのﾒﾃﾞｨｱに保存する場合は［F6］を押します。\r\n"
    "共有ﾃﾞｰﾀを処理する場合は［共有取得］、取得した共有ﾃﾞｰﾀを他のｵﾍﾟﾚｰﾀが使えるようにする場合は［共有保管］をｸﾘｯｸします。";
constexpr const char* Mode1Choose = CHOOSE_LINE "|" CHOOSE_LINE "\r\n空白行は選択できません。";
constexpr const char* Mode1Empty = CHOOSE_LINE "|" CHOOSE_LINE "\r\n";
constexpr const char* Mode2Choose = CHOOSE_LINE
    "|" CHOOSE_LINE
    "\r\n空白行は選択できません。［F3］で新規にﾃﾞｰﾀを作成するか、又は［F7］で作成済みのﾃﾞｰﾀを復元してください。\r\n"
    "選択ﾃﾞｰﾀを削除する場合は［F5］を、ﾌﾗｯｼｭﾒﾓﾘなどのﾒﾃﾞｨｱに保存する場合は［F6］を押します。";
constexpr const char* Mode2Empty =
    CHOOSE_LINE "|" CHOOSE_LINE
                "\r\n［F7］で作成済みのﾃﾞｰﾀを復元してください。\r\n"
                "選択ﾃﾞｰﾀを削除する場合は［F5］を、ﾌﾗｯｼｭﾒﾓﾘなどのﾒﾃﾞｨｱに保存する場合は［F6］を押します。";
constexpr const char* Kind4 = CHOOSE_LINE "|［ENTER］又はﾀﾞﾌﾞﾙｸﾘｯｸ又は［F12］で空いている行を選択します。\r\n";

#undef CHOOSE_LINE

}  // namespace

const TDataSentakuControlHint DataSentakuControlHints[9] = {
    {"cboxKyoyuDataAuto",
     "ﾁｪｯｸを入れると取得・保管ﾎﾞﾀﾝを使わずに共有ﾃﾞｰﾀを処理できます。空白行に共有ﾃﾞｰﾀを割り当てる場合やLANから切り離して"
     "ﾃﾞｰﾀ持ち出す場合はﾁｪｯｸを外してください。|"},
    {"btnKyoyuDataUp", "選択した共有ﾃﾞｰﾀを他のPCで使用可能にします。保管を行うと［共有］欄にｱｲｺﾝが付きます。|"},
    {"btnKyoyuDataDown",
     "空白行を選択してｸﾘｯｸすると［共有ﾃﾞｰﾀの選択］画面が開きます。共有ﾃﾞｰﾀ行を選択してｸﾘｯｸすると選択可能になります。"
     "（［共有］欄のｱｲｺﾝが外れます。）|"},
    {"btnSearchCancel", "検索状態を解除します。|"},
    {"btnSearch", "［検索条件の設定］画面を開きます。一定条件に該当するﾃﾞｰﾀを抽出表示する場合に使用します。|"},
    {"btnDataInfo",
     "「ﾃﾞｰﾀの詳細情報」画面を開きます。入力済み仕訳件数や部門・本支店の設定状況など、選択ﾃﾞｰﾀの基本情報を表示します。|"
     "「ﾃﾞｰﾀの詳細情報」画面を開きます。入力済み仕訳件数や部門・本支店の設定状況など、選択ﾃﾞｰﾀの基本情報を表示します。"
     "\r\nﾃﾞｰﾀ選択画面におけるﾃﾞｰﾀの表示名を変更することも可能です。"},
    {"btnListUpdate",
     "ﾃﾞｰﾀﾘｽﾄを更新します。［F5：ﾃﾞｰﾀ削除］や［F7：復元］などの機能を使わずに移行したﾃﾞｰﾀを再表示します。|"
     "ﾃﾞｰﾀﾘｽﾄを更新します。入力済み仕訳件数や部門・本支店の設定状況など、選択ﾃﾞｰﾀの基本情報を表示します。\r\n"
     "ﾃﾞｰﾀ選択画面におけるﾃﾞｰﾀの表示名を変更することも可能です。"},
    {"cmbDataMan",
     "データの場所を選択します。|データの場所をドロップダウンリストより選択します。選択された場所のデータリストが表示されます。"},
    {"btnDataMan", "データの場所を設定します。|データの場所を設定する画面が開きます。"},
};

const char* DataSentakuGridHint(std::uint8_t connectionMode, std::uint8_t syoriType)
{
    if (syoriType == 4)
        return Kind4;
    if (syoriType == 5)
        return nullptr;
    const bool empty = syoriType == 2;
    switch (connectionMode) {
    case 1:
        return empty ? Mode1Empty : Mode1Choose;
    case 2:
        return empty ? Mode2Empty : Mode2Choose;
    default:
        return empty ? Mode0Empty : Mode0Choose;
    }
}
