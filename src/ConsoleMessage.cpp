#include "ConsoleMessage.hpp"

#include "System/CLrcReader.hpp"

#include <boost/locale/encoding_utf.hpp>

#include <iostream>

namespace Orvane {

namespace {

const wchar_t* BuiltInText(std::uint32_t id)
{
    switch (id) {
    case ConsoleMessage::LoadFailure:
        return L"設定の読み込みに失敗しました。";
    case ConsoleMessage::SaveFailure:
        return L"設定の保存に失敗しました。";
    case ConsoleMessage::InitFailure:
        return L"アプリケーションの初期化に失敗しました。";
    default:
        return L"";
    }
}

} // namespace

std::string ConsoleMessage::GetText(std::uint32_t id)
{
    const std::optional<std::wstring> translated = System::CLrcReader::Instance().GetString(id);
    return boost::locale::conv::utf_to_utf<char>(translated ? *translated : std::wstring(BuiltInText(id)));
}

void ConsoleMessage::Show(std::uint32_t id, const std::string& detail)
{
    std::cerr << GetText(id) << '\n';
    if (!detail.empty())
        std::cerr << detail << '\n';
    std::cerr.flush();
}

} // namespace Orvane
