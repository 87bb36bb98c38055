#include "Utility/StringTable.hpp"

#include "Utility/StringId.hpp"

#include <algorithm>
#include <iterator>

namespace Orvane::Utility {

namespace {

struct Text
{
    std::uint32_t id;
    const wchar_t* text;
};

namespace Id = StringId;

const Text Table[] = {
    // Wizard
    {Id::WizardTitle, L"監視ユーザー追加ウィザード"},
    {Id::CommitGuide, L"監視ユーザーの追加を確定します。"},
    {Id::UserInputGuide, L"ユーザーのアカウントIDとパスワードを入力してください。"},
    {Id::AccountID, L"アカウントID"},
    {Id::Password, L"パスワード"},
    {Id::MachineSelectGuide, L"機器を選択してください。"},
    {Id::UserSelectGuide, L"ユーザーを選択してください。"},
    {Id::SelectEventItems, L"監視イベント項目の選択を行う。(&S)"},
    {Id::DuplicateDevice, L"同じ機器のユーザーは１人しか登録できません。 ウィザードを終了しますか？"},
    {Id::EntryLimit, L"これ以上ユーザーを追加できません。"},
    {Id::NoUsers, L"機器にユーザーが登録されていません。\nQuexhallにログインして、ユーザーを登録してください。"},
    // Column widths
    {Id::EntryManagerColumnWidths, L"275,100,170,80"},
    {Id::ViewerEntryColumnWidths, L"36,140,70"},
    {Id::WizardUserColumnWidths, L"50,410"},
    {Id::ViewerEventColumnWidths, L"36,180,150,285"},
    // Messages
    {Id::LoadFailure, L"設定の読み込みに失敗しました。"},
    {Id::Confirm, L"本当によろしいですか？"},
    {Id::SaveFailure, L"設定の保存に失敗しました。"},
    {Id::InitFailure, L"アプリケーションの初期化に失敗しました。"},
    {Id::DocumentSaveFailure, L"保存に失敗しました。"},
    {Id::QuexhallAccessFailure, L"Quexhallのデータにアクセスできません。"},
    {Id::CommunicationError, L"通信エラーが発生しました。"},
    {Id::ConfirmDocumentDelete, L"文書を削除しますか？"},
    {Id::NoDeleteAuthority, L"削除する権限がありません。"},
    {Id::DocumentDeleted, L"すでに文書が削除されています。"},
    {Id::ViewerOpenFailure, L"既定のビューワーを開くのに失敗しました。"},
    {Id::BrowserOpenFailure, L"WEBブラウザーを開くのに失敗しました。"},
    // Labels and column headers
    {Id::MachineName, L"機器名称"},
    {Id::UserName, L"ユーザー名"},
    {Id::EventName, L"イベント名"},
    {Id::RelatedInfo, L"関連情報"},
    {Id::DateTime, L"日時"},
    {Id::Host, L"IPアドレスまたはホスト名"},
    {Id::HTTPPort, L"HTTPポート番号"},
    {Id::HTTPSPort, L"HTTPSポート番号"},
    {Id::Number, L"No."},
    {Id::Status, L"状態"},
    {Id::NoticeSetting, L"通知設定"},
    {Id::NoticeOn, L"○"},
    {Id::NoticeOff, L"×"},
    {Id::StatusMonitoring, L"監視中"},
    {Id::StatusError, L"エラー"},
    {Id::StatusNotMonitored, L"監視しない"},
    {Id::LogMax, L"最大履歴件数"},
    {Id::Maximum, L"最大"},
    {Id::Interval, L"監視間隔"},
    {Id::Minutes, L"分"},
    {Id::Seconds, L"秒"},
    {Id::EraseTime, L"イベントポップアップ消去までの時間"},
    {Id::EraseTimeZero, L"(0の場合消去しない)"},
    {Id::EventCount, L"イベント件数"},
    {Id::CountUnit, L"件"},
    // Window titles and tabs
    {Id::EventDlgTitle, L"イベント閲覧"},
    {Id::EntryManagerTitle, L"監視ユーザー設定"},
    {Id::EntryConfigTitle, L"監視ユーザー詳細設定"},
    {Id::EventLogTitle, L"イベント履歴"},
    {Id::AboutTitle, L"バージョン情報"},
    {Id::MachineTab, L"監視機器"},
    {Id::UserTab, L"ユーザー"},
    {Id::SettingTab, L"設定"},
    {Id::ApplicationTitle, L"Orvane"},
    // Tray menu
    {Id::MenuLogin, L"ログイン"},
    {Id::MenuExit, L"終了(&E)"},
    {Id::MenuAbout, L"バージョン情報(&A)..."},
    {Id::MenuEventLog, L"イベント履歴(&L)..."},
    {Id::MenuSettings, L"設定(&S)..."},
    // Buttons and check boxes
    {Id::MachineSelect, L"機器選択(&C)..."},
    {Id::ManualMachine, L"手動で機器を指定する。(&E)"},
    {Id::EnableNotice, L"イベントを通知する。(&N)"},
    {Id::Preview, L"プレビュー(&V)"},
    {Id::Print, L"印刷(&P)"},
    {Id::Save, L"保存(&S)"},
    {Id::Refresh, L"更新(&R)"},
    {Id::Add, L"追加(&A)..."},
    {Id::SelectNoticeItems, L"通知イベント項目選択(&N)..."},
    {Id::Detail, L"詳細設定(&D)..."},
    {Id::Remove, L"削除(&R)"},
    {Id::SwitchMonitoring, L"監視切り換え(&S)"},
    {Id::Close, L"閉じる(&C)"},
    {Id::UseSSL, L"SSLを使用する。(&U)"},
    {Id::Login, L"ログイン(&W)"},
    {Id::MarkAllRead, L"すべて確認済み(&V)"},
    {Id::ReadOnAction, L"プレビュー、印刷、保存をしたときに文書を既読する。(&R)"},
    {Id::ConfirmDelete, L"文書を削除する場合に確認メッセージを表示する。(&N)"},
    {Id::Delete, L"削除(&D)"},
    {Id::ParseInteger, L"Please enter an integer."},
    // Linux desktop
    {Id::RunningInBackground, L"Orvane はバックグラウンドで監視を続けます。\nもう一度 Orvane を起動すると、イベント履歴が開きます。"},
    {Id::OK, L"OK"},
    {Id::Cancel, L"キャンセル"},
    {Id::WizardBack, L"< 戻る(&B)"},
    {Id::WizardNext, L"次へ(&N) >"},
    {Id::WizardFinish, L"完了"},
    {Id::SubscriptionWait, L"機器に監視を登録しています..."},
    {Id::DeviceSearchTitle, L"機器の検索"},
    {Id::SearchNow, L"今すぐ検索(&S)"},
    {Id::Searching, L"ネットワーク上の機器を検索しています..."},
    {Id::SearchFound, L"%1台の機器が見つかりました。"},
    {Id::Certificate, L"信頼している証明書"},
    {Id::NoCertificate, L"(記録なし)"},
    {Id::ForgetCertificate, L"証明書を破棄(&F)"},
    {Id::CertificateAuthority, L"認証局による検証"},
};

} // namespace

const wchar_t* StringTable::Find(std::uint32_t id)
{
    const auto found = std::find_if(std::begin(Table), std::end(Table), [id](const Text& t) { return t.id == id; });
    return found == std::end(Table) ? nullptr : found->text;
}

} // namespace Orvane::Utility
