#include "CommandService.hpp"

#include "DeviceRequest.hpp"
#include "DeviceState.hpp"
#include "FeedWriter.hpp"
#include "LoopbackAddress.hpp"
#include "XmlAnswer.hpp"
#include "XmlRequest.hpp"

#include <map>

namespace OrvaneDevSim {

namespace {

// Page name (the operation) and the COMMAND text it expects.
const std::map<std::string, std::string> commands = {
    {"GetMachineSettings", "GETMACHINESETTINGS"},
    {"GetUserList", "GETUSERLIST"},
    {"GetUserInfo", "GETUSERINFO"},
    {"SubscribeToFeed", "SUBSCRIBETOFEED"},
    {"UnSubscribeToFeed", "UNSUBSCRIBETOFEED"},
};

DeviceReply failure(const std::string& result)
{
    return XmlAnswer(result).reply();
}

bool parsePort(const std::string& text, int& port)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::stoi(text);
    return port > 0 && port <= 65535;
}

} // namespace

CommandService::CommandService(DeviceState& state)
    : m_state(state)
{ }

bool CommandService::isCommand(const std::string& name)
{
    return commands.count(name) != 0;
}

DeviceReply CommandService::handle(const std::string& command, const DeviceRequest& request)
{
    const auto document = XmlRequest::parse(request.body);
    if (!document || document->text("COMMAND") != commands.at(command))
        return DeviceReply::html(400, "Expected a " + commands.at(command) + " request document");
    if (command == "GetMachineSettings")
        return machineSettings();
    if (command == "GetUserList")
        return userList();
    if (command == "GetUserInfo")
        return userInfo(*document);
    if (command == "SubscribeToFeed")
        return subscribe(*document, request);
    return unsubscribe(*document, request);
}

DeviceReply CommandService::machineSettings() const
{
    const Machine machine = m_state.machine();
    return XmlAnswer("SUCCESS")
        .leaf("SECURITYPOLICY", machine.securityPolicy ? "2" : "1")
        .leaf("GUESTLOGIN", machine.guestLogin ? "1" : "0")
        .leaf("MACHINENAME", machine.name)
        .reply();
}

DeviceReply CommandService::userList() const
{
    const auto accounts = m_state.accounts();
    XmlAnswer answer("SUCCESS");
    answer.leaf("COUNT", std::to_string(accounts.size())).open("USERGROUP");
    for (const Account& account : accounts)
        answer.open("USER").leaf("DISPLAYNAME", account.displayName).leaf("USERNAME", account.id).close("USER");
    return answer.close("USERGROUP").reply();
}

DeviceReply CommandService::userInfo(const XmlRequest& document) const
{
    const auto account = m_state.account(document.text("USERNAME").value_or(""));
    if (!account)
        return failure("FAIL_NO_SUCH_USER");
    return XmlAnswer("SUCCESS").leaf("DISPLAYNAME", account->displayName).reply();
}

DeviceReply CommandService::subscribe(const XmlRequest& document, const DeviceRequest& request)
{
    const std::string user = document.text("USERNAME").value_or("");
    if (!m_state.account(user))
        return failure("FAIL_NO_SUCH_USER");
    if (!m_state.checkPassword(user, document.text("PASSWORD").value_or("")))
        return failure("FAIL_AUTHENTICATE");
    int port = 0;
    if (!parsePort(document.text("LISTENPORT").value_or(""), port) || !LoopbackAddress::parse(request.remoteAddress))
        return failure("FAIL_LISTENPORT_UNREACHABLE");
    m_state.subscribe(user, Subscription {request.remoteAddress, port});
    return XmlAnswer("SUCCESS").leaf("FEEDRSS", FeedWriter::feedPath(user)).reply();
}

DeviceReply CommandService::unsubscribe(const XmlRequest& document, const DeviceRequest& request)
{
    const std::string user = document.text("USERNAME").value_or("");
    if (!m_state.account(user))
        return failure("FAIL_NO_SUCH_USER");
    if (!m_state.unsubscribe(user, request.remoteAddress))
        return failure("FAIL_NO_FEED_REGISTERED");
    return XmlAnswer("SUCCESS").reply();
}

} // namespace OrvaneDevSim
